#include "settings/ShopSettings.h"

#include <QSettings>

namespace tarvex {

ShopSettings ShopSettings::load(QSettings& s)
{
    return {s.value(QStringLiteral("Report/ShopName")).toString().trimmed(), MeterSettings::load(s)};
}

void ShopSettings::save(QSettings& s) const
{
    s.setValue(QStringLiteral("Report/ShopName"), name);
    meter.save(s);
}

} // namespace tarvex
