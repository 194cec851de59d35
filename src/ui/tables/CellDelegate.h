#pragma once
// In-place editing of one data table, as the grid's item delegate. A
// one-line box is laid over the current cell; while the user types, the
// cell follows the box keystroke by keystroke, so whatever has been typed is
// in the table even if the box is left without Enter (there is nothing left
// to commit when the box closes). The delegate also paints the current
// cell's mark and the selected block, moves the current cell on after Enter
// and the arrows, and tells its owner about typed keys, heading double
// clicks and the right clicks that open the pop-up menus.
//
// The profile table is editable in both columns. The polar table's angles are
// generated, so only its load column takes typing and shows the mark.
//
// The box is one widget for the table's whole life, so that it can be found
// by its name; the view opens and closes it as its editor.

#include "tables/DataTable.h"
#include "tables/GridView.h"
#include "tables/Workspace.h"

#include <QLineEdit>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QStyledItemDelegate>
#include <functional>

class QKeyEvent;

namespace tarvex {

class CellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // Becomes the view's delegate and takes over the table's enter/leave
    // listeners; `box` must be a child of the view's viewport.
    CellDelegate(Workspace kind, DataTable& table, GridView& view, QLineEdit& box, QObject* parent = nullptr);
    ~CellDelegate() override;

    // A key typed into the table or the box that counts as a change.
    std::function<void()> onKeyTyped;
    // Double click on the heading row.
    std::function<void()> onHeadingDoubleClick;
    // The pop-up menus, at a global screen position.
    std::function<void(const QPoint&)> onEditMenu;
    std::function<void(const QPoint&)> onRowMenu;

    Workspace kind() const { return kind_; }
    bool isEditable(int col) const;
    bool isEditing() const;

    void beginEdit();
    void advanceCell();
    void showCurrentCell();
    void hideBox();
    // Marks the current cell alone. Commands that insert or remove rows move
    // the colours with the rows, which would leave a stale mark behind.
    void remarkCurrentCell();

    // QStyledItemDelegate
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The window tears its controls down one by one, and a widget still sends
    // events (focus out) while it is being destroyed. Once any of the three is
    // gone, or on its way, the delegate does nothing more.
    bool alive() const { return !tableGuard_.isNull() && !viewGuard_.isNull() && !boxGuard_.isNull(); }
    void detach();
    void keyTyped();
    void followScroll();

    // The table's events.
    void tableEnterCell();
    void tableLeaveCell();
    void tableKeyDown(QKeyEvent* event, bool* handled);
    void tableKeyPress(QChar ch);
    void tableDoubleClick();
    void tableMouseDown(Qt::MouseButton button, const QPoint& pos);
    void tableMouseUp(Qt::MouseButton button, const QPoint& pos);
    void tableContextMenuKey();

    // The box's events, with the caret where it stood before the key.
    // Key down returns whether the current cell moved (editing is then over);
    // key press returns whether the key is swallowed before the box sees it.
    bool boxKeyDown(int key);
    bool boxKeyPress(const QString& ch);

    Workspace kind_;
    DataTable* table_;
    GridView* view_;
    QLineEdit* box_;
    QWidget* boxWidget_; // the box as a plain widget, to hide it at any time
    QPointer<QObject> tableGuard_;
    QPointer<QObject> viewGuard_;
    QPointer<QObject> boxGuard_;
    // The view has the box open as its editor.
    mutable bool open_ = false;
    // The box takes the cell's text only when it opens: while it is open the
    // cell follows the box, not the other way round.
    bool opening_ = false;
};

} // namespace tarvex
