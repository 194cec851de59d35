#include "files/DataRecord.h"

#include "files/PolarFile.h"
#include "files/ProfileFile.h"

namespace tarvex {

Result<QString, ReadStatus> ReadDataRecord(QIODevice& device, bool polar, DataTable& table, const QString& note)
{
    if (polar) {
        const auto rec = ReadPolarRecord(device);
        if (!rec)
            return rec.error();
        return ApplyPolarRecord(*rec, table, note);
    }
    const auto rec = ReadProfileRecord(device);
    if (!rec)
        return rec.error();
    return ApplyProfileRecord(*rec, table, note);
}

} // namespace tarvex
