#pragma once
// The port list `cmbCommPort` and the open/close button `cmdOpen`, and what
// they do with the serial port. The button's caption is the state:
//
//   Listing      "COM Open", disabled     list empty, disabled (start-up, until the system answers)
//   No ports     "COM Close", disabled    list empty, disabled (start-up found none)
//   Closed       "COM Open"               list enabled
//   Open         "COM Close"              list disabled
//   Open failed  "COM Close"              list enabled (a click brings back Closed)

#include "platform/MessageSink.h"

#include <QString>

class QComboBox;
class QPushButton;

namespace tarvex {

class SerialPort;

inline const QString kPortLineSettings = QStringLiteral("9600,N,8,1");
// The button's two captions in the user's language (the state is read back
// from the caption, so both come from here).
QString CaptionComOpen();
QString CaptionComClose();

// Start-up, while the system's port list is being taken.
void ShowPortsBeingListed(QComboBox& list, QPushButton& button);

// Start-up: fills the list in the port's order and selects its last entry, or
// shows the No ports state. Line settings and the byte setting go to the port
// only when there is a port.
void SetUpPortControls(SerialPort& port, QComboBox& list, QPushButton& button);

// The button's click: opens the listed port when the caption reads
// "COM Open", otherwise closes it (if it is open). An open that fails shows
// the system's description and leaves the Open failed state.
void ClickOpenButton(SerialPort& port, QComboBox& list, QPushButton& button, const MessageSink& showFailure);

// Takes the port list afresh, keeping the selected name where it is still
// there; otherwise the last entry is selected, as at start-up.
void RefreshPortList(SerialPort& port, QComboBox& list);

// The controls in the Closed state, after the port was closed by something
// other than the button (it vanished, or the window closed it on shut-down).
void ShowPortClosed(QComboBox& list, QPushButton& button);

// What the user is told when the open port stops working.
QString PortLostMessage(const QString& portName, const QString& description);

} // namespace tarvex
