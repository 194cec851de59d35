#pragma once
// Answers message boxes from a queue and records what it was asked, so a test
// can script a dialogue with the program and check it afterwards.

#include "platform/MessageBox.h"

#include <QList>
#include <QString>
#include <deque>

namespace tarvex {

struct AskedMessage {
    QString text;
    QString title;
    MsgButtons buttons;
};

class FakeMessageBox : public MessageBox {
public:
    MsgResult show(QWidget* parent, const QString& text, MsgButtons buttons, const QString& title) override;

    std::deque<MsgResult> answers;       // consumed front first; empty: Ok / No
    QList<AskedMessage> asked;
    QStringList texts() const;
};


} // namespace tarvex
