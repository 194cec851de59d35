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
        auto answer = std::make_shared<SearchAnswer>();
        answer->result = library_->search(query, answer->lines, page);
        if (answer->result.ok() && geometry)
            answer->result = library_->addStiffness(answer->lines, *geometry);
        if (answer->result.ok() && page.offset == 0)
            answer->result = library_->count(query, answer->count);
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
