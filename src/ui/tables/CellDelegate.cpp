#include "tables/CellDelegate.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>

namespace tarvex {

namespace {

constexpr char16_t kBackspace = 8;
constexpr char16_t kEnter = 13;
constexpr char16_t kEscape = 27;

// The character a key types, as a text box would receive it: Enter,
// Backspace and Escape as their control codes, printable text as it is;
// empty for keys that type nothing (arrows, function keys, shortcuts).
QString typedText(const QKeyEvent& key)
{
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return QString(QChar(kEnter));
    case Qt::Key_Backspace: return QString(QChar(kBackspace));
    case Qt::Key_Escape: return QString(QChar(kEscape));
    default: break;
    }
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return {};
    const QString text = key.text();
    if (text.isEmpty() || text.at(0).category() == QChar::Other_Control)
        return {};
    return text;
}

bool isBlock(const DataTable& t)
{
    return t.Row() != t.RowSel() || t.Col() != t.ColSel();
}

} // namespace

CellDelegate::CellDelegate(Workspace kind, DataTable& table, GridView& view, QLineEdit& box, QObject* parent)
    : QStyledItemDelegate(parent), kind_(kind), table_(&table), view_(&view), box_(&box), boxWidget_(&box),
      tableGuard_(&table), viewGuard_(&view), boxGuard_(&box)
{
    box.setFrame(false);
    box.hide();
    if (kind == Workspace::Polar)
        view.tableModel()->setReadOnlyColumn(0);
    view.setItemDelegate(this);

    table.onEnterCell = [this] { tableEnterCell(); };
    table.onLeaveCell = [this] { tableLeaveCell(); };

    connect(&view, &GridView::keyDown, this, &CellDelegate::tableKeyDown);
    connect(&view, &GridView::keyPress, this, &CellDelegate::tableKeyPress);
    connect(&view, &GridView::doubleClicked, this, &CellDelegate::tableDoubleClick);
    connect(&view, &GridView::mouseDown, this, &CellDelegate::tableMouseDown);
    connect(&view, &GridView::mouseUp, this, &CellDelegate::tableMouseUp);
    connect(&view, &GridView::contextMenuKey, this, &CellDelegate::tableContextMenuKey);
    connect(&view, &GridView::focusLost, this, &CellDelegate::tableLeaveCell);
    connect(&view, &GridView::cellsMoved, this, &CellDelegate::followScroll);
    // The table goes first when the window is torn down: let go of the view
    // and the box while they are still whole.
    connect(&table, &QObject::destroyed, this, &CellDelegate::detach);
}

CellDelegate::~CellDelegate()
{
    // The table may outlive the delegate: it must not call back into it.
    if (!tableGuard_.isNull()) {
        table_->onEnterCell = nullptr;
        table_->onLeaveCell = nullptr;
    }
}

void CellDelegate::detach()
{
    if (!boxGuard_.isNull())
        boxGuard_->removeEventFilter(this);
    if (!viewGuard_.isNull())
        disconnect(viewGuard_.data(), nullptr, this, nullptr);
    tableGuard_.clear();
}

bool CellDelegate::isEditable(int col) const
{
    return kind_ == Workspace::Profile || col == 1;
}

bool CellDelegate::isEditing() const
{
    return alive() && boxWidget_->isVisible();
}

void CellDelegate::keyTyped()
{
    if (onKeyTyped)
        onKeyTyped();
}

// ---- the delegate ----------------------------------------------------------

// Cells are drawn as the grid always drew them, a fill and a line of text,
// straight from the table: the style's item panel and the model's dozen
// roles per cell would cost more than the rest of a scroll together.
void CellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    if (!alive()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const DataTable& t = *table_;
    const int row = TableModel::tableRow(index);
    const int col = index.column();
    const QPalette& pal = option.palette;
    const bool current = row == t.Row() && col == t.Col();
    // The block is shaded around its first cell, the current one; a cell's
    // own colour (the mark) shows through.
    const bool inBlock = isBlock(t) && !t.blockIsEmpty() && row >= t.Row() && row <= t.RowSel()
        && col >= t.Col() && col <= t.ColSel();
    QColor back = t.cellBackColor(row, col);
    if (!back.isValid())
        back = inBlock && !current ? pal.color(QPalette::Highlight).lighter(160) : pal.color(QPalette::Base);
    painter->fillRect(option.rect, back);
    painter->setPen(pal.color(QPalette::Text));
    painter->drawText(option.rect.adjusted(4, 0, -4, 0), int(t.ColAlignment(col)), t.TextMatrix(row, col));
    if (current && view_->hasFocus()) {
        QPen pen(pal.color(QPalette::Highlight));
        pen.setWidth(2);
        painter->setPen(pen);
        painter->drawRect(option.rect.adjusted(1, 1, -1, -1));
    }
}

