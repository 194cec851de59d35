#pragma once
// The port list: a drop-down that tells its owner just before it opens, so
// the list can be taken afresh (an adapter plugged in after start-up shows up).

#include <QComboBox>

namespace tarvex {

class PortComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit PortComboBox(QWidget* parent = nullptr) : QComboBox(parent)
    {
        // Names come and go with the refresh; a long one (a simulator's
        // link) must not be cut short.
        setSizeAdjustPolicy(QComboBox::AdjustToContents);
    }

    void showPopup() override
    {
        emit aboutToShowPopup();
        QComboBox::showPopup();
    }

signals:
    void aboutToShowPopup();
};

} // namespace tarvex
