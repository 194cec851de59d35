// The serial port facility on Qt: line settings, the port folder of simulated
// benches, and a real pseudo-terminal playing the bench (its bytes read as
// Windows-1252); and which errors of an open port close it.
#include "Golden.h"
#include "device/PortPolicy.h"
#include "platform/QtSerialPort.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <cstdlib>
#include <memory>
#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

using namespace tarvex;

namespace {

// A pseudo-terminal: the test writes to `master` what the bench would send.
struct Pty {
    int master = -1;
    QString slave;
    Pty()
    {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
            return;
        slave = QString::fromLocal8Bit(ptsname(master));
    }
    ~Pty() { hangUp(); }
    bool write(const QByteArray& bytes) const
    {
        return ::write(master, bytes.constData(), static_cast<size_t>(bytes.size())) == bytes.size();
    }
    void hangUp()
    {
        if (master >= 0)
            ::close(master);
        master = -1;
    }
};

QStringList listedNames(SerialPort& port)
{
    QStringList names;
    const int n = port.portCount();
    for (int i = 0; i < n; ++i)
        names << port.portName(i);
    return names;
}

} // namespace

class TestSerialPort : public QObject {
    Q_OBJECT
private slots:
    // Every error is a line of tests/golden/portpolicy.txt, the system saying "No such device".
    void fatalErrors()
    {
        GOLDEN_VERIFY(golden::cases("portpolicy.txt", [](const QStringList& in) {
            const std::optional<QString> got = FatalPortError(PortError(in[0].toInt()), QStringLiteral("No such device"));
            return got ? "closes: " + *got : QStringLiteral("stays open");
        }));
    }

    // tests/golden/linesettings.txt: "rate,parity,data bits,stop bits" => rate,
    // parity, data and stop bits as numbered, or refused (a port keeps what it had).
    void lineSettings()
    {
        GOLDEN_VERIFY(golden::cases("linesettings.txt", [](const QStringList& in) {
            QtSerialPort port(QString{});
            port.setLineSettings(QStringLiteral("19200,E,7,2"));
            const bool taken = port.setLineSettings(in[0]);
            const LineSettings s = port.lineSettings();
            return QStringLiteral("%1%2 %3 %4 %5").arg(taken ? QString() : QStringLiteral("refused, kept "))
                .arg(s.baudRate).arg(int(s.parity)).arg(s.dataBits).arg(int(s.stopBits));
        }));
        QtSerialPort port(QString{});
        const Result<> missing = port.open(QStringLiteral("/nonexistent/ttyUSB9"));
        QVERIFY(!missing);
        QCOMPARE(missing.message(), QString::fromLocal8Bit(std::strerror(ENOENT)));
        QVERIFY(!port.isOpen());
        const Result<> unnamed = port.open(QString());
        QVERIFY(!unnamed);
        QVERIFY(!unnamed.message().isEmpty());
    }

