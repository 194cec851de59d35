#include "library/LibraryListModel.h"

#include "library/LibraryTables.h"
#include "library/frmStoreLibrary.h"

#include <QLocale>

namespace tarvex {

LibraryListModel::LibraryListModel(ShaftLibrary& library, QObject* parent) : QAbstractTableModel(parent), library_(library) {}

Result<> LibraryListModel::fetch(std::vector<LibraryEntry>& page) const
{
    LibraryPage at = page_;
    at.offset = qint64(entries_.size());
    at.limit = kPage;
    return library_.search(query_, page, at);
}

Result<> LibraryListModel::setQuery(const LibraryQuery& query)
{
    beginResetModel();
    query_ = query;
    entries_.clear();
    const Result<> r = fetch(entries_);
    if (!r.ok())
        entries_.clear();
    more_ = r.ok() && int(entries_.size()) == kPage;
    endResetModel();
    return r;
}

int LibraryListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(entries_.size());
}

int LibraryListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Columns;
}

QVariant LibraryListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= int(entries_.size()))
        return {};
    const LibraryEntry& e = entries_[std::size_t(index.row())];
    if (role == Qt::UserRole)
        return e.measurementId;
    if (role == Qt::TextAlignmentRole && (index.column() == Weight || index.column() == Length || index.column() == Rows))
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    const auto figure = [](const std::optional<double>& v) { return v ? QLocale::system().toString(*v, 'g', 6) : QString(); };
    switch (index.column()) {
    case Taken: return e.takenAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    case Kind: return KindName(e.kind);
    case Shaft: return ShaftTitle(tarvex::Shaft{e.shaft.id, e.shaft.maker, e.shaft.model, {}, {}, {}, e.shaft.label, {}, {}});
    case Flex: return e.shaft.flex;
    case Weight: return figure(e.shaft.weightGrams);
    case Length: return figure(e.shaft.lengthInches);
    case Customer: return e.shaft.customer;
    case Rows: return QString::number(e.rowCount);
    case Note: return e.note.section(QLatin1Char('\n'), 0, 0);
    default: return {};
    }
}

QVariant LibraryListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char* const kTitles[] = {"Taken", "Kind", "Shaft", "Flex", "Weight (g)", "Length (in)", "Customer", "Rows", "Note"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= Columns)
        return {};
    return QString::fromLatin1(kTitles[section]);
}

bool LibraryListModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && more_;
}

void LibraryListModel::fetchMore(const QModelIndex& parent)
{
    if (parent.isValid() || !more_)
        return;
    std::vector<LibraryEntry> page;
    // A library that stopped answering ends the list where it is; the next
    // search says why.
    more_ = fetch(page).ok() && int(page.size()) == kPage;
    if (page.empty())
        return;
    beginInsertRows({}, int(entries_.size()), int(entries_.size() + page.size()) - 1);
    std::move(page.begin(), page.end(), std::back_inserter(entries_));
    endInsertRows();
}

void LibraryListModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= Columns)
        return;
    const LibraryPage wanted{LibraryOrder(column), order == Qt::DescendingOrder, 0, -1};
    if (wanted.order == page_.order && wanted.descending == page_.descending)
        return;
    page_ = wanted;
    setQuery(query_);
}

} // namespace tarvex
