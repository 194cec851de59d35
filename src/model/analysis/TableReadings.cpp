#include "analysis/TableReadings.h"

#include "numbers/Numbers.h"
#include "tables/DataTable.h"

#include <algorithm>

namespace tarvex {

TableReadings NumberRowsOf(const DataTable& table, const QLocale& locale)
{
    const StrictNumberReader reader(locale);
    TableReadings out;
    out.points.reserve(static_cast<std::size_t>(std::max(0, table.Rows() - 1)));
    for (int r = 1; r < table.Rows(); ++r) {
        const auto x = reader.toDouble(table.TextMatrix(r, 0));
        const auto y = reader.toDouble(table.TextMatrix(r, 1));
        if (x && y)
            out.points.push_back({r, *x, *y});
        else
            out.skippedRows.push_back(r);
    }
    return out;
}

} // namespace tarvex
