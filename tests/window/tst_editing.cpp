// Editing the tables as a user does: keys and clicks on the cell editor, the
// pop-up menus and their commands, the heading dialog. Cells and points are
// written "col,row"; a table row as "x,y".
#include "harness/WindowHarness.h"

using namespace tarvex;
using namespace tarvex::testing;

namespace {

const QStringList kFive = {"1,12", "2,12.5", "3,0", "4,7", "5,40"};

QPoint point(const QString& text)
{
    return {text.section(',', 0, 0).toInt(), text.section(',', 1).toInt()};
}

// One step: a key name, "caret N", "dbl C,R", "click C,R", or text to type.
void perform(WindowHarness& h, Workspace ws, const QString& step)
{
    static const QHash<QString, Qt::Key> keys = {
        {"F2", Qt::Key_F2},     {"Enter", Qt::Key_Return}, {"Esc", Qt::Key_Escape}, {"BS", Qt::Key_Backspace},
        {"Left", Qt::Key_Left}, {"Right", Qt::Key_Right},  {"Down", Qt::Key_Down}};
    const QString arg = step.section(' ', 1);
    if (keys.contains(step))
        h.key(keys.value(step));
    else if (step.startsWith("caret"))
        h.box(ws).setCursorPosition(arg.toInt());
    else if (step.startsWith("dbl"))
        QTest::mouseDClick(h.view(ws).viewport(), Qt::LeftButton, {}, h.cellPoint(ws, point(arg).y(), point(arg).x()));
    else if (step.startsWith("click"))
        h.clickCell(ws, point(arg).y(), point(arg).x());
    else
        for (const QChar ch : step)
            QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
}

QStringList unsavedIf(bool modified, Workspace ws)
{
    return modified ? QStringList{ws == Profile ? "tvl" : "tvp"} : QStringList{};
}

} // namespace

class TestEditing : public QObject {
    Q_OBJECT
private slots:
    // "start | steps; ... | the start row after | current | box text, - when
    // not editing | modified"
    void keys_data()
    {
        QTest::addColumn<Workspace>("ws");
        QTest::addColumn<QString>("script");
        const char* both[] = {
            "1,1 | 5 | 1,5 | 1,1 | 5 | 1",                          // typing replaces an idle cell
            "1,2 | BS | 2,12. | 1,2 | 12. | 1",
            "1,1 | F2;caret 1;3 | 1,123 | 1,1 | 132 | 1",            // the cell appends, the box inserts
            "1,1 | F2;caret 1;3;Enter | 1,132 | * | - | 1",          // * the row below, column 0 or 1
            "1,4 | F2;.25;Esc | 4,7 | 1,4 | 7 | 1",                  // Escape restores the entry text
            "1,4 | Esc | 4,7 | 1,4 | - | 1",                         // a key counts, though nothing changed
            "1,5 | F2;1;Enter | 5,401 | 1,5 | - | 1",                // the last cell stays
            "1,1 | F2;Right | 1,12 | 1,2 | - | 0",
            "1,5 | F2;caret 0;Left | 5,40 | 1,4 | - | 0",
            "1,5 | F2;Down | 5,40 | 1,5 | 40 | 0",
            "1,2 | dbl 1,2 | 2,12.5 | 1,2 | 12.5 | 0",
            "1,1 | F2;9;click 1,3 | 1,129 | 1,3 | - | 1",
        };
        for (Workspace ws : {Profile, Polar})
            for (const char* s : both)
                QTest::newRow(qPrintable((ws == Profile ? "profile: " : "polar: ") + QString(s))) << ws << s;
        for (const char* s : {"0,2 | 7 | 7,12.5 | 0,2 | 7 | 1", "0,2 | F2;8;Enter | 28,12.5 | 1,2 | - | 1"})
            QTest::newRow(qPrintable("profile: " + QString(s))) << Profile << s;
        for (const char* s : {"0,2 | F2 | 2,12.5 | 0,2 | - | 0", "0,2 | 7 | 2,12.5 | 0,2 | - | 0",
                              "0,2 | dbl 0,2 | 2,12.5 | 0,2 | - | 0"})   // the angles are not typed
            QTest::newRow(qPrintable("polar: " + QString(s))) << Polar << s;
    }
    void keys()
    {
        QFETCH(Workspace, ws);
        QFETCH(QString, script);
        const QStringList f = script.split(" | ");
        WindowHarness h;
        h.fill(ws, kFive);
        h.click("Tab0cmdPlot");
        const QPoint start = point(f[0]);
        h.clickCell(ws, start.y(), start.x());
        for (const QString& step : f[1].split(';'))
            perform(h, ws, step);
        const DataTable& t = h.table(ws);
        const QPoint current = f[3] == "*" ? QPoint(ws == Profile ? 0 : 1, 2) : point(f[3]);
        QCOMPARE(h.rows(ws).at(start.y() - 1), f[2]);
        QCOMPARE(QPoint(t.Col(), t.Row()), current);
        QCOMPARE(h.box(ws).isVisible() ? h.box(ws).text() : QStringLiteral("-"), f[4]);
        if (h.box(ws).isVisible())
            QCOMPARE(h.box(ws).geometry(), h.view(ws).cellRect(t.Row(), t.Col()));
        // Moved on, the mark is on the new current cell alone; never on an angle.
        for (int r = 1; r < t.Rows() && !h.box(ws).isVisible() && current != start; ++r)
            for (int c = 0; c < 2; ++c)
                QCOMPARE(t.cellBackColor(r, c) == kHighlightColor,
                         r == t.Row() && c == t.Col() && (ws == Profile || c == 1));
        QCOMPARE(h.plotActs(), ws == Profile && f[5] == "1");
        QCOMPARE(h.unsaved(), unsavedIf(f[5] == "1", ws));
    }

