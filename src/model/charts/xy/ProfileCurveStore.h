#pragma once
// Copies the profile table into the curve store that the X/Y chart overlays.
// Two flags steer it: CurvesStored (false: the next curve replaces the whole
// store) and ProfilePlotted (true: the table has not changed since its last
// copy, so Plot stores nothing).

#include "charts/xy/XYCurve.h"
#include "platform/MessageSink.h"

#include <QLocale>
#include <QString>

namespace tarvex {

class DataTable;

inline const QString kInputNumbersOnly = QStringLiteral("Input Numbers Only!");
inline const QString kOverflowMessage = QStringLiteral("Overflow");

// Appends the table's data rows as a new curve (or makes it the only curve
// when CurvesStored is false) and sets ProfilePlotted. A cell that does not
// convert to a single-precision number stops it with a message: the curve
// stays stored with the values read so far and zeros after them, and
// ProfilePlotted stays false. Returns whether every cell converted.
bool StoreProfileCurve(const DataTable& table, XYCurveList& XYCurves, bool& CurvesStored, bool& ProfilePlotted,
                       const MessageSink& message, const QLocale& locale = QLocale::system());

} // namespace tarvex
