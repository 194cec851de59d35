#pragma once
// A number kept in the settings file, or `fallback` when the stored text is
// not a number or lies outside [low, high].

#include <QLatin1String>
#include <QSettings>

namespace tarvex {

inline double StoredNumber(QSettings& settings, const char* key, double fallback, double low, double high)
{
    bool ok = false;
    const double v = settings.value(QLatin1String(key)).toDouble(&ok);
    return ok && v >= low && v <= high ? v : fallback;
}

} // namespace tarvex
