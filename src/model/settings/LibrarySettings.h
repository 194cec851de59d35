#pragma once
// Where the shaft library is, when not in this computer's own file:
// postgresql://user@host:port/database for one a shop shares, or a file.
// TARVEX_LIBRARY, when set, is used instead. Kept with QSettings under the
// key earlier runs wrote.

#include <QString>

class QSettings;

namespace tarvex {

struct LibrarySettings {
    QString address;

    static LibrarySettings load(QSettings& settings);
    void save(QSettings& settings) const;
    friend bool operator==(const LibrarySettings&, const LibrarySettings&) = default;
};

} // namespace tarvex
