#include "tables/DataTable.h"

#include <algorithm>
#include <utility>

namespace tarvex {

DataTable::DataTable(int cols, QObject* parent)
    : QObject(parent), cols_(std::max(1, cols)), alignment_(static_cast<std::size_t>(cols_), Qt::AlignLeft | Qt::AlignVCenter)
{
    setRows(2);
}

void DataTable::setRows(int rows)
{
    if (rows < 1 || rows == Rows())
        return;
    if (rows > Rows())
        insertRows(Rows(), std::vector<QStringList>(static_cast<std::size_t>(rows - Rows()), QStringList()));
    else
        removeRows(rows, Rows() - rows);
    // The current cell must stay inside the table; the block shrinks with it.
    keepCurrentInside();
    emit cellsChanged();
    emit changed();
    emit currentChanged();
}

void DataTable::keepCurrentInside()
{
    const int lastRow = Rows() - 1;
    const int firstData = Rows() > 1 ? 1 : 0;
    row_ = std::clamp(row_, firstData, lastRow);
    rowSel_ = std::clamp(rowSel_, 0, lastRow);
}

void DataTable::record(TableEdit edit)
{
    if (journal_)
        journal_->push_back(std::move(edit));
}

// Rows come in padded or cut to the table's columns.
void DataTable::insertRows(int at, std::vector<QStringList> rows)
{
    if (rows.empty())
        return;
    for (QStringList& row : rows) {
        while (row.size() < cols_)
            row << QString();
        row = row.mid(0, cols_);
    }
    const int count = static_cast<int>(rows.size());
    emit rowsAboutToBeInserted(at, at + count - 1);
    if (journal_)
        record({TableEdit::Kind::InsertRows, at, 0, {}, {}, rows});
    cells_.insert(cells_.begin() + at, rows.begin(), rows.end());
    colors_.insert(colors_.begin() + at, rows.size(), std::vector<QColor>(static_cast<std::size_t>(cols_)));
    emit rowsInserted(at, at + count - 1);
}

void DataTable::removeRows(int at, int count)
{
    if (count <= 0)
        return;
    emit rowsAboutToBeRemoved(at, at + count - 1);
    const auto first = cells_.begin() + at;
    if (journal_)
        record({TableEdit::Kind::RemoveRows, at, 0, {}, {}, std::vector<QStringList>(first, first + count)});
    cells_.erase(first, first + count);
    colors_.erase(colors_.begin() + at, colors_.begin() + at + count);
    emit rowsRemoved(at, at + count - 1);
}

void DataTable::revert(const TableEdit& edit)
{
    replay(edit, false);
}

void DataTable::reapply(const TableEdit& edit)
{
    replay(edit, true);
}

// Undo runs an edit backwards: text goes back to what it was, inserted rows
// go, removed rows come back.
void DataTable::replay(const TableEdit& edit, bool forward)
{
    std::vector<TableEdit>* journal = std::exchange(journal_, nullptr);
    const int count = static_cast<int>(edit.rows.size());
    const bool insert = (edit.kind == TableEdit::Kind::InsertRows) == forward;
    if (edit.kind == TableEdit::Kind::Text)
        setTextMatrix(edit.row, edit.col, forward ? edit.after : edit.before);
    else if (insert)
        insertRows(edit.row, edit.rows);
    else
        removeRows(edit.row, count);
    journal_ = journal;
    if (edit.kind != TableEdit::Kind::Text) {
        keepCurrentInside();
        emit cellsChanged();
        emit changed();
        emit currentChanged();
    }
}

void DataTable::moveCurrent(int row, int col)
{
    row = std::clamp(row, 0, Rows() - 1);
    col = std::clamp(col, 0, cols_ - 1);
    const bool moved = row != row_ || col != col_;
    if (moved && onLeaveCell)
        onLeaveCell();
    row_ = row;
    col_ = col;
    rowSel_ = row;
    colSel_ = col;
    if (moved && onEnterCell)
        onEnterCell();
    emit currentChanged();
}

void DataTable::setRow(int row) { moveCurrent(row, col_); }
void DataTable::setCol(int col) { moveCurrent(row_, col); }
void DataTable::setCurrent(int row, int col) { moveCurrent(row, col); }

void DataTable::setRowSel(int row)
{
    rowSel_ = std::clamp(row, 0, Rows() - 1);
    emit currentChanged();
}

void DataTable::setColSel(int col)
{
    colSel_ = std::clamp(col, 0, cols_ - 1);
    emit currentChanged();
}

QString DataTable::TextMatrix(int row, int col) const
{
    if (!valid(row, col))
        return {};
    return cells_[static_cast<std::size_t>(row)][col];
}

void DataTable::setTextMatrix(int row, int col, const QString& text)
{
    if (!valid(row, col))
        return;
    QString& cell = cells_[static_cast<std::size_t>(row)][col];
    if (cell == text)
        return;
    if (journal_)
        record({TableEdit::Kind::Text, row, col, cell, text, {}});
    cell = text;
    emit cellChanged(row, col);
    emit cellsChanged();
    emit changed();
}

void DataTable::AddItem(const QString& text, int index)
{
    if (index < 0 || index > Rows())
        return;
    insertRows(index, {text.split(QLatin1Char('\t'))});
    emit cellsChanged();
    emit changed();
    emit currentChanged();
}

void DataTable::RemoveItem(int index)
{
    if (index < 0 || index >= Rows() || Rows() <= 1)
        return;
    removeRows(index, 1);
    keepCurrentInside();
    emit cellsChanged();
    emit changed();
    emit currentChanged();
}

QString DataTable::Clip() const
{
    if (blockIsEmpty())
        return {};
    QStringList lines;
    for (int r = row_; r <= rowSel_; ++r) {
        QStringList cells;
        for (int c = col_; c <= colSel_; ++c)
            cells << TextMatrix(r, c);
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\r'));
}

void DataTable::setClip(const QString& text)
{
    if (blockIsEmpty())
        return;
    const QStringList lines = text.split(QLatin1Char('\r'));
    for (int i = 0; i < lines.size() && row_ + i <= rowSel_; ++i) {
        const QStringList cells = lines[i].split(QLatin1Char('\t'));
        for (int j = 0; j < cells.size() && col_ + j <= colSel_; ++j)
            setTextMatrix(row_ + i, col_ + j, cells[j]);
    }
}

void DataTable::setFormatString(const QString& format)
{
    const QStringList segments = format.split(QLatin1Char('|'));
    for (int c = 0; c < cols_ && c < segments.size(); ++c) {
        QString seg = segments[c];
        Qt::Alignment align = Qt::AlignLeft;
        if (seg.startsWith(QLatin1Char('<'))) {
            seg.remove(0, 1);
        } else if (seg.startsWith(QLatin1Char('^'))) {
            align = Qt::AlignHCenter;
            seg.remove(0, 1);
        } else if (seg.startsWith(QLatin1Char('>'))) {
            align = Qt::AlignRight;
            seg.remove(0, 1);
        }
        alignment_[static_cast<std::size_t>(c)] = align | Qt::AlignVCenter;
        setTextMatrix(0, c, seg);
    }
    emit alignmentChanged();
    emit changed();
}

Qt::Alignment DataTable::ColAlignment(int col) const
{
    if (col < 0 || col >= cols_)
        return Qt::AlignLeft | Qt::AlignVCenter;
    return alignment_[static_cast<std::size_t>(col)];
}

QColor DataTable::cellBackColor(int row, int col) const
{
    if (!valid(row, col))
        return {};
    return colors_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

void DataTable::setCellBackColor(int row, int col, const QColor& color)
{
    if (!valid(row, col))
        return;
    QColor& own = colors_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
    if (own == color)
        return;
    own = color;
    emit cellChanged(row, col);
    emit changed();
}

void DataTable::clearCellBackColors()
{
    for (auto& row : colors_)
        std::fill(row.begin(), row.end(), QColor());
    emit colorsCleared();
    emit changed();
}

std::vector<QStringList> DataTable::snapshot() const { return cells_; }

} // namespace tarvex
