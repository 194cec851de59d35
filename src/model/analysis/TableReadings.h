#pragma once
// The rows of a two-column table that hold two numbers, as plain values for
// the analysis routines. A row that is half typed, or holds a word, is not
// an error here: the figures are worked out from the rest and the row is
// named, so that the view can say which rows were left out.

#include <QLocale>
#include <vector>

namespace tarvex {

class DataTable;

struct RowPoint {
    int row = 0;        // the table's row number (1 is the first data row)
    double x = 0.0;     // angle in degrees, or position along the shaft
    double y = 0.0;     // load
};

struct TableReadings {
    std::vector<RowPoint> points;
    std::vector<int> skippedRows;
};

// Both cells read under the strict number rule of the chart and the files,
// in the number format of `locale`.
TableReadings NumberRowsOf(const DataTable& table, const QLocale& locale = QLocale::system());

} // namespace tarvex
