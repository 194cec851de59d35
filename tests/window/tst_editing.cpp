// Editing the tables as a user does: keys and clicks on the cell editor, the
// pop-up menus and their commands, the heading dialog, undo and redo. Each
// case of tests/golden/window/editing.txt, keys.txt and undo.txt starts from
// a saved table, acts, and shows the workspace after (WindowHarness::state).
// Cells are written "col,row".
#include "harness/WindowHarness.h"

#include <QComboBox>
#include <QScrollBar>

using namespace tarvex;
using namespace tarvex::testing;

namespace {

QPoint point(const QString& text)
{
    return {text.section(',', 0, 0).toInt(), text.section(',', 1).toInt()};
}

// One step: a key name (with "Shift+" or "Ctrl+" before it), "caret N", "dbl
// C,R", "click C,R", "right R" (a right click in the load column), "select
// C,R" (the block's far corner), a command's name ("mnu...", "Tab0cmd..."),
// "set START,STEPS,COUNT" (the profile's Set), "reset INTERVAL" (the
// polar's), "add TEXT" (the bench sends TEXT, then "Add"), "open" (the saved
// table read back), "save", "scroll ROW" (the scroll bar), or text to type.
void perform(WindowHarness& h, Workspace ws, const QString& step)
{
    static const QHash<QString, Qt::Key> keys = {
        {"F2", Qt::Key_F2},     {"Enter", Qt::Key_Return}, {"Esc", Qt::Key_Escape}, {"BS", Qt::Key_Backspace},
        {"Left", Qt::Key_Left}, {"Right", Qt::Key_Right},  {"Down", Qt::Key_Down},  {"Menu", Qt::Key_Menu},
        {"Up", Qt::Key_Up},     {"Home", Qt::Key_Home},    {"End", Qt::Key_End},    {"PgUp", Qt::Key_PageUp},
        {"PgDn", Qt::Key_PageDown}, {"Tab", Qt::Key_Tab}, {"Del", Qt::Key_Delete}, {"Z", Qt::Key_Z},
        {"Y", Qt::Key_Y}};
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
    } else if (step.startsWith("set ")) {
        h.find<QLineEdit>("Tab0txtStart")->setText(arg.section(',', 0, 0));
        h.find<QLineEdit>("Tab0txtInterv")->setText(arg.section(',', 1, 1));
        h.find<QComboBox>("Tab0cmbClubs")->setCurrentText(arg.section(',', 2, 2));
        h.click("Tab0cmdSet");
    } else if (step.startsWith("reset ")) {
        h.find<QComboBox>("Tab1cmbInterval")->setCurrentText(arg);
        h.click("Tab1cmdSet");
    } else if (step.startsWith("add ")) {
        h.click("cmdOpen");
        h.fakes.serialPort->feed(arg + "\r\n");
        h.click(ws == Profile ? "Tab0cmdAdd" : "Command1");
        h.click("cmdOpen");
    } else if (step == "open") {
        h.showTab(ws);
        h.fakes.fileDialog->paths = {h.path(ws == Profile ? "fill.tvl" : "fill.tvp")};
        h.click("mnuOpen");
    } else if (step.startsWith("scroll "))
        h.view(ws).verticalScrollBar()->setValue(arg.toInt());
    else if (step == "save")
        h.save(ws == Profile ? "again.tvl" : "again.tvp");
    else if (step.startsWith("mnu") || step.startsWith("Tab"))
        h.click(step);
    else
        for (const QChar ch : step)
            QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
}

// profile|polar | rows | clipboard | answer to a question | steps => the
// pop-up menu shown, the clipboard after, the rows and current cell after
// each Undo and Redo, the workspace. A fresh table is read back from its
// file, so it has nothing to undo.
QString edit(const QStringList& in, bool fresh)
{
    const Workspace ws = in[0] == "polar" ? Polar : Profile;
    WindowHarness h;
    h.fill(ws, in[1].split(';'));
    if (fresh)
        perform(h, ws, "open");
    h.click("Tab0cmdPlot");
    h.fakes.clipboard->content = in[2];
    h.fakes.messageBox->answers = {in[3] == "yes" ? MsgResult::Yes : MsgResult::No};
    QString menu, dialog;
    QStringList undone;
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
        if (step == "Ctrl+Z" || step == "Ctrl+Y" || step == "mnuUndo" || step == "mnuRedo")
            undone << h.rows(ws).join(';') + QStringLiteral(" @%1,%2").arg(h.table(ws).Col()).arg(h.table(ws).Row());
    }
    return dialog + (undone.isEmpty() ? QString() : undone.join(" / ") + " | ") + (menu.isEmpty() ? QString() : "menu " + golden::show(menu) + " | ")
        + (h.fakes.clipboard->content == in[2] ? QString() : "clipboard " + golden::show(h.fakes.clipboard->content) + " | ")
        + h.state(ws);
}

} // namespace

class TestEditing : public QObject {
    Q_OBJECT
private slots:
    void cases() { GOLDEN_VERIFY(golden::cases("window/editing.txt", [](const QStringList& in) { return edit(in, false); })); }
    // Every key of the grid and of the cell box, one move at a time.
    void keys() { GOLDEN_VERIFY(golden::cases("window/keys.txt", [](const QStringList& in) { return edit(in, false); })); }
    // Command sequences and the table after each Undo (Ctrl+Z) and Redo (Ctrl+Y).
    void undo() { GOLDEN_VERIFY(golden::cases("window/undo.txt", [](const QStringList& in) { return edit(in, true); })); }
};

QTEST_MAIN(TestEditing)
#include "tst_editing.moc"
