// Device link handlers of the main window: the port row, and the readings
// routed to the active workspace's live load box.
#include "frmMain.h"

#include "TableWorkspace.h"
#include "device/PortComboBox.h"
#include "device/ReadingReceiver.h"
#include "device/SerialLink.h"
#include "platform/MessageBox.h"
#include "platform/SerialPort.h"

#include <QComboBox>
#include <QPushButton>

namespace tarvex {

void frmMain::setUpSerialPort()
{
    SerialPort* port = platform_.serialPort.get();
    receiver_ = new ReadingReceiver(this);
    connect(port, &SerialPort::received, this, &frmMain::SPortAx1_OnRxChar);
    connect(port, &SerialPort::failed, this, &frmMain::SPortAx1_OnFailed);
    connect(receiver_, &ReadingReceiver::reading, this, [this](const QString& text) {
        if (TableWorkspace* ws = active())
            ws->showReading(text);
    });
    if (auto* list = qobject_cast<PortComboBox*>(cmbCommPort))
        connect(list, &PortComboBox::aboutToShowPopup, this, &frmMain::cmbCommPort_DropDown);
    SetUpPortControls(*platform_.serialPort, *cmbCommPort, *cmdOpen);
}

void frmMain::closeSerialPortOnShutdown()
{
    SerialPort& port = *platform_.serialPort;
    if (!port.isOpen())
        return;
    port.close();
    // When the close is cancelled to save, the window stays: it must not
    // claim a port that is no longer open.
    ShowPortClosed(*cmbCommPort, *cmdOpen);
}

void frmMain::cmdOpen_Click()
{
    ClickOpenButton(*platform_.serialPort, *cmbCommPort, *cmdOpen,
                    [this](const QString& description) { MsgBox(description); });
}

void frmMain::SPortAx1_OnRxChar()
{
    receiver_->receive(platform_.serialPort->readAll());
}

void frmMain::SPortAx1_OnFailed(const QString& description)
{
    // The controls first, so the window is right while the message is up.
    ShowPortClosed(*cmbCommPort, *cmdOpen);
    MsgBox(PortLostMessage(cmbCommPort->currentText(), description));
}

void frmMain::cmbCommPort_DropDown()
{
    if (cmbCommPort->isEnabled())
        RefreshPortList(*platform_.serialPort, *cmbCommPort);
}

} // namespace tarvex
