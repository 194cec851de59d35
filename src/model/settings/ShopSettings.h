#pragma once
// The shop: its name, printed at the head of the report and a set's
// certificate, and its frequency meter, which the predictions are made for.
// Kept with QSettings under the keys earlier runs wrote.

#include "analysis/FrequencyText.h"

#include <QString>

class QSettings;

namespace tarvex {

struct ShopSettings {
    QString name;
    MeterSettings meter;

    static ShopSettings load(QSettings& settings);
    void save(QSettings& settings) const;
    friend bool operator==(const ShopSettings&, const ShopSettings&) = default;
};

} // namespace tarvex
