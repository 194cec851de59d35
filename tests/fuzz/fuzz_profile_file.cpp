// Any bytes through the profile file reader: it must refuse or accept without
// crashing, and what it accepts must come out of the writer as the same bytes
// and fill a table.
#include "files/ProfileFile.h"
#include "tables/DataTable.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>

using namespace tarvex;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto record = DecodeProfileRecord(bytes);
    if (!record)
        return 0;
    // The note's line ends are the one thing the reader changes: a line feed
    // without its carriage return is written back with one.
    if (!record->note.contains(QLatin1Char('\n'))) {
        const QByteArray again = EncodeProfileRecord(*record);
        if (!bytes.startsWith(again))
            std::abort();
    }
    DataTable table;
    (void)ApplyProfileRecord(*record, table, QString());
    if (table.Rows() != static_cast<int>(record->x.size()))
        std::abort();
    return 0;
}
