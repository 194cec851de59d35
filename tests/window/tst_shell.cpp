// The shell of the main window: start-up, every command's wiring, the title,
// New and the save question on closing.
#include "harness/WindowHarness.h"

#include <QComboBox>
#include <algorithm>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>

using namespace tarvex;
using namespace tarvex::testing;

namespace {

QStringList texts(const QList<QAction*>& actions, bool tips = false)
{
    QStringList out;
    for (QAction* a : actions)
        if (!a->isSeparator())
            out << (tips ? a->toolTip() : a->text());
    return out;
}

int points(const PictureArea& area)
{
    int n = 0;
    for (const DrawOp& op : area.picture()->ops)
        n += op.kind == DrawOp::Point ? 1 : 0;
    return n;
}

} // namespace

class TestShell : public QObject {
    Q_OBJECT
private slots:
    void startUp()
    {
        WindowHarness h;
        QCOMPARE(h.window->windowTitle(), QStringLiteral("Tarvex RS232"));
        QCOMPARE(h.tabs().currentIndex(), 0);
        QCOMPARE(h.tabs().tabText(0) + '|' + h.tabs().tabText(1), QStringLiteral("X/Y Plot|Polar Plot"));
        QCOMPARE(h.table(Profile).snapshot(), (std::vector<QStringList>{{"X", "Y"}, {"", ""}}));
        QCOMPARE(h.table(Polar).snapshot(), (std::vector<QStringList>{{"Degree", "Load"}, {"", ""}}));
        QCOMPARE(h.table(Profile).cellBackColor(1, 0), kHighlightColor);
        QCOMPARE(h.find<QComboBox>("Tab1cmbInterval")->currentText(), QStringLiteral("30"));
        QCOMPARE(h.find<QComboBox>("Tab1cmbRange")->currentText(), QStringLiteral("100"));
        QCOMPARE(h.load(Profile).text() + h.load(Polar).text(), QStringLiteral("ReadyReady"));
        QVERIFY(h.find<QLabel>("Label2")->text().startsWith(QStringLiteral("Vantorel Tarvex RS-232 Version 2.5  ")));
        QVERIFY(!h.chart(Polar).picture()->ops.empty());
        QCOMPARE(texts(h.find<QMenu>("mnuFile")->actions()), (QStringList{"&New", "&Open", "&Save", "&Print", "E&xit"}));
        QCOMPARE(texts(h.find<QToolBar>("Toolbar1")->actions(), true),
                 (QStringList{"Open File", "Save File", "Clear Diagram", "Plot current data set", "Print"}));
        QVERIFY(h.unsaved().isEmpty());
        QVERIFY(!h.plotActs());
    }

