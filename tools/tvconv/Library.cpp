#include "Library.h"

#include "Analyze.h"
#include "analysis/MatchedSet.h"
#include "files/OpenSave.h"
#include "files/PolarFile.h"
#include "files/ProfileFile.h"
#include "files/SafeWrite.h"
#include "library/LibraryImport.h"
#include "library/LibraryTables.h"
#include "tables/DataTable.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <unistd.h>

using namespace tarvex;

namespace tvconv {

namespace {

int say(const QString& message, int status = 1)
{
    // Standard error is the last place left to say anything: a failure to
    // write there has nowhere to go.
    (void)WriteAllTo(STDERR_FILENO, "tvconv: " + message.toLocal8Bit() + '\n');
    return status;
}

int out(const QByteArray& bytes)
{
    if (const Result<> written = WriteAllTo(STDOUT_FILENO, bytes); !written)
        return say(QStringLiteral("standard output: %1").arg(written.message()));
    return 0;
}

QJsonArray numbers(const std::vector<double>& values)
{
    QJsonArray a;
    for (const double v : values)
        a.append(JsonNumber(v));
    return a;
}

int matchedSet(const QStringList& files)
{
    std::vector<std::vector<RowPoint>> curves;
    for (const QString& file : files) {
        DataTable table;
        if (const Result<QString> bad = LoadDataTable(file, false, table); !bad)
            return say(bad.message());
        curves.push_back(NumberRowsOf(table).points);
    }
    const MatchedSet set = MatchSet(curves);
    if (!set.ok())
        return say(QStringLiteral("--set: ") + set.refusal);
    QJsonArray shafts, order;
    for (std::size_t s = 0; s < set.shafts.size(); ++s) {
        const MatchedShaft& m = set.shafts[s];
        shafts.append(QJsonObject{{QStringLiteral("file"), files.at(qsizetype(s))},
                                  {QStringLiteral("residual_percent"), numbers(m.residualPercent)},
                                  {QStringLiteral("z"), numbers(m.z)},
                                  {QStringLiteral("mean_residual_percent"), JsonNumber(m.meanResidual)},
                                  {QStringLiteral("flagged"), m.flagged}});
    }
    for (const int i : set.order)
        order.append(files.at(i));
    QJsonObject result{{QStringLiteral("positions"), numbers(set.positions)},
                       {QStringLiteral("shafts"), shafts},
                       {QStringLiteral("order"), order}};
    if (!set.tooSmall.isEmpty())
        result.insert(QStringLiteral("note"), set.tooSmall);
    return out(QJsonDocument(result).toJson(QJsonDocument::Indented));
}

int import(ShaftLibrary& library, const QString& folder)
{
    if (!QFileInfo(folder).isDir())
        return say(QStringLiteral("%1: no such folder").arg(folder));
    FolderImport read;
    QStringList badNames;
    const QStringList files = DataFilesIn(folder, &badNames);
    read.skipped = badNames;
    ReadDataFiles(files, ReadDataFileForLibrary, read, {}, StoredIn(library));
    for (const QString& why : read.skipped)
        say(QStringLiteral("skipped %1").arg(why));
    for (const QString& why : read.known)
        say(QStringLiteral("not stored again %1").arg(why), 0);
    if (read.measurements.empty() && read.known.isEmpty())
        return say(QStringLiteral("%1: no data file to import").arg(folder));
    if (!read.measurements.empty())
        if (const Result<> r = library.storeAll(read.shafts, read.measurements); !r.ok())
            return say(r.message());
    QString done = QStringLiteral("imported %1 measurements of %2 shafts").arg(read.measurements.size()).arg(read.shafts.size());
    if (!read.known.isEmpty())
        done += QStringLiteral("; %1 files were in the library already").arg(read.known.size());
    if (!read.skipped.isEmpty())
        return say(done + QStringLiteral("; %1 files were skipped").arg(read.skipped.size()));
    return out(done.toUtf8() + '\n');
}

QString optionalNumber(const std::optional<double>& v)
{
    return v ? QString::number(*v, 'g', 6) : QString();
}

int list(ShaftLibrary& library, const QString& text)
{
    LibraryQuery query;
    query.text = text;
    const auto entries = library.search(query);
    if (!entries)
        return say(entries.message());
    QString lines = QStringLiteral("id\ttaken (UTC)\tkind\trows\tmaker\tmodel\tflex\tweight g\tlength in\tlabel\tcustomer\tnote\n");
    for (const LibraryEntry& e : *entries) {
        QStringList cells{QString::number(e.measurementId), e.takenAt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                          KindName(e.kind), QString::number(e.rowCount), e.shaft.maker, e.shaft.model, e.shaft.flex,
                          optionalNumber(e.shaft.weightGrams), optionalNumber(e.shaft.lengthInches), e.shaft.label,
                          e.shaft.customer, e.note};
        for (QString& c : cells)
            c.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        lines += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return out(lines.toUtf8());
}

int exportOne(ShaftLibrary& library, const QString& idText, const QString& path)
{
    bool number = false;
    const qint64 id = idText.toLongLong(&number);
    if (!number)
        return say(QStringLiteral("--library export: \"%1\" is not a measurement number").arg(idText), 2);
    const auto file = library.loadDataFile(id);
    if (!file)
        return say(file.message());
    const auto& [kind, bytes, damaged] = *file;
    const QString wanted = kind == MeasurementKind::Polar ? QStringLiteral("tvp") : QStringLiteral("tvl");
    if (FileTypeOf(path) != wanted)
        return say(QStringLiteral("%1: measurement %2 is a %3; the file name must end in %4").arg(path).arg(id).arg(KindName(kind), wanted));
    if (bytes.isEmpty())
        return say(QStringLiteral("%1: measurement %2 has no data file: %3").arg(path).arg(id).arg(damaged));
    if (const Result<> written = WriteFileSafely(path, bytes); !written)
        return say(QStringLiteral("%1: cannot write it: %2").arg(path, written.message()));
    return 0;
}

} // namespace

bool IsLibraryOption(const QString& option)
{
    return option == QLatin1String("--set") || option == QLatin1String("--library");
}

int RunLibrary(const QStringList& args)
{
    if (args.first() == QLatin1String("--set"))
        return matchedSet(args.mid(1));
    const QString action = args.value(1);
    const qsizetype wanted = action == QLatin1String("import") ? 3 : action == QLatin1String("export") ? 4 : 0;
    if (action == QLatin1String("list") ? args.size() > 3 : args.size() != wanted)
        return say(QStringLiteral("--library takes import DIR, list [TEXT] or export ID FILE"), 2);
    ShaftLibrary library(LibraryLocation());
    if (!library.available())
        return say(library.openMessage());
    for (const QString& note : library.migrationNotes())
        say(note, 0);
    if (action == QLatin1String("import"))
        return import(library, args.at(2));
    if (action == QLatin1String("list"))
        return list(library, args.value(2));
    return exportOne(library, args.at(2), args.at(3));
}

} // namespace tvconv
