#pragma once
// Undo and redo of a DataTable. The table writes every change of text and
// rows into a journal; the workspace ends a step when a command is done
// (typing into a cell, Paste, Set, "Add", ...) and the journal becomes one
// command on a QUndoStack, so undoing it puts back exactly what it changed,
// however large the table. Keystrokes typed into one cell, without leaving
// it, are one step.
//
// The table counts as modified while the stack is away from its clean index
// (saving marks it) or a change has no step to undo it (a key that changed
// no text, the note, a table put back after a crash).

#include "tables/DataTable.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QUndoStack>
#include <vector>

namespace tarvex {

class TableHistory : public QObject {
    Q_OBJECT
public:
    explicit TableHistory(DataTable& table, QObject* parent = nullptr);
    ~TableHistory() override;

    QUndoStack& stack() { return stack_; }

    // The changes since the last step become one, named for the Edit menu.
    // A typing step joins the one before it when both typed into the same
    // cell with no move between them.
    void commit(const QString& name, bool typing = false);
    // The changes since the last step, and every step, cannot be undone any
    // more (start-up, a file or measurement read into the table).
    void forget();

    bool isModified() const;
    // A change outside the table's text (a key that changed nothing, the
    // note): modified until the next save, whatever is undone.
    void markModified();
    // Saved: the table as it is now is the one undo comes back to.
    void setClean();

    // Undo and redo put the current cell where it stood before or after the
    // step.
    void undo();
    void redo();

private:
    void currentMoved();

    // The window tears the table down before its history.
    QPointer<DataTable> table_;
    QUndoStack stack_;
    std::vector<TableEdit> pending_;
    QPoint before_;       // current cell (col, row) before the pending changes
    int session_ = 0;     // counts moves of the current cell
    int pendingStart_ = -1;  // session_ when the pending changes began, once they span a move
    bool commitQueued_ = false;
};

} // namespace tarvex