    // Every button, menu command and toolbar button reaches its routine, on
    // the workspace it belongs to (the routines have tests of their own).
    void wiring()
    {
        struct Case {
            Workspace ws;
            const char* before;    // a control used first, or none
            const char* control;
            std::function<bool(WindowHarness&)> done;
        };
        auto profileDrawn = [](WindowHarness& h) { return points(h.chart(Profile)) == 1; };
        auto polarRed = [](WindowHarness& h) {
            const auto& ops = h.chart(Polar).picture()->ops;
            return std::any_of(ops.begin(), ops.end(), [](const DrawOp& op) { return op.kind == DrawOp::Line && op.color == QColor(255, 0, 0); });
        };
        auto asked = [](const char* filter) {
            return [filter](WindowHarness& h) {
                return h.fakes.fileDialog->asked.size() == 3 && h.fakes.fileDialog->asked.last().filter == filter;
            };
        };
        const QList<Case> cases = {
            {Profile, nullptr, "Tab0cmdPlot", profileDrawn},
            {Profile, nullptr, "Toolbar1_Plot", [&](WindowHarness& h) { return profileDrawn(h) && !polarRed(h); }},
            {Polar, nullptr, "Tab1cmdPlot", [&](WindowHarness& h) { return polarRed(h); }},
            {Polar, nullptr, "Toolbar1_Plot", [&](WindowHarness& h) { return polarRed(h) && !profileDrawn(h); }},
            {Profile, "Tab0cmdPlot", "Tab0cmdClear", [](WindowHarness& h) { return h.chart(Profile).picture()->ops.empty(); }},
            {Profile, "Tab0cmdPlot", "Toolbar1_Clear", [](WindowHarness& h) { return h.chart(Profile).picture()->ops.empty(); }},
            {Polar, "Tab1cmdPlot", "Tab1cmdClear", [&](WindowHarness& h) { return !polarRed(h); }},
            {Polar, "Tab1cmdPlot", "Toolbar1_Clear", [&](WindowHarness& h) { return !polarRed(h); }},
            // The lay-out commands leave an unmodified table unmodified.
            {Profile, nullptr, "Tab0cmdSet", [](WindowHarness& h) { return h.rows(Profile) == QStringList{"10,", "12.5,"} && h.unsaved().isEmpty(); }},
            {Profile, nullptr, "Tab0cmdGridClear", [](WindowHarness& h) { return h.rows(Profile) == QStringList{","} && h.unsaved().isEmpty(); }},
            {Polar, nullptr, "Tab1cmdSet", [](WindowHarness& h) { return h.table(Polar).Rows() == 13 && h.unsaved().isEmpty(); }},
            {Profile, nullptr, "Tab0cmdAdd", [](WindowHarness& h) { return h.table(Profile).TextMatrix(1, 0) == "0"; }},
            {Polar, nullptr, "Command1", [](WindowHarness& h) { return h.rows(Polar).first() == "0,0"; }},
            {Profile, nullptr, "mnuOpen", asked("Tarvex Data File(*.tvl)|*.tvl")},
            {Polar, nullptr, "Toolbar1_Open", asked("Tarvex Polar File(*.tvp)|*.tvp")},
            {Profile, nullptr, "Toolbar1_Save", asked("Tarvex Data File(*.tvl)|*.tvl|Save As Text File(*.txt)|*.txt")},
            {Profile, nullptr, "mnuNew", [](WindowHarness& h) { return h.table(Profile).Rows() == 2 && h.unsaved().isEmpty(); }},
            {Polar, nullptr, "mnuNew", [](WindowHarness& h) { return h.table(Polar).Rows() == 2 && h.unsaved().isEmpty(); }},
            {Profile, nullptr, "mnuHelp1", [](WindowHarness& h) { return h.fakes.helpViewer->shown == QStringList{"/opt/b/M418026.html"}; }},
            {Profile, nullptr, "mnuAbout", [](WindowHarness& h) { return h.window->property("about").toBool(); }},
            {Profile, nullptr, "mnuEnd", [](WindowHarness& h) { return !h.window->isVisible(); }},
            {Profile, nullptr, "cmdOpen", [](WindowHarness& h) { return h.fakes.serialPort->isOpen(); }},
            {Polar, nullptr, "mnuCopy", [](WindowHarness& h) { return h.fakes.clipboard->content == "0\t1"; }},
        };
        for (const Case& c : cases) {
            WindowHarness h;
            h.fill(Profile, {"1,1", "5,2", "10,4"});
            h.fill(Polar, {"0,1", "120,2", "240,4"});
            h.find<QLineEdit>("Tab0txtStart")->setText("10");
            h.find<QLineEdit>("Tab0txtInterv")->setText("2.5");
            h.find<QComboBox>("Tab0cmbClubs")->setEditText("2");
            h.window->applicationFolder = "/opt/b/";
            h.window->showAboutBox = [](frmMain* w) { w->setProperty("about", true); };
            h.showTab(c.ws);
            h.table(c.ws).setCurrent(1, 0);
            h.table(c.ws).setColSel(1);
            if (c.before)
                h.click(c.before);
            h.fakes.fileDialog->paths.clear();
            h.click(c.control);
            QVERIFY2(c.done(h), c.control);
        }
    }

