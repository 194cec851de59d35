#include "settings/LibrarySettings.h"

#include <QSettings>

namespace tarvex {

LibrarySettings LibrarySettings::load(QSettings& s)
{
    return {s.value(QStringLiteral("Library/Address")).toString().trimmed()};
}

void LibrarySettings::save(QSettings& s) const
{
    s.setValue(QStringLiteral("Library/Address"), address);
}

} // namespace tarvex
