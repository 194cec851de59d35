#pragma once
// The Library window's list: the lines of a search, read from the library a
// page at a time as the view scrolls to them, on the search thread, so that
// a library of a shop's many years opens, scrolls and sorts as fast as one of
// a week. Sorting is the database's, by the column the user clicked.
#include "library/LibrarySearch.h"

#include <QAbstractTableModel>
#include <functional>
#include <vector>

namespace tarvex {

// A measurement's kind and a spine grade as the user reads them; the library
// keeps them as English words ("profile", "tour"), whatever the language.
QString KindText(MeasurementKind kind);
QString GradeText(const QString& storedGrade);

class LibraryListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Index last: worked out from the rows, it is not one the database sorts by.
    enum Column { Taken, Kind, Shaft, Flex, Weight, Length, Customer, Rows, Spine, Grade, Note, Index, Columns };
    static constexpr int kPage = 200;

    // `location`: the library's, opened once more for the search thread.
    LibraryListModel(const QString& location, QObject* parent = nullptr);

    // The lines of `query` from the first; `said` is told how many there
    // are, or why there are none, once the first page is shown.
    void search(const LibraryQuery& query, std::function<void(const Result<qint64>&)> said);
    // Whether the list is not yet what was last asked for.
    bool pending() const { return search_.pending(); }
    // The bench the stiffness index is worked out for (none: the column stays
    // empty), and the unit it is shown in; the list is read again.
    void setBench(const std::optional<BenchGeometry>& geometry, bool lbfIn2);
    const LibraryEntry& entry(int row) const { return entries_[std::size_t(row)]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;
    void sort(int column, Qt::SortOrder order) override;

private:
    void searchAgain();
    LibrarySearch search_;
    LibraryQuery wanted_;             // asked for; the list shows it once answered
    std::function<void(const Result<qint64>&)> said_;
    LibraryPage order_;
    std::optional<BenchGeometry> geometry_;
    bool lbfIn2_ = false;
    std::vector<LibraryEntry> entries_;
    bool more_ = false;
    bool fetching_ = false;
};

} // namespace tarvex
