#include "library/LibraryTables.h"

#include "files/DataRecord.h"
#include "files/PolarFile.h"
#include "files/ProfileFile.h"
#include "numbers/Numbers.h"
#include "tables/DataTable.h"

#include <QBuffer>
#include <QCoreApplication>

#include <cmath>

namespace tarvex {

void TableIntoMeasurement(const DataTable& table, Measurement& m)
{
    m.heading0 = table.TextMatrix(0, 0);
    m.heading1 = table.TextMatrix(0, 1);
    m.rows.clear();
    for (int r = 1; r < table.Rows(); ++r)
        m.rows.emplace_back(table.TextMatrix(r, 0), table.TextMatrix(r, 1));
}

void MeasurementIntoTable(const Measurement& m, DataTable& table)
{
    table.setRows(int(m.rows.size()) + 1);
    table.setTextMatrix(0, 0, m.heading0);
    table.setTextMatrix(0, 1, m.heading1);
    for (std::size_t r = 0; r < m.rows.size(); ++r) {
        table.setTextMatrix(int(r + 1), 0, m.rows[r].first);
        table.setTextMatrix(int(r + 1), 1, m.rows[r].second);
    }
}

Result<QByteArray> MeasurementAsDataFile(const Measurement& m)
{
    DataTable table;
    MeasurementIntoTable(m, table);
    auto bytes = m.kind == MeasurementKind::Polar ? PolarFileBytes(table, m.note) : ProfileFileBytes(table, m.note);
    if (bytes)
        return std::move(*bytes);
    return Failure(bytes.message().isEmpty() ? QCoreApplication::translate("Library", "the measurement holds no data rows") : bytes.message());
}

namespace {

std::optional<double> exact(float v)
{
    // SQLite keeps a NaN as NULL; PostgreSQL would keep it, but both are read
    // alike this way, and the data file beside the row keeps the bits.
    return std::isnan(v) ? std::nullopt : std::optional<double>(double(v));
}

} // namespace

Result<std::vector<StoredRow>> DataFileRows(MeasurementKind kind, const QByteArray& bytes)
{
    const Failure<> notOfKind(kind == MeasurementKind::Polar
                                  ? QCoreApplication::translate("Library", "its data file does not read as a polar file")
                                  : QCoreApplication::translate("Library", "its data file does not read as a profile file"));
    std::vector<StoredRow> rows;
    if (kind == MeasurementKind::Polar) {
        const auto rec = DecodePolarRecord(bytes, true);
        if (!rec)
            return notOfKind;
        for (std::size_t i = 0; i < rec->loads.size(); ++i) {
            const QString& angle = rec->angles.at(qsizetype(i));
            rows.push_back({StrictDouble(angle, QLocale::c()), exact(rec->loads[i]), angle, {}});
        }
        return rows;
    }
    const auto rec = DecodeProfileRecord(bytes);
    if (!rec)
        return notOfKind;
    // The arrays hold one element per table row, the heading's last.
    for (std::size_t i = 0; i + 1 < rec->x.size(); ++i)
        rows.push_back({exact(rec->x[i]), exact(rec->y[i]), {}, {}});
    return rows;
}

Result<> RowsFromDataFile(Measurement& m)
{
    QByteArray bytes = m.dataFile;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    DataTable table;
    if (!ReadDataRecord(buffer, m.kind == MeasurementKind::Polar, table))
        return Failure(QCoreApplication::translate("Library", "the data file does not read"));
    TableIntoMeasurement(table, m);
    return {};
}

std::optional<float> StoredCellNumber(const QString& text)
{
    QString t = text.trimmed();
    // No table ever wrote a group separator, so a text with both marks, or
    // with either twice, is not a number in any language.
    if (t.count(QLatin1Char('.')) + t.count(QLatin1Char(',')) > 1)
        return std::nullopt;
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    const StrictFloatResult v = StrictFloat(t, QLocale::c());
    return v.status == FloatConversion::Ok ? std::optional<float>(v.value) : std::nullopt;
}

QByteArray DataFileFromRows(MeasurementKind kind, const std::vector<StoredRow>& rows, const QString& note,
                            const QString& heading0, const QString& heading1)
{
    for (const StoredRow& r : rows)
        if (!r.y || (kind == MeasurementKind::Profile && !r.x))
            return {};
    if (kind == MeasurementKind::Polar) {
        PolarRecord rec;
        rec.angleCount = quint32(rows.size());
        for (const StoredRow& r : rows) {
            rec.angles << r.xText;
            rec.loads.push_back(float(*r.y));
        }
        rec.note = note, rec.heading0 = heading0, rec.heading1 = heading1;
        return EncodePolarRecord(rec);
    }
    ProfileRecord rec;
    for (const StoredRow& r : rows) {
        rec.x.push_back(float(*r.x));
        rec.y.push_back(float(*r.y));
    }
    rec.x.push_back(0.0f);
    rec.y.push_back(0.0f);
    rec.note = note, rec.heading0 = heading0, rec.heading1 = heading1;
    return EncodeProfileRecord(rec);
}

} // namespace tarvex
