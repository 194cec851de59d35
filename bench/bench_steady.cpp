// "Auto" on a stream of readings at 115200 baud, through the receiver as the
// window uses it (framing, the value of each line, steadiness, the automatic
// capture):
// - how long after a load becomes steady it is recorded, against the steady
//   window itself (a perfect recorder takes exactly the window);
// - the processor time all of it costs, against the wire time of the readings.
#include "device/ReadingReceiver.h"

#include <QCoreApplication>
#include <cstdio>
#include <ctime>

using namespace tarvex;

namespace {

constexpr double kBaud = 115200;
const QByteArray kLine20 = "20.000 kg\r\n";
const QByteArray kLine35 = "35.000 kg\r\n";

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
    const double lineMs = 1000.0 * 10 * double(kLine20.size()) / kBaud;
    qint64 nowUs = 0;   // wire time in microseconds
    ReadingReceiver rx;
    rx.setClock([&nowUs] { return nowUs / 1000; });
    double recordedAtUs = -1;
    QObject::connect(&rx, &ReadingReceiver::settled, [&](double v) {
        if (v > 30 && recordedAtUs < 0)
            recordedAtUs = double(nowUs);
    });
    rx.portOpened();

    // Two seconds at 20, then the load steps to 35 and stays for ten seconds.
    const double cpuBefore = cpuSeconds();
    double wireUs = 0;
    double stepAtUs = -1;
    long readings = 0;
    for (; wireUs < 12e6; wireUs += lineMs * 1000, ++readings) {
        nowUs = qint64(wireUs);
        const bool after = wireUs >= 2e6;
        if (after && stepAtUs < 0)
            stepAtUs = wireUs;
        rx.receive(after ? kLine35 : kLine20);
    }
    const double cpu = cpuSeconds() - cpuBefore;

    const double steadyMs = double(rx.settings().steadyMs);
    const double recordMs = recordedAtUs < 0 ? 1e9 : (recordedAtUs - stepAtUs) / 1000;
    std::printf("BENCH auto_record_after_steady_ms %.6g %.6g 1.1\n", recordMs, steadyMs);
    std::printf("BENCH steadiness_cpu_s_per_wire_s_115200 %.6g %.6g 0.01\n", cpu, wireUs / 1e6);
    std::fprintf(stderr, "%ld readings\n", readings);
    return 0;
}
