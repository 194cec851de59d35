#include "platform/QtMessageBox.h"

#include <QMessageBox>

namespace tarvex {

MsgResult QtMessageBox::show(QWidget* parent, const QString& text, MsgButtons buttons, const QString& title)
{
    QMessageBox::StandardButtons shown = QMessageBox::Ok;
    if (buttons == MsgButtons::YesNo)
        shown = QMessageBox::Yes | QMessageBox::No;
    else if (buttons == MsgButtons::YesNoCancel)
        shown = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    QMessageBox box(QMessageBox::NoIcon, title, text, shown, parent);
    box.setWindowModality(Qt::ApplicationModal);
    if (buttons != MsgButtons::Ok)
        box.setDefaultButton(QMessageBox::Yes);
    const int answer = box.exec();
    switch (buttons) {
    case MsgButtons::Ok:
        return MsgResult::Ok;
    case MsgButtons::YesNo:
        return answer == QMessageBox::Yes ? MsgResult::Yes : MsgResult::No;
    case MsgButtons::YesNoCancel:
        break;
    }
    // Escape and the close box are Cancel: nothing happens.
    return answer == QMessageBox::Yes ? MsgResult::Yes : answer == QMessageBox::No ? MsgResult::No : MsgResult::Cancel;
}

} // namespace tarvex
