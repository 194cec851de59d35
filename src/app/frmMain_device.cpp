// Device link handlers of the main window: the serial port, the live load
// boxes and the "Add" buttons.
#include "app/frmMain.h"

namespace tarvex {

void frmMain::setUpSerialPort() {}
void frmMain::closeSerialPortOnShutdown() {}
void frmMain::cmdOpen_Click() {}
void frmMain::SPortAx1_OnRxChar() {}
void frmMain::Tab0cmdAdd_Click() {}
void frmMain::Command1_Click() {}

} // namespace tarvex
