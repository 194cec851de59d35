#include "tables/DataTableView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace tarvex {

DataTableView::DataTableView(DataTable* table, QWidget* parent)
    : QAbstractScrollArea(parent), table_(table)
{
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setMouseTracking(false);
    viewport()->setAutoFillBackground(false);
    connect(table_, &DataTable::changed, this, [this] {
        fitHeadings();
        updateScrollBars();
        viewport()->update();
    });
    connect(table_, &DataTable::currentChanged, this, [this] { viewport()->update(); });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, viewport(), qOverload<>(&QWidget::update));
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &DataTableView::cellsMoved);
    fitHeadings();
    updateScrollBars();
}

int DataTableView::rowHeight() const
{
    return fontMetrics().height() + 6;
}

// Each column first gets the room its heading (drawn bold) or a number of
// ordinary length needs; the room left over is shared evenly.
void DataTableView::fitHeadings()
{
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics headings(bold);
    const int number = fontMetrics().horizontalAdvance(QStringLiteral("-0000.000"));
    needed_.clear();
    int total = 0;
    for (int c = 0; c < table_->Cols(); ++c) {
        needed_.push_back(std::max(headings.horizontalAdvance(table_->TextMatrix(0, c)), number) + 12);
        total += needed_.back();
    }
    const int width = total + 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    if (width != minimumWidth()) {
        setMinimumWidth(width);
        updateGeometry();
    }
}

int DataTableView::columnWidth(int col) const
{
    const int cols = table_->Cols();
    if (col < 0 || col >= static_cast<int>(needed_.size()))
        return viewport()->width() / std::max(1, cols);
    int needed = 0;
    for (int w : needed_)
        needed += w;
    const int spare = std::max(0, viewport()->width() - needed);
    return needed_[col] + spare / cols + (col == cols - 1 ? spare % cols : 0);
}

int DataTableView::firstVisibleRow() const
{
    return 1 + verticalScrollBar()->value();
}

int DataTableView::visibleDataRows() const
{
    return std::max(1, (viewport()->height() - rowHeight()) / rowHeight());
}

void DataTableView::updateScrollBars()
{
    const int dataRows = table_->Rows() - 1;
    const int page = visibleDataRows();
    verticalScrollBar()->setRange(0, std::max(0, dataRows - page));
    verticalScrollBar()->setPageStep(page);
    verticalScrollBar()->setSingleStep(1);
}

QRect DataTableView::cellRect(int row, int col) const
{
    int x = 0;
    for (int c = 0; c < col; ++c)
        x += columnWidth(c);
    const int h = rowHeight();
    const int y = row == 0 ? 0 : h * (1 + row - firstVisibleRow());
    const QPoint origin = viewport()->mapTo(this, QPoint(0, 0));
    return QRect(origin.x() + x, origin.y() + y, columnWidth(col), h);
}

QRect DataTableView::currentCellRect()
{
    ensureCellVisible(table_->Row());
    return cellRect(table_->Row(), table_->Col());
}

void DataTableView::ensureCellVisible(int row)
{
    if (row < 1)
        return;
    const int first = firstVisibleRow();
    const int page = visibleDataRows();
    if (row < first)
        verticalScrollBar()->setValue(row - 1);
    else if (row >= first + page)
        verticalScrollBar()->setValue(row - page);
}

bool DataTableView::isRowVisible(int row) const
{
    const int first = firstVisibleRow();
    return row >= first && row < first + visibleDataRows();
}

QPoint DataTableView::cellAt(const QPoint& pos) const
{
    const QPoint p = pos - viewport()->mapTo(this, QPoint(0, 0));
    if (p.x() < 0 || p.y() < 0 || p.x() >= viewport()->width())
        return {-1, -1};
    int col = 0;
    int x = 0;
    while (col < table_->Cols() - 1 && p.x() >= x + columnWidth(col)) {
        x += columnWidth(col);
        ++col;
    }
    const int h = rowHeight();
    int row = p.y() < h ? 0 : firstVisibleRow() + (p.y() - h) / h;
    if (row >= table_->Rows())
        return {-1, -1};
    return {col, row};
}

