#include "tables/GridView.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>

namespace tarvex {

GridView::GridView(DataTable* table, QWidget* parent) : QTableView(parent), table_(table)
{
    model_ = new TableModel(*table, this);
    setModel(model_);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollMode(ScrollPerItem);
    // The grid moves the current cell itself, for the table; the view's own
    // editing, tab walking and scrolling to the current cell would each move
    // it a second way.
    setEditTriggers(NoEditTriggers);
    setTabKeyNavigation(false);
    setAutoScroll(false);
    setSelectionMode(ExtendedSelection);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(rowHeight());
    QHeaderView* headings = horizontalHeader();
    QFont bold = font();
    bold.setBold(true);
    headings->setFont(bold);
    headings->setHighlightSections(false);
    headings->setSectionsClickable(false);
    headings->setSectionResizeMode(QHeaderView::Fixed);
    headings->setFixedHeight(rowHeight());
    headings->viewport()->installEventFilter(this);
    connect(headings, &QHeaderView::sectionResized, this, &GridView::cellsMoved);

    connect(table_, &DataTable::currentChanged, this, &GridView::followCurrent);
    connect(table_, &DataTable::cellChanged, this, [this](int row) {
        if (row == 0)
            fitHeadings();
    });
    connect(table_, &DataTable::alignmentChanged, this, &GridView::fitHeadings);
    fitHeadings();
    followCurrent();
}

int GridView::rowHeight() const
{
    return fontMetrics().height() + 6;
}

int GridView::pageRows() const
{
    return std::max(1, viewport()->height() / rowHeight());
}

// Each column first gets the room its heading or a number of ordinary length
// needs; the room left over is shared evenly, the rest to the last column.
void GridView::fitHeadings()
{
    if (!table_)
        return;
    const QFontMetrics headings(horizontalHeader()->font());
    const int number = fontMetrics().horizontalAdvance(QStringLiteral("-0000.000"));
    std::vector<int> needed;
    int total = 0;
    for (int c = 0; c < table_->Cols(); ++c) {
        needed.push_back(std::max(headings.horizontalAdvance(table_->TextMatrix(0, c)), number) + 12);
        total += needed.back();
    }
    const int width = total + 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    if (width != minimumWidth()) {
        setMinimumWidth(width);
        updateGeometry();
    }
    const int cols = static_cast<int>(needed.size());
    const int spare = std::max(0, viewport()->width() - total);
    for (int c = 0; c < cols; ++c)
        setColumnWidth(c, needed[static_cast<std::size_t>(c)] + spare / cols + (c == cols - 1 ? spare % cols : 0));
}

void GridView::followCurrent()
{
    if (!table_ || !selectionModel())
        return;
    const DataTable& t = *table_;
    if (t.Rows() < 2) {
        selectionModel()->clear();
        return;
    }
    const QModelIndex current = model_->cell(std::max(1, t.Row()), t.Col());
    selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    QItemSelection block;
    if (t.blockIsEmpty() || t.RowSel() < 1)
        block.select(current, current);
    else
        block.select(current, model_->cell(t.RowSel(), t.ColSel()));
    selectionModel()->select(block, QItemSelectionModel::ClearAndSelect);
    viewport()->update();
}

QRect GridView::cellRect(int row, int col) const
{
    if (row == 0) {
        const int h = horizontalHeader()->height();
        return {columnViewportPosition(col), -h, columnWidth(col), h};
    }
    return visualRect(model_->cell(row, col));
}

void GridView::ensureCellVisible(int row)
{
    if (table_ && row >= 1 && row < table_->Rows())
        scrollTo(model_->cell(row, std::max(0, table_->Col())), EnsureVisible);
}

bool GridView::isRowVisible(int row) const
{
    const int y = rowViewportPosition(row - 1);
    return row >= 1 && y >= 0 && y + QTableView::rowHeight(row - 1) <= viewport()->height();
}

void GridView::trackMouse(const QPoint& pos)
{
    const int row = rowAt(pos.y());
    const int col = columnAt(pos.x());
    const bool inside = row >= 0 && col >= 0;
    mouseRow_ = inside ? row + 1 : -1;
    mouseCol_ = inside ? col : -1;
}

void GridView::mousePressEvent(QMouseEvent* event)
{
    trackMouse(event->position().toPoint());
    setFocus(Qt::MouseFocusReason);
    if (table_ && event->button() == Qt::LeftButton && mouseRow_ >= 1) {
        table_->setCurrent(mouseRow_, mouseCol_);
        dragging_ = true;
    }
    emit mouseDown(event->button(), viewport()->mapTo(this, event->position().toPoint()));
}

void GridView::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragging_ || !table_)
        return;
    const QPoint pos = event->position().toPoint();
    const int row = rowAt(pos.y());
    const int col = columnAt(pos.x());
    if (row >= 0 && col >= 0) {
        table_->setRowSel(row + 1);
        table_->setColSel(col);
    }
}

