#include "library/LibrarySearch.h"

#include <QMetaObject>
#include <QPointer>

namespace tarvex {

LibrarySearch::LibrarySearch(const QString& location, QObject* receiver) : location_(location), receiver_(receiver)
{
    worker_ = new QObject;
    worker_->moveToThread(&thread_);
    QObject::connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
    thread_.start();
}

LibrarySearch::~LibrarySearch()
{
    latest_ = 0;
    // The connection belongs to the thread that made it and is closed there.
    QMetaObject::invokeMethod(worker_, [this] { library_.reset(); }, Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
}

namespace {

SearchAnswer answered(ShaftLibrary& library, const LibraryQuery& query, const LibraryPage& page,
                      const std::optional<BenchGeometry>& geometry)
{
    auto lines = library.search(query, page);
    if (!lines)
        return lines.error();
    SearchPage found{std::move(*lines), 0};
    if (geometry)
        if (const Result<> r = library.addStiffness(found.lines, *geometry); !r)
            return r.error();
    if (page.offset == 0) {
        const auto n = library.count(query);
        if (!n)
            return n.error();
        found.count = *n;
    }
    return found;
}

} // namespace

void LibrarySearch::start(const LibraryQuery& query, const LibraryPage& page, const std::optional<BenchGeometry>& geometry,
                          std::function<void(SearchAnswer&)> done)
{
    const quint64 serial = ++latest_;
    asked_ = serial;
    QPointer<QObject> receiver = receiver_;
    QMetaObject::invokeMethod(worker_, [this, serial, query, page, geometry, receiver, done = std::move(done)] {
        if (serial != latest_)
            return;
        if (!library_)
            library_ = std::make_unique<ShaftLibrary>(location_);
        const auto answer = std::make_shared<SearchAnswer>(answered(*library_, query, page, geometry));
        if (serial != latest_ || !receiver)
            return;
        QMetaObject::invokeMethod(receiver, [this, serial, answer, done] {
            if (serial != latest_)
                return;
            answered_ = serial;
            done(*answer);
        });
    });
}

} // namespace tarvex
