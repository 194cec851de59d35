#include "device/SerialLink.h"

#include "platform/FailurePolicy.h"
#include "platform/SerialPort.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QStringList>

namespace tarvex {

QString CaptionComOpen()
{
    return QCoreApplication::translate("SerialLink", "COM Open");
}

QString CaptionComClose()
{
    return QCoreApplication::translate("SerialLink", "COM Close");
}

namespace {

QStringList listedPorts(SerialPort& port)
{
    QStringList names;
    const int count = port.portCount();
    for (int i = 0; i < count; ++i)
        names << port.portName(i);
    return names;
}

QStringList items(const QComboBox& list)
{
    QStringList names;
    for (int i = 0; i < list.count(); ++i)
        names << list.itemText(i);
    return names;
}

} // namespace

void ShowPortsBeingListed(QComboBox& list, QPushButton& button)
{
    list.clear();
    list.setEnabled(false);
    button.setText(CaptionComOpen());
    button.setEnabled(false);
}

void SetUpPortControls(SerialPort& port, QComboBox& list, QPushButton& button)
{
    const QStringList names = listedPorts(port);
    if (names.isEmpty()) {
        button.setText(CaptionComClose());
        list.setEnabled(false);
        button.setEnabled(false);
        return;
    }
    port.setLineSettings(kPortLineSettings);
    port.setByteSetting(32);
    list.addItems(names);
    list.setCurrentIndex(static_cast<int>(names.size()) - 1);
    button.setText(CaptionComOpen());
    list.setEnabled(true);
    button.setEnabled(true);
}

void ClickOpenButton(SerialPort& port, QComboBox& list, QPushButton& button, const MessageSink& showFailure)
{
    if (button.text() == CaptionComOpen()) {
        button.setText(CaptionComClose());
        if (StopWithMessage(port.open(list.currentText()), showFailure))
            return;
        list.setEnabled(false);
    } else {
        button.setText(CaptionComOpen());
        if (port.isOpen())
            port.close();
        list.setEnabled(true);
    }
}

void RefreshPortList(SerialPort& port, QComboBox& list)
{
    const QStringList names = listedPorts(port);
    if (names == items(list))
        return;
    const QString chosen = list.currentText();
    list.clear();
    list.addItems(names);
    const qsizetype kept = names.indexOf(chosen);
    list.setCurrentIndex(static_cast<int>(kept >= 0 ? kept : names.size() - 1));
}

void ShowPortClosed(QComboBox& list, QPushButton& button)
{
    button.setText(CaptionComOpen());
    button.setEnabled(true);
    list.setEnabled(true);
}

QString PortLostMessage(const QString& portName, const QString& description)
{
    QString text = QCoreApplication::translate("SerialLink", "The serial port %1 stopped working and has been closed.").arg(portName);
    if (!description.isEmpty())
        text += QStringLiteral("\n\n") + description;
    return text;
}

} // namespace tarvex
