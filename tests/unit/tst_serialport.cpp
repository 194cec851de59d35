// The serial port facility on Qt: line settings, the port folder of simulated
// benches, and a real pseudo-terminal playing the bench (its bytes read as
// Windows-1252).
#include "Golden.h"
#include "platform/QtSerialPort.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <cstdlib>
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

LineSettings settings(int baud, LineParity p, int data, LineStopBits stop)
{
    LineSettings s;
    s.baudRate = baud;
    s.parity = p;
    s.dataBits = data;
    s.stopBits = stop;
    return s;
}

} // namespace

class TestSerialPort : public QObject {
    Q_OBJECT
private slots:
    // tests/golden/linesettings.txt: "rate,parity,data bits,stop bits" => rate,
    // parity, data and stop bits as numbered, or refused.
    void lineSettings()
    {
        GOLDEN_VERIFY(golden::cases("linesettings.txt", [](const QStringList& in) {
            const std::optional<LineSettings> s = ParseLineSettings(in[0]);
            return s ? QStringLiteral("%1 %2 %3 %4").arg(s->baudRate).arg(int(s->parity)).arg(s->dataBits).arg(int(s->stopBits))
                     : QStringLiteral("refused");
        }));
        // An unreadable text leaves the settings as they were.
        QtSerialPort port(QString{});
        QVERIFY(port.setLineSettings(QStringLiteral("19200,E,7,2")));
        QVERIFY(!port.setLineSettings(QStringLiteral("19200;E;7;2")));
        QVERIFY(port.lineSettings() == settings(19200, LineParity::Even, 7, LineStopBits::Two));
        port.setByteSetting(32);
        QCOMPARE(port.byteSetting(), quint8(32));
        QString error;
        QVERIFY(!port.open(QStringLiteral("/nonexistent/ttyUSB9"), &error));
        QCOMPARE(error, QString::fromLocal8Bit(std::strerror(ENOENT)));
        QVERIFY(!port.isOpen());
        error.clear();
        QVERIFY(!port.open(QString(), &error));
        QVERIFY(!error.isEmpty());
    }

    void portFolderListsLinksToCharacterDevices()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        Pty pty;
        QVERIFY(!pty.slave.isEmpty());
        QFile regular(dir.filePath(QStringLiteral("plain")));
        QVERIFY(regular.open(QIODevice::WriteOnly));
        regular.close();
        QVERIFY(QFile::link(pty.slave, dir.filePath(QStringLiteral("b-bench"))));
        QVERIFY(QFile::link(pty.slave, dir.filePath(QStringLiteral("a-bench"))));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("plain")), dir.filePath(QStringLiteral("to-file"))));
        QVERIFY(QFile::link(QStringLiteral("/dev/pts/nonexistent-9999"), dir.filePath(QStringLiteral("dangling"))));
        QCOMPARE(ListPortLinks(dir.path()),
                 QStringList({dir.filePath(QStringLiteral("a-bench")), dir.filePath(QStringLiteral("b-bench"))}));

        // Nobody else may plant ports: a folder others can write into is ignored.
        QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0777) == 0);
        QCOMPARE(ListPortLinks(dir.path()), QStringList());
        QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0700) == 0);

        // So is a link standing in for the folder.
        QTemporaryDir other;
        const QString alias = other.filePath(QStringLiteral("ports"));
        QVERIFY(QFile::link(dir.path(), alias));
        QCOMPARE(ListPortLinks(alias), QStringList());
        QCOMPARE(ListPortLinks(dir.filePath(QStringLiteral("missing"))), QStringList());

        // The port list ends with the linked benches.
        QtSerialPort port(dir.path());
        const int count = port.portCount();
        QVERIFY(count >= 2);
        QCOMPARE(port.portName(count - 1), dir.filePath(QStringLiteral("b-bench")));
        QCOMPARE(port.portName(count), QString());
        QCOMPARE(port.portName(-1), QString());
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
        QString error;
        QVERIFY2(port.open(link, &error), qPrintable(error));
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
        QString error;
        QVERIFY2(port.open(pty.slave, &error), qPrintable(error));
        port.close();
        QVERIFY(!port.isOpen());
        pty.hangUp();
        QTest::qWait(200);
        QCOMPARE(failed.count(), 0);
    }
};

QTEST_MAIN(TestSerialPort)
#include "tst_serialport.moc"
