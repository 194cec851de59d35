#pragma once
// The settings file written out when the user changes a setting, so that a
// change that cannot be kept is said at once rather than lost at exit.
#include "platform/Result.h"

#include <QString>

class QSettings;

namespace tarvex {

// Writes what `settings` holds to its file now. `secret`: it holds a
// password, so the file is made readable by its owner alone before anything
// is written to it. A failure names the file and the reason.
Result<> WriteSettingsFile(QSettings& settings, bool secret);

} // namespace tarvex
