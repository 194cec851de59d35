// "Auto" over simulated time: thousands of random sessions at a bench, each
// reading sent as bytes through the receiver's framing and line reading, on a
// clock the test sets, so no session waits for the wall clock.
//
// A session moves a shaft through positions: a profile's loads rising by
// steps both larger and smaller than the steady band, or a polar turn whose
// neighbouring angles may differ by less than the band. The load cell follows
// each move with a time constant, moving or turning the shaft dips the load
// for a few tenths of a second, and the line corrupts some readings with
// noise bytes (some of which still read as numbers).
//
// Whatever the session, with a disturbance or a clear change of level at each
// move, every position is recorded exactly once, in order, within 0.3 % of
// the load it settled to; nothing is written past the table or over a
// recorded cell; and a shaft left alone records nothing new.
//
// TARVEX_CAPTURE_SEED and TARVEX_CAPTURE_RUNS replay a failing session or
// run more of them.
#include "device/Capture.h"
#include "device/ReadingReceiver.h"
#include "numbers/Numbers.h"
#include "tables/DataTable.h"

#include <QtTest>
#include <cmath>
#include <random>

using namespace tarvex;

namespace {

struct Position {
    double load = 0;          // what the load settles to
    bool disturbed = false;   // the move there dips the load first
    double hold = 0;          // s the shaft stays there
};

struct Session {
    quint32 seed = 0;
    Workspace kind = Workspace::Profile;
    std::vector<Position> positions;
    int rows = 0;             // data rows of the table
    double noise = 0;         // standard deviation of the load cell's noise
    double tau = 0.5;         // time constant of the load cell, s
    double dipDepth = 0;      // fraction of the load a move takes off
    double dipSeconds = 0;
    double garbage = 0;       // chance a line is corrupted
    int hurried = -1;         // the position the operator leaves too early, if any
    double rate = 10;         // readings per second
    int decimals = 2;

