#include "Convert.h"

#include "Csv.h"
#include "files/OpenSave.h"
#include "files/PolarFile.h"
#include "files/ProfileFile.h"
#include "files/SafeWrite.h"
#include "tables/DataTable.h"
#include "tables/Numbers.h"
#include "tables/ProfileTable.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace tarvex;

namespace tvconv {

namespace {

// Numbers in exchange files use "." whatever the desktop's settings.
const QLocale kCsvLocale = QLocale::c();

QString floatText(float v, Digits digits)
{
    return digits == Digits::Exact ? NumberText(static_cast<double>(v)) : ShortFloatText(v, kCsvLocale);
}

QJsonValue floatJson(float v, Digits digits)
{
    const auto d = StrictDouble(floatText(v, digits), kCsvLocale);
    return d ? QJsonValue(*d) : QJsonValue(QJsonValue::Null);
}

QString readFailure(const QString& path, ReadStatus status, const char* kind)
{
    if (status == ReadStatus::BadName)
        return QStringLiteral("%1: not a valid file name").arg(path);
    if (!QFileInfo::exists(path))
        return QStringLiteral("%1: no such file").arg(path);
    return QStringLiteral("%1: not a %2 data file, or damaged").arg(path, QString::fromLatin1(kind));
}

struct Sheet {
    QString heading0;
    QString heading1;
    QList<QPair<QString, QString>> rows;
    QString note;
};

QString sheetCsv(const Sheet& s)
{
    QString out = CsvField(s.heading0) + QLatin1Char(',') + CsvField(s.heading1) + QLatin1Char('\n');
    for (const auto& [a, b] : s.rows)
        out += CsvField(a) + QLatin1Char(',') + CsvField(b) + QLatin1Char('\n');
    if (!s.note.isEmpty())
        out += QStringLiteral("\nNote,") + CsvField(s.note) + QLatin1Char('\n');
    return out;
}

} // namespace

std::optional<QString> DataFileToText(const QString& path, Format format, Digits digits, QString* error)
{
    const QString type = FileTypeOf(path);
    Sheet sheet;
    QJsonObject json;
    QJsonArray rows;
    if (type == QLatin1String("tvl")) {
        ProfileRecord rec;
        const ReadStatus status = LoadProfileRecord(path, rec);
        if (status != ReadStatus::Ok) {
            *error = readFailure(path, status, "profile");
            return std::nullopt;
        }
        sheet = {rec.heading0, rec.heading1, {}, rec.note};
        // The last element of each array is not a row.
        for (std::size_t i = 0; i + 1 < rec.x.size(); ++i) {
            sheet.rows.append({floatText(rec.x[i], digits), floatText(rec.y[i], digits)});
            rows.append(QJsonArray{floatJson(rec.x[i], digits), floatJson(rec.y[i], digits)});
        }
        json[QStringLiteral("type")] = QStringLiteral("profile");
    } else if (type == QLatin1String("tvp")) {
        PolarRecord rec;
        const ReadStatus status = LoadPolarRecord(path, rec);
        if (status != ReadStatus::Ok) {
            *error = readFailure(path, status, "polar");
            return std::nullopt;
        }
        sheet = {rec.heading0, rec.heading1, {}, rec.note};
        for (qsizetype i = 0; i < rec.angles.size(); ++i) {
            sheet.rows.append({rec.angles[i], floatText(rec.loads[static_cast<std::size_t>(i)], digits)});
            rows.append(QJsonArray{rec.angles[i], floatJson(rec.loads[static_cast<std::size_t>(i)], digits)});
        }
        json[QStringLiteral("type")] = QStringLiteral("polar");
        // What the program does with the file: the interval it lays out.
        json[QStringLiteral("interval")] = PolarIntervalForCount(rec.angleCount);
    } else {
        *error = QStringLiteral("%1: not a data file name (it must end in tvl or tvp)").arg(path);
        return std::nullopt;
    }
    if (format == Format::Csv)
        return sheetCsv(sheet);
    json[QStringLiteral("file")] = QFileInfo(path).fileName();
    json[QStringLiteral("headings")] = QJsonArray{sheet.heading0, sheet.heading1};
    json[QStringLiteral("rows")] = rows;
    json[QStringLiteral("note")] = sheet.note;
    return QString::fromUtf8(QJsonDocument(json).toJson(QJsonDocument::Indented));
}

bool CsvToDataFile(const QString& csv, const QString& outPath, QString* error)
{
    const QString type = FileTypeOf(outPath);
    const bool profile = type == QLatin1String("tvl");
    if (!profile && type != QLatin1String("tvp")) {
        *error = QStringLiteral("%1: the output name must end in tvl or tvp").arg(outPath);
        return false;
    }
    QString parseError;
    const auto rows = ParseCsv(csv, &parseError);
    if (!rows) {
        *error = parseError;
        return false;
    }
    qsizetype i = 0;
    while (i < rows->size() && rows->at(i).blank)
        ++i;
    if (i == rows->size()) {
        *error = QStringLiteral("no heading line: the first line holds the two column headings");
        return false;
    }
    auto twoFields = [&](const CsvRow& row) {
        if (row.fields.size() == 2)
            return true;
        *error = QStringLiteral("line %1: expected 2 fields, found %2").arg(row.line).arg(row.fields.size());
        return false;
    };
    const CsvRow& head = rows->at(i++);
    if (!twoFields(head))
        return false;
    QList<CsvRow> data;
    while (i < rows->size() && !rows->at(i).blank) {
        if (!twoFields(rows->at(i)))
            return false;
        data << rows->at(i++);
    }
    QString note;
    bool haveNote = false;
    for (; i < rows->size(); ++i) {
        const CsvRow& row = rows->at(i);
        if (row.blank)
            continue;
        if (haveNote || row.fields.size() != 2 || row.fields.first().compare(QLatin1String("Note"), Qt::CaseInsensitive)) {
            *error = QStringLiteral("line %1: after the empty line only one line \"Note,<text>\" may follow").arg(row.line);
            return false;
        }
        note = row.fields.at(1);
        haveNote = true;
    }
    if (data.size() + 1 > kMaxTableRows) {
        *error = QStringLiteral("%1 data rows: a table holds at most %2").arg(data.size()).arg(kMaxTableRows - 1);
        return false;
    }
    if (!profile && data.isEmpty()) {
        *error = QStringLiteral("a polar file needs at least one data row");
        return false;
    }
    // Say which cell is not a number; the writer itself would only refuse.
    for (const CsvRow& row : data) {
        for (int c = profile ? 0 : 1; c < 2; ++c) {
            const StrictFloatResult v = StrictFloat(row.fields.at(c), kCsvLocale);
            if (v.status == FloatConversion::Ok)
                continue;
            *error = QStringLiteral("line %1, column %2: \"%3\" is %4")
                         .arg(row.line)
                         .arg(c + 1)
                         .arg(row.fields.at(c),
                              v.status == FloatConversion::Overflow ? QStringLiteral("beyond the range of the file's numbers")
                                                                    : QStringLiteral("not a number"));
            return false;
        }
    }

    DataTable table;
    table.setRows(static_cast<int>(data.size()) + 1);
    table.setTextMatrix(0, 0, head.fields.at(0));
    table.setTextMatrix(0, 1, head.fields.at(1));
    for (int r = 0; r < data.size(); ++r)
        for (int c = 0; c < 2; ++c)
            table.setTextMatrix(r + 1, c, data.at(r).fields.at(c));

    QByteArray bytes;
    SaveResult result;
    if (profile) {
        ProfileRecord rec;
        result = ProfileRecordFromTable(table, note, rec, kCsvLocale);
        bytes = EncodeProfileRecord(rec);
    } else {
        PolarRecord rec;
        result = PolarRecordFromTable(table, note, rec, kCsvLocale);
        bytes = EncodePolarRecord(rec);
    }
    if (!result.ok()) {
        *error = !result.message.isEmpty() ? result.message : QStringLiteral("the table cannot be stored");
        return false;
    }
    QString why;
    if (!WriteFileSafely(outPath, bytes, &why)) {
        *error = QStringLiteral("%1: cannot write the file: %2").arg(outPath, why);
        return false;
    }
    return true;
}

} // namespace tvconv
