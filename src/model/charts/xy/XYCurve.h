#pragma once
// One plotted version of the profile table and the list of them that the X/Y
// chart overlays. Curves are numbered from 1 in the order they were stored.

#include <QString>
#include <vector>

namespace tarvex {

struct XYCurve {
    std::vector<float> X;   // X[i - 1] holds the position of data row i
    std::vector<float> Y;   // Y[i - 1] holds the load of data row i
    // What the legend and the figure table call it: the file the table came
    // from, or the shaft's label in the library. Empty: only its number.
    QString name;
    // Its place in the palette, from 1; 0 takes the curve's number.
    int colour = 0;
};

using XYCurveList = std::vector<XYCurve>;

} // namespace tarvex
