#pragma once
// Modal message box: OK alone, Yes and No, or Yes, No and Cancel; no icon,
// titled with the application title unless the caller names another. Esc
// and the close box answer Cancel whatever the buttons: an unanswered
// question must never be taken for No.

#include <QString>

class QWidget;

namespace tarvex {

inline const QString kAppTitle = QStringLiteral("Tarvex RS232");

enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgResult { Ok, Yes, No, Cancel };

class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual MsgResult show(QWidget* parent, const QString& text, MsgButtons buttons = MsgButtons::Ok,
                           const QString& title = kAppTitle) = 0;
};

} // namespace tarvex
