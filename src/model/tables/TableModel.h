#pragma once
// The table as Qt's item views see it: one item per data cell (the table's
// row r is the model's row r - 1), the headings as the horizontal header. The
// texts stay in the DataTable, which the file readers, the capture and the
// analysis share; this model only translates and passes changes on.

#include "tables/DataTable.h"

#include <QAbstractTableModel>
#include <QPointer>

namespace tarvex {

class TableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The number a cell's text reads as (a double), or nothing for text that
    // is not one, as Plot and the analysis read it.
    static constexpr int ValueRole = Qt::UserRole + 1;

    explicit TableModel(DataTable& table, QObject* parent = nullptr);

    DataTable& table() const { return *table_; }
    // Columns that take no typing (the polar table's generated angles).
    void setReadOnlyColumn(int col) { readOnlyColumn_ = col; }

    QModelIndex cell(int tableRow, int col) const { return index(tableRow - 1, col); }
    static int tableRow(const QModelIndex& index) { return index.row() + 1; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void aboutToInsert(int first, int last);
    void aboutToRemove(int first, int last);
    void finishRows();
    void cellChanged(int row, int col);

    QPointer<DataTable> table_;
    int readOnlyColumn_ = -1;
    // A change that touches the heading row is told as a reset: a view has
    // no rows above its first one to put it in.
    enum class Pending { None, Insert, Remove, Reset } pending_ = Pending::None;
};

} // namespace tarvex