    // "block from | to | right-clicked row, or key for the menu key | menu | current row after"
    void popUps_data()
    {
        QTest::addColumn<Workspace>("ws");
        QTest::addColumn<QString>("script");
        for (const char* s : {"0,2 | 0,2 | 4 | Row Popup | 4", "0,2 | 0,2 | 0 | Row Popup | 1",
                              "0,1 | 1,2 | 4 | &Edit | 1", "0,1 | 1,2 | key | &Edit | 1", "1,2 | 1,2 | key | Row Popup | 2"})
            QTest::newRow(qPrintable("profile: " + QString(s))) << Profile << s;
        for (const char* s : {"1,2 | 1,4 | 4 | &Edit | 2", "1,2 | 1,4 | 5 |  | 2", "1,1 | 1,4 | 0 |  | 1",
                              "1,2 | 1,2 | key | &Edit | 2"})
            QTest::newRow(qPrintable("polar: " + QString(s))) << Polar << s;
    }
    void popUps()
    {
        QFETCH(Workspace, ws);
        QFETCH(QString, script);
        const QStringList f = script.split(" | ");
        WindowHarness h;
        h.fill(ws, kFive);
        h.clickCell(ws, point(f[0]).y(), point(f[0]).x());
        h.table(ws).setRowSel(point(f[1]).y());
        h.table(ws).setColSel(point(f[1]).x());
        const QString shown = withPopup([&] {
            if (f[2] == "key")
                h.key(Qt::Key_Menu);
            else
                h.clickCell(ws, f[2].toInt(), 1, Qt::RightButton);
            QTest::qWait(50);
        });
        QCOMPARE(shown, f[3].trimmed());
        QCOMPARE(h.table(ws).Row(), f[4].toInt());
        QVERIFY(h.unsaved().isEmpty());
    }

