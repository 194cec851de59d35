#pragma once
// The recovery copy: what both tables and their notes held while they had
// unsaved changes, kept beside the program's data so that a crash, a killed
// program or a power cut loses at most the last second of a day's readings.
// Cells are kept as the text they showed, typed half-numbers included,
// because a copy that refuses what the data file refuses would lose exactly
// what the user had not yet put right.

#include "platform/Result.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

namespace tarvex {

struct RecoveredTable {
    int rows = 0;
    int cols = 0;
    QStringList cells;   // row by row, rows * cols texts, heading row included
    QString note;
    int row = 1;         // the current cell
    int col = 1;
    friend bool operator==(const RecoveredTable&, const RecoveredTable&) = default;
};

struct RecoveryCopy {
    QDateTime savedAt;                       // UTC
    std::optional<RecoveredTable> profile;   // only tables with unsaved changes
    std::optional<RecoveredTable> polar;
    friend bool operator==(const RecoveryCopy&, const RecoveryCopy&) = default;
};

// Why bytes are not a copy to restore. A copy cut short by the crash it was
// meant for is not restored half.
enum class RecoveryDamage {
    NotWhole,      // not a whole JSON object: cut short, or bytes damaged
    OtherFormat,   // not the copy this version writes
    Inconsistent,  // no time of saving, or a table whose cells do not fill it
    Empty,         // no table at all: nothing was unsaved, nothing is lost
};

QByteArray EncodeRecovery(const RecoveryCopy& copy);
// The copy, or why not (the words translated, context "Files").
Result<RecoveryCopy, RecoveryDamage> DecodeRecovery(const QByteArray& bytes);

// The file in the program's data folder.
QString DefaultRecoveryLocation();

} // namespace tarvex
