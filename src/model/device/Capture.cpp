#include "device/Capture.h"

#include "tables/DataTable.h"
#include "numbers/Numbers.h"

#include <cmath>
#include <optional>

namespace tarvex {

namespace {

std::optional<QString> readingText(const QString& liveText)
{
    const double value = LeadingNumber(liveText);
    if (!std::isfinite(value))
        return std::nullopt;
    return NumberText(value);
}

// A table laid out with its heading row only has no cell for a reading; the
// current cell then sits on the headings, which a capture must not overwrite.
bool hasDataRow(const DataTable& table)
{
    return table.Rows() > 1 && table.Row() >= 1;
}

void moveDown(DataTable& table)
{
    if (table.Row() < table.Rows() - 1)
        table.setRow(table.Row() + 1);
}

} // namespace

bool CaptureIntoProfile(DataTable& table, const QString& liveText)
{
    if (!hasDataRow(table))
        return false;
    const std::optional<QString> text = readingText(liveText);
    if (text)
        table.setText(*text);
    moveDown(table);
    return text.has_value();
}

bool CaptureIntoPolar(DataTable& table, const QString& liveText)
{
    if (!hasDataRow(table))
        return false;
    table.setCol(1);
    const std::optional<QString> text = readingText(liveText);
    if (!text)
        return false;
    table.setText(*text);
    moveDown(table);
    return true;
}

} // namespace tarvex
