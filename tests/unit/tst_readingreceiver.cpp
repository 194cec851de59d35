// The receiver: deliveries as the serial port hands them over (tests/golden/rx.txt,
// each field's characters taken as bytes), what the live load box is sent after
// each, what waits for the next line end and how much was given up.
#include "Golden.h"
#include "device/ReadingReceiver.h"
#include "settings/AppSettings.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

using namespace tarvex;

namespace {

// steady | average | readings "ms:value ..." => at the last reading: the
// steady level and noise, and what "Add" records when averaging.
// auto | readings => what "Auto" records, reading by reading.
QString steadiness(const QStringList& in)
{
    CaptureSettings settings;
    settings.average = in[0] == QLatin1String("steady") ? in[1].toInt() : 1;
    SteadyWindow window;
    window.setSettings(settings);
    AutoCapture capture;
    QStringList recorded;
    qint64 now = 0;
    for (const QString& r : in.last().split(QLatin1Char(' '))) {
        now = r.section(QLatin1Char(':'), 0, 0).toLongLong();
        window.add(now, r.section(QLatin1Char(':'), 1).toDouble());
        if (const auto s = capture.next(window, now))
            recorded << QStringLiteral("%1@%2").arg(s->level).arg(now);
        if (const auto m = capture.takeMissed())
            recorded << QStringLiteral("missed %1@%2").arg(*m).arg(now);
    }
    if (in[0] == QLatin1String("auto"))
        return recorded.join(QLatin1Char(' '));
    const auto s = window.steady(now);
    const auto a = window.averaged(now);
    return (s ? QStringLiteral("steady %1 noise %2").arg(s->level).arg(s->noise, 0, 'g', 2) : QStringLiteral("not steady"))
        + (a ? QStringLiteral(" | records %1 sd %2").arg(a->mean).arg(a->deviation, 0, 'g', 3) : QStringLiteral(" | records nothing"));
}

// kept | average | ms between readings | seconds => what the steady window
// and the strip chart hold at the end of a line of readings 0, 1, 2, ...
QString kept(const QStringList& in)
{
    CaptureSettings settings;
    settings.average = in[1].toInt();
    SteadyWindow window;
    window.setSettings(settings);
    StripHistory strip;
    const qint64 every = in[2].toLongLong();
    qint64 at = 0;
    for (int i = 0; at <= in[3].toLongLong() * 1000; ++i, at += every) {
        window.add(at, i % 3);
        strip.add(at, i % 3);
    }
    const auto& c = strip.columns();
    return QStringLiteral("window %1 readings from %2 ms, strip %3 columns from %4 ms, last %5..%6")
        .arg(window.readings().size()).arg(window.readings().front().first).arg(c.size()).arg(c.front().at)
        .arg(c.back().low).arg(c.back().high);
}

// settings | stored "key=value;..." => the settings read back
QString storedSettings(const QString& stored)
{
    QTemporaryDir dir;
    QSettings s(dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat);
    for (const QString& kv : stored.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        s.setValue(QStringLiteral("Bench/") + kv.section(QLatin1Char('='), 0, 0), kv.section(QLatin1Char('='), 1));
    const CaptureSettings c = CaptureSettings::load(s);
    const GeometrySettings g = GeometrySettings::load(s);
    c.save(s);
    g.save(s);
    const bool kept = CaptureSettings::load(s) == c && GeometrySettings::load(s) == g;
    const QString missing = MissingForEi(g, c.unit);
    return QStringLiteral("fresh %1 ms, steady %2 ms, band %3 % or %4, average %5, unit \"%6\", span %7 %8, deflection %9 %8, compliance %10%11")
        .arg(c.freshMs).arg(c.steadyMs).arg(c.bandPercent).arg(c.bandUnits).arg(c.average).arg(c.unit)
        .arg(g.span).arg(g.lengthUnit).arg(g.deflection).arg(g.compliance)
        .arg((missing.isEmpty() ? QString() : QStringLiteral(" (EI lacks %1)").arg(missing)) + (kept ? QString() : QStringLiteral(" (NOT KEPT)")));
}

// settings file | a file written by an earlier run => whether this run reads
// every value of it and writes each back exactly as it stood
QString settingsFile(const QString& name)
{
    QTemporaryDir dir;
    const QString kept = dir.filePath(QStringLiteral("kept.ini")), written = dir.filePath(QStringLiteral("written.ini"));
    golden::writeFile(kept, golden::read(QStringLiteral("settings/") + name));
    QSettings earlier(kept, QSettings::IniFormat);
    const AppSettings app = AppSettings::load(earlier, {QStringLiteral("cmbCommPort"), QStringLiteral("Tab0txtStart"), QStringLiteral("Tab0txtInterv")});
    {
        QSettings again(written, QSettings::IniFormat);
        app.saveEdited(again);
        app.window.save(again);
        app.window.saveRecentFiles(again);
    }
    const QByteArray before = golden::fileBytes(kept), after = golden::fileBytes(written);
    return before == after ? QStringLiteral("written back unchanged") : golden::show(QString::fromUtf8(after));
}

} // namespace

class TestReadingReceiver : public QObject {
    Q_OBJECT
private slots:
    // "{long}" stands for a line exactly at the bound, "{3 ab}" for "ababab".
    void deliveries()
    {
        GOLDEN_VERIFY(golden::cases("rx.txt", [](const QStringList& in) {
            if (in[0] == QLatin1String("value")) {
                int places = -1;
                const std::optional<double> v = ReadingValue(in[1], &places);
                return v ? QString::number(*v, 'g', 17) + (std::signbit(*v) ? QStringLiteral(" (negative)") : QString())
                               + QStringLiteral(" at %1 places").arg(places)
                         : QStringLiteral("not a reading");
            }
            if (in[0] == QLatin1String("steady") || in[0] == QLatin1String("auto"))
                return steadiness(in);
            if (in[0] == QLatin1String("kept"))
                return kept(in);
            if (in[0] == QLatin1String("settings"))
                return storedSettings(in[1]);
            if (in[0] == QLatin1String("settings file"))
                return settingsFile(in[1]);
            ReadingReceiver rx;
            QStringList sent;
            connect(&rx, &ReadingReceiver::reading, [&](const QString& r) { sent << r; });
            QStringList shown;
            for (QString chunk : in.mid(1)) {
                sent.clear();
                const RxFramed framed = rx.receive(golden::expand(chunk.replace(QLatin1String("{long}"), QString(kRxBufferLimit, '0'))).toLatin1());
                shown << (framed.damaged ? QStringLiteral("<damaged>") : sent.size() == 1 ? golden::show(sent[0]).replace(QString(kRxBufferLimit, '0'), QLatin1String("{long}")) : sent.isEmpty() ? QStringLiteral("-") : QStringLiteral("SENT %1").arg(sent.size()));
                if (rx.pending().size() > kRxBufferLimit + 1)
                    return QStringLiteral("kept %1 characters").arg(rx.pending().size());
            }
            return shown.join(QLatin1Char(' ')) + QStringLiteral(" | kept ") + golden::show(rx.pending()) + QStringLiteral(" | given up %1").arg(rx.dropped());
        }));
    }
};

QTEST_APPLESS_MAIN(TestReadingReceiver)
#include "tst_readingreceiver.moc"
