#pragma once
// In-place editing of one data table. A one-line box is laid over the current
// cell; while the user types, the cell follows the box keystroke by keystroke,
// so whatever has been typed is in the table even if the box is left without
// Enter. The editor also marks the current cell, moves it on after Enter and
// the arrows, and tells its owner about typed keys, heading double clicks and
// the right clicks that open the pop-up menus.
//
// The profile table is editable in both columns. The polar table's angles are
// generated, so only its load column takes typing and shows the mark.

#include "tables/DataTable.h"
#include "tables/DataTableView.h"
#include "tables/Workspace.h"

#include <QLineEdit>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <functional>

class QKeyEvent;

namespace tarvex {

class CellEditor : public QObject {
    Q_OBJECT
public:
    // Takes over the table's enter/leave listeners and watches the view's
    // signals and the box's keys and focus.
    CellEditor(Workspace kind, DataTable& table, DataTableView& view, QLineEdit& box, QObject* parent = nullptr);
    ~CellEditor() override;

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

    void BeginCellEdit();
    void AdvanceCell();
    void ShowCurrentCell();
    void hideBox();
    // Marks the current cell alone. Commands that insert or remove rows move
    // the colours with the rows, which would leave a stale mark behind.
    void remarkCurrentCell();

    // The table's events.
    void tableEnterCell();
    void tableLeaveCell();
    void tableLostFocus();
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
    void boxLostFocus();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The window tears its controls down one by one, and a widget still sends
    // events (focus out) while it is being destroyed. Once any of the three is
    // gone, or on its way, the editor does nothing more. The guards are plain
    // QObject pointers: they are read without treating a half-destroyed
    // widget as the class it no longer is.
    bool alive() const { return !tableGuard_.isNull() && !viewGuard_.isNull() && !boxGuard_.isNull(); }
    void detach();
    void keyTyped();
    void followScroll();
    QPoint globalPos(const QPoint& viewPos) const;

    Workspace kind_;
    DataTable* table_;
    DataTableView* view_;
    QLineEdit* box_;
    QWidget* boxWidget_; // the box as a plain widget, to hide it at any time
    QPointer<QObject> tableGuard_;
    QPointer<QObject> viewGuard_;
    QPointer<QObject> boxGuard_;
};

} // namespace tarvex
