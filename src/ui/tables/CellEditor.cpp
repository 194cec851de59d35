#include "tables/CellEditor.h"

#include <QFocusEvent>
#include <QKeyEvent>

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

CellEditor::CellEditor(Workspace kind, DataTable& table, DataTableView& view, QLineEdit& box, QObject* parent)
    : QObject(parent), kind_(kind), table_(&table), view_(&view), box_(&box), boxWidget_(&box),
      tableGuard_(&table), viewGuard_(&view), boxGuard_(&box)
{
    box.setFrame(false);
    box.hide();
    box.installEventFilter(this);

    table.onEnterCell = [this] { tableEnterCell(); };
    table.onLeaveCell = [this] { tableLeaveCell(); };

    connect(&view, &DataTableView::keyDown, this, &CellEditor::tableKeyDown);
    connect(&view, &DataTableView::keyPress, this, &CellEditor::tableKeyPress);
    connect(&view, &DataTableView::doubleClicked, this, &CellEditor::tableDoubleClick);
    connect(&view, &DataTableView::mouseDown, this, &CellEditor::tableMouseDown);
    connect(&view, &DataTableView::mouseUp, this, &CellEditor::tableMouseUp);
    connect(&view, &DataTableView::contextMenuKey, this, &CellEditor::tableContextMenuKey);
    connect(&view, &DataTableView::focusLost, this, &CellEditor::tableLostFocus);
    connect(&view, &DataTableView::cellsMoved, this, &CellEditor::followScroll);
    // The table goes first when the window is torn down: let go of the view
    // and the box while they are still whole.
    connect(&table, &QObject::destroyed, this, &CellEditor::detach);
}

CellEditor::~CellEditor()
{
    // The table may outlive the editor: it must not call back into it.
    if (!tableGuard_.isNull()) {
        table_->onEnterCell = nullptr;
        table_->onLeaveCell = nullptr;
    }
}

void CellEditor::detach()
{
    if (!boxGuard_.isNull())
        boxGuard_->removeEventFilter(this);
    if (!viewGuard_.isNull())
        disconnect(viewGuard_.data(), nullptr, this, nullptr);
    tableGuard_.clear();
}

bool CellEditor::isEditable(int col) const
{
    return kind_ == Workspace::Profile || col == 1;
}

bool CellEditor::isEditing() const
{
    return alive() && boxWidget_->isVisible();
}

void CellEditor::keyTyped()
{
    if (onKeyTyped)
        onKeyTyped();
}

QPoint CellEditor::globalPos(const QPoint& viewPos) const
{
    return view_->mapToGlobal(viewPos);
}

void CellEditor::hideBox()
{
    if (!boxGuard_.isNull())
        boxWidget_->hide();
}

void CellEditor::BeginCellEdit()
{
    if (!alive() || !isEditable(table_->Col()) || table_->Row() < 1)
        return;
    box_->setGeometry(view_->currentCellRect());
    box_->setAlignment(table_->ColAlignment(table_->Col()));
    box_->setText(table_->Text());
    box_->show();
    box_->raise();
    box_->setCursorPosition(static_cast<int>(box_->text().size()));
    box_->setFocus(Qt::OtherFocusReason);
}

void CellEditor::AdvanceCell()
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
    ShowCurrentCell();
}

void CellEditor::ShowCurrentCell()
{
    if (alive())
        view_->ensureCellVisible(table_->Row());
}

void CellEditor::remarkCurrentCell()
{
    if (!alive())
        return;
    table_->clearCellBackColors();
    if (isEditable(table_->Col()) && table_->Row() >= 1)
        table_->setCellBackColor(kHighlightColor);
}

void CellEditor::followScroll()
{
    if (!isEditing())
        return;
    // The box stays over its cell; a cell scrolled out of sight ends the
    // editing, with what was typed already in the cell.
    if (!view_->isRowVisible(table_->Row())) {
        hideBox();
        return;
    }
    box_->setGeometry(view_->cellRect(table_->Row(), table_->Col()));
}

// ---- the table's events ----------------------------------------------------

void CellEditor::tableEnterCell()
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

void CellEditor::tableLeaveCell()
{
    if (alive())
        table_->setCellBackColor(QColor());
}

void CellEditor::tableLostFocus()
{
    tableLeaveCell();
}

void CellEditor::tableKeyDown(QKeyEvent* event, bool* handled)
{
    if (!alive() || event->key() != Qt::Key_F2)
        return;
    BeginCellEdit();
    if (handled)
        *handled = true;
}

void CellEditor::tableKeyPress(QChar ch)
{
    if (!alive() || !isEditable(table_->Col()))
        return;
    switch (ch.unicode()) {
    case kBackspace: {
        QString text = table_->Text();
        text.chop(1);
        table_->setText(text);
        BeginCellEdit();
        break;
    }
    case kEnter:
        AdvanceCell();
        break;
    case kEscape:
        break;
    default:
        // The typed character replaces what the cell held.
        table_->setText(QString(ch));
        box_->setText(QString(ch));
        BeginCellEdit();
        break;
    }
    keyTyped();
}

void CellEditor::tableDoubleClick()
{
    if (!alive())
        return;
    if (view_->MouseRow() == 0) {
        if (onHeadingDoubleClick)
            onHeadingDoubleClick();
        return;
    }
    BeginCellEdit();
}

void CellEditor::tableMouseDown(Qt::MouseButton button, const QPoint& pos)
{
    if (!alive() || kind_ != Workspace::Profile)
        return;
    hideBox();
    if (button != Qt::RightButton)
        return;
    if (isBlock(*table_)) {
        if (onEditMenu)
            onEditMenu(globalPos(pos));
        return;
    }
    // A click outside every cell leaves the current cell where it is.
    if (view_->MouseRow() >= 0 && view_->MouseCol() >= 0)
        table_->setCurrent(view_->MouseRow() == 0 ? 1 : view_->MouseRow(), view_->MouseCol());
    if (onRowMenu)
        onRowMenu(globalPos(pos));
}

void CellEditor::tableMouseUp(Qt::MouseButton button, const QPoint& pos)
{
    if (!alive() || kind_ != Workspace::Polar || button != Qt::RightButton)
        return;
    const int row = view_->MouseRow();
    if (row >= 1 && table_->Row() <= row && row <= table_->RowSel() && onEditMenu)
        onEditMenu(globalPos(pos));
}

void CellEditor::tableContextMenuKey()
{
    // The keyboard's way to the menus a right click opens, shown at the
    // current cell. A single cell of the profile table gets the row menu.
    if (!alive())
        return;
    hideBox();
    const QPoint at = globalPos(view_->currentCellRect().bottomLeft());
    if (kind_ == Workspace::Profile && !isBlock(*table_)) {
        if (onRowMenu)
            onRowMenu(at);
    } else if (onEditMenu) {
        onEditMenu(at);
    }
}

// ---- the box's events ------------------------------------------------------

bool CellEditor::boxKeyDown(int key)
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
    default:
        break;
    }
    ShowCurrentCell();
    return t.Row() != row || t.Col() != col;
}

bool CellEditor::boxKeyPress(const QString& ch)
{
    if (!alive() || ch.isEmpty())
        return false;
    bool swallow = false;
    switch (ch.at(0).unicode()) {
    case kEnter:
        swallow = true;
        table_->setText(box_->text());
        hideBox();
        AdvanceCell();
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

void CellEditor::boxLostFocus()
{
    hideBox();
}

bool CellEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != boxGuard_.data() || !alive())
        return false;
    if (event->type() == QEvent::FocusOut) {
        // A pop-up menu or another window taking over does not end editing.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            boxLostFocus();
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
