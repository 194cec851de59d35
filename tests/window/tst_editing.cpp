// Editing the tables as a user does: keys and clicks on the cell editor, the
// pop-up menus and their commands, the heading dialog. Each case of
// tests/golden/window/editing.txt starts from a saved table, acts, and shows
// the workspace after (WindowHarness::state). Cells are written "col,row".
#include "harness/WindowHarness.h"

using namespace tarvex;
using namespace tarvex::testing;

namespace {

QPoint point(const QString& text)
{
    return {text.section(',', 0, 0).toInt(), text.section(',', 1).toInt()};
}

// One step: a key name (with "Shift+" or "Ctrl+" before it), "caret N", "dbl C,R", "click C,R", "right R" (a
// right click in the load column), "select C,R" (the block's far corner), a
// menu command's name, or text to type.
void perform(WindowHarness& h, Workspace ws, const QString& step)
{
    static const QHash<QString, Qt::Key> keys = {
        {"F2", Qt::Key_F2},     {"Enter", Qt::Key_Return}, {"Esc", Qt::Key_Escape}, {"BS", Qt::Key_Backspace},
        {"Left", Qt::Key_Left}, {"Right", Qt::Key_Right},  {"Down", Qt::Key_Down},  {"Menu", Qt::Key_Menu},
        {"Up", Qt::Key_Up},     {"Home", Qt::Key_Home},    {"End", Qt::Key_End},    {"PgUp", Qt::Key_PageUp},
        {"PgDn", Qt::Key_PageDown}, {"Tab", Qt::Key_Tab}, {"Del", Qt::Key_Delete}};
    const QString arg = step.section(' ', 1);
    const QPoint at = point(arg);
    const QString key = step.section('+', -1);
    if (keys.contains(key) && !step.contains(' ')) {
        Qt::KeyboardModifiers mods;
        if (step.startsWith("Shift+"))
            mods |= Qt::ShiftModifier;
        if (step.startsWith("Ctrl+"))
            mods |= Qt::ControlModifier;
        h.key(keys.value(key), mods);
    }
    else if (step.startsWith("caret"))
        h.box(ws).setCursorPosition(arg.toInt());
    else if (step.startsWith("dbl"))
        QTest::mouseDClick(h.cellWidget(ws, at.y()), Qt::LeftButton, {}, h.cellPoint(ws, at.y(), at.x()));
    else if (step.startsWith("click"))
        h.clickCell(ws, at.y(), at.x());
    else if (step.startsWith("right"))
        h.clickCell(ws, arg.toInt(), 1, Qt::RightButton);
    else if (step.startsWith("select")) {
        h.table(ws).setRowSel(at.y());
        h.table(ws).setColSel(at.x());
    } else if (step.startsWith("mnu"))
        h.click(step);
    else
        for (const QChar ch : step)
            QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
}

// profile|polar | rows | clipboard | answer to a question | steps => the
// pop-up menu shown, the clipboard after, the workspace
QString edit(const QStringList& in)
{
    const Workspace ws = in[0] == "polar" ? Polar : Profile;
    WindowHarness h;
    h.fill(ws, in[1].split(';'));
    h.click("Tab0cmdPlot");
    h.fakes.clipboard->content = in[2];
    h.fakes.messageBox->answers = {in[3] == "yes" ? MsgResult::Yes : MsgResult::No};
    QString menu, dialog;
    for (const QString& step : in[4].split(';')) {
        if (step == "Menu" || step.startsWith("right"))
            menu = withPopup([&] { perform(h, ws, step); QTest::qWait(50); });
        else if (step.startsWith("heading "))   // a double click on the headings; OK with a box empty, then with the load's new heading
            withModal([&] { QTest::mouseDClick(h.cellWidget(ws, 0), Qt::LeftButton, {}, h.cellPoint(ws, 0, 1)); }, [&](QWidget* d) {
                auto* y = d->findChild<QLineEdit*>("txtYLabel");
                dialog = QStringLiteral("dialog %1 showed %2|%3 | ").arg(d->metaObject()->className(), d->findChild<QLineEdit*>("txtXLabel")->text(), y->text());
                y->clear();
                QTest::keyClick(d, Qt::Key_Return);   // OK waits for both boxes
                y->setText(step.mid(8));
                QTest::keyClick(d, Qt::Key_Return);
                dialog += QStringLiteral("headings %1, %2 | ").arg(h.table(Profile).TextMatrix(0, 1), h.table(Polar).TextMatrix(0, 1));
            });
        else
            perform(h, ws, step);
    }
    return dialog + (menu.isEmpty() ? QString() : "menu " + golden::show(menu) + " | ")
        + (h.fakes.clipboard->content == in[2] ? QString() : "clipboard " + golden::show(h.fakes.clipboard->content) + " | ")
        + h.state(ws);
}

} // namespace

class TestEditing : public QObject {
    Q_OBJECT
private slots:
    void cases() { GOLDEN_VERIFY(golden::cases("window/editing.txt", edit)); }
    // Every key of the grid and of the cell box, one move at a time.
    void keys() { GOLDEN_VERIFY(golden::cases("window/keys.txt", edit)); }
};

QTEST_MAIN(TestEditing)
#include "tst_editing.moc"
