#include "tables/DataTable.h"

#include <algorithm>

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
    const auto n = static_cast<std::size_t>(rows);
    QStringList emptyRow;
    for (int c = 0; c < cols_; ++c)
        emptyRow << QString();
    cells_.resize(n, emptyRow);
    colors_.resize(n, std::vector<QColor>(static_cast<std::size_t>(cols_)));
    // The current cell must stay inside the table; the block shrinks with it.
    const int lastRow = rows - 1;
    const int firstData = rows > 1 ? 1 : 0;
    if (row_ > lastRow || row_ < firstData)
        row_ = std::clamp(row_, firstData, lastRow);
    rowSel_ = std::clamp(rowSel_, 0, lastRow);
    emit cellsChanged();
    emit changed();
    emit currentChanged();
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
    cell = text;
    emit cellsChanged();
    emit changed();
}

void DataTable::AddItem(const QString& text, int index)
{
    if (index < 0 || index > Rows())
        return;
    QStringList row;
    const QStringList parts = text.split(QLatin1Char('\t'));
    for (int c = 0; c < cols_; ++c)
        row << (c < parts.size() ? parts[c] : QString());
    cells_.insert(cells_.begin() + index, row);
    colors_.insert(colors_.begin() + index, std::vector<QColor>(static_cast<std::size_t>(cols_)));
    emit cellsChanged();
    emit changed();
    emit currentChanged();
}

void DataTable::RemoveItem(int index)
{
    if (index < 0 || index >= Rows() || Rows() <= 1)
        return;
    cells_.erase(cells_.begin() + index);
    colors_.erase(colors_.begin() + index);
    const int lastRow = Rows() - 1;
    const int firstData = Rows() > 1 ? 1 : 0;
    row_ = std::clamp(row_, firstData, lastRow);
    rowSel_ = std::clamp(rowSel_, 0, lastRow);
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
    colors_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] = color;
    emit changed();
}

void DataTable::clearCellBackColors()
{
    for (auto& row : colors_)
        std::fill(row.begin(), row.end(), QColor());
    emit changed();
}

std::vector<QStringList> DataTable::snapshot() const { return cells_; }

} // namespace tarvex
