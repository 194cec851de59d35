#include "fakes/FakeMessageBox.h"

namespace tarvex {

MsgResult FakeMessageBox::show(QWidget*, const QString& text, MsgButtons buttons, const QString& title)
{
    asked.append({text, title, buttons});
    if (!answers.empty()) {
        const MsgResult r = answers.front();
        answers.pop_front();
        return r;
    }
    return buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::No;
}

QStringList FakeMessageBox::texts() const
{
    QStringList out;
    for (const auto& m : asked)
        out << m.text;
    return out;
}

} // namespace tarvex
