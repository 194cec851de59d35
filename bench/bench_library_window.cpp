// The Library window over a shop's many years, 100,000 measurements of
// 33,334 shafts, on an SQLite file and on a PostgreSQL server started in a
// temporary folder (left out, and said, when none can be started here):
//  - the window made and shown, against 0.3 s;
//  - one search of the 6-character text until the list shows it (its first
//    page and the count, on the search thread), against 50 ms;
//  - the longest stall of the event loop while a 6-character search is
//    typed a key every 100 ms and then searched, against 50 ms;
//  - the preview of another line selected, against 50 ms.
//   BENCH <figure> <measured seconds> <floor seconds> <goal ratio>
#include "BenchTiming.h"
#include "PgServer.h"
#include "fakes/FakePlatform.h"
#include "library/LibraryTables.h"
#include "library/ShaftLibrary.h"
#include "library/LibraryWindow.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QUrl>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

using namespace tarvex;

using bench::median;
using bench::seconds;

namespace {

constexpr int kMeasurements = 100000;
constexpr int kPerShaft = 3;
constexpr int kBatch = 50;

// Many rows to a statement: a server answers each statement once, and a
// library of this size is made before anything is timed.
bool insertMany(QSqlDatabase& db, const QString& head, int columns, int rows, const std::function<void(int, QVariantList&)>& row)
{
    QString one = QStringLiteral("(") + QStringLiteral("?, ").repeated(columns - 1) + QStringLiteral("?)");
    for (int from = 0; from < rows; from += kBatch) {
        const int n = std::min(kBatch, rows - from);
        QSqlQuery q(db);
        QStringList tuples(n, one);
        if (!q.prepare(head + tuples.join(QStringLiteral(", "))))
            return false;
        QVariantList values;
        for (int i = from; i < from + n; ++i)
            row(i, values);
        for (const QVariant& v : values)
            q.addBindValue(v);
        if (!q.exec())
            return std::fprintf(stderr, "%s\n", qPrintable(q.lastError().text())), false;
    }
    return true;
}

// Fills the library at `location` (made by the library first, so its schema
// is the program's): shafts of 17 makers and 101 models, customers by name,
// each measurement a profile with its data file.
bool fill(QSqlDatabase& db)
{
    Measurement sample;
    for (int r = 0; r < 13; ++r)
        sample.rows.emplace_back(QString::number(r * 2), QString::number(10 + r * 0.5));
    const QByteArray file = MeasurementAsDataFile(sample).value_or(QByteArray());
    const QString hash = QString::fromLatin1(QCryptographicHash::hash(file, QCryptographicHash::Sha256).toHex());
    const int shafts = (kMeasurements + kPerShaft - 1) / kPerShaft;
    QSqlQuery(db).exec(QStringLiteral("BEGIN"));
    const bool ok =
        insertMany(db, QStringLiteral("INSERT INTO shafts (id, maker, model, flex, label, customer, notes, search_text, customer_key) VALUES "), 9,
                   shafts,
                   [](int i, QVariantList& v) {
                       const QString maker = QStringLiteral("Maker %1").arg(i % 17), model = QStringLiteral("Model %1").arg(i % 101),
                                     label = QStringLiteral("%1i").arg(3 + i % 7), customer = QStringLiteral("Customer %1").arg(i);
                       v << i + 1 << maker << model << QStringLiteral("S") << label << customer << QString::fromLatin1("", 0)
                         << QStringList{maker, model, QStringLiteral("S"), label, customer, QString()}.join(QLatin1Char('\n')).toCaseFolded()
                         << customer.toCaseFolded();
                   })
        && insertMany(db, QStringLiteral("INSERT INTO measurements (shaft_id, kind, heading_x, heading_y, note, load_unit, taken_at, bench, "
                                         "row_count, search_text, data_file, data_hash) VALUES "),
                      12, kMeasurements, [&](int i, QVariantList& v) {
                          const QDateTime taken = QDateTime(QDate(2016, 1, 1), QTime(8, 0), Qt::UTC).addSecs(qint64(i) * 900);
                          const QString note = QStringLiteral("fitting %1").arg(i);
                          v << i / kPerShaft + 1 << QStringLiteral("profile") << QStringLiteral("X") << QStringLiteral("Y") << note
                            << QStringLiteral("lbf") << taken.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss.zzz'Z'")) << QStringLiteral("bench 1")
                            << 13 << (note + QStringLiteral("\nbench 1\nx\ny")) << file << hash;
                      });
    QSqlQuery(db).exec(ok ? QStringLiteral("COMMIT") : QStringLiteral("ROLLBACK"));
    QSqlQuery(db).exec(QStringLiteral("ANALYZE"));
    return ok;
}

// The longest time the event loop went without turning while `work` ran it.
double longestStall(const std::function<void(const std::function<void()>&)>& work)
{
    QElapsedTimer since;
    since.start();
    qint64 longest = 0, last = 0;
    QTimer tick;
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = since.nsecsElapsed();
        longest = std::max(longest, now - last);
        last = now;
    });
    tick.start();
    QEventLoop loop;
    work([&] { loop.quit(); });
    loop.exec();
    return static_cast<double>(longest) * 1e-9;
}

