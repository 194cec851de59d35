#include "tables/TableHistory.h"

#include <QUndoCommand>
#include <utility>

namespace tarvex {

namespace {

constexpr int kTypingId = 1;

class TableStep : public QUndoCommand {
public:
    TableStep(DataTable& table, std::vector<TableEdit> edits, QPoint before, QPoint after, const QString& name,
              int firstSession, int lastSession, bool typing)
        : QUndoCommand(name), table_(table), edits_(std::move(edits)), before_(before), after_(after),
          firstSession_(firstSession), lastSession_(lastSession), typing_(typing)
    {
    }

    void undo() override
    {
        for (auto it = edits_.rbegin(); it != edits_.rend(); ++it)
            table_.revert(*it);
        table_.setCurrent(before_.y(), before_.x());
    }

    void redo() override
    {
        // Pushing a step runs it; the table has made the change already.
        if (std::exchange(done_, false))
            return;
        for (const TableEdit& edit : edits_)
            table_.reapply(edit);
        table_.setCurrent(after_.y(), after_.x());
    }

    int id() const override { return typing_ ? kTypingId : -1; }

    bool mergeWith(const QUndoCommand* other) override
    {
        // One stay in one cell: no move within either step or between them.
        const auto* next = static_cast<const TableStep*>(other);
        if (firstSession_ != lastSession_ || next->firstSession_ != next->lastSession_ || next->firstSession_ != lastSession_)
            return false;
        edits_.insert(edits_.end(), next->edits_.begin(), next->edits_.end());
        after_ = next->after_;
        return true;
    }

private:
    DataTable& table_;
    std::vector<TableEdit> edits_;
    QPoint before_;
    QPoint after_;
    int firstSession_;
    int lastSession_;
    bool typing_;
    bool done_ = true;
};

} // namespace

TableHistory::TableHistory(DataTable& table, QObject* parent) : QObject(parent), table_(&table)
{
    // A step holds what it changed: a Set over a full table is 32,767 rows.
    stack_.setUndoLimit(200);
    table.setJournal(&pending_);
    before_ = QPoint(table.Col(), table.Row());
    connect(&table, &DataTable::currentChanged, this, &TableHistory::currentMoved);
    // A change that no command ended (a path that writes cells on its own)
    // still becomes a step once the event that made it is done.
    connect(&table, &DataTable::cellsChanged, this, [this] {
        if (pending_.empty() || commitQueued_)
            return;
        commitQueued_ = true;
        QMetaObject::invokeMethod(this, [this] {
            commitQueued_ = false;
            commit(tr("Change"));
        }, Qt::QueuedConnection);
    });
}

TableHistory::~TableHistory()
{
    if (table_ && table_->journal() == &pending_)
        table_->setJournal(nullptr);
    // Emptied on its way out, the stack would tell its listeners, who may
    // be half torn down by now.
    stack_.blockSignals(true);
}

void TableHistory::currentMoved()
{
    if (!table_)
        return;
    if (pending_.empty())
        before_ = QPoint(table_->Col(), table_->Row());
    else if (pendingStart_ < 0)
        pendingStart_ = session_;
    ++session_;
}

void TableHistory::commit(const QString& name, bool typing)
{
    if (pending_.empty() || !table_)
        return;
    const QPoint after(table_->Col(), table_->Row());
    std::vector<TableEdit> edits;
    edits.swap(pending_);
    const int first = pendingStart_ < 0 ? session_ : pendingStart_;
    pendingStart_ = -1;
    stack_.push(new TableStep(*table_, std::move(edits), before_, after, name, first, session_, typing));
    before_ = after;
}

void TableHistory::forget()
{
    pending_.clear();
    pendingStart_ = -1;
    stack_.clear();
    if (table_)
        before_ = QPoint(table_->Col(), table_->Row());
}

bool TableHistory::isModified() const
{
    return !stack_.isClean() || !pending_.empty();
}

void TableHistory::markModified()
{
    // A change the pending step holds is undone with it.
    if (pending_.empty() && stack_.isClean())
        stack_.resetClean();
}

void TableHistory::setClean()
{
    commit(tr("Change"));
    stack_.setClean();
}

void TableHistory::undo()
{
    if (!table_)
        return;
    commit(tr("Change"));
    stack_.undo();
    before_ = QPoint(table_->Col(), table_->Row());
}

void TableHistory::redo()
{
    if (!table_)
        return;
    commit(tr("Change"));
    stack_.redo();
    before_ = QPoint(table_->Col(), table_->Row());
}

} // namespace tarvex
