#include "Convert.h"

#include "Csv.h"
#include "files/FileCommon.h"
#include "files/OpenSave.h"
#include "files/PolarFile.h"
#include "files/ProfileFile.h"
#include "files/SafeWrite.h"
#include "numbers/Numbers.h"
#include "tables/ProfileTable.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace tarvex;

namespace tvconv {

namespace {

// Numbers in exchange files use "." whatever the desktop's settings.
const QLocale kCsvLocale = QLocale::c();

// Empty lines are skipped wherever they stand, but a table needs only one (before
// the note); a few more are an editor's doing, endless ones are not a table.
constexpr int kMaxEmptyLines = 64;

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString charsText(const char* begin, const char* end)
{
    return QString::fromLatin1(begin, end - begin);
}

// The shortest text that --build reads back as the very same float. Building
// goes through a double, and a text rounding to the float only by way of the
// double can land elsewhere or beyond the float range (the shortest text of
// the largest float is above it), so the text is checked; the double's own
// shortest text always reads back exactly.
QString exactText(float v)
{
    if (!std::isfinite(v))
        return NumberText(static_cast<double>(v));
    char buf[64];
    const auto shortest = std::to_chars(buf, buf + sizeof buf, v);
    const QString text = charsText(buf, shortest.ptr);
    const StrictFloatResult back = StrictFloat(text, kCsvLocale);
    if (back.status == FloatConversion::Ok && std::bit_cast<quint32>(back.value) == std::bit_cast<quint32>(v))
        return text;
    const auto wide = std::to_chars(buf, buf + sizeof buf, static_cast<double>(v));
    return charsText(buf, wide.ptr);
}

QString floatText(float v, Digits digits)
{
    return digits == Digits::Exact ? exactText(v) : ShortFloatText(v, kCsvLocale);
}

QJsonValue floatJson(float v, Digits digits)
{
    const auto d = StrictDouble(floatText(v, digits), kCsvLocale);
    return d ? QJsonValue(*d) : QJsonValue(QJsonValue::Null);
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

// A cell as the message quotes it: a long one would bury the line number.
QString quotedCell(const QString& text)
{
    constexpr qsizetype kShown = 24;
    if (text.size() <= kShown)
        return QLatin1Char('"') + text + QLatin1Char('"');
    return QStringLiteral("\"%1...\" (%2 characters)").arg(text.left(kShown)).arg(text.size());
}

enum class Range { TooLarge, TooSmall, Other };

// Where a text the strict rule refused stands: still a decimal number, only
// beyond the range of a double, or something else. The user must hear "out
// of range", not "not a number", for "1e309" or a 400-digit integer.
Range doubleRange(const QString& text)
{
    const QString t = text.trimmed();
    QByteArray ascii;
    ascii.reserve(t.size());
    for (const QChar c : t) {
        if (c.unicode() >= 128)
            return Range::Other;
        ascii += static_cast<char>(c.unicode());
    }
    const char* begin = ascii.constData();
    const char* end = begin + ascii.size();
    if (begin != end && (*begin == '+' || *begin == '-'))
        ++begin;
    if (begin != end && (*begin == '+' || *begin == '-'))
        return Range::Other;
    double ignored = 0;
    const auto [ptr, ec] = std::from_chars(begin, end, ignored);
    if (ptr != end || ec != std::errc::result_out_of_range)
        return Range::Other;
    // Beyond a double either way, so the place of the first significant
    // digit against the point tells which way.
    const char* digit = begin;
    while (digit != end && (*digit == '0' || *digit == '.'))
        ++digit;
    const char* e = std::find_if(begin, end, [](char c) { return c == 'e' || c == 'E'; });
    const char* point = std::min(std::find(begin, end, '.'), e);
    long long exponent = digit < point ? point - digit - 1 : point - digit;
    if (e != end) {
        long long written = 0;
        const char* from = e + 1 + (e[1] == '+' ? 1 : 0);
        // An exponent beyond what a long long holds, or one that would carry
        // the sum past it, outweighs any number of digits before or after
        // the point.
        const bool huge = std::from_chars(from, end, written).ec == std::errc::result_out_of_range;
        using Limits = std::numeric_limits<long long>;
        if (huge || (written < 0 ? exponent < Limits::min() - written : exponent > Limits::max() - written))
            exponent = e[1] == '-' ? -1 : 1;
        else
            exponent += written;
    }
    return exponent >= 0 ? Range::TooLarge : Range::TooSmall;
}

QString numberProblem(const StrictFloatResult& v, const QString& text)
{
    const Range range = v.status == FloatConversion::Overflow ? Range::TooLarge : doubleRange(text);
    switch (range) {
    case Range::TooLarge:
        return QStringLiteral("out of range: beyond the largest number a data file holds (about 3.4E+38)");
    case Range::TooSmall:
        return QStringLiteral("out of range: too close to 0 to be read (a data file holds numbers down to "
                              "about 1.4E-45)");
    case Range::Other:
        break;
    }
    return QStringLiteral("not a number");
}

// The rows of a CSV as they arrive, into the record of a profile or polar
// file; each row is checked as it comes, so a bad input ends the reading.
class RecordBuilder {
public:
    explicit RecordBuilder(bool profile) : profile_(profile) {}

    Result<> take(const CsvRow& row)
    {
        if (row.blank) {
            if (++emptyLines_ > kMaxEmptyLines)
                return Failure(QStringLiteral("line %1: more than %2 empty lines; a table needs one")
                                   .arg(row.line)
                                   .arg(kMaxEmptyLines));
            if (part_ == Part::Rows)
                part_ = Part::AfterRows;
            return {};
        }
        if (row.fields.size() != 2)
            return Failure(QStringLiteral("line %1: expected 2 fields, found %2").arg(row.line).arg(row.fields.size()));
        switch (part_) {
        case Part::Heading:
            heading0_ = row.fields.at(0);
            heading1_ = row.fields.at(1);
            part_ = Part::Rows;
            return {};
        case Part::Rows:
            return takeDataRow(row);
        case Part::AfterRows:
            if (row.fields.first().compare(QLatin1String("Note"), Qt::CaseInsensitive) == 0) {
                note_ = row.fields.at(1);
                part_ = Part::AfterNote;
                return {};
            }
            break;
        case Part::AfterNote:
            break;
        }
        return Failure(
            QStringLiteral("line %1: after the empty line only one line \"Note,<text>\" may follow").arg(row.line));
    }

    // The file's bytes, or why the table cannot be stored.
    Result<QByteArray> encode() const
    {
        if (part_ == Part::Heading)
            return Failure(QStringLiteral("no heading line: the first line holds the two column headings"));
        if (!profile_ && dataRows_ == 0)
            return Failure(QStringLiteral("a polar file needs at least one data row"));
        // The same texts checked in the same order as when the program saves.
        SaveResult storable = CheckStorable(NoteToFile(note_), QStringLiteral("the note"));
        if (storable)
            storable = CheckStorable(heading0_, QStringLiteral("the heading of column 1"));
        if (storable)
            storable = CheckStorable(heading1_, QStringLiteral("the heading of column 2"));
        for (qsizetype r = 0; r < angles_.size() && storable; ++r)
            storable = CheckStorable(angles_.at(r), QStringLiteral("the angle in row %1").arg(r + 1));
        if (!storable)
            return Failure(storable.message());
        if (profile_) {
            ProfileRecord rec;
            // One element per table row, the heading row's (the last) 0.
            rec.x = first_;
            rec.y = second_;
            rec.x.push_back(0.0f);
            rec.y.push_back(0.0f);
            rec.note = note_;
            rec.heading0 = heading0_;
            rec.heading1 = heading1_;
            return EncodeProfileRecord(rec);
        }
        PolarRecord rec;
        rec.angleCount = static_cast<quint32>(dataRows_);
        rec.angles = angles_;
        rec.loads = second_;
        rec.note = note_;
        rec.heading0 = heading0_;
        rec.heading1 = heading1_;
        return EncodePolarRecord(rec);
    }

private:
    enum class Part { Heading, Rows, AfterRows, AfterNote };

    Result<> takeDataRow(const CsvRow& row)
    {
        if (dataRows_ + 1 > kMaxTableRows - 1)
            return Failure(QStringLiteral("line %1: more than %2 data rows: a table holds at most %2")
                               .arg(row.line)
                               .arg(kMaxTableRows - 1));
        float values[2] = {};
        for (int c = profile_ ? 0 : 1; c < 2; ++c) {
            const QString& cell = row.fields.at(c);
            const StrictFloatResult v = StrictFloat(cell, kCsvLocale);
            if (v.status != FloatConversion::Ok)
                return Failure(QStringLiteral("line %1, column %2: %3 is %4")
                                   .arg(row.line)
                                   .arg(c + 1)
                                   .arg(quotedCell(cell), numberProblem(v, cell)));
            values[c] = v.value;
        }
        if (profile_)
            first_.push_back(values[0]);
        else
            angles_ << row.fields.at(0);
        second_.push_back(values[1]);
        ++dataRows_;
        return {};
    }

    bool profile_;
    Part part_ = Part::Heading;
    int emptyLines_ = 0;
    int dataRows_ = 0;
    QString heading0_;
    QString heading1_;
    std::vector<float> first_;    // profile X
    QStringList angles_;          // polar angle texts
    std::vector<float> second_;   // profile Y, polar loads
    QString note_;
};

} // namespace

Result<int> OpenInput(const QString& path, bool dataFile)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    if (::stat(name.constData(), &st) != 0)
        return Failure(QStringLiteral("%1: cannot open it: %2").arg(path, systemReason(errno)));
    if (S_ISDIR(st.st_mode))
        return Failure(QStringLiteral("%1: is a folder, not a file").arg(path));
    // The reader needs the size a data file has on disk, and opening a pipe
    // or device named like one could wait for ever.
    if (dataFile && !S_ISREG(st.st_mode))
        return Failure(QStringLiteral("%1: not a regular file").arg(path));
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return Failure(QStringLiteral("%1: cannot open it: %2").arg(path, systemReason(errno)));
    return fd;
}

Result<QString> DataFileToText(const QString& path, Format format, Digits digits)
{
    const QString type = FileTypeOf(path);
    const bool profile = type == QLatin1String("tvl");
    if (!profile && type != QLatin1String("tvp"))
        return Failure(QStringLiteral("%1: not a data file name (it must end in tvl or tvp)").arg(path));
    const Result<int> fd = OpenInput(path, true);
    if (!fd)
        return fd.error();
    QFile file;
    if (!file.open(*fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(*fd);
        return Failure(QStringLiteral("%1: cannot read it: %2").arg(path, file.errorString()));
    }
    auto failed = [&] {
        return Failure(file.error() != QFileDevice::NoError
            ? QStringLiteral("%1: cannot read it: %2").arg(path, file.errorString())
            : QStringLiteral("%1: not a %2 data file, or damaged")
                  .arg(path, profile ? QStringLiteral("profile") : QStringLiteral("polar")));
    };

    Sheet sheet;
    QJsonObject json;
    QJsonArray rows;
    if (profile) {
        const auto rec = DecodeProfileRecord(file);
        if (!rec)
            return failed();
        sheet = {rec->heading0, rec->heading1, {}, rec->note};
        // The last element of each array is not a row.
        for (std::size_t i = 0; i + 1 < rec->x.size(); ++i) {
            sheet.rows.append({floatText(rec->x[i], digits), floatText(rec->y[i], digits)});
            rows.append(QJsonArray{floatJson(rec->x[i], digits), floatJson(rec->y[i], digits)});
        }
        json[QStringLiteral("type")] = QStringLiteral("profile");
    } else {
        const auto rec = DecodePolarRecord(file);
        if (!rec)
            return failed();
        sheet = {rec->heading0, rec->heading1, {}, rec->note};
        for (qsizetype i = 0; i < rec->angles.size(); ++i) {
            sheet.rows.append({rec->angles[i], floatText(rec->loads[static_cast<std::size_t>(i)], digits)});
            rows.append(QJsonArray{rec->angles[i], floatJson(rec->loads[static_cast<std::size_t>(i)], digits)});
        }
        json[QStringLiteral("type")] = QStringLiteral("polar");
        // What the program does with the file: the interval it lays out.
        json[QStringLiteral("interval")] = PolarIntervalForCount(rec->angleCount);
    }
    if (format == Format::Csv)
        return sheetCsv(sheet);
    json[QStringLiteral("file")] = QFileInfo(path).fileName();
    json[QStringLiteral("headings")] = QJsonArray{sheet.heading0, sheet.heading1};
    json[QStringLiteral("rows")] = rows;
    json[QStringLiteral("note")] = sheet.note;
    return QString::fromUtf8(QJsonDocument(json).toJson(QJsonDocument::Indented));
}

Result<> CsvToDataFile(int input, const QString& outPath)
{
    const QString type = FileTypeOf(outPath);
    const bool profile = type == QLatin1String("tvl");
    if (!profile && type != QLatin1String("tvp"))
        return Failure(QStringLiteral("%1: the output name must end in tvl or tvp").arg(outPath));
    RecordBuilder builder(profile);
    // No cell, heading or note of a data file holds more than its 2-byte
    // length allows, one byte a character.
    CsvReader reader(2, kMaxStoredTextBytes, [&](const CsvRow& row) { return builder.take(row); });
    QByteArray chunk(64 * 1024, Qt::Uninitialized);
    for (;;) {
        const ssize_t n = ::read(input, chunk.data(), static_cast<size_t>(chunk.size()));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return Failure(QStringLiteral("cannot read it: %1").arg(systemReason(errno)));
        if (n == 0)
            break;
        if (Result<> added = reader.add(QByteArrayView(chunk.constData(), n)); !added)
            return added;
    }
    if (Result<> finished = reader.finish(); !finished)
        return finished;
    const Result<QByteArray> bytes = builder.encode();
    if (!bytes)
        return bytes.error();
    if (const Result<> written = WriteFileSafely(outPath, *bytes); !written)
        return Failure(QStringLiteral("%1: cannot write the file: %2").arg(outPath, written.message()));
    return {};
}

} // namespace tvconv
