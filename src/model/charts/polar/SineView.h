#pragma once
// The polar table unrolled: the loads in table order as a curve over evenly
// spaced columns, the angle of each row under its column and the load scale
// of the polar chart at the left (+S on the top grid line, -S on the bottom).

#include <QColor>
#include <QString>
#include <optional>

namespace tarvex {

class DataTable;
class PictureArea;

inline const QString kSineViewFailure = QStringLiteral("The data input is not support...");

namespace sine_colors {
inline const QColor kGrid(80, 80, 80);
inline const QColor kFore(255, 255, 255);
inline const QColor kCurve(255, 0, 0);
} // namespace sine_colors

// Column step for a table of `rows` rows (heading included): 10000 / (rows - 2)
// in single precision, rounded to a whole number half to even. Empty for a
// table without two data rows.
std::optional<int> SineColumnStep(int rows);

// Left label of a grid line: the value like NumberText with a blank before a
// value of 0 or more and a blank after it.
QString SineScaleLabel(double value);

// Clears `SineDrawing` and draws grid, labels, zero line and curve. Returns
// false when the drawing had to stop (a scale range of 0, a column without a
// row, arithmetic out of range); what was drawn up to there stays.
bool DrawSineView(PictureArea& SineDrawing, const DataTable& table, const QString& rangeText);

} // namespace tarvex
