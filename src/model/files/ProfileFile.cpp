#include "files/ProfileFile.h"

#include "files/Cp1252.h"
#include "tables/DataTable.h"
#include "numbers/Numbers.h"
#include "tables/ProfileTable.h"

#include <QBuffer>

namespace tarvex {

namespace {

QString headingName(int col)
{
    return QCoreApplication::translate("Files", "the heading of column %1").arg(col + 1);
}

} // namespace

Result<ProfileRecord, SaveStatus> ProfileRecordFromTable(const DataTable& table, const QString& note,
                                                         const QLocale& locale)
{
    ProfileRecord record;
    const int n = table.Rows();
    record.x.assign(static_cast<std::size_t>(n), 0.0f);
    record.y.assign(static_cast<std::size_t>(n), 0.0f);
    for (int r = 1; r < n; ++r) {
        for (int c = 0; c < 2; ++c) {
            const StrictFloatResult v = StrictFloat(table.TextMatrix(r, c), locale);
            if (v.status != FloatConversion::Ok)
                return NotANumberAt(r, c);
            (c == 0 ? record.x : record.y)[static_cast<std::size_t>(r - 1)] = v.value;
        }
    }
    record.note = note;
    record.heading0 = table.TextMatrix(0, 0);
    record.heading1 = table.TextMatrix(0, 1);
    for (const SaveResult& storable : {CheckStorable(NoteToFile(record.note), QCoreApplication::translate("Files", "the note")),
                                        CheckStorable(record.heading0, headingName(0)),
                                        CheckStorable(record.heading1, headingName(1))})
        if (!storable)
            return storable.error();
    return record;
}

QByteArray EncodeProfileRecord(const ProfileRecord& record)
{
    const QByteArray note = ToCp1252(NoteToFile(record.note));
    const QByteArray h0 = ToCp1252(record.heading0);
    const QByteArray h1 = ToCp1252(record.heading1);
    RecordWriter w(26 + 4 * static_cast<qsizetype>(record.x.size() + record.y.size()) + note.size() + h0.size()
                   + h1.size());
    w.arrayDescriptor(static_cast<quint32>(record.x.size()));
    w.floats(record.x);
    w.arrayDescriptor(static_cast<quint32>(record.y.size()));
    w.floats(record.y);
    w.text(note);
    w.text(h0);
    w.text(h1);
    return w.bytes();
}

std::optional<ProfileRecord> DecodeProfileRecord(QIODevice& device)
{
    RecordReader in(device);
    // Every row the file announces becomes a table row; a table holds at
    // most kMaxTableRows, and the writer always writes at least the heading.
    const std::optional<quint32> n = in.arrayDescriptor();
    if (!n || *n < 1 || *n > static_cast<quint32>(kMaxTableRows))
        return std::nullopt;
    // Both arrays and the three text lengths must fit in what is left
    // before either array is read.
    if (static_cast<qint64>(*n) * 8 + 16 > in.remaining())
        return std::nullopt;
    auto x = in.floats(*n);
    if (!x || in.arrayDescriptor() != n)
        return std::nullopt;
    auto y = in.floats(*n);
    if (!y)
        return std::nullopt;
    std::optional<RecordReader::Trailer> trailer = in.trailer();
    if (!trailer)
        return std::nullopt;
    ProfileRecord rec;
    rec.x = std::move(*x);
    rec.y = std::move(*y);
    rec.note = NoteFromFile(trailer->note);
    rec.heading0 = std::move(trailer->heading0);
    rec.heading1 = std::move(trailer->heading1);
    return rec;
}

std::optional<ProfileRecord> DecodeProfileRecord(const QByteArray& bytes)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return DecodeProfileRecord(buffer);
}

Result<ProfileRecord, ReadStatus> ReadProfileRecord(QIODevice& device)
{
    if (auto rec = DecodeProfileRecord(device))
        return std::move(*rec);
    return ReadFailure(ReadStatus::Failed, kProfileReadFailed).error();
}

QString ApplyProfileRecord(const ProfileRecord& record, DataTable& table, const QString& note)
{
    const int n = static_cast<int>(record.x.size());
    table.setRows(1);
    table.setRows(n);
    const QLocale locale = QLocale::system();
    for (int r = 1; r < n; ++r) {
        table.setTextMatrix(r, 0, ShortFloatText(record.x[static_cast<std::size_t>(r - 1)], locale));
        table.setTextMatrix(r, 1, ShortFloatText(record.y[static_cast<std::size_t>(r - 1)], locale));
    }
    return ApplyStoredTexts(record.note, record.heading0, record.heading1, table, note);
}

Result<QByteArray, SaveStatus> ProfileFileBytes(const DataTable& table, const QString& note, const QLocale& locale)
{
    const auto record = ProfileRecordFromTable(table, note, locale);
    if (!record)
        return record.error();
    return EncodeProfileRecord(*record);
}

} // namespace tarvex
