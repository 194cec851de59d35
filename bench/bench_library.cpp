// The shaft library on an SQLite file, each figure against a floor taken in
// the same run:
//  - importing 10,000 measurements of 13 rows in one transaction, against
//    inserting the same rows into the same tables with bare prepared
//    statements in one transaction (goal: at most 2x);
//  - a text search over 10,000 shafts, against the bare query that the
//    search runs (goal: at most 2x), and against 50 ms;
//  - exporting the 10,000 measurements (their data files out of the
//    library), against reading the same data files from disk (goal: 2x;
//    writing them out is the same either way and left out);
//  - opening measurements from the library into a table, against reading
//    the same data files from disk into one (goal: at most 2x).
//   BENCH <figure> <measured seconds> <floor seconds> <goal ratio>
#include "BenchTiming.h"
#include "files/ProfileFile.h"
#include "library/LibraryTables.h"
#include "library/ShaftLibrary.h"
#include "tables/DataTable.h"
#include "BenchFiles.h"

#include <QCryptographicHash>
#include <QFile>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include <unistd.h>

using namespace tarvex;
using namespace tarvex::benchfiles;

using bench::median;
using bench::seconds;

namespace {

constexpr int kMeasurements = 10000;
constexpr int kRows = 13;

void batch(std::vector<Shaft>& shafts, std::vector<std::pair<std::size_t, Measurement>>& items)
{
    for (int i = 0; i < kMeasurements; ++i) {
        Shaft s;
        s.maker = QStringLiteral("Maker %1").arg(i % 17);
        s.model = QStringLiteral("Model %1").arg(i % 101);
        s.flex = QStringLiteral("S");
        s.label = QStringLiteral("label %1").arg(i);
        s.customer = QStringLiteral("Customer %1").arg(i);
        shafts.push_back(s);
        Measurement m;
        m.note = QStringLiteral("note %1").arg(i);
        m.takenAt = QDateTime::currentDateTimeUtc();
        for (int r = 0; r < kRows; ++r)
            m.rows.emplace_back(QString::number(r * 2), QString::number(10 + r * 0.5 + i * 1e-4));
        // As an import has them: the file's bytes beside the rows it shows.
        m.dataFile = MeasurementAsDataFile(m).value_or(QByteArray());
        items.emplace_back(std::size_t(i), std::move(m));
    }
}

// The same rows into the same tables, with no library in between.
void bareInserts(const QString& path, const std::vector<Shaft>& shafts, const std::vector<std::pair<std::size_t, Measurement>>& items)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bare"));
        db.setDatabaseName(path);
        db.open();
        QSqlQuery q(db), s(db), m(db), r(db);
        q.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        q.exec(QStringLiteral("BEGIN IMMEDIATE"));
        s.prepare(QStringLiteral("INSERT INTO shafts (maker, model, flex, label, customer, notes, search_text) VALUES (?, ?, ?, ?, ?, '', ?) RETURNING id"));
        m.prepare(QStringLiteral("INSERT INTO measurements (shaft_id, kind, heading_x, heading_y, note, load_unit, taken_at, bench, row_count, "
                                 "search_text, data_file, data_hash) VALUES (?, 'profile', '', '', ?, '', ?, '', ?, ?, ?, ?) RETURNING id"));
        r.prepare(QStringLiteral("INSERT INTO measurement_values (measurement_id, row_index, x, y) VALUES (?, ?, ?, ?)"));
        for (const auto& [index, meas] : items) {
            const Shaft& sh = shafts[index];
            s.addBindValue(sh.maker), s.addBindValue(sh.model), s.addBindValue(sh.flex), s.addBindValue(sh.label),
                s.addBindValue(sh.customer), s.addBindValue(sh.label);
            s.exec(), s.next();
            m.addBindValue(s.value(0)), m.addBindValue(meas.note), m.addBindValue(meas.takenAt.toString(Qt::ISODateWithMs)),
                m.addBindValue(kRows), m.addBindValue(meas.note), m.addBindValue(meas.dataFile),
                m.addBindValue(QString::fromLatin1(QCryptographicHash::hash(meas.dataFile, QCryptographicHash::Sha256).toHex()));
            m.exec(), m.next();
            const QVariant id = m.value(0);
            for (int row = 0; row < kRows; ++row) {
                r.bindValue(0, id), r.bindValue(1, row + 1), r.bindValue(2, meas.rows[std::size_t(row)].first.toDouble()),
                    r.bindValue(3, meas.rows[std::size_t(row)].second.toDouble());
                r.exec();
            }
        }
        q.exec(QStringLiteral("COMMIT"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bare"));
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    std::vector<Shaft> shafts;
    std::vector<std::pair<std::size_t, Measurement>> items;
    batch(shafts, items);

    int run = 0;
    bool stored = true;
    const double import = median(3, [&] {
        QTemporaryDir dir;
        ShaftLibrary lib(dir.filePath(QStringLiteral("lib%1.sqlite").arg(++run)));
        auto copyShafts = shafts;
        auto copyItems = items;
        return seconds([&] { stored = lib.storeAll(copyShafts, copyItems).ok() && stored; });
    });
    const double bare = median(3, [&] {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("bare.sqlite"));
        { ShaftLibrary schema(path); }
        return seconds([&] { bareInserts(path, shafts, items); });
    });
    std::printf("BENCH library_import_10000x13_rows_s %.6f %.6f 2\n", import, bare);

    QTemporaryDir dir;
    ShaftLibrary lib(dir.filePath(QStringLiteral("search.sqlite")));
    stored = lib.storeAll(shafts, items).ok() && stored;
    LibraryQuery query;
    query.text = QStringLiteral("customer 9876");
    std::size_t found = 0;
    const double search = median(7, [&] { return seconds([&] { found = lib.search(query).value_or(std::vector<LibraryEntry>()).size(); }); });
    double bareSearch = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bare"));
        db.setDatabaseName(dir.filePath(QStringLiteral("search.sqlite")));
        db.open();
        bareSearch = median(7, [&] {
            return seconds([&] {
                QSqlQuery q(db);
                q.setForwardOnly(true);
                q.prepare(QStringLiteral("SELECT s.id, m.id FROM measurements m JOIN shafts s ON s.id = m.shaft_id "
                                         "WHERE (s.search_text LIKE ? ESCAPE '\\' OR m.search_text LIKE ? ESCAPE '\\') "
                                         "AND (s.search_text LIKE ? ESCAPE '\\' OR m.search_text LIKE ? ESCAPE '\\') ORDER BY m.taken_at DESC"));
                for (const char* word : {"%customer%", "%customer%", "%9876%", "%9876%"})
                    q.addBindValue(QString::fromLatin1(word));
                q.exec();
                while (q.next()) {
                }
            });
        });
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bare"));
    std::printf("BENCH library_search_10000_shafts_s %.6f %.6f 2\n", search, bareSearch);
    std::printf("BENCH library_search_10000_shafts_vs_50ms_s %.6f 0.05 1\n", search);

    // The same data files on disk, for the floors of export and open.
    std::vector<qint64> ids;
    for (const auto& [index, m] : items) {
        ids.push_back(m.id);
        QFile f(dir.filePath(QStringLiteral("f%1.tvl").arg(m.id)));
        f.open(QIODevice::WriteOnly);
        f.write(m.dataFile);
    }
    // Ten thousand new files keep the disk busy for a while, which would
    // slow whichever loop ran first: written out before anything is timed.
    ::sync();
    QByteArray written;
    bool same = true;
    const double exported = median(5, [&] {
        return seconds([&] {
            for (const qint64 id : ids) {
                written = lib.loadDataFile(id).value_or(MeasurementFile()).bytes;
                same = same && !written.isEmpty();
            }
        });
    });
    const double copied = median(5, [&] {
        return seconds([&] {
            for (const qint64 id : ids) {
                QFile in(dir.filePath(QStringLiteral("f%1.tvl").arg(id)));
                in.open(QIODevice::ReadOnly);
                written = in.readAll();
            }
        });
    });
    std::printf("BENCH library_export_10000_files_s %.6f %.6f 2\n", exported, copied);

    constexpr int kOpens = 1000;
    const double opened = median(5, [&] {
        return seconds([&] {
            for (int i = 0; i < kOpens; ++i) {
                // As the program opens one into its tab.
                const Measurement m = lib.loadMeasurement(ids[std::size_t(i)], false).value_or(Measurement());
                DataTable table;
                QString note;
                same = same && ReadProfileBytes(m.dataFile, table, note).ok();
            }
        });
    });
    const double read = median(5, [&] {
        return seconds([&] {
            for (int i = 0; i < kOpens; ++i) {
                DataTable table;
                QString note;
                same = same && ReadProfileFile(dir.filePath(QStringLiteral("f%1.tvl").arg(ids[std::size_t(i)])), table, note).ok();
            }
        });
    });
    std::printf("BENCH library_open_1000_measurements_s %.6f %.6f 2\n", opened, read);
    return found == 1 && same && stored ? 0 : 1;
}