void measure(const char* name, const QString& location)
{
    FakeMessageBox messages;
    ShaftLibrary library(location);
    if (!library.available()) {
        std::fprintf(stderr, "%s: %s\n", name, qPrintable(library.openMessage()));
        return;
    }
    const double open = median(3, [&] {
        std::unique_ptr<LibraryWindow> window;
        return seconds([&] {
            window = std::make_unique<LibraryWindow>(library, messages);
            window->show();
            QCoreApplication::processEvents();
        });
    });
    std::printf("BENCH library_window_open_100000_%s_s %.6f 0.3 1\n", name, open);

    LibraryWindow window(library, messages);
    window.show();
    QCoreApplication::processEvents();
    auto* box = window.findChild<QLineEdit*>(QStringLiteral("txtSearch"));
    const QString typed = QStringLiteral("cu 471");
    box->setText(typed);
    const double search = median(5, [&] {
        return seconds([&] {
            window.refresh();
            while (window.searchPending())
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        });
    });
    std::printf("BENCH library_search_100000_%s_s %.6f 0.05 1\n", name, search);

    box->clear();
    window.refresh();
    while (window.searchPending())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double stall = longestStall([&](const std::function<void()>& done) {
        for (int i = 1; i <= typed.size(); ++i)
            QTimer::singleShot(100 * i, &window, [&, i] { box->setText(typed.left(i)); });
        QTimer::singleShot(100 * int(typed.size()) + 600, &window, done);
    });
    std::printf("BENCH library_typing_stall_100000_%s_s %.6f 0.05 1\n", name, stall);

    auto* list = window.findChild<QTreeView*>(QStringLiteral("lstEntries"));
    int row = 0;
    const double preview = median(7, [&] {
        return seconds([&] { list->setCurrentIndex(list->model()->index(++row, 0)); });
    });
    std::printf("BENCH library_preview_100000_%s_s %.6f 0.05 1\n", name, preview);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("shop.sqlite"));
    { ShaftLibrary made(file); }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
        db.setDatabaseName(file);
        if (!db.open() || !fill(db))
            return 1;
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fill"));
    measure("sqlite", file);

    testing::PgServer server;
    if (!server.ready()) {
        std::fprintf(stderr, "no PostgreSQL server could be started here; the server's figures are left out\n");
        return 0;
    }
    { ShaftLibrary made(server.url()); }
    {
        const QUrl url(server.url());
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("fill"));
        db.setHostName(url.host()), db.setPort(url.port()), db.setUserName(url.userName()), db.setDatabaseName(url.path().mid(1));
        if (!db.open() || !fill(db))
            return 1;
        // The ids were given here, not by the server's sequence.
        QSqlQuery(db).exec(QStringLiteral("SELECT setval('shafts_id_seq', (SELECT MAX(id) FROM shafts))"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fill"));
    measure("postgresql", server.url());
    return 0;
}
