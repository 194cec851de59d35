#include "device/Capture.h"

#include "numbers/Numbers.h"
#include "tables/DataTable.h"

#include <QCoreApplication>
#include <QString>

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

AutoOutcome AutoCaptureInto(DataTable& table, Workspace kind, double value, const QLocale& locale)
{
    if (!hasDataRow(table))
        return AutoOutcome::NoRow;
    if (kind == Workspace::Polar)
        table.setCol(1);
    if (!table.Text().trimmed().isEmpty())
        return AutoOutcome::CellTaken;
    const bool last = table.Row() == table.Rows() - 1;
    writeAndMoveDown(table, value, locale);
    return last ? AutoOutcome::TableFull : AutoOutcome::Recorded;
}

QString AutoStopText(AutoOutcome outcome)
{
    switch (outcome) {
    case AutoOutcome::TableFull:
        return QCoreApplication::translate("Device", "Table full: Auto is off");
    case AutoOutcome::CellTaken:
        return QCoreApplication::translate("Device", "The current cell holds a value: Auto is off");
    case AutoOutcome::NoRow:
        return QCoreApplication::translate("Device", "The table has no row for a reading: Auto is off");
    case AutoOutcome::Recorded:
        break;
    }
    return {};
}

} // namespace tarvex