    // tests/golden/ports.txt: what is in the folder (name>target a link, "pty"
    // the pseudo-terminal; a name alone a plain file) | how it is reached =>
    // the ports listed, the last of the port list.
    void portFolder()
    {
        GOLDEN_VERIFY(golden::cases("ports.txt", [](const QStringList& in) {
            QTemporaryDir dir, other;
            Pty pty;
            for (const QString& entry : in[0].split(QLatin1Char(' '))) {
                const QString name = dir.filePath(entry.section(QLatin1Char('>'), 0, 0)), target = entry.section(QLatin1Char('>'), 1);
                if (target.isEmpty())
                    golden::writeFile(name, {});
                else
                    QFile::link(target == QLatin1String("pty") ? pty.slave : target.startsWith(QLatin1Char('/')) ? target : dir.filePath(target), name);
            }
            QString folder = in[1] == QLatin1String("missing") ? dir.filePath(QStringLiteral("missing")) : dir.path();
            if (in[1] == QLatin1String("writable by all"))
                ::chmod(QFile::encodeName(folder).constData(), 0777);
            if (in[1] == QLatin1String("through a link"))
                QFile::link(dir.path(), folder = other.filePath(QStringLiteral("ports")));
            QStringList names;
            for (const QString& port : ListPortLinks(folder))
                names << QFileInfo(port).fileName();
            QtSerialPort port(folder);
            const int n = port.portCount();
            if (!names.isEmpty())
                names << QStringLiteral("| last ") + QFileInfo(port.portName(n - 1)).fileName();
            // The look taken ahead at start-up lists the same.
            QtSerialPort ahead(folder);
            QSignalSpy listed(&ahead, &SerialPort::portsListed);
            ahead.listPortsAhead();
            const bool same = listed.wait(5000) && listedNames(ahead) == listedNames(port);
            return names.join(QLatin1Char(' ')) + (port.portName(n).isEmpty() && port.portName(-1).isEmpty() ? QString() : QStringLiteral(" | NAMES OUTSIDE THE LIST"))
                + (same ? QString() : QStringLiteral(" | NOT SO AHEAD"));
        }));
    }

    // The look ahead answers the first portCount() only: the list taken
    // afresh when it drops down shows an adapter plugged in after start-up.
    // A port dropped while it looks waits for the look and is not told.
    void theLookAheadServesOnce()
    {
        QTemporaryDir dir;
        Pty pty;
        QtSerialPort port(dir.path());
        QSignalSpy listed(&port, &SerialPort::portsListed);
        port.listPortsAhead();
        QVERIFY(listed.wait(5000));
        const QString late = dir.filePath(QStringLiteral("late"));
        QVERIFY(QFile::link(pty.slave, late));
        QVERIFY(!listedNames(port).contains(late));
        QVERIFY(listedNames(port).contains(late));
        QCOMPARE(listed.count(), 1);

        auto dropped = std::make_unique<QtSerialPort>(dir.path());
        dropped->listPortsAhead();
        dropped.reset();
        QTest::qWait(50);
    }

    void receivesFromAPseudoTerminalAndReportsTheHangUpOnce()
    {
        QTemporaryDir dir;
        Pty pty;
        const QString link = dir.filePath(QStringLiteral("bench"));
        QVERIFY(QFile::link(pty.slave, link));
        QtSerialPort port(dir.path());
        port.setLineSettings(QStringLiteral("9600,N,8,1"));
        QSignalSpy received(&port, &SerialPort::received);
        QSignalSpy failed(&port, &SerialPort::failed);
        const Result<> opened = port.open(link);
        QVERIFY2(opened, qPrintable(opened.message()));
        QVERIFY(port.isOpen());

        QVERIFY(pty.write(QByteArray("12.5\x80\r\n")));
        QByteArray bytes;
        QTRY_VERIFY_WITH_TIMEOUT((bytes += port.readAll(), bytes.size() >= 7), 5000);
        QCOMPARE(bytes, QByteArray("12.5\x80\r\n"));
        QVERIFY(received.count() >= 1);

        pty.hangUp();
        QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 1, 5000);
        QVERIFY(!port.isOpen());
        QVERIFY(!failed.at(0).at(0).toString().isEmpty());
        QTest::qWait(200);
        QCOMPARE(failed.count(), 1);
        QCOMPARE(port.readAll(), QByteArray());
    }

    void closingByHandIsNotAFailure()
    {
        Pty pty;
        QtSerialPort port(QString{});
        QSignalSpy failed(&port, &SerialPort::failed);
        const Result<> opened = port.open(pty.slave);
        QVERIFY2(opened, qPrintable(opened.message()));
        port.close();
        QVERIFY(!port.isOpen());
        pty.hangUp();
        QTest::qWait(200);
        QCOMPARE(failed.count(), 0);
    }
};

QTEST_MAIN(TestSerialPort)
#include "tst_serialport.moc"
