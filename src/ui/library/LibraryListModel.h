#pragma once
// The Library window's list: the lines of a search, fetched from the library
// a page at a time as the view scrolls to them, so that a library of a shop's
// many years opens and scrolls as fast as one of a week. Sorting is the
// database's, by the column the user clicked.
#include "library/ShaftLibrary.h"

#include <QAbstractTableModel>
#include <vector>

namespace tarvex {

class LibraryListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Taken, Kind, Shaft, Flex, Weight, Length, Customer, Rows, Note, Columns };
    static constexpr int kPage = 200;

    explicit LibraryListModel(ShaftLibrary& library, QObject* parent = nullptr);

    // The lines of `query` from the first page on; the library's reason when
    // it cannot search, and the list is then empty.
    Result<> setQuery(const LibraryQuery& query);
    const LibraryEntry& entry(int row) const { return entries_[std::size_t(row)]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;
    void sort(int column, Qt::SortOrder order) override;

private:
    Result<> fetch(std::vector<LibraryEntry>& page) const;
    ShaftLibrary& library_;
    LibraryQuery query_;
    LibraryPage page_;
    std::vector<LibraryEntry> entries_;
    bool more_ = false;
};

} // namespace tarvex
