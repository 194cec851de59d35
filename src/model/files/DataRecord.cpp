#include "files/DataRecord.h"

#include "files/PolarFile.h"
#include "files/ProfileFile.h"

namespace tarvex {

bool ReadDataRecord(QIODevice& device, bool polar, DataTable& table, QString& note)
{
    if (polar) {
        const auto rec = DecodePolarRecord(device, false);
        if (!rec || !PolarRecordFillsTable(*rec))
            return false;
        QString interval;
        ApplyPolarRecord(*rec, table, interval, note);
        return true;
    }
    const auto rec = DecodeProfileRecord(device);
    if (!rec)
        return false;
    ApplyProfileRecord(*rec, table, note);
    return true;
}

} // namespace tarvex
