#include "device/Capture.h"

#include "numbers/Numbers.h"
#include "tables/DataTable.h"

namespace tarvex {

namespace {

// A table laid out with its heading row only has no cell for a reading; the
// current cell then sits on the headings, which a capture must not overwrite.
bool hasDataRow(const DataTable& table)
{
    return table.Rows() > 1 && table.Row() >= 1;
}

void writeAndMoveDown(DataTable& table, double value, const QLocale& locale)
{
    table.setText(UserNumberText(value, locale));
    if (table.Row() < table.Rows() - 1)
        table.setRow(table.Row() + 1);
}

} // namespace

bool CaptureIntoProfile(DataTable& table, double value, const QLocale& locale)
{
    if (!hasDataRow(table))
        return false;
    writeAndMoveDown(table, value, locale);
    return true;
}

bool CaptureIntoPolar(DataTable& table, double value, const QLocale& locale)
{
    if (!hasDataRow(table))
        return false;
    table.setCol(1);
    writeAndMoveDown(table, value, locale);
    return true;
}

} // namespace tarvex
