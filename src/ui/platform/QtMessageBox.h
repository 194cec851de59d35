#pragma once
// The message box on QMessageBox, application modal.

#include "platform/MessageBox.h"

namespace tarvex {

class QtMessageBox : public MessageBox {
public:
    MsgResult show(QWidget* parent, const QString& text, MsgButtons buttons, const QString& title) override;
};

} // namespace tarvex
