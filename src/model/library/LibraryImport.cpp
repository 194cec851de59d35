#include "library/LibraryImport.h"

#include "analysis/SpineAnalysis.h"
#include "analysis/TableReadings.h"
#include "files/DataRecord.h"
#include "files/OpenSave.h"
#include "library/LibraryTables.h"
#include "tables/DataTable.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QStringDecoder>
#include <QRegularExpression>
#include <QFile>
#include <QFileInfo>
#include <QMap>

#include <dirent.h>

namespace tarvex {

namespace {

// Far beyond any data file a table can fill; a bigger file is not read whole.
constexpr qint64 kLargestDataFile = qint64(64) << 20;

} // namespace

Result<QByteArray> ReadDataFileForLibrary(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return Failure(QCoreApplication::translate("Library", "%1: not a regular file").arg(path));
    if (info.size() > kLargestDataFile)
        return Failure(QCoreApplication::translate("Library", "%1: too large for a data file (%2 bytes)").arg(path).arg(info.size()));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure(QCoreApplication::translate("Library", "%1: cannot read it: %2").arg(path, file.errorString()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Failure(QCoreApplication::translate("Library", "%1: cannot read it: %2").arg(path, file.errorString()));
    return bytes;
}

QStringList DataFilesIn(const QString& folder, QStringList* skipped)
{
    QStringList files;
    const auto found = QDir(folder).entryInfoList({QStringLiteral("*.tvl"), QStringLiteral("*.tvp")}, QDir::Files | QDir::Hidden, QDir::Name);
    for (const QFileInfo& f : found)
        files << f.filePath();
    if (!skipped)
        return files;
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return files;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        const QByteArray suffix = name.right(4).toLower();
        if (suffix != ".tvl" && suffix != ".tvp")
            continue;
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString shown = utf8(name);
        if (utf8.hasError())
            *skipped << QCoreApplication::translate("Library", "%1: the file name is not valid UTF-8; rename it to import it")
                            .arg(QDir(folder).filePath(shown));
    }
    ::closedir(dir);
    skipped->sort();
    return files;
}

namespace {

const QRegularExpression& gramsRule()
{
    static const QRegularExpression grams(QStringLiteral("^(\\d+(?:\\.\\d+)?)\\s*g$"), QRegularExpression::CaseInsensitiveOption);
    return grams;
}

const QRegularExpression& inchesRule()
{
    static const QRegularExpression inches(QStringLiteral("^(\\d+(?:\\.\\d+)?)\\s*(?:in|\")$"), QRegularExpression::CaseInsensitiveOption);
    return inches;
}

} // namespace

NotedShaft ShaftDetailsInNote(const QString& note)
{
    NotedShaft shaft;
    for (const QString& line : note.split(QLatin1Char('\n'))) {
        const QString key = line.section(QLatin1Char(':'), 0, 0).trimmed().toLower();
        const QString value = line.section(QLatin1Char(':'), 1).trimmed();
        if (!line.contains(QLatin1Char(':')))
            continue;
        if (const auto g = gramsRule().match(value); g.hasMatch() && key == QLatin1String("weight"))
            shaft.weightGrams = g.captured(1).toDouble();
        else if (const auto l = inchesRule().match(value); l.hasMatch() && key == QLatin1String("length"))
            shaft.lengthInches = l.captured(1).toDouble();
        else if (l.hasMatch() && key == QLatin1String("balance"))
            shaft.balanceInches = l.captured(1).toDouble();
    }
    return shaft;
}

void GuessShaftFields(const QString& baseName, const QString& note, Shaft& shaft)
{
    static const QRegularExpression words(QStringLiteral("[\\s_]+"));
    const QRegularExpression& grams = gramsRule();
    const QRegularExpression& inches = inchesRule();
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
                   const std::function<bool(int, int)>& progress, const StoredDataFile& stored)
{
    QMap<QString, std::size_t> shaftOf;
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (progress && !progress(int(i), int(files.size())))
            return false;
        const QFileInfo file(files.at(i));
        const bool polar = FileTypeOf(file.fileName()) == QLatin1String("tvp");
        Measurement m;
        Result<QByteArray> bytesRead = read(files.at(i));
        if (!bytesRead) {
            out.skipped << bytesRead.message();
            continue;
        }
        m.dataFile = std::move(*bytesRead);
        if (const qint64 id = stored ? stored(m.dataFile) : 0; id > 0) {
            out.known << QCoreApplication::translate("Library", "%1: already in the library as measurement %2").arg(files.at(i)).arg(id);
            continue;
        }
        QByteArray bytes = m.dataFile;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        DataTable table;
        const auto note = ReadDataRecord(buffer, polar, table, m.note);
        if (!note) {
            out.skipped << QCoreApplication::translate("Library", "%1: not a %2 data file, or damaged").arg(files.at(i), polar ? QCoreApplication::translate("Library", "polar") : QCoreApplication::translate("Library", "profile"));
            continue;
        }
        m.note = *note;
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

StoredDataFile StoredIn(ShaftLibrary& library)
{
    // A failed look-up stores the file again rather than losing it; the
    // store says what is wrong with the library.
    return [&library](const QByteArray& bytes) { return library.findDataFile(bytes).value_or(0); };
}

} // namespace tarvex
