#include "charts/xy/ProfileCurveStore.h"

#include "tables/DataTable.h"
#include "numbers/Numbers.h"

namespace tarvex {

namespace {

// Reads one cell into `target`; on failure tells the user why and says so.
bool ConvertCell(const QString& text, float& target, const MessageSink& message, const StrictNumberReader& reader)
{
    const StrictFloatResult r = reader.toFloat(text);
    switch (r.status) {
    case FloatConversion::Ok:
        target = r.value;
        return true;
    case FloatConversion::Overflow:
        if (message)
            message(QCoreApplication::translate("Chart", kOverflowMessage));
        return false;
    case FloatConversion::NotANumber:
        break;
    }
    if (message)
        message(QCoreApplication::translate("Chart", kInputNumbersOnly));
    return false;
}

} // namespace

bool StoreProfileCurve(const DataTable& table, XYChartState& chart, const MessageSink& message,
                       const QLocale& locale, const QString& name)
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
        if (!ConvertCell(table.TextMatrix(i, 0), curve.X[at], message, reader))
            return false;
        if (!ConvertCell(table.TextMatrix(i, 1), curve.Y[at], message, reader))
            return false;
    }
    chart.plotted = true;
    return true;
}

} // namespace tarvex
