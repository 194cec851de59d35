// Writing and reading back a profile file of 32767 rows (the most a table
// holds). Two figures, each against a floor taken in the same run:
//  - the file itself (record to bytes, written beside the old file and put in
//    its place, read and checked whole), against writing and reading the same
//    bytes with plain C file calls;
//  - the same against plain calls that also flush the data to disk before
//    closing, as the replacement does so that a power cut cannot leave an
//    empty file in place of the old one (on a busy disk the flush is most of
//    the time of both);
//  - the whole round trip from table to table, against the plain file calls
//    plus the number rules every cell has to pass anyway (the strict reading
//    on the way out, the 7-digit text on the way back).
//   BENCH <figure> <measured seconds> <floor seconds> <goal ratio>
#include "files/ProfileFile.h"
#include "files/SafeWrite.h"
#include "tables/DataTable.h"
#include "numbers/Numbers.h"
#include "tables/ProfileTable.h"
#include "BenchFiles.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include <unistd.h>

using namespace tarvex;
using namespace tarvex::benchfiles;

namespace {

// Median of `runs` timings, in seconds.
double median(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        times.push_back(static_cast<double>(t.nsecsElapsed()) * 1e-9);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void plainWriteRead(const QByteArray& path, const QByteArray& bytes, QByteArray& back, bool sync)
{
    FILE* out = std::fopen(path.constData(), "wb");
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), out);
    if (sync) {
        std::fflush(out);
        ::fdatasync(::fileno(out));
    }
    std::fclose(out);
    FILE* in = std::fopen(path.constData(), "rb");
    back.resize(bytes.size());
    const std::size_t got = std::fread(back.data(), 1, static_cast<std::size_t>(back.size()), in);
    std::fclose(in);
    back.resize(static_cast<qsizetype>(got));
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.tvl"));
    const QByteArray plainPath = QFile::encodeName(dir.filePath(QStringLiteral("plain.bin")));

    DataTable table;
    table.setRows(kMaxTableRows);
    for (int r = 1; r < kMaxTableRows; ++r) {
        table.setTextMatrix(r, 0, NumberText(r * 0.25));
        table.setTextMatrix(r, 1, NumberText(1000.0 / r));
    }
    table.setTextMatrix(0, 0, QStringLiteral("X"));
    table.setTextMatrix(0, 1, QStringLiteral("Y"));
    const QString note = QStringLiteral("benchmark run\nsecond line");

    if (!WriteProfileFile(path, table, note).ok()) {
        std::fprintf(stderr, "bench_files: cannot write %s\n", qPrintable(path));
        return 1;
    }
    QFile written(path);
    written.open(QIODevice::ReadOnly);
    const QByteArray bytes = written.readAll();
    written.close();

    const int runs = 15;
    QByteArray plainBack;
    const double plainSyncedIo = median(runs, [&] { plainWriteRead(plainPath, bytes, plainBack, true); });

    const auto made = ProfileRecordFromTable(table, note);
    bool kept = made.ok();
    const ProfileRecord record = made.value_or(ProfileRecord());
    ProfileRecord again;
    const double fileIo = median(runs, [&] {
        kept = WriteFileSafely(path, EncodeProfileRecord(record)).ok() && kept;
        kept = LoadProfileRecord(path, again).ok() && kept;
    });

    const QLocale locale = QLocale::system();
    double sink = 0;
    const double numberRules = median(runs, [&] {
        for (int r = 1; r < table.Rows(); ++r)
            for (int c = 0; c < 2; ++c)
                sink += StrictFloat(table.TextMatrix(r, c), locale).value;
        for (std::size_t i = 0; i + 1 < record.x.size(); ++i)
            sink += ShortFloatText(record.x[i], locale).size() + ShortFloatText(record.y[i], locale).size();
    });

    DataTable back;
    QString backNote;
    const double tableTrip = median(runs, [&] {
        kept = WriteProfileFile(path, table, note).ok() && kept;
        kept = ReadProfileFile(path, back, backNote).ok() && kept;
    });

    if (!kept || back.Rows() != kMaxTableRows || plainBack != bytes || again.x != record.x || sink == 0) {
        std::fprintf(stderr, "bench_files: the files did not read back\n");
        return 1;
    }
    // Every save is flushed to the disk before it replaces the old file, so
    // the fair floor is a plain write that is flushed too.
    std::printf("BENCH profile_file_32767_rows_write_read_vs_plain_io_with_flush %.6g %.6g 3\n", fileIo, plainSyncedIo);
    std::printf("BENCH profile_table_32767_rows_save_open_vs_plain_io_with_flush+number_rules %.6g %.6g 3\n", tableTrip,
                plainSyncedIo + numberRules);
    return 0;
}