void GridView::mouseReleaseEvent(QMouseEvent* event)
{
    trackMouse(event->position().toPoint());
    dragging_ = false;
    emit mouseUp(event->button(), viewport()->mapTo(this, event->position().toPoint()));
}

void GridView::mouseDoubleClickEvent(QMouseEvent* event)
{
    trackMouse(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

// The heading row answers the mouse as the data rows do, with row 0.
bool GridView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != horizontalHeader()->viewport())
        return QTableView::eventFilter(watched, event);
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease && type != QEvent::MouseButtonDblClick)
        return QTableView::eventFilter(watched, event);
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint pos = mouse->position().toPoint();
    const int col = horizontalHeader()->logicalIndexAt(pos.x());
    mouseRow_ = col >= 0 ? 0 : -1;
    mouseCol_ = col;
    const QPoint at = horizontalHeader()->viewport()->mapTo(this, pos);
    if (type == QEvent::MouseButtonPress) {
        setFocus(Qt::MouseFocusReason);
        emit mouseDown(mouse->button(), at);
    } else if (type == QEvent::MouseButtonRelease) {
        emit mouseUp(mouse->button(), at);
    } else if (mouse->button() == Qt::LeftButton) {
        emit doubleClicked();
    }
    return true;
}

void GridView::keyPressEvent(QKeyEvent* event)
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
        } else {
            table_->setCurrent(row, col);
        }
        ensureCellVisible(row);
    };
    const int r = shift ? table_->RowSel() : table_->Row();
    const int c = shift ? table_->ColSel() : table_->Col();
    const bool control = event->modifiers() & Qt::ControlModifier;
    switch (key) {
    case Qt::Key_Up: move(r - 1, c); return;
    case Qt::Key_Down: move(r + 1, c); return;
    case Qt::Key_Left: move(r, c - 1); return;
    case Qt::Key_Right: move(r, c + 1); return;
    case Qt::Key_PageUp: move(r - pageRows(), c); return;
    case Qt::Key_PageDown: move(r + pageRows(), c); return;
    case Qt::Key_Home: move(control ? 1 : r, 0); return;
    case Qt::Key_End: move(control ? rows - 1 : r, table_->Cols() - 1); return;
    case Qt::Key_Menu: emit contextMenuKey(); return;
    case Qt::Key_F10:
        if (shift) {
            emit contextMenuKey();
            return;
        }
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

void GridView::focusOutEvent(QFocusEvent* event)
{
    QTableView::focusOutEvent(event);
    viewport()->update();
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        emit focusLost();
}

void GridView::contextMenuEvent(QContextMenuEvent* event)
{
    // Right clicks reach the editor through mouseDown/mouseUp; only the
    // keyboard's menu key comes here.
    if (event->reason() == QContextMenuEvent::Keyboard)
        emit contextMenuKey();
}

void GridView::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    fitHeadings();
    emit cellsMoved();
}

void GridView::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    emit cellsMoved();
}

QSize GridView::sizeHint() const
{
    return {minimumWidth(), rowHeight() * 12};
}

// Below the heading and five rows a table is no longer worth scrolling.
QSize GridView::minimumSizeHint() const
{
    return {minimumWidth(), rowHeight() * 6 + 2 * frameWidth()};
}

} // namespace tarvex