QWidget* CellDelegate::createEditor(QWidget*, const QStyleOptionViewItem&, const QModelIndex&) const
{
    if (boxGuard_.isNull())
        return nullptr;
    open_ = true;
    return box_;
}

void CellDelegate::destroyEditor(QWidget* editor, const QModelIndex&) const
{
    // The box is kept for the next cell.
    open_ = false;
    if (editor == boxWidget_ && !boxGuard_.isNull())
        boxWidget_->hide();
}

void CellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    if (!opening_ || editor != boxWidget_ || !alive())
        return;
    box_->setAlignment(table_->ColAlignment(index.column()));
    box_->setText(index.data(Qt::EditRole).toString());
}

void CellDelegate::setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const {}

void CellDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option, const QModelIndex&) const
{
    editor->setGeometry(option.rect);
}

// ---- editing ---------------------------------------------------------------

void CellDelegate::hideBox()
{
    if (boxGuard_.isNull())
        return;
    if (open_ && !viewGuard_.isNull())
        emit closeEditor(box_, NoHint);
    boxWidget_->hide();
}

void CellDelegate::beginEdit()
{
    if (!alive() || !isEditable(table_->Col()) || table_->Row() < 1)
        return;
    view_->ensureCellVisible(table_->Row());
    if (open_)
        emit closeEditor(box_, NoHint);
    opening_ = true;
    view_->edit(view_->tableModel()->cell(table_->Row(), table_->Col()));
    opening_ = false;
    if (!open_)
        return;
    // The view selects an editor's whole text; typing goes on at its end.
    box_->deselect();
    box_->setCursorPosition(static_cast<int>(box_->text().size()));
    box_->show();
    box_->raise();
    box_->setFocus(Qt::OtherFocusReason);
}

void CellDelegate::advanceCell()
{
    if (!alive())
        return;
    DataTable& t = *table_;
    // Repainting is held back so the mark does not flicker through the cell
    // that is passed on the way.
    view_->setUpdatesEnabled(false);
    if (kind_ == Workspace::Profile) {
        if (t.Col() < t.Cols() - 1)
            t.setCol(t.Col() + 1);
        else if (t.Row() < t.Rows() - 1)
            t.setCurrent(t.Row() + 1, 0);
    } else if (t.Row() < t.Rows() - 1) {
        t.setRow(t.Row() + 1);
    }
    view_->setUpdatesEnabled(true);
    showCurrentCell();
}

void CellDelegate::showCurrentCell()
{
    if (alive())
        view_->ensureCellVisible(table_->Row());
}

void CellDelegate::remarkCurrentCell()
{
    if (!alive())
        return;
    table_->clearCellBackColors();
    if (isEditable(table_->Col()) && table_->Row() >= 1)
        table_->setCellBackColor(kHighlightColor);
}

void CellDelegate::followScroll()
{
    // A cell scrolled out of sight ends the editing, with what was typed
    // already in the cell (the view would only hide the box, and show it
    // again when the cell comes back); it keeps the box over a cell in sight.
    if (alive() && (open_ || boxWidget_->isVisible()) && !view_->isRowVisible(table_->Row()))
        hideBox();
}

// ---- the table's events ----------------------------------------------------

void CellDelegate::tableEnterCell()
{
    if (!alive())
        return;
    hideBox();
    if (!isEditable(table_->Col()))
        return;
    table_->setEntryText(table_->Text());
    table_->setCellBackColor(kHighlightColor);
    view_->setFocus(Qt::OtherFocusReason);
}

void CellDelegate::tableLeaveCell()
{
    if (alive())
        table_->setCellBackColor(QColor());
}

void CellDelegate::tableKeyDown(QKeyEvent* event, bool* handled)
{
    if (!alive() || event->key() != Qt::Key_F2)
        return;
    beginEdit();
    if (handled)
        *handled = true;
}

void CellDelegate::tableKeyPress(QChar ch)
{
    if (!alive() || !isEditable(table_->Col()))
        return;
    switch (ch.unicode()) {
    case kBackspace: {
        QString text = table_->Text();
        text.chop(1);
        table_->setText(text);
        beginEdit();
        break;
    }
    case kEnter:
        advanceCell();
        break;
    case kEscape:
        break;
    default:
        // The typed character replaces what the cell held.
        table_->setText(QString(ch));
        beginEdit();
        break;
    }
    keyTyped();
}

void CellDelegate::tableDoubleClick()
{
    if (!alive())
        return;
    if (view_->mouseRow() == 0) {
        if (onHeadingDoubleClick)
            onHeadingDoubleClick();
        return;
    }
    beginEdit();
}

