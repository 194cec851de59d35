// The analyses against the least work their input takes.
//   Spine and bend of a 360-row polar table against a loop that reads the
//   360 load cells with the same number reader and sums them: the table
//   holds text, so reading the loads is the floor of anything done with them.
//   EI of 50 curves of 13 points against copying the same curves: the copy
//   makes the same allocations and moves the same points, so the ratio is
//   what the conversion itself adds. It writes twice the bytes it reads (six
//   figures a point against three) and divides once a point: about 3x, and
//   the goal of 4 leaves room for a busy machine.
#include "analysis/SpineAnalysis.h"
#include "analysis/Stiffness.h"
#include "numbers/Numbers.h"
#include "tables/DataTable.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <utility>
#include <vector>

using namespace tarvex;

namespace {

volatile double g_sink = 0;

// Median wall times of two calls, each repeated `inner` times, in
// microseconds per call, taken in alternation so that a busy machine weighs
// on both alike.
std::pair<double, double> medianMicros(const std::function<void()>& a, const std::function<void()>& b, int runs, int inner)
{
    std::vector<double> ta, tb;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        for (int k = 0; k < inner; ++k)
            a();
        ta.push_back(timer.nsecsElapsed() / 1000.0 / inner);
        timer.restart();
        for (int k = 0; k < inner; ++k)
            b();
        tb.push_back(timer.nsecsElapsed() / 1000.0 / inner);
    }
    std::nth_element(ta.begin(), ta.begin() + runs / 2, ta.end());
    std::nth_element(tb.begin(), tb.begin() + runs / 2, tb.end());
    return {ta[runs / 2], tb[runs / 2]};
}

} // namespace

int main()
{
    DataTable table;
    table.setRows(361);
    for (int i = 0; i < 360; ++i) {
        const double a = i * 3.14159265358979 / 180;
        table.setTextMatrix(i + 1, 0, NumberText(i));
        table.setTextMatrix(i + 1, 1, NumberText(std::round(800 + 12 * std::cos(2 * a) + 3 * std::sin(a)) / 100));
    }
    {
        const StrictNumberReader reader;
        const auto [measured, floor] = medianMicros(
            [&] { g_sink = g_sink + AnalyzeSpine(NumberRowsOf(table).points).spineAngle; },
            [&] {
                double sum = 0;
                for (int r = 1; r < table.Rows(); ++r)
                    sum += reader.toDouble(table.TextMatrix(r, 1)).value_or(0.0);
                g_sink = g_sink + sum;
            },
            31, 20);
        std::printf("BENCH spine_analysis_360_rows_us %.2f %.2f 20\n", measured, floor);
    }
    {
        std::vector<std::vector<RowPoint>> curves(50);
        for (std::size_t c = 0; c < curves.size(); ++c)
            for (int p = 0; p < 13; ++p)
                curves[c].push_back({p + 1, p * 3.0, 10.0 + p + static_cast<double>(c) / 10});
        BenchGeometry geometry;
        geometry.span = 15;
        geometry.deflection = 0.1;
        const auto [measured, floor] = medianMicros(
            [&] {
                for (const auto& c : curves)
                    g_sink = g_sink + ConvertToEi(c, geometry).points.back().nM2;
            },
            [&] {
                for (const auto& c : curves) {
                    const std::vector<RowPoint> copy = c;
                    g_sink = g_sink + copy.back().y;
                }
            },
            31, 200);
        std::printf("BENCH ei_50_curves_of_13_us %.2f %.2f 4\n", measured, floor);
    }
    return 0;
}