    void titleNamesTheActiveWorkspacesFile()
    {
        WindowHarness h;
        h.fill(Polar, {"0,1", "180,2"});
        QCOMPARE(h.window->windowTitle(), QStringLiteral("Tarvex RS232-fill.tvp"));
        h.showTab(Profile);
        QCOMPARE(h.window->windowTitle(), QStringLiteral("Tarvex RS232"));
        h.showTab(Polar);
        QCOMPARE(h.window->windowTitle(), QStringLiteral("Tarvex RS232 - fill.tvp"));
    }

    // New empties the active workspace only and keeps its modified flag; the
    // profile's New also forgets its file name and the stored curves.
    void newEmptiesTheActiveWorkspace_data()
    {
        QTest::addColumn<Workspace>("ws");
        QTest::addColumn<QStringList>("headings");
        QTest::addColumn<QString>("title");
        QTest::newRow("profile") << Profile << QStringList{"X", "Y"} << "Tarvex RS232";
        QTest::newRow("polar") << Polar << QStringList{"     Degree", "     Load"} << "Tarvex RS232-fill.tvp";
    }
    void newEmptiesTheActiveWorkspace()
    {
        QFETCH(Workspace, ws);
        QFETCH(QStringList, headings);
        QFETCH(QString, title);
        WindowHarness h;
        const qsizetype background = h.chart(Polar).picture()->ops.size();
        const Workspace other = ws == Profile ? Polar : Profile;
        h.fill(other, {"0,1", "180,2", "270,3"});
        h.fill(ws, {"0,1", "180,2", "270,3"});
        h.click(name(ws, "cmdPlot"));
        QTest::keyClicks(&h.note(ws), "n");
        h.click("mnuNew");
        QCOMPARE(h.table(ws).snapshot(), (std::vector<QStringList>{headings, {"", ""}}));
        QCOMPARE(h.rows(other).size(), 3);
        QVERIFY(h.note(ws).toPlainText().isEmpty());
        QCOMPARE(h.window->windowTitle(), title);
        QCOMPARE(h.chart(ws).picture()->ops.size(), ws == Profile ? 0 : background);
        QCOMPARE(h.unsaved(), QStringList{ws == Profile ? "tvl" : "tvp"});
        if (ws == Profile) {
            h.fill(Profile, {"0,1", "5,2", "10,3"});
            h.click("Tab0cmdPlot");
            QCOMPARE(points(h.chart(Profile)), 1);
        }
    }

    // "workspaces typed into | answer (-, Yes, No) | saves offered | tab after"
    void closing_data()
    {
        QTest::addColumn<QString>("script");
        for (const char* s : {" | - |  | 0", "0 | No |  | 0", "0,1 | No |  | 0", "0 | Yes | tvl | 0", "1 | Yes | tvp | 1",
                              "1,0 | Yes | tvl,tvp | 1"})
            QTest::newRow(s) << QString(s);
    }
    void closing()
    {
        QFETCH(QString, script);
        const QStringList f = script.split(" | ");
        WindowHarness h;
        for (const QString& tab : f[0].split(',', Qt::SkipEmptyParts)) {
            h.tabs().setCurrentIndex(tab.toInt());
            QTest::keyClicks(&h.note(tab == "0" ? Profile : Polar), "x");
        }
        h.showTab(Profile);
        h.fakes.messageBox->answers = {f[1] == "Yes" ? MsgResult::Yes : MsgResult::No};
        QCOMPARE(h.window->close(), f[1] != "Yes");
        QStringList asked, saves;
        for (const AskedMessage& m : h.fakes.messageBox->asked)
            asked << m.text + '|' + m.title + '|' + QString::number(int(m.buttons));
        QCOMPARE(asked, f[1] == "-" ? QStringList{}
                                    : QStringList{"Do you want to save the data?|Tarvex RS232|"
                                                  + QString::number(int(MsgButtons::YesNo))});
        for (const FileDialogRequest& r : h.fakes.fileDialog->asked)
            saves << r.defaultExt;
        QCOMPARE(saves.join(','), f[2]);
        QCOMPARE(h.tabs().currentIndex(), f[3].toInt());
    }

private:
    static QString name(Workspace ws, const char* control) { return WindowHarness::name(ws, control); }
};

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
