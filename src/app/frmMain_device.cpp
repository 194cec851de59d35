// Device link handlers of the main window: the port row, and the readings
// routed to the active workspace's live load box.
#include "frmMain.h"

#include "TableWorkspace.h"
#include "device/PortComboBox.h"
#include "device/RxFraming.h"
#include "device/SerialLink.h"
#include "platform/MessageBox.h"
#include "platform/SerialPort.h"

#include <QComboBox>
#include <QPushButton>

namespace tarvex {

void frmMain::setUpSerialPort()
{
    if (SerialPort* port = platform_.serialPort.get()) {
        connect(port, &SerialPort::received, this, &frmMain::SPortAx1_OnRxChar);
        connect(port, &SerialPort::failed, this, &frmMain::SPortAx1_OnFailed);
    }
    if (auto* list = qobject_cast<PortComboBox*>(cmbCommPort))
        connect(list, &PortComboBox::aboutToShowPopup, this, &frmMain::cmbCommPort_DropDown);
    SetUpPortControls(*platform_.serialPort, *cmbCommPort, *cmdOpen);
}

void frmMain::closeSerialPortOnShutdown()
{
    SerialPort* port = platform_.serialPort.get();
    if (!port || !port->isOpen())
        return;
    port->close();
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
    SerialPort* port = platform_.serialPort.get();
    if (!port)
        return;
    // A line given up at the bound leaves the box as it was: what it lost
    // could have been the sign or the decimal point.
    const RxFramed framed = FrameReceived(RxBuffer, port->readAll(), &RxDropped);
    if (!framed.reading)
        return;
    if (TableWorkspace* ws = active())
        ws->showReading(*framed.reading);
}

void frmMain::SPortAx1_OnFailed(const QString& description)
{
    // The controls first, so the window is right while the message is up.
    ShowPortClosed(*cmbCommPort, *cmdOpen);
    MsgBox(PortLostMessage(cmbCommPort->currentText(), description));
}

void frmMain::cmbCommPort_DropDown()
{
    if (platform_.serialPort && cmbCommPort->isEnabled())
        RefreshPortList(*platform_.serialPort, *cmbCommPort);
}

} // namespace tarvex