void DataTableView::paintEvent(QPaintEvent*)
{
    QPainter p(viewport());
    const QPalette pal = palette();
    p.fillRect(viewport()->rect(), pal.color(QPalette::Window).darker(104));
    const int h = rowHeight();
    const int cols = table_->Cols();
    const bool block = !table_->blockIsEmpty()
        && (table_->RowSel() != table_->Row() || table_->ColSel() != table_->Col());

    auto drawRow = [&](int row, int y) {
        int x = 0;
        for (int c = 0; c < cols; ++c) {
            const int w = columnWidth(c);
            const QRect r(x, y, w, h);
            QColor back = row == 0 ? pal.color(QPalette::Button) : pal.color(QPalette::Base);
            const QColor own = table_->cellBackColor(row, c);
            const bool inBlock = block && row >= table_->Row() && row <= table_->RowSel()
                && c >= table_->Col() && c <= table_->ColSel();
            if (row > 0 && inBlock && !(row == table_->Row() && c == table_->Col()))
                back = pal.color(QPalette::Highlight).lighter(160);
            if (row > 0 && own.isValid())
                back = own;
            p.fillRect(r, back);
            p.setPen(pal.color(QPalette::Mid));
            p.drawRect(r.adjusted(0, 0, -1, -1));
            p.setPen(row == 0 ? pal.color(QPalette::ButtonText) : pal.color(QPalette::Text));
            QFont f = font();
            f.setBold(row == 0);
            p.setFont(f);
            p.drawText(r.adjusted(4, 0, -4, 0), int(table_->ColAlignment(c)),
                       table_->TextMatrix(row, c));
            x += w;
        }
    };

    int y = h;
    for (int row = firstVisibleRow(); row < table_->Rows() && y < viewport()->height(); ++row, y += h)
        drawRow(row, y);
    drawRow(0, 0);
    if (hasFocus() && table_->Rows() > 1) {
        const QRect cur = cellRect(table_->Row(), table_->Col()).translated(-viewport()->mapTo(this, QPoint(0, 0)));
        if (table_->Row() >= firstVisibleRow()) {
            QPen pen(pal.color(QPalette::Highlight));
            pen.setWidth(2);
            p.setPen(pen);
            p.drawRect(cur.adjusted(1, 1, -1, -1));
        }
    }
}

void DataTableView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
    emit cellsMoved();
}

void DataTableView::trackMouse(const QPoint& pos)
{
    const QPoint cell = cellAt(pos);
    mouseCol_ = cell.x();
    mouseRow_ = cell.y();
}

void DataTableView::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = viewport()->mapTo(this, event->position().toPoint());
    trackMouse(pos);
    setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::LeftButton && mouseRow_ >= 1) {
        table_->setCurrent(mouseRow_, mouseCol_);
        dragging_ = true;
    }
    emit mouseDown(event->button(), pos);
}

void DataTableView::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragging_)
        return;
    const QPoint pos = viewport()->mapTo(this, event->position().toPoint());
    const QPoint cell = cellAt(pos);
    if (cell.y() >= 1) {
        table_->setRowSel(cell.y());
        table_->setColSel(cell.x());
    }
}

void DataTableView::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint pos = viewport()->mapTo(this, event->position().toPoint());
    trackMouse(pos);
    dragging_ = false;
    emit mouseUp(event->button(), pos);
}

void DataTableView::mouseDoubleClickEvent(QMouseEvent* event)
{
    trackMouse(viewport()->mapTo(this, event->position().toPoint()));
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void DataTableView::keyPressEvent(QKeyEvent* event)
{
    bool handled = false;
    emit keyDown(event, &handled);
    if (handled || !table_)
        return;
    const int key = event->key();
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const int rows = table_->Rows();
    if (rows < 2) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    auto move = [&](int row, int col) {
        row = std::clamp(row, 1, rows - 1);
        col = std::clamp(col, 0, table_->Cols() - 1);
        if (shift) {
            table_->setRowSel(row);
            table_->setColSel(col);
            ensureCellVisible(row);
        } else {
            table_->setCurrent(row, col);
            ensureCellVisible(row);
        }
    };
    const int r = shift ? table_->RowSel() : table_->Row();
    const int c = shift ? table_->ColSel() : table_->Col();
    switch (key) {
    case Qt::Key_Up: move(r - 1, c); return;
    case Qt::Key_Down: move(r + 1, c); return;
    case Qt::Key_Left: move(r, c - 1); return;
    case Qt::Key_Right: move(r, c + 1); return;
    case Qt::Key_PageUp: move(r - visibleDataRows(), c); return;
    case Qt::Key_PageDown: move(r + visibleDataRows(), c); return;
    case Qt::Key_Home: move(event->modifiers() & Qt::ControlModifier ? 1 : r, 0); return;
    case Qt::Key_End: move(event->modifiers() & Qt::ControlModifier ? rows - 1 : r, table_->Cols() - 1); return;
    case Qt::Key_Menu: emit contextMenuKey(); return;
    case Qt::Key_F10:
        if (shift) { emit contextMenuKey(); return; }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter: emit keyPress(QChar(13)); return;
    case Qt::Key_Backspace: emit keyPress(QChar(8)); return;
    case Qt::Key_Escape: emit keyPress(QChar(27)); return;
    default: break;
    }
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).isPrint() && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        emit keyPress(text.at(0));
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void DataTableView::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        emit focusLost();
}

void DataTableView::contextMenuEvent(QContextMenuEvent* event)
{
    // Right clicks reach the editor through mouseDown/mouseUp; only the
    // keyboard's menu key comes here.
    if (event->reason() == QContextMenuEvent::Keyboard)
        emit contextMenuKey();
}

bool DataTableView::focusNextPrevChild(bool next)
{
    return QAbstractScrollArea::focusNextPrevChild(next);
}

QSize DataTableView::sizeHint() const
{
    return {minimumWidth(), rowHeight() * 12};
}

// Below the heading and five rows a table is no longer worth scrolling.
QSize DataTableView::minimumSizeHint() const
{
    return {minimumWidth(), rowHeight() * 6 + 2 * frameWidth()};
}

} // namespace tarvex
