#include "platform/QtMessageBox.h"

#include <QMessageBox>
#include <QPushButton>

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
    if (buttons == MsgButtons::YesNo) {
        // Qt would take No as the escape button, so Esc or the close box at
        // "Do you want to save the data?" would quit without saving. A
        // question left unanswered changes nothing: an unseen Cancel takes
        // Esc and the close box.
        QPushButton* unseen = box.addButton(QMessageBox::Cancel);
        unseen->hide();
        box.setEscapeButton(unseen);
    }
    const int answer = box.exec();
    switch (buttons) {
    case MsgButtons::Ok:
        return MsgResult::Ok;
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel:
        break;
    }
    // Escape and the close box are Cancel: nothing happens.
    return answer == QMessageBox::Yes ? MsgResult::Yes : answer == QMessageBox::No ? MsgResult::No : MsgResult::Cancel;
}

} // namespace tarvex