void CellDelegate::tableMouseDown(Qt::MouseButton button, const QPoint& pos)
{
    if (!alive() || kind_ != Workspace::Profile)
        return;
    hideBox();
    if (button != Qt::RightButton)
        return;
    if (isBlock(*table_)) {
        if (onEditMenu)
            onEditMenu(view_->mapToGlobal(pos));
        return;
    }
    // A click outside every cell leaves the current cell where it is.
    if (view_->mouseRow() >= 0 && view_->mouseCol() >= 0)
        table_->setCurrent(view_->mouseRow() == 0 ? 1 : view_->mouseRow(), view_->mouseCol());
    if (onRowMenu)
        onRowMenu(view_->mapToGlobal(pos));
}

void CellDelegate::tableMouseUp(Qt::MouseButton button, const QPoint& pos)
{
    if (!alive() || kind_ != Workspace::Polar || button != Qt::RightButton)
        return;
    const int row = view_->mouseRow();
    if (row >= 1 && table_->Row() <= row && row <= table_->RowSel() && onEditMenu)
        onEditMenu(view_->mapToGlobal(pos));
}

void CellDelegate::tableContextMenuKey()
{
    // The keyboard's way to the menus a right click opens, shown at the
    // current cell. A single cell of the profile table gets the row menu.
    if (!alive())
        return;
    hideBox();
    view_->ensureCellVisible(table_->Row());
    const QPoint at = view_->viewport()->mapToGlobal(view_->cellRect(table_->Row(), table_->Col()).bottomLeft());
    if (kind_ == Workspace::Profile && !isBlock(*table_)) {
        if (onRowMenu)
            onRowMenu(at);
    } else if (onEditMenu) {
        onEditMenu(at);
    }
}

// ---- the box's events ------------------------------------------------------

bool CellDelegate::boxKeyDown(int key)
{
    if (!alive())
        return false;
    DataTable& t = *table_;
    const int row = t.Row();
    const int col = t.Col();
    const int caret = box_->cursorPosition();
    switch (key) {
    case Qt::Key_Escape:
        box_->setText(t.EntryText());
        box_->setCursorPosition(static_cast<int>(box_->text().size()));
        break;
    case Qt::Key_Left:
        if (caret == 0) {
            if (col > 1)
                t.setCol(col - 1);
            else if (row > 1)
                t.setCurrent(row - 1, t.Cols() - 1);
        }
        break;
    case Qt::Key_Up:
        if (row > 1)
            t.setRow(row - 1);
        break;
    case Qt::Key_Right:
        if (caret == box_->text().size()) {
            if (col < t.Cols() - 1)
                t.setCol(col + 1);
            else if (row < t.Rows() - 1)
                t.setCurrent(row + 1, 1);
        }
        break;
    case Qt::Key_Down:
        if (row < t.Rows() - 1)
            t.setRow(row + 1);
        break;
    case Qt::Key_Delete: {
        // The cell follows the box here as for Backspace.
        const QString text = t.Text();
        if (caret < text.size()) {
            t.setText(text.left(caret) + text.mid(caret + 1));
            keyTyped();
        }
        break;
    }
    default:
        break;
    }
    showCurrentCell();
    return t.Row() != row || t.Col() != col;
}

bool CellDelegate::boxKeyPress(const QString& ch)
{
    if (!alive() || ch.isEmpty())
        return false;
    bool swallow = false;
    switch (ch.at(0).unicode()) {
    case kEnter:
        swallow = true;
        table_->setText(box_->text());
        hideBox();
        advanceCell();
        view_->setFocus(Qt::OtherFocusReason);
        break;
    case kBackspace: {
        const int caret = box_->cursorPosition();
        if (caret > 0) {
            const QString text = table_->Text();
            table_->setText(text.left(caret - 1) + text.mid(caret));
        }
        break;
    }
    case kEscape:
        swallow = true;
        table_->setText(box_->text());
        break;
    default:
        // The cell takes the character at its end, wherever the caret is;
        // Enter settles the difference by copying the box.
        table_->setText(box_->text() + ch);
        break;
    }
    keyTyped();
    return swallow;
}

// The view installs the delegate on the box while it is open. Qt's own
// handling (Tab and Enter commit, Esc reverts, leaving closes) is replaced
// by the editor's: the cell already holds what was typed.
bool CellDelegate::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != boxGuard_.data() || !alive())
        return false;
    if (event->type() == QEvent::FocusOut) {
        // A pop-up menu or another window taking over does not end editing.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            hideBox();
        return false;
    }
    // The box's own undo would take back its text without the cell's: the
    // table's Undo and Redo keys go past it to the window.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(key->keyCombination());
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)
            || pressed == QKeySequence(Qt::CTRL | Qt::Key_Y)) {
            event->ignore();
            return true;
        }
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (boxKeyDown(key->key()))
        return true;
    const QString text = typedText(*key);
    if (!text.isEmpty() && boxKeyPress(text))
        return true;
    // The box takes the key now. A key it has no use for (up, down, page keys)
    // must not travel on to the grid below, which would move the current cell
    // without the editor knowing.
    static_cast<QObject*>(box_)->event(event);
    event->accept();
    return true;
}

} // namespace tarvex
