// A flood: the bench sending without pause at 115200 baud, first readings
// for 70 s, then 8 s of noise that never ends a line (a wrong baud rate); the
// first 2 s of each settle buffers and caches and are not measured. The
// event loop must never stall longer than a frame (16 ms), and memory must
// stay flat: its growth is set against the characters received.
#include "serial_bench.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTimer>
#include <atomic>
#include <random>
#include <thread>

using namespace benchsupport;

namespace {

constexpr double kCharsPerSecond = 115200 / 10.0;
constexpr int kChunk = 64;             // a USB adapter's packet
// What the window keeps of the readings covers its 30 s strip chart: memory
// may grow while that fills, by a fraction of what arrives in the first
// minute, and must stay flat after it.
constexpr double kFillSeconds = 60.0;
constexpr double kFlatSeconds = 8.0;

// Sends for `seconds` at the flood's rate; `make` fills the next chunk.
template <typename Make>
long long flood(const Pty& pty, double seconds, Make make)
{
    const Clock::time_point start = Clock::now();
    long long sent = 0;
    std::string chunk;
    while (msSince(start, Clock::now()) < seconds * 1000) {
        chunk.clear();
        make(chunk);
        pty.write(chunk.data(), chunk.size());
        sent += static_cast<long long>(chunk.size());
        const auto due = start + std::chrono::microseconds(static_cast<long long>(sent * 1e6 / kCharsPerSecond));
        std::this_thread::sleep_until(due);
    }
    return sent;
}

// CPU time of the calling thread: unlike the wall clock it does not count the
// time other processes on a busy machine held the processor.
double threadCpuMs()
{
    timespec ts {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

struct Phase {
    double stallMs = 0;               // wall clock
    double busyMs = 0;                // the user-interface thread's own work
    long memoryStartKiB = 0;
    long memoryEndKiB = 0;
    long long sent = 0;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    Pty pty;
    Window w(pty.slave);

    // Longest gap between ticks of a 1 ms timer, beyond the 1 ms: on the
    // wall clock, and in the thread's own processor time.
    double longest = 0;
    double longestBusy = 0;
    double cpuAtTick = threadCpuMs();
    QElapsedTimer sinceTick;
    sinceTick.start();
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longest = std::max(longest, static_cast<double>(sinceTick.nsecsElapsed()) / 1e6 - 1.0);
        sinceTick.restart();
        const double cpu = threadCpuMs();
        longestBusy = std::max(longestBusy, cpu - cpuAtTick);
        cpuAtTick = cpu;
    });
    long shown = 0;
    QObject::connect(w.Tab0txtLoad, &QLineEdit::textChanged, [&] { ++shown; });

    std::atomic<int> stage {0};
    Phase idle, readings, flat, noise;
    auto mark = [&](Phase& p, bool start) {
        // Read on the GUI thread, between events.
        QMetaObject::invokeMethod(&app, [&, start] {
            if (start) {
                longest = 0;
                longestBusy = 0;
                sinceTick.restart();
                cpuAtTick = threadCpuMs();
                p.memoryStartKiB = residentKiB();
            } else {
                p.stallMs = longest;
                p.busyMs = longestBusy;
                p.memoryEndKiB = residentKiB();
            }
            stage.fetch_add(1);
        }, Qt::BlockingQueuedConnection);
    };

    std::thread bench([&] {
        mark(idle, true);
        std::this_thread::sleep_for(std::chrono::seconds(1));
        mark(idle, false);

        std::mt19937 rng(3);
        std::uniform_int_distribution<int> centi(0, 99999);
        std::string pending;
        auto readingChunk = [&](std::string& chunk) {
            while (chunk.size() < kChunk) {
                if (pending.empty()) {
                    char line[32];
                    const int v = centi(rng);
                    pending.assign(line, static_cast<size_t>(std::snprintf(line, sizeof line, "%d.%02d\r\n", v / 100, v % 100)));
                }
                const size_t take = std::min(pending.size(), kChunk - chunk.size());
                chunk += pending.substr(0, take);
                pending.erase(0, take);
            }
        };
        // Two seconds to settle (buffers, glyph caches), then measure.
        flood(pty, 2.0, readingChunk);
        mark(readings, true);
        readings.sent = flood(pty, kFillSeconds, readingChunk);
        mark(readings, false);
        mark(flat, true);
        flat.sent = flood(pty, kFlatSeconds, readingChunk);
        mark(flat, false);

        std::uniform_int_distribution<int> byte(32, 126);
        auto noiseChunk = [&](std::string& chunk) {
            while (chunk.size() < kChunk)
                chunk.push_back(static_cast<char>(byte(rng)));
        };
        flood(pty, 2.0, noiseChunk);
        mark(noise, true);
        noise.sent = flood(pty, 6.0, noiseChunk);
        mark(noise, false);
        QMetaObject::invokeMethod(&app, &QCoreApplication::quit, Qt::QueuedConnection);
    });

    tick.start();
    app.exec();
    bench.join();

    const double readingsKiB = static_cast<double>(readings.sent) / 1024.0;
    const double noiseKiB = static_cast<double>(noise.sent) / 1024.0;
    const long readingsGrowth = readings.memoryEndKiB - readings.memoryStartKiB;
    const double flatKiB = static_cast<double>(flat.sent) / 1024.0;
    const long flatGrowth = flat.memoryEndKiB - flat.memoryStartKiB;
    const long noiseGrowth = noise.memoryEndKiB - noise.memoryStartKiB;
    std::printf("# longest gap of the event loop: wall clock (includes other processes holding the processor) / "
                "its own work\n");
    std::printf("#   idle:                      %.2f ms / %.2f ms\n", idle.stallMs, idle.busyMs);
    std::printf("#   readings, %.0f KiB in %.0f s: %.2f ms / %.2f ms; memory %ld -> %ld KiB\n", readingsKiB, kFillSeconds,
                readings.stallMs, readings.busyMs, readings.memoryStartKiB, readings.memoryEndKiB);
    std::printf("#   then %.0f KiB in %.0f s:      %.2f ms / %.2f ms; %ld readings shown in all; memory %ld -> %ld KiB\n",
                flatKiB, kFlatSeconds, flat.stallMs, flat.busyMs, shown, flat.memoryStartKiB, flat.memoryEndKiB);
    std::printf("#   noise, %.0f KiB in 6 s:     %.2f ms / %.2f ms; memory %ld -> %ld KiB\n", noiseKiB, noise.stallMs,
                noise.busyMs, noise.memoryStartKiB, noise.memoryEndKiB);
    // The floor of a stall is the frame the goal names; memory growth is set
    // against the characters that arrived meanwhile (keeping them all is 1).
    std::printf("BENCH serial_flood_longest_stall_ms %.3f 16 1\n", std::max({readings.busyMs, flat.busyMs, noise.busyMs}));
    std::printf("BENCH serial_flood_memory_growth_kib %ld %.1f 0.25\n", std::max(0L, readingsGrowth), readingsKiB);
    std::printf("BENCH serial_flood_memory_after_kib %ld %.1f 0.05\n", std::max(0L, flatGrowth), flatKiB);
    std::printf("BENCH serial_noise_memory_growth_kib %ld %.1f 0.05\n", std::max(0L, noiseGrowth), noiseKiB);
    return 0;
}
