#include "tables/EditCommands.h"

#include "numbers/Numbers.h"
#include "tables/ProfileTable.h"

#include <QCoreApplication>
#include <algorithm>

namespace tarvex {

namespace {

void emptyRow(DataTable& table, int row)
{
    for (int c = 0; c < table.Cols(); ++c)
        table.setTextMatrix(row, c, QString());
}

bool holdsLoad(const DataTable& table, int row)
{
    for (int c = 1; c < table.Cols(); ++c)
        if (!table.TextMatrix(row, c).isEmpty())
            return true;
    return false;
}

// Row numbers are 16-bit: a table never grows past that.
bool canGrow(const DataTable& table)
{
    return table.Rows() < kMaxTableRows;
}

} // namespace

void DeleteBlockRows(DataTable& table)
{
    // The heading row is never part of a block's rows.
    const int first = std::max(1, table.Row());
    const int last = table.RowSel();
    for (int i = last; i >= first; --i) {
        if (table.Rows() > 2)
            table.RemoveItem(i);
        else
            emptyRow(table, i);
    }
}

void ClearBlock(DataTable& table)
{
    for (int r = std::max(1, table.Row()); r <= table.RowSel(); ++r)
        for (int c = table.Col(); c <= table.ColSel(); ++c)
            table.setTextMatrix(r, c, QString());
}

void InsertRowAtCurrent(DataTable& table)
{
    if (table.Row() >= 1 && canGrow(table))
        table.AddItem(QString(), table.Row());
}

QString CopyBlock(const DataTable& table)
{
    return table.Clip();
}

QString ClipboardTextToClip(const QString& text)
{
    QString clip = text;
    if (clip.endsWith(QLatin1Char('\n'))) {
        clip.chop(1);
        if (clip.endsWith(QLatin1Char('\r')))
            clip.chop(1);
    }
    clip.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
    clip.replace(QLatin1Char('\n'), QLatin1Char('\r'));
    return clip;
}

void PasteIntoBlock(DataTable& table, const QString& clipboardText)
{
    // Nothing to paste is not a reason to empty the top-left cell.
    if (clipboardText.isEmpty() || table.Row() < 1)
        return;
    table.setClip(ClipboardTextToClip(clipboardText));
}

QString DeleteRowQuestion(int row)
{
    return QCoreApplication::translate("Tables", "There is data in Row %1 ! Delete anyway?").arg(NumberText(row));
}

void AddRow(DataTable& table)
{
    if (!canGrow(table))
        return;
    table.setRows(table.Rows() + 1);
    table.setRow(table.Rows() - 1);
}

void InsertRowAt(DataTable& table)
{
    const int cur = table.Row();
    if (cur < 1 || !canGrow(table))
        return;
    table.setRows(table.Rows() + 1);
    for (int r = table.Rows() - 1; r >= cur + 1; --r)
        for (int c = 0; c < table.Cols(); ++c)
            table.setTextMatrix(r, c, table.TextMatrix(r - 1, c));
    emptyRow(table, cur);
}

void DeleteLastRow(DataTable& table, const ConfirmRowDelete& confirm)
{
    if (table.Rows() < 3)
        return;
    const int last = table.Rows() - 1;
    if (holdsLoad(table, last) && !(confirm && confirm(last)))
        return;
    if (table.Row() == last)
        table.setRow(last - 1);
    table.setRows(table.Rows() - 1);
}

void ExtractRow(DataTable& table, const ConfirmRowDelete& confirm)
{
    if (table.Rows() < 3)
        return;
    const int cur = table.Row();
    if (cur < 1)
        return;
    if (holdsLoad(table, cur) && !(confirm && confirm(cur)))
        return;
    for (int r = cur; r <= table.Rows() - 2; ++r)
        for (int c = 0; c < table.Cols(); ++c)
            table.setTextMatrix(r, c, table.TextMatrix(r + 1, c));
    if (cur == table.Rows() - 1)
        table.setRow(table.Rows() - 2);
    table.setRows(table.Rows() - 1);
}

} // namespace tarvex
