#pragma once
// A profile file written from a table and read back into one by path, as the
// window's Save and Open do through the document, for benchmarks that time a
// whole round trip rather than one step of it.

#include "files/FileCommon.h"
#include "files/ProfileFile.h"
#include "tables/DataTable.h"

#include <QBuffer>

namespace tarvex::benchfiles {

inline SaveResult WriteProfileFile(const QString& path, const DataTable& table, const QString& note)
{
    return WriteDataBytes(path, ProfileFileBytes(table, note));
}

inline ReadResult ReadProfileFrom(QIODevice& device, DataTable& table, QString& note)
{
    auto record = ReadProfileRecord(device);
    if (!record)
        return record.error();
    note = ApplyProfileRecord(*record, table, note);
    return {};
}

inline ReadResult ReadProfileFile(const QString& path, DataTable& table, QString& note)
{
    return ReadDataFile(path, kProfileReadFailed, [&](QIODevice& device) { return ReadProfileFrom(device, table, note); });
}

inline ReadResult ReadProfileBytes(QByteArray bytes, DataTable& table, QString& note)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return ReadProfileFrom(buffer, table, note);
}

inline ReadResult LoadProfileRecord(const QString& path, ProfileRecord& record)
{
    return ReadDataFile(path, kProfileReadFailed, [&](QIODevice& device) -> ReadResult {
        auto read = ReadProfileRecord(device);
        if (!read)
            return read.error();
        record = std::move(*read);
        return {};
    });
}

} // namespace tarvex::benchfiles
