#pragma once
// The spine and bend figures as a fitter reads them: one line each, label and
// value with its unit, in the user's number format. The polar tab's panel
// and the report show the same lines.

#include "analysis/SpineAnalysis.h"

#include <QLocale>
#include <QStringList>

namespace tarvex {

// `unit` is the load unit ("kg", "lbf", "N"), or empty when none is set.
QStringList SpineFigureLines(const SpineAnalysis& a, const QString& unit, const QLocale& locale = QLocale::system());

} // namespace tarvex