    QString describe() const
    {
        QStringList loads;
        for (const Position& p : positions)
            loads << QString::number(p.load, 'f', 3) + (p.disturbed ? QStringLiteral("~") : QString())
                         + QStringLiteral("/%1s").arg(p.hold, 0, 'f', 1);
        return QStringLiteral("seed %1: %2, %3 rows, loads %4 (~ disturbed, /held), noise %5, tau %6 s, dip %7 % for %8 s, "
                              "garbage %9, %10 readings/s, %11 decimals%12")
            .arg(seed).arg(kind == Workspace::Polar ? QStringLiteral("polar") : QStringLiteral("profile")).arg(rows)
            .arg(loads.join(QLatin1Char(' '))).arg(noise).arg(tau).arg(dipDepth * 100).arg(dipSeconds).arg(garbage)
            .arg(rate).arg(decimals).arg(hurried < 0 ? QString() : QStringLiteral(", position %1 left early").arg(hurried));
    }
};

double Uniform(std::mt19937& rng, double low, double high)
{
    return std::uniform_real_distribution<double>(low, high)(rng);
}

Session MakeSession(quint32 seed)
{
    std::mt19937 rng(seed);
    Session s;
    s.seed = seed;
    s.kind = rng() % 2 ? Workspace::Polar : Workspace::Profile;
    // The scale of the loads, and a load cell from a quiet one to one whose
    // noise is close to the steady band a fitter sets.
    const double scale = Uniform(rng, 40.0, 250.0);
    s.noise = rng() % 4 == 0 ? 0.0 : Uniform(rng, 0.0, 0.06);
    s.tau = Uniform(rng, 0.2, 1.0);
    const bool disturbances = rng() % 3 != 0;
    s.dipDepth = Uniform(rng, 0.04, 0.08);
    s.dipSeconds = Uniform(rng, 0.3, 0.5);
    s.garbage = rng() % 3 == 0 ? 0.0 : Uniform(rng, 0.0, 0.3);
    s.rate = Uniform(rng, 10.0, 40.0);
    s.decimals = rng() % 2 ? 2 : 3;
    CaptureSettings settings;
    if (s.kind == Workspace::Profile) {
        // Tip to butt, some steps within the band, some well beyond it. A
        // move without a disturbance must change the level clearly: by more
        // than the band and the noise could hide.
        const int n = 4 + int(rng() % 9);
        double load = scale;
        for (int i = 0; i < n; ++i) {
            const double band = SteadyBand(load, settings);
            const bool small = i > 0 && rng() % 3 == 0;
            const double step = i == 0 ? 0.0 : small ? Uniform(rng, 0.0, band) : Uniform(rng, 3 * band + 10 * s.noise, 0.25 * scale);
            load += step;
            s.positions.push_back({load, i > 0 && (small || disturbances || rng() % 2 == 0)});
        }
    } else {
        // A turn in steps of 30 or 15 degrees: a spine of a few percent peak
        // to peak and a small bend, so neighbouring angles often differ by
        // less than the band. Turning the shaft always disturbs the load.
        const double mean = scale;
        const double spine = Uniform(rng, 0.5, 4.0) / 200 * mean;
        const double spineAt = Uniform(rng, 0.0, M_PI);
        const double bend = Uniform(rng, 0.0, 0.5);
        const double bendAt = Uniform(rng, 0.0, 2 * M_PI);
        const int step = rng() % 2 ? 30 : 15;
        for (int angle = 0; angle < 360; angle += step) {
            const double a = angle * M_PI / 180;
            s.positions.push_back({mean + spine * std::cos(2 * (a - spineAt)) + bend * std::cos(a - bendAt), angle > 0});
        }
    }
    // Long enough for the slowest cell to settle after the largest step, and
    // for a noisy one to show it has: a fitter watches the steady light.
    const double band = SteadyBand(scale, settings);
    for (Position& p : s.positions)
        p.hold = std::max(Uniform(rng, 3.0, 6.0), 7 * s.tau + 1.5) + 4 * std::min(1.0, 2 * s.noise / band);
    const int n = int(s.positions.size());
    // Now and then the operator moves on from a position once the load has
    // stopped moving but before a noisy cell has shown it settled; the move
    // on dips the load.
    if (n > 2 && rng() % 4 == 0) {
        s.hurried = 1 + int(rng() % quint32(n - 2));
        s.positions[std::size_t(s.hurried)].hold = s.dipSeconds + 5 * s.tau + Uniform(rng, 0.5, 1.5);
        s.positions[std::size_t(s.hurried) + 1].disturbed = true;
    }
    // Tables shorter than the session, as long, or with rows to spare.
    const int spare = int(rng() % 5) - 2;
    s.rows = std::max(1, n + spare);
    return s;
}

// A corrupted line as the wire delivers it: a burst of noise bytes, anything
// but CR and LF, somewhere inside the reading.
QByteArray Corrupt(std::mt19937& rng, QByteArray line)
{
    QByteArray burst;
    const int n = 1 + int(rng() % 8);
    while (burst.size() < n) {
        const char b = char(rng() % 256);
        if (b != '\r' && b != '\n')
            burst.append(b);
    }
    line.insert(qsizetype(rng() % quint32(line.size() + 1)), burst);
    return line;
}

struct SessionOutcome {
    QStringList faults;
    int corruptNumbers = 0;   // corrupted lines that still read as numbers
    bool missed = false;      // Auto stopped for a position left too early
};

SessionOutcome Play(const Session& s)
{
    std::mt19937 rng(s.seed ^ 0x5bd1e995u);
    std::normal_distribution<double> noise(0.0, 1.0);
    SessionOutcome out;

    qint64 now = 0;
    ReadingReceiver rx;
    rx.setClock([&now] { return now; });
    rx.portOpened();

    DataTable table(2);
    table.setRows(s.rows + 1);
    for (int r = 1; r <= s.rows; ++r)
        table.setTextMatrix(r, 0, QString::number(r));
    table.setCurrent(1, 1);

    // When the shaft arrives at each position, and leaves the last.
    std::vector<double> arrive {0};
    for (const Position& p : s.positions)
        arrive.push_back(arrive.back() + p.hold * 1000);
    // Each record with the position the shaft was at.
    bool autoOn = true;
    int position = 0;
    std::vector<std::vector<double>> recorded(s.positions.size() + 1);
    std::optional<std::pair<int, double>> missed;   // position, load
    QObject::connect(&rx, &ReadingReceiver::settled, [&](double value) {
        // A window needs the steady time at a load to settle there, so a
        // record sooner after a move confirms the position before it: the
        // reading that completed its window came as the shaft began to move.
        const bool confirmsPrevious = position > 0 && now - qint64(arrive[std::size_t(position)]) < CaptureSettings{}.steadyMs;
        recorded[std::size_t(position - (confirmsPrevious ? 1 : 0))].push_back(value);
        if (!autoOn)
            return;
        const int row = table.Row();
        const QString before = table.TextMatrix(row, 1);
        const AutoOutcome o = AutoCaptureInto(table, s.kind, value, QLocale::c());
        if (o == AutoOutcome::Recorded || o == AutoOutcome::TableFull) {
            if (!before.isEmpty())
                out.faults << QStringLiteral("row %1 holding %2 was overwritten").arg(row).arg(before);
        }
        if (o != AutoOutcome::Recorded)
            autoOn = false;
    });
    QObject::connect(&rx, &ReadingReceiver::missed, [&](double value) {
        if (!missed)
            missed = {position, value};
        autoOn = false;
    });

    const int n = int(s.positions.size());
    // After the last position the shaft stays where it is for a long while.
    const double endMs = arrive.back() + 20000;
    const double period = 1000.0 / s.rate;
    double level = s.positions[0].load;
    double t = 0;
    int at = 0;
    for (long k = 0; t < endMs; ++k, t = double(k) * period) {
        const double previous = now;
        now = qint64(t);
        while (at < n - 1 && t >= arrive[std::size_t(at) + 1])
            ++at;
        position = t >= arrive.back() ? n : at;
        const Position& p = s.positions[std::size_t(at)];
        const double since = t - arrive[std::size_t(at)];
        const double target = p.disturbed && since < s.dipSeconds * 1000 ? p.load * (1 - s.dipDepth) : p.load;
        level += (target - level) * (1 - std::exp(-(t - previous) / 1000 / s.tau));
        const double value = level + s.noise * noise(rng);
        QByteArray line = QByteArray::number(value, 'f', s.decimals);
        const bool garbled = std::uniform_real_distribution<double>(0, 1)(rng) < s.garbage;
        if (garbled) {
            line = Corrupt(rng, line);
            if (ReadingValue(QString::fromLatin1(line)))
                ++out.corruptNumbers;
        }
        line += "\r\n";
        // The port hands the bytes over in one or two deliveries.
        const qsizetype cut = qsizetype(rng() % quint32(line.size()));
        rx.receive(line.left(cut));
        rx.receive(line.mid(cut));
    }

    // A position left early may go unrecorded, but only if Auto stopped and
    // said so before the next position's load could take its row; the rows
    // from it on stay empty.
    int filled = n;
    if (missed) {
        const bool early = s.hurried >= 0 && recorded[std::size_t(s.hurried)].empty()
                        && (missed->first == s.hurried || missed->first == s.hurried + 1)
                        && std::fabs(missed->second - s.positions[std::size_t(s.hurried)].load) <= 0.01 * s.positions[std::size_t(s.hurried)].load;
        if (!early)
            out.faults << QStringLiteral("Auto stopped at position %1 for a missed load of %2").arg(missed->first).arg(missed->second);
        filled = s.hurried;
    }
    for (int i = 0; i < n; ++i) {
        const std::vector<double>& r = recorded[std::size_t(i)];
        const double load = s.positions[std::size_t(i)].load;
        QStringList values;
        for (double v : r)
            values << QString::number(v);
        // Auto is off from a missed position on: what the capture would
        // have recorded after it fills no row.
        if (missed && i >= s.hurried) {
            continue;
        } else if (r.size() != 1) {
            out.faults << QStringLiteral("position %1 (%2) recorded %3 times: %4").arg(i).arg(load).arg(r.size()).arg(values.join(QLatin1Char(' ')));
        } else if (std::fabs(r[0] - load) > 0.003 * load) {
            out.faults << QStringLiteral("position %1 recorded %2, settled to %3").arg(i).arg(r[0]).arg(load);
        }
    }
    if (!recorded[std::size_t(n)].empty())
        out.faults << QStringLiteral("%1 records while the shaft was left alone").arg(recorded[std::size_t(n)].size());
    // The table: the first positions in order, one a row, and Auto off once
    // the last row was filled.
    for (int row = 1; row <= s.rows; ++row) {
        const QString cell = table.TextMatrix(row, 1);
        const int i = row - 1;
        const QString want = i < filled && recorded[std::size_t(i)].size() == 1 ? NumberText(recorded[std::size_t(i)][0]) : QString();
        if (cell != want)
            out.faults << QStringLiteral("row %1 holds \"%2\", expected \"%3\"").arg(row).arg(cell, want);
    }
    if (table.Rows() != s.rows + 1)
        out.faults << QStringLiteral("the table grew to %1 rows").arg(table.Rows() - 1);
    if (!missed && autoOn != (s.rows > n))
        out.faults << (autoOn ? QStringLiteral("Auto still on with the table full") : QStringLiteral("Auto went off with rows to fill"));
    out.missed = missed.has_value();
    return out;
}

} // namespace

