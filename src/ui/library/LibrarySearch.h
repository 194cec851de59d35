#pragma once
// The Library window's searches, run on a thread of their own over a
// connection of their own, so that a search through a shop's many years never
// holds up the window. Each search supersedes the one before it: a search not
// yet begun when a newer one is asked for is not run, and the answer of one
// that was is dropped.
#include "library/ShaftLibrary.h"

#include <QObject>
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>

namespace tarvex {

struct SearchPage {
    std::vector<LibraryEntry> lines;
    qint64 count = 0;                 // counted for the first page only
};
using SearchAnswer = Result<SearchPage>;

class LibrarySearch {
public:
    // `location`: the library the window shows, opened once more on the thread.
    LibrarySearch(const QString& location, QObject* receiver);
    ~LibrarySearch();
    LibrarySearch(const LibrarySearch&) = delete;
    LibrarySearch& operator=(const LibrarySearch&) = delete;

    // `done` is called on the receiver's thread, for the newest search only.
    // With `geometry`, the profiles' stiffness indexes are worked out too.
    void start(const LibraryQuery& query, const LibraryPage& page, const std::optional<BenchGeometry>& geometry,
               std::function<void(SearchAnswer&)> done);
    // Whether a search has been asked for and its answer not yet given.
    bool pending() const { return answered_ != asked_; }

private:
    QString location_;
    QObject* receiver_;
    QThread thread_;
    QObject* worker_ = nullptr;                 // lives on thread_
    std::unique_ptr<ShaftLibrary> library_;     // made, used and closed on thread_
    std::atomic<quint64> latest_{0};
    quint64 asked_ = 0;
    quint64 answered_ = 0;
};

} // namespace tarvex
