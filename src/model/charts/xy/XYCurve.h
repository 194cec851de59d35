#pragma once
// One plotted version of the profile table and the list of them that the X/Y
// chart overlays. Curves are numbered from 1 in the order they were stored.

#include <vector>

namespace tarvex {

struct XYCurve {
    std::vector<float> X;   // X[i - 1] holds the position of data row i
    std::vector<float> Y;   // Y[i - 1] holds the load of data row i
};

using XYCurveList = std::vector<XYCurve>;

} // namespace tarvex
