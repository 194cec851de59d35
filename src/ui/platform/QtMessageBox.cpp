#include "platform/QtMessageBox.h"

#include <QMessageBox>

namespace tarvex {

MsgResult QtMessageBox::show(QWidget* parent, const QString& text, MsgButtons buttons, const QString& title)
{
    QMessageBox box(QMessageBox::NoIcon, title, text,
                    buttons == MsgButtons::YesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok, parent);
    box.setWindowModality(Qt::ApplicationModal);
    if (buttons == MsgButtons::YesNo)
        box.setDefaultButton(QMessageBox::Yes);
    const int answer = box.exec();
    if (buttons == MsgButtons::Ok)
        return MsgResult::Ok;
    return answer == QMessageBox::Yes ? MsgResult::Yes : MsgResult::No;
}

} // namespace tarvex
