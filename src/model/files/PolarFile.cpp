#include "files/PolarFile.h"

#include "files/Cp1252.h"
#include "files/ProfileFile.h"
#include "tables/DataTable.h"
#include "numbers/Numbers.h"
#include "tables/ProfileTable.h"

#include <QBuffer>

namespace tarvex {

QString PolarIntervalForCount(quint32 angleCount)
{
    switch (angleCount) {
    case 360: return QStringLiteral("1");
    case 180: return QStringLiteral("2");
    case 72: return QStringLiteral("5");
    case 36: return QStringLiteral("10");
    case 24: return QStringLiteral("15");
    case 12: return QStringLiteral("30");
    case 8: return QStringLiteral("45");
    case 6: return QStringLiteral("60");
    case 4: return QStringLiteral("90");
    default: return QStringLiteral("30");
    }
}

Result<PolarRecord, SaveStatus> PolarRecordFromTable(const DataTable& table, const QString& note,
                                                     const QLocale& locale)
{
    PolarRecord record;
    const int m = table.Rows() - 1;
    if (m < 1)
        return Failure(SaveStatus::NoDataRows, QString());
    record.angleCount = static_cast<quint32>(m);
    record.angles.clear();
    record.loads.assign(static_cast<std::size_t>(m), 0.0f);
    for (int r = 1; r <= m; ++r) {
        record.angles << table.TextMatrix(r, 0);
        const StrictFloatResult v = StrictFloat(table.TextMatrix(r, 1), locale);
        if (v.status != FloatConversion::Ok)
            return NotANumberAt(r, 1);
        record.loads[static_cast<std::size_t>(r - 1)] = v.value;
    }
    record.note = note;
    record.heading0 = table.TextMatrix(0, 0);
    record.heading1 = table.TextMatrix(0, 1);
    SaveResult storable = CheckStorable(NoteToFile(record.note), QCoreApplication::translate("Files", "the note"));
    if (storable)
        storable = CheckStorable(record.heading0, QCoreApplication::translate("Files", "the heading of column 1"));
    if (storable)
        storable = CheckStorable(record.heading1, QCoreApplication::translate("Files", "the heading of column 2"));
    for (int r = 1; r <= m && storable; ++r)
        storable = CheckStorable(record.angles[r - 1], QCoreApplication::translate("Files", "the angle in row %1").arg(r));
    if (!storable)
        return storable.error();
    return record;
}

QByteArray EncodePolarRecord(const PolarRecord& record)
{
    std::vector<QByteArray> angles;
    angles.reserve(static_cast<std::size_t>(record.angles.size()));
    qsizetype size = 26 + 4 * static_cast<qsizetype>(record.loads.size());
    for (const QString& a : record.angles) {
        angles.push_back(ToCp1252(a));
        size += 2 + angles.back().size();
    }
    const QByteArray note = ToCp1252(NoteToFile(record.note));
    const QByteArray h0 = ToCp1252(record.heading0);
    const QByteArray h1 = ToCp1252(record.heading1);
    RecordWriter w(size + note.size() + h0.size() + h1.size());
    w.arrayDescriptor(static_cast<quint32>(angles.size()));
    for (const QByteArray& a : angles)
        w.text(a);
    w.arrayDescriptor(static_cast<quint32>(record.loads.size()));
    w.floats(record.loads);
    w.text(note);
    w.text(h0);
    w.text(h1);
    return w.bytes();
}

std::optional<PolarRecord> DecodePolarRecord(QIODevice& device, bool keepAngles)
{
    RecordReader in(device);
    PolarRecord rec;
    // No writer makes more data rows than a table holds; beyond that the
    // count is damage, and refusing it bounds what a file can make us keep.
    const std::optional<quint32> announced = in.arrayDescriptor();
    if (!announced || *announced > static_cast<quint32>(kMaxTableRows - 1))
        return std::nullopt;
    const quint32 m = *announced;
    // Each angle text takes at least its length, each load 4 bytes; then the
    // load descriptor and three text lengths.
    if (static_cast<qint64>(m) * 6 + 16 > in.remaining())
        return std::nullopt;
    rec.angleCount = m;
    if (keepAngles)
        rec.angles.reserve(m);
    for (quint32 i = 0; i < m; ++i) {
        if (keepAngles) {
            std::optional<QString> angle = in.text();
            if (!angle)
                return std::nullopt;
            rec.angles << std::move(*angle);
        } else if (!in.skipText()) {
            return std::nullopt;
        }
    }
    if (in.arrayDescriptor() != m)
        return std::nullopt;
    auto loads = in.floats(m);
    if (!loads)
        return std::nullopt;
    std::optional<RecordReader::Trailer> trailer = in.trailer();
    if (!trailer)
        return std::nullopt;
    rec.loads = std::move(*loads);
    rec.note = NoteFromFile(trailer->note);
    rec.heading0 = std::move(trailer->heading0);
    rec.heading1 = std::move(trailer->heading1);
    return rec;
}

std::optional<PolarRecord> DecodePolarRecord(const QByteArray& bytes, bool keepAngles)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return DecodePolarRecord(buffer, keepAngles);
}

namespace {

// Data rows that SetPolarRows lays out for an interval entry.
int rowsForInterval(const QString& interval)
{
    DataTable scratch;
    SetPolarRows(scratch, interval);
    return scratch.Rows() - 1;
}

} // namespace

bool PolarRecordFillsTable(const PolarRecord& record)
{
    return record.loads.size() >= static_cast<std::size_t>(rowsForInterval(PolarIntervalForCount(record.angleCount)));
}

Result<PolarRecord, ReadStatus> ReadPolarRecord(QIODevice& device)
{
    auto rec = DecodePolarRecord(device, false);
    if (rec && PolarRecordFillsTable(*rec))
        return std::move(*rec);
    return ReadFailure(ReadStatus::Failed, kPolarReadFailed).error();
}

QString ApplyPolarRecord(const PolarRecord& record, DataTable& table, const QString& note)
{
    SetPolarRows(table, PolarIntervalForCount(record.angleCount));
    const QLocale locale = QLocale::system();
    for (int r = 1; r < table.Rows() && static_cast<std::size_t>(r - 1) < record.loads.size(); ++r) {
        table.setCurrent(r, 1);
        table.setText(ShortFloatText(record.loads[static_cast<std::size_t>(r - 1)], locale));
    }
    return ApplyStoredTexts(record.note, record.heading0, record.heading1, table, note);
}

Result<QByteArray, SaveStatus> PolarFileBytes(const DataTable& table, const QString& note, const QLocale& locale)
{
    const auto record = PolarRecordFromTable(table, note, locale);
    if (!record)
        return record.error();
    return EncodePolarRecord(*record);
}

} // namespace tarvex
