#pragma once
// Shared by the serial benchmarks: a pseudo-terminal playing the bench, and
// the real main window listening on it through the real serial facility.

#include "frmMain.h"
#include "platform/QtSerialPort.h"
#include "fakes/FakePlatform.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <termios.h>
#include <unistd.h>

namespace benchsupport {

using Clock = std::chrono::steady_clock;

inline double msSince(Clock::time_point t0, Clock::time_point t1)
{
    return std::chrono::duration<double, std::milli>(t1 - t0).count();
}

// The bench's end of a pseudo-terminal.
struct Pty {
    int master = -1;
    QString slave;
    Pty()
    {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
            std::perror("pseudo-terminal");
            std::exit(1);
        }
        slave = QString::fromLocal8Bit(ptsname(master));
    }
    ~Pty()
    {
        if (master >= 0)
            ::close(master);
    }
    void write(const char* data, size_t size) const
    {
        while (size > 0) {
            const ssize_t n = ::write(master, data, size);
            if (n <= 0)
                return;
            data += n;
            size -= static_cast<size_t>(n);
        }
    }
};

// The main window on the Qt serial facility, with its port opened on `slave`
// through the port list and the "COM Open" button.
struct Window {
    tarvex::Platform platform;
    std::unique_ptr<tarvex::frmMain> window;
    QLineEdit* Tab0txtLoad = nullptr;

    explicit Window(const QString& slave)
    {
        platform.messageBox = std::make_shared<tarvex::FakeMessageBox>();
        platform.serialPort = std::make_shared<tarvex::QtSerialPort>(QString());
        window = std::make_unique<tarvex::frmMain>(platform);
        window->show();
        Tab0txtLoad = window->findChild<QLineEdit*>(QStringLiteral("Tab0txtLoad"));
        auto* cmbCommPort = window->findChild<QComboBox*>(QStringLiteral("cmbCommPort"));
        auto* cmdOpen = window->findChild<QPushButton*>(QStringLiteral("cmdOpen"));
        cmbCommPort->setEnabled(true);
        cmbCommPort->addItem(slave);
        cmbCommPort->setCurrentIndex(cmbCommPort->count() - 1);
        cmdOpen->setEnabled(true);
        cmdOpen->setText(QStringLiteral("COM Open"));
        window->cmdOpen_Click();
        if (!platform.serialPort || cmdOpen->text() != QStringLiteral("COM Close") || cmbCommPort->isEnabled()) {
            std::fprintf(stderr, "could not open %s\n", qPrintable(slave));
            std::exit(1);
        }
    }
};

// Resident memory of this process in KiB.
inline long residentKiB()
{
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

} // namespace benchsupport
