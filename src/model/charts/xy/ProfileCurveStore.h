#pragma once
// Copies the profile table into the curve store that the X/Y chart overlays.

#include "charts/xy/XYCurve.h"
#include "platform/MessageSink.h"
#include "platform/Result.h"

#include <QCoreApplication>
#include <QLocale>
#include <QString>

namespace tarvex {

class DataTable;

// What the X/Y chart keeps from one Plot to the next.
struct XYChartState {
    XYCurveList curves;
    // false: the next curve replaces the whole store (after Clear plot or New).
    bool curvesStored = false;
    // true: the table has not changed since its last copy, so Plot stores nothing.
    bool plotted = false;
};

// Translated where they are told (context "Chart").
inline constexpr const char* kInputNumbersOnly = QT_TRANSLATE_NOOP("Chart", "Input Numbers Only!");
inline constexpr const char* kOverflowMessage = QT_TRANSLATE_NOOP("Chart", "Overflow");

// Appends the table's data rows as a new curve called `name` (or makes it
// the only curve when curvesStored is false) and sets plotted. A cell that does not convert
// to a single-precision number stops it, its failure the message to tell: the
// curve stays stored with the values read so far and zeros after them, and
// plotted stays false.
Result<> StoreProfileCurve(const DataTable& table, XYChartState& chart, const QLocale& locale = QLocale::system(),
                           const QString& name = QString());

} // namespace tarvex
