#include "settings/CaptureSettings.h"

#include "settings/StoredNumber.h"

#include <QSettings>

namespace tarvex {

CaptureSettings CaptureSettings::load(QSettings& s)
{
    CaptureSettings c;
    // A stored value that is out of range or not a number falls back to the
    // default rather than making every reading stale or never steady.
    c.freshMs = qint64(StoredNumber(s, "Bench/FreshMs", double(c.freshMs), 100, 60000));
    c.steadyMs = qint64(StoredNumber(s, "Bench/SteadyMs", double(c.steadyMs), 50, 10000));
    c.bandPercent = StoredNumber(s, "Bench/BandPercent", c.bandPercent, 0, 100);
    c.bandUnits = StoredNumber(s, "Bench/BandUnits", c.bandUnits, 0, 1e6);
    c.average = int(StoredNumber(s, "Bench/Average", c.average, 1, 1000));
    const QString unit = s.value(QStringLiteral("Bench/Unit")).toString();
    if (unit == QLatin1String("kg") || unit == QLatin1String("lbf") || unit == QLatin1String("N"))
        c.unit = unit;
    return c;
}

void CaptureSettings::save(QSettings& s) const
{
    s.setValue(QStringLiteral("Bench/FreshMs"), freshMs);
    s.setValue(QStringLiteral("Bench/SteadyMs"), steadyMs);
    s.setValue(QStringLiteral("Bench/BandPercent"), bandPercent);
    s.setValue(QStringLiteral("Bench/BandUnits"), bandUnits);
    s.setValue(QStringLiteral("Bench/Average"), average);
    s.setValue(QStringLiteral("Bench/Unit"), unit);
}

} // namespace tarvex
