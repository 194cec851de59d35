// Any bytes through the polar file reader: refused or accepted without a
// crash; an accepted record is written back as the same bytes and, when it
// holds a load for every row, fills a table laid out for its interval.
#include "files/PolarFile.h"
#include "tables/DataTable.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace tarvex;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto record = DecodePolarRecord(bytes);
    if (!record)
        return 0;
    if (record->angles.size() != static_cast<qsizetype>(record->angleCount) || record->loads.size() != record->angleCount)
        std::abort();
    if (!record->note.contains(QLatin1Char('\n'))) {
        const QByteArray again = EncodePolarRecord(*record);
        if (!bytes.startsWith(again))
            std::abort();
    }
    // The reader proper skips the angle texts; it must agree on the rest.
    const auto skipped = DecodePolarRecord(bytes, false);
    // Compared bit for bit: a stored load may be a NaN.
    if (!skipped || skipped->loads.size() != record->loads.size() || skipped->note != record->note
        || (!record->loads.empty()
            && std::memcmp(skipped->loads.data(), record->loads.data(), record->loads.size() * sizeof(float)) != 0))
        std::abort();
    if (!PolarRecordFillsTable(*record))
        return 0;
    DataTable table;
    (void)ApplyPolarRecord(*record, table, QString());
    if (table.Rows() < 2 || static_cast<std::size_t>(table.Rows() - 1) > record->loads.size())
        std::abort();
    return 0;
}
