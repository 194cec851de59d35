#include "library/LibraryTables.h"

#include "files/PolarFile.h"
#include "files/ProfileFile.h"
#include "tables/DataTable.h"

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

QByteArray MeasurementAsDataFile(const Measurement& m, QString* error)
{
    DataTable table;
    MeasurementIntoTable(m, table);
    SaveResult r;
    QByteArray bytes;
    if (m.kind == MeasurementKind::Polar) {
        PolarRecord record;
        if ((r = PolarRecordFromTable(table, m.note, record)).ok())
            bytes = EncodePolarRecord(record);
    } else {
        ProfileRecord record;
        if ((r = ProfileRecordFromTable(table, m.note, record)).ok())
            bytes = EncodeProfileRecord(record);
    }
    if (!r.ok() && error)
        *error = r.message.isEmpty() ? QStringLiteral("the measurement holds no data rows") : r.message;
    return bytes;
}

} // namespace tarvex
