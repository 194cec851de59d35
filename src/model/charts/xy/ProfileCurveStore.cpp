#include "charts/xy/ProfileCurveStore.h"

#include "tables/DataTable.h"
#include "numbers/Numbers.h"

namespace tarvex {

namespace {

Result<float> convertCell(const QString& text, const StrictNumberReader& reader)
{
    const StrictFloatResult r = reader.toFloat(text);
    switch (r.status) {
    case FloatConversion::Ok:
        return r.value;
    case FloatConversion::Overflow:
        return Failure(QCoreApplication::translate("Chart", kOverflowMessage));
    case FloatConversion::NotANumber:
        break;
    }
    return Failure(QCoreApplication::translate("Chart", kInputNumbersOnly));
}

} // namespace

Result<> StoreProfileCurve(const DataTable& table, XYChartState& chart, const QLocale& locale, const QString& name)
{
    if (!chart.curvesStored) {
        chart.curvesStored = true;
        chart.curves.clear();
    }
    const StrictNumberReader reader(locale);
    const int m = std::max(0, table.Rows() - 1);
    XYCurve& curve = chart.curves.emplace_back();
    curve.name = name;
    curve.X.assign(static_cast<std::size_t>(m), 0.0f);
    curve.Y.assign(static_cast<std::size_t>(m), 0.0f);
    for (int i = 1; i <= m; ++i) {
        const auto at = static_cast<std::size_t>(i - 1);
        const Result<float> x = convertCell(table.TextMatrix(i, 0), reader);
        if (!x)
            return x.error();
        curve.X[at] = *x;
        const Result<float> y = convertCell(table.TextMatrix(i, 1), reader);
        if (!y)
            return y.error();
        curve.Y[at] = *y;
    }
    chart.plotted = true;
    return {};
}

} // namespace tarvex
