#include "library/LibraryImport.h"

#include "analysis/SpineAnalysis.h"
#include "analysis/TableReadings.h"
#include "files/DataRecord.h"
#include "files/OpenSave.h"
#include "library/LibraryTables.h"
#include "tables/DataTable.h"

#include <QDir>
#include <QRegularExpression>
#include <QFile>
#include <QFileInfo>
#include <QMap>

namespace tarvex {

QString ReadDataFileForLibrary(const QString& path, bool polar, DataTable& table, QString* note)
{
    const QString name = QFileInfo(path).fileName();
    // Opening a pipe or device named like a data file could wait for ever.
    if (!QFileInfo(path).isFile())
        return QStringLiteral("%1: not a regular file").arg(name);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("%1: cannot read it: %2").arg(name, file.errorString());
    QString ignored;
    if (ReadDataRecord(file, polar, table, note ? *note : ignored))
        return {};
    return QStringLiteral("%1: not a %2 data file, or damaged").arg(name, polar ? QStringLiteral("polar") : QStringLiteral("profile"));
}

QStringList DataFilesIn(const QString& folder)
{
    QStringList files;
    const auto found = QDir(folder).entryInfoList({QStringLiteral("*.tvl"), QStringLiteral("*.tvp")}, QDir::Files | QDir::Hidden, QDir::Name);
    for (const QFileInfo& f : found)
        files << f.filePath();
    return files;
}

void GuessShaftFields(const QString& baseName, const QString& note, Shaft& shaft)
{
    static const QRegularExpression words(QStringLiteral("[\\s_]+"));
    static const QRegularExpression grams(QStringLiteral("^(\\d+(?:\\.\\d+)?)\\s*g$"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression inches(QStringLiteral("^(\\d+(?:\\.\\d+)?)\\s*(?:in|\")$"), QRegularExpression::CaseInsensitiveOption);
    static const QStringList flexes{QStringLiteral("L"), QStringLiteral("A"), QStringLiteral("M"), QStringLiteral("R"),
                                    QStringLiteral("R2"), QStringLiteral("SR"), QStringLiteral("S"), QStringLiteral("S+"),
                                    QStringLiteral("X"), QStringLiteral("X+"), QStringLiteral("TX")};
    const auto take = [&](const QString& word, bool fromNote) {
        if (const auto g = grams.match(word); g.hasMatch())
            shaft.weightGrams = g.captured(1).toDouble();
        else if (const auto l = inches.match(word); l.hasMatch())
            shaft.lengthInches = l.captured(1).toDouble();
        else if (!fromNote && flexes.contains(word.toUpper()))
            shaft.flex = word.toUpper();
    };
    // The first word names the shaft ("a.tvl" is shaft "a", not flex A).
    const QStringList nameWords = baseName.split(words, Qt::SkipEmptyParts);
    for (qsizetype i = 1; i < nameWords.size(); ++i)
        take(nameWords[i], false);
    for (const QString& line : note.split(QLatin1Char('\n'))) {
        const QString key = line.section(QLatin1Char(':'), 0, 0).trimmed().toLower();
        const QString value = line.section(QLatin1Char(':'), 1).trimmed();
        if (value.isEmpty() || !line.contains(QLatin1Char(':')))
            continue;
        if (key == QLatin1String("maker"))
            shaft.maker = value;
        else if (key == QLatin1String("model"))
            shaft.model = value;
        else if (key == QLatin1String("flex"))
            shaft.flex = value;
        else if (key == QLatin1String("customer"))
            shaft.customer = value;
        else if (key == QLatin1String("weight") || key == QLatin1String("length"))
            take(value, true);
    }
}

bool ReadDataFiles(const QStringList& files, const DataFileReader& read, FolderImport& out,
                   const std::function<bool(int, int)>& progress)
{
    QMap<QString, std::size_t> shaftOf;
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (progress && !progress(int(i), int(files.size())))
            return false;
        const QFileInfo file(files.at(i));
        const bool polar = FileTypeOf(file.fileName()) == QLatin1String("tvp");
        Measurement m;
        DataTable table;
        if (const QString bad = read(file.filePath(), polar, table, &m.note); !bad.isEmpty()) {
            out.skipped << bad;
            continue;
        }
        m.kind = polar ? MeasurementKind::Polar : MeasurementKind::Profile;
        TableIntoMeasurement(table, m);
        m.takenAt = file.lastModified().toUTC();
        if (polar) {
            const SpineAnalysis a = AnalyzeSpine(NumberRowsOf(table).points);
            if (a.ok())
                m.spine = StoredSpine{a.spinePercent, a.spineAngle, a.nbpAngle, a.bendPercent, a.bendAngle, GradeName(a.grade)};
        }
        const QString name = file.completeBaseName();
        if (!shaftOf.contains(name)) {
            shaftOf.insert(name, out.shafts.size());
            Shaft s;
            s.label = name;
            GuessShaftFields(name, m.note, s);
            out.shafts.push_back(s);
        }
        out.measurements.emplace_back(shaftOf.value(name), std::move(m));
    }
    return !progress || progress(int(files.size()), int(files.size()));
}

} // namespace tarvex
