#include "tables/TableModel.h"

#include "numbers/Numbers.h"

#include <optional>
#include <utility>

namespace tarvex {

TableModel::TableModel(DataTable& table, QObject* parent) : QAbstractTableModel(parent), table_(&table)
{
    connect(&table, &DataTable::rowsAboutToBeInserted, this, &TableModel::aboutToInsert);
    connect(&table, &DataTable::rowsInserted, this, &TableModel::finishRows);
    connect(&table, &DataTable::rowsAboutToBeRemoved, this, &TableModel::aboutToRemove);
    connect(&table, &DataTable::rowsRemoved, this, &TableModel::finishRows);
    connect(&table, &DataTable::cellChanged, this, &TableModel::cellChanged);
    connect(&table, &DataTable::colorsCleared, this, [this] {
        if (rowCount() > 0)
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::BackgroundRole});
    });
    connect(&table, &DataTable::alignmentChanged, this, [this] {
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
        if (rowCount() > 0)
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::TextAlignmentRole});
    });
    connect(&table, &QObject::destroyed, this, [this] {
        beginResetModel();
        endResetModel();
    });
}

void TableModel::aboutToInsert(int first, int last)
{
    if (first < 1) {
        pending_ = Pending::Reset;
        beginResetModel();
        return;
    }
    pending_ = Pending::Insert;
    beginInsertRows({}, first - 1, last - 1);
}

void TableModel::aboutToRemove(int first, int last)
{
    if (first < 1) {
        pending_ = Pending::Reset;
        beginResetModel();
        return;
    }
    pending_ = Pending::Remove;
    beginRemoveRows({}, first - 1, last - 1);
}

void TableModel::finishRows()
{
    switch (std::exchange(pending_, Pending::None)) {
    case Pending::Insert: endInsertRows(); break;
    case Pending::Remove: endRemoveRows(); break;
    case Pending::Reset: endResetModel(); break;
    case Pending::None: break;
    }
}

void TableModel::cellChanged(int row, int col)
{
    if (row == 0)
        emit headerDataChanged(Qt::Horizontal, col, col);
    else
        emit dataChanged(cell(row, col), cell(row, col));
}

int TableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !table_ ? 0 : table_->Rows() - 1;
}

int TableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() || !table_ ? 0 : table_->Cols();
}

QVariant TableModel::data(const QModelIndex& index, int role) const
{
    if (!table_ || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const int row = tableRow(index);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return table_->TextMatrix(row, index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(table_->ColAlignment(index.column()));
    case Qt::BackgroundRole: {
        const QColor own = table_->cellBackColor(row, index.column());
        return own.isValid() ? QVariant(own) : QVariant();
    }
    case ValueRole: {
        const std::optional<double> value = StrictDouble(table_->TextMatrix(row, index.column()).trimmed());
        return value ? QVariant(*value) : QVariant();
    }
    default:
        return {};
    }
}

bool TableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!table_ || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    table_->setTextMatrix(tableRow(index), index.column(), value.toString());
    return true;
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (!table_ || orientation != Qt::Horizontal || section < 0 || section >= table_->Cols())
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (role) {
    case Qt::DisplayRole: return table_->TextMatrix(0, section);
    case Qt::TextAlignmentRole: return QVariant::fromValue(table_->ColAlignment(section));
    default: return {};
    }
}

Qt::ItemFlags TableModel::flags(const QModelIndex& index) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() != readOnlyColumn_)
        f |= Qt::ItemIsEditable;
    return f;
}

} // namespace tarvex
