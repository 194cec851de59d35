#include "tables/ProfileTable.h"

#include "numbers/Numbers.h"

#include <cmath>
#include <limits>

namespace tarvex {

bool ProfileSetRows(DataTable& table, const QString& start, const QString& steps, const QString& count,
                    const QLocale& locale)
{
    const double startValue = LeadingUserNumber(start, locale);
    const double countValue = LeadingUserNumber(count, locale);
    if (!(countValue >= 1))
        return false;
    const double rows = RoundHalfEven(countValue + 1);
    // A count no table can hold would exhaust memory: refuse it like a count
    // below 1 rather than wiping the readings and failing half-way.
    if (rows > kMaxTableRows)
        return false;

    table.setRows(1);
    table.setRows(static_cast<int>(rows));
    table.setCol(0);
    table.setCellBackColor(kHighlightColor);
    if (startValue > 0) {
        const int n = static_cast<int>(RoundHalfEven(countValue));
        for (int i = 1; i <= n; ++i) {
            const double step = LeadingUserNumber(steps, locale);
            table.setTextMatrix(i, 0, UserNumberText(startValue + step * (i - 1), locale));
        }
    }
    table.setCurrent(1, 1);
    return true;
}

void ProfileClearRows(DataTable& table)
{
    table.setRows(2);
    table.setTextMatrix(1, 0, QString());
    table.setTextMatrix(1, 1, QString());
}

void LayOutEmptyTable(DataTable& table, const QString& heading0, const QString& heading1)
{
    table.setRows(2);
    table.setTextMatrix(0, 0, heading0);
    table.setTextMatrix(0, 1, heading1);
    table.setTextMatrix(1, 0, QString());
    table.setTextMatrix(1, 1, QString());
    table.setCurrent(1, 0);
}

bool SetPolarRows(DataTable& table, const QString& intervalText, const QLocale& locale)
{
    if (intervalText.isEmpty())
        return false;
    table.setRows(1);
    table.setTextMatrix(0, 0, QStringLiteral("Degree"));
    table.setTextMatrix(0, 1, QStringLiteral("Load"));
    table.setFormatString(kPolarFormat);

    const double interval = LeadingUserNumber(intervalText, locale);
    int n = 0;
    if (interval != 0.0 && std::isfinite(interval)) {
        const double rounded = RoundHalfEven(360.0 / interval);
        if (rounded >= std::numeric_limits<qint16>::min() && rounded <= std::numeric_limits<qint16>::max())
            n = static_cast<int>(rounded);
    }
    // A negative count is refused by the table, which keeps its heading row.
    // One row fewer than the 16-bit limit, since the heading row counts too.
    if (n >= 1 && n + 1 <= kMaxTableRows)
        table.setRows(n + 1);
    for (int i = 0; i < n && i + 1 < table.Rows(); ++i)
        table.setTextMatrix(i + 1, 0, UserNumberText(i * interval, locale));
    return true;
}

void ResetPolarTableForNew(DataTable& table)
{
    table.setRows(1);
    table.setTextMatrix(0, 0, QStringLiteral("Degree"));
    table.setTextMatrix(0, 1, QStringLiteral("Load"));
    table.setFormatString(kPolarFormat);
    table.setRows(2);
}

} // namespace tarvex
