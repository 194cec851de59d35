// "Auto" on ten minutes of readings at 115200 baud, through the receiver as
// the window uses it (framing, the value of each line, steadiness, the
// automatic capture). The shaft moves every five seconds: the load dips, then
// holds at the next level with a little noise and now and then a garbled line.
// - how long after the last disturbed reading the level is recorded, at the
//   worst move, against the steady window itself (a perfect recorder takes
//   exactly the window: it needs a whole window of settled readings);
// - the processor time all of it costs, against the wire time of the readings.
#include "device/ReadingReceiver.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <random>

using namespace tarvex;

namespace {

constexpr double kBaud = 115200;
constexpr double kWireSeconds = 600;
constexpr double kHoldSeconds = 5;
constexpr double kDipSeconds = 0.3;

double cpuSeconds()
{
    timespec t {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::mt19937 rng(7);
    std::normal_distribution<double> noise(0.0, 0.002);
    std::uniform_real_distribution<double> chance(0.0, 1.0);

    qint64 nowUs = 0;   // wire time in microseconds
    ReadingReceiver rx;
    rx.setClock([&nowUs] { return nowUs / 1000; });
    int move = -1;            // the position the shaft is at
    int recordedMove = -2;    // the position recorded last
    double settledAtUs = 0;   // the last disturbed reading of this position
    double worstUs = 0;
    int records = 0, missed = 0;
    QObject::connect(&rx, &ReadingReceiver::settled, [&](double) {
        ++records;
        if (recordedMove != move)
            worstUs = std::max(worstUs, double(nowUs) - settledAtUs);
        recordedMove = move;
    });
    rx.portOpened();

    const double cpuBefore = cpuSeconds();
    double wireUs = 0;
    long readings = 0;
    while (wireUs < kWireSeconds * 1e6) {
        nowUs = qint64(wireUs);
        const int at = int(wireUs / (kHoldSeconds * 1e6));
        if (at != move) {
            if (move >= 0 && recordedMove != move)
                ++missed;
            move = at;
        }
        const double since = wireUs / 1e6 - at * kHoldSeconds;
        const double level = 20.0 + 5.0 * (at % 7);
        const bool dipping = at > 0 && since < kDipSeconds;
        if (dipping)
            settledAtUs = wireUs;
        QByteArray line = QByteArray::number((dipping ? level * 0.95 : level) + noise(rng), 'f', 3) + " kg";
        if (chance(rng) < 0.01)
            line.insert(2, "\x9c#");
        line += "\r\n";
        rx.receive(line);
        ++readings;
        wireUs += 1e6 * 10 * double(line.size()) / kBaud;
    }
    const double cpu = cpuSeconds() - cpuBefore;

    const double steadyMs = double(rx.window().settings().steadyMs);
    const double recordMs = missed > 0 ? 1e9 : worstUs / 1000;
    std::printf("BENCH auto_record_after_settled_ms %.6g %.6g 1.1\n", recordMs, steadyMs);
    std::printf("BENCH auto_cpu_s_per_wire_s_115200 %.6g %.6g 0.01\n", cpu, wireUs / 1e6);
    std::fprintf(stderr, "%ld readings, %d records, %d positions missed\n", readings, records, missed);
    return 0;
}
