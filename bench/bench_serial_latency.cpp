// Latency of a reading: from the last byte written to the pseudo-terminal to
// the live load box painting it, against the time the reading takes on a
// 9600-baud wire (10 bits a character).
#include "serial_bench.h"

#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <mutex>
#include <poll.h>
#include <random>
#include <thread>
#include <vector>

using namespace benchsupport;

namespace {

constexpr int kReadings = 300;

struct Shared {
    std::mutex lock;
    QString expected;                 // text the box must show next
    Clock::time_point written;        // when its last byte went out
    std::atomic<bool> seen {true};
    bool set = false;                 // the box holds the text (not yet painted)
    std::vector<double> toText;       // last byte -> text in the box
    std::vector<double> toPaint;      // last byte -> box painted with it
};

class PaintWatch : public QObject {
public:
    PaintWatch(QLineEdit* box, Shared& s) : box_(box), s_(s) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == box_ && event->type() == QEvent::Paint && !s_.seen.load()) {
            const Clock::time_point now = Clock::now();
            std::lock_guard<std::mutex> g(s_.lock);
            if (box_->text() == s_.expected) {
                s_.toPaint.push_back(msSince(s_.written, now));
                s_.seen.store(true);
            }
        }
        return false;
    }

    void textChanged(const QString& text)
    {
        const Clock::time_point now = Clock::now();
        std::lock_guard<std::mutex> g(s_.lock);
        if (!s_.set && text == s_.expected) {
            s_.toText.push_back(msSince(s_.written, now));
            s_.set = true;
        }
    }

private:
    QLineEdit* box_;
    Shared& s_;
};

// What the machine allows: the same writes read by a bare thread that
// waits in poll() on its own pseudo-terminal, timed to the read.
std::vector<double> bareReaderLatencies(int count)
{
    Pty pty;
    const int fd = ::open(pty.slave.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    termios t {};
    tcgetattr(fd, &t);
    cfmakeraw(&t);
    tcsetattr(fd, TCSANOW, &t);
    std::atomic<long long> writtenNs {0};
    std::atomic<bool> got {false};
    std::vector<double> latencies;
    std::thread reader([&] {
        char buf[256];
        for (int i = 0; i < count; ++i) {
            pollfd p {fd, POLLIN, 0};
            if (::poll(&p, 1, 1000) <= 0)
                break;
            const long long now = Clock::now().time_since_epoch().count();
            if (::read(fd, buf, sizeof buf) <= 0)
                break;
            latencies.push_back(static_cast<double>(now - writtenNs.load()) / 1e6);
            got.store(true);
        }
    });
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> pause(5, 20);
    for (int i = 0; i < count; ++i) {
        got.store(false);
        writtenNs.store(Clock::now().time_since_epoch().count());
        pty.write("123.45\r\n", 8);
        while (!got.load())
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        std::this_thread::sleep_for(std::chrono::milliseconds(pause(rng)));
    }
    reader.join();
    ::close(fd);
    return latencies;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const std::vector<double> bare = bareReaderLatencies(kReadings);
    Pty pty;
    Window w(pty.slave);
    Shared shared;
    PaintWatch watch(w.Tab0txtLoad, shared);
    w.Tab0txtLoad->installEventFilter(&watch);
    QObject::connect(w.Tab0txtLoad, &QLineEdit::textChanged, &watch, &PaintWatch::textChanged);

    QString sample;
    std::thread bench([&] {
        std::mt19937 rng(7);
        std::uniform_int_distribution<int> pause(5, 20);
        for (int i = 0; i < kReadings; ++i) {
            char line[32];
            const int n = std::snprintf(line, sizeof line, "%d.%02d\r\n", 100 + i, i % 100);
            {
                std::lock_guard<std::mutex> g(shared.lock);
                shared.expected = QString::fromLatin1(line, n - 2);
                shared.seen.store(false);
                shared.set = false;
                pty.write(line, static_cast<size_t>(n));
                shared.written = Clock::now();
            }
            const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(500);
            while (!shared.seen.load() && Clock::now() < deadline)
                std::this_thread::sleep_for(std::chrono::microseconds(200));
            std::this_thread::sleep_for(std::chrono::milliseconds(pause(rng)));
        }
        QMetaObject::invokeMethod(&app, &QCoreApplication::quit, Qt::QueuedConnection);
    });
    app.exec();
    bench.join();

    if (shared.toText.empty() || shared.toPaint.empty()) {
        std::fprintf(stderr, "no reading was shown\n");
        return 1;
    }
    auto pct = [](std::vector<double> l, double p) {
        std::sort(l.begin(), l.end());
        return l[std::min(l.size() - 1, static_cast<size_t>(p * static_cast<double>(l.size())))];
    };
    // "123.45" CR LF: 8 characters of 10 bits.
    const double wireMs = 8 * 10 * 1000.0 / 9600.0;
    std::printf("# %zu of %d readings reached the box; wire time of one %.3f ms\n", shared.toText.size(), kReadings, wireMs);
    std::printf("#   into the box:  p50 %.3f ms, p99 %.3f ms, max %.3f ms\n", pct(shared.toText, 0.5),
                pct(shared.toText, 0.99), pct(shared.toText, 1.0));
    std::printf("#   painted:       p50 %.3f ms, p99 %.3f ms, max %.3f ms (paints wait for the window's next frame)\n",
                pct(shared.toPaint, 0.5), pct(shared.toPaint, 0.99), pct(shared.toPaint, 1.0));
    std::printf("#   bare reader:   p50 %.3f ms, p99 %.3f ms (a thread in poll() on its own pseudo-terminal: the machine's floor)\n",
                pct(bare, 0.5), pct(bare, 0.99));
    std::printf("BENCH serial_latency_text_p99_ms %.4f %.4f 0.1\n", pct(shared.toText, 0.99), wireMs);
    std::printf("BENCH serial_latency_paint_p99_ms %.4f %.4f 0.1\n", pct(shared.toPaint, 0.99), wireMs);
    return static_cast<int>(shared.toText.size()) == kReadings ? 0 : 1;
}
