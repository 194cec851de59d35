// Undo and redo of every command that changes a table. Each case of
// tests/golden/window/undo.txt starts from a saved table, runs its steps and
// shows the rows and the current cell after each Undo and Redo, then the
// workspace as the user meets it (WindowHarness::state): whether it counts
// as modified follows the undo history back to the saved table.
#include "device/ReadingReceiver.h"
#include "harness/WindowHarness.h"

#include <QComboBox>

using namespace tarvex;
using namespace tarvex::testing;

namespace {

QPoint point(const QString& text)
{
    return {text.section(',', 0, 0).toInt(), text.section(',', 1).toInt()};
}

// One step: "Undo" / "Redo" (their keys, to whatever has the focus), a key
// name, "click C,R", "select C,R", "type TEXT", a command's name ("mnu...",
// "Tab0cmd..."), "set START,STEPS,COUNT" (the profile's Set), "reset
// INTERVAL" (the polar's), "add TEXT" (the bench sends TEXT, then "Add"),
// "open" (the saved table read back), "save".
void perform(WindowHarness& h, Workspace ws, const QString& step)
{
    static const QHash<QString, Qt::Key> keys = {
        {"F2", Qt::Key_F2}, {"Enter", Qt::Key_Return}, {"Esc", Qt::Key_Escape}, {"Down", Qt::Key_Down}};
    const QString arg = step.section(' ', 1);
    const QPoint at = point(arg);
    if (step == "Undo")
        h.key(Qt::Key_Z, Qt::ControlModifier);
    else if (step == "Redo")
        h.key(Qt::Key_Y, Qt::ControlModifier);
    else if (keys.contains(step))
        h.key(keys.value(step));
    else if (step.startsWith("click"))
        h.clickCell(ws, at.y(), at.x());
    else if (step.startsWith("select")) {
        h.table(ws).setRowSel(at.y());
        h.table(ws).setColSel(at.x());
    } else if (step.startsWith("type "))
        for (const QChar ch : arg)
            QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
    else if (step.startsWith("set ")) {
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
    } else if (step == "save")
        h.save(ws == Profile ? "again.tvl" : "again.tvp");
    else
        h.click(step);
}

} // namespace

class TestUndo : public QObject {
    Q_OBJECT
private slots:
    // profile|polar | rows | clipboard | answer to a question | steps =>
    // rows @current cell after each Undo and Redo | the workspace at the end
    void cases()
    {
        GOLDEN_VERIFY(golden::cases("window/undo.txt", [](const QStringList& in) {
            const Workspace ws = in[0] == "polar" ? Polar : Profile;
            WindowHarness h;
            h.fill(ws, in[1].split(';'));
            perform(h, ws, "open");   // read back as a user opens it: nothing to undo yet
            h.fakes.clipboard->content = in[2];
            h.fakes.messageBox->answers = {in[3] == "yes" ? MsgResult::Yes : MsgResult::No};
            QStringList after;
            for (const QString& step : in[4].split(';')) {
                perform(h, ws, step);
                if (step == "Undo" || step == "Redo" || step.startsWith("mnuUndo") || step.startsWith("mnuRedo"))
                    after << h.rows(ws).join(';') + QStringLiteral(" @%1,%2").arg(h.table(ws).Col()).arg(h.table(ws).Row());
            }
            return after.join(" / ") + " | " + h.state(ws);
        }));
    }
};

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
