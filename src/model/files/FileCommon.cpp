#include "files/FileCommon.h"

#include "tables/DataTable.h"

#include "files/Cp1252.h"
#include "files/SafeWrite.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QtEndian>
#include <cstring>

namespace tarvex {

QString NothingWasSaved()
{
    return QCoreApplication::translate("Files", "Nothing was saved: ");
}

SaveResult CheckStorable(const QString& text, const QString& what, bool limitLength)
{
    const QString missing = Cp1252Unencodable(text);
    if (!missing.isEmpty()) {
        QStringList shown;
        for (qsizetype i = 0; i < missing.size(); ++i) {
            QString one(missing.at(i));
            if (missing.at(i).isHighSurrogate() && i + 1 < missing.size())
                one += missing.at(++i);
            shown << QStringLiteral("\"%1\"").arg(one);
        }
        return Failure(SaveStatus::CannotStore,
                       NothingWasSaved()
                           + QCoreApplication::translate("Files", "%1 holds characters that the file cannot store: %2.")
                                 .arg(what, shown.join(QStringLiteral(", "))));
    }
    if (limitLength && text.size() > kMaxStoredTextBytes)
        return Failure(SaveStatus::CannotStore,
                       NothingWasSaved()
                           + QCoreApplication::translate("Files",
                                                         "%1 is longer than the file can store (%2 characters at most).")
                                 .arg(what)
                                 .arg(kMaxStoredTextBytes));
    return {};
}

QString NoteToFile(const QString& note)
{
    QString out = note;
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return out;
}

QString NoteFromFile(const QString& stored)
{
    QString out = stored;
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return out;
}

bool IsAcceptableFileName(const QString& path)
{
    if (path.isEmpty() || path.contains(QChar(0)))
        return false;
    const QByteArray local = path.toLocal8Bit();
    if (local.size() >= 4096)
        return false;
    for (const QByteArray& part : local.split('/'))
        if (part.size() > 255)
            return false;
    return true;
}

Failure<SaveStatus> NotANumberAt(int row, int col)
{
    return Failure(SaveStatus::NotANumber,
                   NothingWasSaved() + QCoreApplication::translate("Files", "row %1, column %2 is not a number.").arg(row).arg(col + 1));
}

ReadStatus OpenDataFile(const QString& path, QFile& file)
{
    if (!IsAcceptableFileName(path))
        return ReadStatus::BadName;
    file.setFileName(path);
    if (!QFileInfo(path).isFile())
        return ReadStatus::Missing;
    if (!file.open(QIODevice::ReadOnly) || file.isSequential())
        return ReadStatus::Failed;
    return ReadStatus::Ok;
}

ReadResult ReadFailure(ReadStatus status, const ReadFailureTexts& texts)
{
    switch (status) {
    case ReadStatus::Ok:
        return {};
    case ReadStatus::BadName:
        return Failure(status, QCoreApplication::translate("Files", kBadFileName));
    case ReadStatus::Missing:
        return Failure(status, QCoreApplication::translate("Files", texts.missing));
    case ReadStatus::Failed:
        break;
    }
    return Failure(ReadStatus::Failed, QCoreApplication::translate("Files", texts.notData));
}

SaveResult WriteDataBytes(const QString& path, const QByteArray& bytes)
{
    const Result<> written = WriteFileSafely(path, bytes);
    if (written)
        return {};
    return Failure(SaveStatus::CannotWrite,
                   NothingWasSaved() + QCoreApplication::translate("Files", "\"%1\" could not be written (%2). A file already there is unchanged.")
                       .arg(QFileInfo(path).fileName(), written.message()));
}

SaveResult WriteDataBytes(const QString& path, const Result<QByteArray, SaveStatus>& bytes)
{
    if (!bytes)
        return bytes.error();
    return WriteDataBytes(path, *bytes);
}

ReadResult ReadDataFile(const QString& path, const ReadFailureTexts& texts, const std::function<ReadResult(QIODevice&)>& read)
{
    QFile file;
    const ReadStatus opened = OpenDataFile(path, file);
    if (opened != ReadStatus::Ok)
        return ReadFailure(opened, texts);
    return read(file);
}

void RecordWriter::u16(quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    bytes_.append(b, 2);
}

void RecordWriter::u32(quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    bytes_.append(b, 4);
}

void RecordWriter::i32(qint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    bytes_.append(b, 4);
}

void RecordWriter::arrayDescriptor(quint32 count)
{
    u16(1);
    u32(count);
    i32(0);
}

void RecordWriter::floats(const std::vector<float>& values)
{
    const qsizetype at = bytes_.size();
    bytes_.resize(at + static_cast<qsizetype>(values.size()) * 4);
    char* dst = bytes_.data() + at;
    for (float f : values) {
        quint32 bits;
        std::memcpy(&bits, &f, 4);
        qToLittleEndian(bits, dst);
        dst += 4;
    }
}

void RecordWriter::text(const QByteArray& bytes)
{
    u16(static_cast<quint16>(bytes.size()));
    bytes_.append(bytes);
}

RecordReader::RecordReader(QIODevice& device)
    : device_(device), remaining_(device.isSequential() ? 0 : device.size() - device.pos())
{
}

bool RecordReader::take(char* dst, qint64 n)
{
    if (n < 0 || n > remaining_)
        return false;
    if (n == 0)
        return true;
    if (device_.read(dst, n) != n) {
        remaining_ = 0;
        return false;
    }
    remaining_ -= n;
    return true;
}

std::optional<quint16> RecordReader::u16()
{
    char b[2];
    if (!take(b, 2))
        return std::nullopt;
    return qFromLittleEndian<quint16>(b);
}

std::optional<quint32> RecordReader::u32()
{
    char b[4];
    if (!take(b, 4))
        return std::nullopt;
    return qFromLittleEndian<quint32>(b);
}

std::optional<qint32> RecordReader::i32()
{
    char b[4];
    if (!take(b, 4))
        return std::nullopt;
    return qFromLittleEndian<qint32>(b);
}

std::optional<quint32> RecordReader::arrayDescriptor()
{
    const std::optional<quint16> dims = u16();
    if (dims != quint16(1))
        return std::nullopt;
    const std::optional<quint32> count = u32();
    if (!count || i32() != qint32(0))
        return std::nullopt;
    return count;
}

std::optional<std::vector<float>> RecordReader::floats(quint32 count)
{
    const qint64 size = static_cast<qint64>(count) * 4;
    if (size > remaining_)
        return std::nullopt;
    QByteArray raw(static_cast<qsizetype>(size), Qt::Uninitialized);
    if (!take(raw.data(), size))
        return std::nullopt;
    std::vector<float> values(count);
    const char* src = raw.constData();
    for (quint32 i = 0; i < count; ++i) {
        const quint32 bits = qFromLittleEndian<quint32>(src + 4 * static_cast<qsizetype>(i));
        std::memcpy(&values[i], &bits, 4);
    }
    return values;
}

std::optional<QString> RecordReader::text()
{
    const std::optional<quint16> length = u16();
    if (!length || *length > remaining_)
        return std::nullopt;
    QByteArray raw(*length, Qt::Uninitialized);
    if (!take(raw.data(), *length))
        return std::nullopt;
    return FromCp1252(raw);
}

std::optional<RecordReader::Trailer> RecordReader::trailer()
{
    std::optional<QString> note = text();
    std::optional<QString> heading0 = note ? text() : std::nullopt;
    std::optional<QString> heading1 = heading0 ? text() : std::nullopt;
    if (!heading1)
        return std::nullopt;
    return Trailer{std::move(*note), std::move(*heading0), std::move(*heading1)};
}

bool RecordReader::skipText()
{
    const std::optional<quint16> length = u16();
    if (!length || *length > remaining_)
        return false;
    if (device_.skip(*length) != *length) {
        remaining_ = 0;
        return false;
    }
    remaining_ -= *length;
    return true;
}

QString ApplyStoredTexts(const QString& storedNote, const QString& heading0, const QString& heading1,
                         DataTable& table, const QString& note)
{
    if (!heading0.isEmpty())
        table.setTextMatrix(0, 0, heading0);
    if (!heading1.isEmpty())
        table.setTextMatrix(0, 1, heading1);
    return storedNote.isEmpty() ? note : storedNote;
}

} // namespace tarvex