    // "block from | to | command | rows after | clipboard before>after | modified"
    void commands_data()
    {
        QTest::addColumn<Workspace>("ws");
        QTest::addColumn<QString>("script");
        const char* both[] = {
            "0,2 | 1,4 | mnuDelete | 1,10;5,50 | > | 1",
            "1,2 | 1,3 | mnuClear | 1,10;2,;3,;4,40;5,50 | > | 1",
            "1,3 | 1,1 | mnuClear | 1,10;2,20;3,30;4,40;5,50 | > | 0",        // dragged upwards: no block
            "1,2 | 1,2 | mnuInsert | 1,10;,;2,20;3,30;4,40;5,50 | > | 1",
            "0,1 | 1,2 | mnuCopy | 1,10;2,20;3,30;4,40;5,50 | old>1\t10\r2\t20 | 0",
            "1,2 | 1,4 | mnuPaste | 1,10;2,7;3,8;4,9;5,50 | 7\n8\n9\n>7\n8\n9\n | 1",
            "0,1 | 1,1 | mnuPaste | 1,10;2,20;3,30;4,40;5,50 | > | 0",
        };
        for (Workspace ws : {Profile, Polar})
            for (const char* s : both)
                QTest::newRow(qPrintable((ws == Profile ? "profile: " : "polar: ") + QString(s))) << ws << s;
        for (const char* s : {"1,1 | 1,1 | mnuFGridAddRow | 1,10;2,20;3,30;4,40;5,50;, | > | 1",
                              "1,1 | 1,1 | mnuFGridInsRow | ,;1,10;2,20;3,30;4,40;5,50 | > | 1",
                              "0,3 | 0,3 | mnuFGridExtrRow | 1,10;2,20;4,40;5,50 | > | 1",     // answered Yes
                              "0,3 | 0,3 | mnuFGridDelRow | 1,10;2,20;3,30;4,40;5,50 | > | 0"})  // answered No
            QTest::newRow(qPrintable("profile: " + QString(s))) << Profile << s;
    }
    void commands()
    {
        QFETCH(Workspace, ws);
        QFETCH(QString, script);
        const QStringList f = script.split(" | ");
        WindowHarness h;
        h.fill(ws, {"1,10", "2,20", "3,30", "4,40", "5,50"});
        h.click("Tab0cmdPlot");
        h.fakes.clipboard->content = f[4].section('>', 0, 0);
        h.fakes.messageBox->answers = {f[2] == "mnuFGridExtrRow" ? MsgResult::Yes : MsgResult::No};
        h.clickCell(ws, point(f[0]).y(), point(f[0]).x());
        h.table(ws).setRowSel(point(f[1]).y());
        h.table(ws).setColSel(point(f[1]).x());
        h.click(f[2]);
        QCOMPARE(h.rows(ws).join(';'), f[3]);
        QCOMPARE(h.fakes.clipboard->content, f[4].section('>', 1));
        if (f[2].startsWith("mnuFGridExtr") || f[2].startsWith("mnuFGridDel")) {
            const AskedMessage& m = h.fakes.messageBox->asked.value(0);
            QCOMPARE(m.text + '|' + m.title, QString("There is data in Row %1 ! Delete anyway?|Delete Row!")
                                                 .arg(f[2] == "mnuFGridDelRow" ? 5 : 3));
        }
        for (int r = 1; r < h.table(ws).Rows(); ++r)   // the mark follows the moved rows
            QCOMPARE(h.table(ws).cellBackColor(r, 1) == kHighlightColor, r == h.table(ws).Row() && h.table(ws).Col() == 1);
        QCOMPARE(h.plotActs(), ws == Profile && f[5] == "1" && h.table(ws).Rows() > 3);
        QCOMPARE(h.unsaved(), unsavedIf(f[5] == "1", ws));
    }

    // A double click on the heading row renames the headings: a change to
    // save, though not one the chart has to show.
    void headings_data()
    {
        QTest::addColumn<Workspace>("ws");
        QTest::newRow("profile") << Profile;
        QTest::newRow("polar") << Polar;
    }
    void headings()
    {
        QFETCH(Workspace, ws);
        WindowHarness h;
        h.fill(Profile, {"1,10", "2,20", "3,30"});
        h.fill(Polar, {"1,10", "2,20", "3,30"});
        h.click("Tab0cmdPlot");
        h.showTab(ws);
        QString seen;
        const QStringList dialogs = withModal(
            [&] { QTest::mouseDClick(h.view(ws).viewport(), Qt::LeftButton, {}, h.cellPoint(ws, 0, 1)); },
            [&](QWidget* d) {
                auto* y = d->findChild<QLineEdit*>("txtYLabel");
                seen = d->findChild<QLineEdit*>("txtXLabel")->text() + '|' + y->text();
                y->clear();
                QTest::keyClick(d, Qt::Key_Return);   // OK waits for both boxes
                y->setText("Load (N)");
                QTest::keyClick(d, Qt::Key_Return);
            });
        QCOMPARE(dialogs, QStringList{"tarvex::frmXYCaption"});
        QCOMPARE(seen, ws == Profile ? "X|Y" : "Degree|Load");
        QCOMPARE(h.table(ws).TextMatrix(0, 1), QStringLiteral("Load (N)"));
        QCOMPARE(h.table(ws == Profile ? Polar : Profile).TextMatrix(0, 1), ws == Profile ? "Load" : "Y");
        QVERIFY(!h.plotActs());
        QCOMPARE(h.unsaved(), unsavedIf(true, ws));
    }
};

QTEST_MAIN(TestEditing)
#include "tst_editing.moc"
