// The frequency prediction against reading the profile it is made from.
//   One prediction of a 40-row profile against reading the same profile
//   from disk into a table: the goal is 20x (a prediction well under a
//   millisecond).
//   A sweep of 60 tip trims, 0 to 3 in, against 60 readings of the file: the
//   same goal, which keeps the sweep well under 50 ms where a read takes
//   less than 40 us.
#include "analysis/Frequency.h"
#include "files/ProfileFile.h"
#include "numbers/Numbers.h"
#include "tables/DataTable.h"
#include "BenchFiles.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace tarvex;
using namespace tarvex::benchfiles;

namespace {

volatile double g_sink = 0;

double medianMicros(const std::function<void()>& work, int runs, int inner)
{
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        for (int k = 0; k < inner; ++k)
            work();
        t.push_back(static_cast<double>(timer.nsecsElapsed()) / 1000.0 / inner);
    }
    std::nth_element(t.begin(), t.begin() + runs / 2, t.end());
    return t[static_cast<std::size_t>(runs / 2)];
}

} // namespace

int main()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("forty.tvl"));
    DataTable table;
    table.setRows(41);
    for (int i = 0; i < 40; ++i) {
        table.setTextMatrix(i + 1, 0, NumberText(1.0 + i * 0.9));
        table.setTextMatrix(i + 1, 1, NumberText(10.0 + i * 0.6 + (i % 3) * 0.1));
    }
    if (!WriteProfileFile(path, table, QStringLiteral("Length: 39 in\nWeight: 120 g")).ok()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }
    FrequencyInput in;
    for (int i = 0; i < 40; ++i)
        in.ei.push_back({i + 1, 1.0 + i * 0.9, 2.018 * (10.0 + i * 0.6 + (i % 3) * 0.1)});
    in.shaft = {39.0, 120.0, 21.0};

    const auto read = [&] {
        DataTable t;
        QString note;
        // A file that did not read counts no rows.
        g_sink = g_sink + (ReadProfileFile(path, t, note).ok() ? t.Rows() : 0);
    };
    const double reading = medianMicros(read, 31, 50);
    const double one = medianMicros([&] { g_sink = g_sink + PredictFrequency(in).cpm; }, 31, 20);
    std::printf("BENCH frequency_one_prediction_40_rows_us %.2f %.2f 20\n", one, reading);

    const double sweep = medianMicros([&] {
        FrequencyInput trimmed = in;
        for (int k = 0; k < 60; ++k) {
            trimmed.trims.tip = k * 0.05;
            g_sink = g_sink + PredictFrequency(trimmed).cpm;
        }
    }, 5, 1);
    std::printf("BENCH frequency_sweep_60_tip_trims_us %.2f %.2f 20\n", sweep, 60 * reading);
    return 0;
}
