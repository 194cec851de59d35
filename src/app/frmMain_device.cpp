// Device link handlers of the main window: the port row, and the readings
// routed to the active workspace's live load box.
#include "frmMain.h"

#include "PolarWorkspace.h"
#include "ProfileWorkspace.h"
#include "TableWorkspace.h"
#include "device/PortComboBox.h"
#include "device/ReadingReceiver.h"
#include "device/SerialLink.h"
#include "device/SettingsDialog.h"
#include "files/SettingsFile.h"
#include "library/LibraryAddress.h"
#include "library/ShaftLibrary.h"
#include "library/LibraryWindow.h"
#include "platform/MessageBox.h"
#include "platform/SerialPort.h"

#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>

namespace tarvex {

void frmMain::setUpSerialPort()
{
    SerialPort* port = platform_.serialPort.get();
    connect(port, &SerialPort::received, this, &frmMain::SPortAx1_OnRxChar);
    connect(port, &SerialPort::failed, this, &frmMain::SPortAx1_OnFailed);
    connect(receiver_, &ReadingReceiver::reading, this, [this](const QString& text) {
        if (TableWorkspace* ws = active())
            ws->showReading(text);
    });
    connect(receiver_, &ReadingReceiver::settled, this, [this](double value) {
        if (TableWorkspace* ws = active())
            ws->recordSettled(value);
    });
    connect(receiver_, &ReadingReceiver::missed, this, [this](double value) {
        if (TableWorkspace* ws = active())
            ws->missedSettled(value);
    });

    logEventsForTests();
    if (auto* list = qobject_cast<PortComboBox*>(cmbCommPort))
        connect(list, &PortComboBox::aboutToShowPopup, this, &frmMain::cmbCommPort_DropDown);
    // The system's port list is slow to take: the window is shown without
    // waiting for it, and the row fills in when it is ready (paintEvent).
    ShowPortsBeingListed(*cmbCommPort, *cmdOpen);
    // The port kept from the last run is chosen once the list is there.
    connect(port, &SerialPort::portsListed, this, [this] {
            SetUpPortControls(*platform_.serialPort, *cmbCommPort, *cmdOpen);
            recallFields("cmbCommPort");
        }, Qt::SingleShotConnection);
}

// The list is asked for once the window has been drawn the first time: on
// two cores, a thread walking the system's devices would otherwise compete
// with building and drawing the window (the paint of the window itself comes
// first, its controls' follow in the same pass, and the request after it).
void frmMain::paintEvent(QPaintEvent* event)
{
    QMainWindow::paintEvent(event);
    if (portsAsked_)
        return;
    portsAsked_ = true;
    QTimer::singleShot(0, this, [this] { platform_.serialPort->listPortsAhead(); });
}

// Tests that drive the bench wait on what the window has taken in, not on
// the clock: with TARVEX_EVENT_LOG set, every reading shown and every status
// message is written there as a line as it happens.
void frmMain::logEventsForTests()
{
    const QString path = qEnvironmentVariable("TARVEX_EVENT_LOG");
    if (path.isEmpty())
        return;
    auto* log = new QFile(path, this);
    if (!log->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        qWarning("TARVEX_EVENT_LOG: %s: %s", qPrintable(path), qPrintable(log->errorString()));
        return;
    }
    const auto write = [log](const char* kind, const QString& text) {
        log->write(kind + (' ' + text.toUtf8()) + '\n');
        log->flush();
    };
    connect(receiver_, &ReadingReceiver::reading, log, [write](const QString& text) { write("reading", text); });
    connect(statusBar(), &QStatusBar::messageChanged, log, [write](const QString& text) {
        if (!text.isEmpty())
            write("status", text);
    });
}

void frmMain::closeSerialPortOnShutdown()
{
    SerialPort& port = *platform_.serialPort;
    if (!port.isOpen())
        return;
    port.close();
    portClosed();
    // When the close is cancelled to save, the window stays: it must not
    // claim a port that is no longer open.
    ShowPortClosed(*cmbCommPort, *cmdOpen);
}

void frmMain::cmdOpen_Click()
{
    SerialPort& port = *platform_.serialPort;
    const bool wasOpen = port.isOpen();
    ClickOpenButton(port, *cmbCommPort, *cmdOpen, [this](const QString& description) { MsgBox(description); });
    if (!wasOpen && port.isOpen()) {
        receiver_->portOpened();
        profile_->showPortState(true);
        if (polar_)
            polar_->showPortState(true);
    } else if (wasOpen && !port.isOpen())
        portClosed();
}

// A value shown from before the close must not look live, nor be recorded.
void frmMain::portClosed()
{
    receiver_->portClosed();
    profile_->showPortState(false);
    if (polar_)
        polar_->showPortState(false);
}

void frmMain::SPortAx1_OnRxChar()
{
    receiver_->receive(platform_.serialPort->readAll());
}

void frmMain::SPortAx1_OnFailed(const QString& description)
{
    // The controls first, so the window is right while the message is up.
    ShowPortClosed(*cmbCommPort, *cmdOpen);
    portClosed();
    MsgBox(PortLostMessage(cmbCommPort->currentText(), description));
}

void frmMain::mnuEnv_Click()
{
    SettingsDialog dialog(app_.capture, app_.geometry, app_.library, app_.shop, this,
                          [this](const GeometrySettings& geometry, const QString& loadUnit, const MeterSettings& meter, double measuredCpm) {
                              const Result<FrequencyInput> in = profile_->frequencyInput(geometry, loadUnit, meter);
                              return in ? CalibrateClamp(*in, measuredCpm)
                                        : ClampCalibration{tr("the profile tab's shaft has no prediction to calibrate against: %1").arg(in.message()), 0.0};
                          });
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString previousLibrary = app_.library.address;
    app_.capture = dialog.capture();
    app_.geometry = dialog.geometry();
    app_.library = dialog.library();
    app_.shop = dialog.shop();
    if (settings_) {
        app_.saveEdited(*settings_);
        if (const Result<> written = WriteSettingsFile(*settings_, LocationHoldsPassword(app_.library.address)); !written)
            MsgBox(written.message());
    }
    // Another library: the window over the old one closes, and the next use
    // opens the new one.
    if (app_.library.address != previousLibrary) {
        delete libraryWindow_;
        librarySession_->setAddress(app_.library.address);
    }
    receiver_->setSettings(app_.capture);
    if (libraryWindow_)
        libraryWindow_->setBench(app_.geometry, app_.capture.unit);
    profile_->setSettings(TableWorkspace::Settings::of(app_));
    if (polar_)
        polar_->setSettings(TableWorkspace::Settings::of(app_));
}

void frmMain::cmbCommPort_DropDown()
{
    if (cmbCommPort->isEnabled())
        RefreshPortList(*platform_.serialPort, *cmbCommPort);
}

} // namespace tarvex