class TestCapture : public QObject {
    Q_OBJECT
private slots:
    // In batches, so a slow (sanitizer) build stays within each test
    // function's time limit.
    void sessions_data()
    {
        QTest::addColumn<quint32>("first");
        QTest::addColumn<int>("runs");
        const quint32 first = quint32(qEnvironmentVariableIntValue("TARVEX_CAPTURE_SEED"));
        const int runs = qEnvironmentVariableIsSet("TARVEX_CAPTURE_RUNS") ? qEnvironmentVariableIntValue("TARVEX_CAPTURE_RUNS")
                       : qEnvironmentVariableIsSet("TARVEX_CAPTURE_SEED") ? 1 : 3000;
        constexpr int kBatch = 500;
        for (int from = 0; from < runs; from += kBatch)
            QTest::addRow("seeds %u..", first + quint32(from)) << first + quint32(from) << std::min(kBatch, runs - from);
    }

    void sessions()
    {
        QFETCH(quint32, first);
        QFETCH(int, runs);
        QStringList failed;
        for (int i = 0; i < runs; ++i) {
            const Session s = MakeSession(first + quint32(i));
            const SessionOutcome o = Play(s);
            corruptNumbers_ += o.corruptNumbers;
            missed_ += o.missed ? 1 : 0;
            ++runs_;
            if (!o.faults.isEmpty())
                failed << s.describe() + QStringLiteral("\n    ") + o.faults.join(QStringLiteral("\n    "));
        }
        if (!failed.isEmpty())
            QFAIL(qPrintable(QStringLiteral("%1 of %2 sessions failed; the first:\n").arg(failed.size()).arg(runs)
                             + failed.mid(0, 5).join(QLatin1Char('\n'))));
    }

    void cleanupTestCase()
    {
        // The line corrupts readings into other numbers too, or the
        // sessions would not try what the median is for; nor would they
        // try a position left too early.
        qInfo("%d sessions, %d corrupted lines read as numbers, %d positions left too early", runs_, corruptNumbers_, missed_);
        if (runs_ >= 1000) {
            QVERIFY2(corruptNumbers_ > 0, "no corrupted line read as a number");
            QVERIFY2(missed_ > 0, "no position was left too early for Auto");
        }
    }

private:
    int runs_ = 0;
    int corruptNumbers_ = 0;
    int missed_ = 0;
};

QTEST_APPLESS_MAIN(TestCapture)
#include "tst_capture.moc"
