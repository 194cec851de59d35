// The shell of the main window: start-up, every command's wiring, the title,
// New and the save question on closing. Cases are in
// tests/golden/window/shell.txt.
#include "charts/polar/PolarChart.h"
#include "harness/WindowHarness.h"

#include <QComboBox>
#include <QScreen>
#include <QToolBar>
#include <algorithm>

using namespace tarvex;
using namespace tarvex::testing;

namespace {

// The charts in brief: the profile's operations and curves, whether the polar
// figure (red) is drawn.
QString charts(WindowHarness& h)
{
    const auto& profile = h.chart(Profile).picture()->ops;
    const auto& polar = h.chart(Polar).picture()->ops;
    const auto n = std::count_if(profile.begin(), profile.end(), [](const DrawOp& op) { return op.kind == DrawOp::Polyline; });
    const bool red = std::any_of(polar.begin(), polar.end(), [](const DrawOp& op) { return op.kind == DrawOp::Line && op.color == QColor(255, 0, 0); });
    return QStringLiteral("profile chart %1 ops %2 curves, polar chart %3 ops, figure %4").arg(profile.size()).arg(n).arg(polar.size()).arg(red ? "drawn" : "none");
}

// spine | polar rows "angle,load;..." => the spine panel after Plot | the
// planes drawn on the chart
QString spinePanel(const QStringList& in)
{
    WindowHarness h;
    h.fill(Polar, in[1].split(';'));
    h.click("Tab1cmdPlot");
    const auto& ops = h.chart(Polar).picture()->ops;
    const auto planes = std::count_if(ops.begin(), ops.end(), [](const DrawOp& op) {
        return op.kind == DrawOp::Line && (op.color == polar_colors::kStiffPlane || op.color == polar_colors::kSoftPlane);
    });
    return h.find<QLabel>("Tab1lblSpine")->text().replace('\n', " / ") + QStringLiteral(" | %1 planes").arg(planes);
}

// start => the window as it opens: title, tabs, the polar controls, the
// live boxes, the maker's line, the File menu and the toolbar's tips, the
// charts and both workspaces
QString startUp()
{
    WindowHarness h;
    return QStringList{h.window->windowTitle(),
                       QStringLiteral("tab %1 of %2, %3").arg(h.tabs().currentIndex()).arg(h.tabs().tabText(0), h.tabs().tabText(1)),
                       "interval " + h.find<QComboBox>("Tab1cmbInterval")->currentText() + ", range " + h.find<QComboBox>("Tab1cmbRange")->currentText(),
                       "live " + h.load(Profile).text() + ", " + h.load(Polar).text(), h.find<QLabel>("Label2")->text(),
                       texts(h.find<QMenu>("mnuFile")->actions()).join(','), texts(h.find<QToolBar>("Toolbar1")->actions(), true).join(','),
                       charts(h), "headings " + h.table(Profile).TextMatrix(0, 0) + ',' + h.table(Profile).TextMatrix(0, 1) + ' ' + h.state(Profile),
                       "headings " + h.table(Polar).TextMatrix(0, 0) + ',' + h.table(Polar).TextMatrix(0, 1) + ' ' + h.state(Polar)}
        .join(" | ");
}

// wire | profile|polar | control used first, or - | control => what it did
// On both tables three saved rows; Start 10, Steps 2.5, Count 2; the current
// cell 1,0 with the load column in the block.
QString wiring(const QStringList& in)
{
    const Workspace ws = in[1] == "polar" ? Polar : Profile;
    WindowHarness h;
    h.fill(Profile, {"1,1", "5,2", "10,4"});
    h.fill(Polar, {"0,1", "120,2", "240,4"});
    h.find<QLineEdit>("Tab0txtStart")->setText("10");
    h.find<QLineEdit>("Tab0txtInterv")->setText("2.5");
    h.find<QComboBox>("Tab0cmbClubs")->setEditText("2");
    h.window->setApplicationFolder("/opt/b/");
    h.window->showAboutBox = [](frmMain* w) { w->setProperty("about", true); };
    h.showTab(ws);
    h.table(ws).setCurrent(1, 0);
    h.table(ws).setColSel(1);
    if (in[2] != "-")
        h.click(in[2]);
    h.fakes.fileDialog->asked.clear();
    h.fakes.fileDialog->paths.clear();
    h.click(in[3]);
    QStringList out{charts(h)};
    for (const FileDialogRequest& r : h.fakes.fileDialog->asked)
        out << "asked " + r.filter;
    if (!h.fakes.helpViewer->shown.isEmpty())
        out << "help " + h.fakes.helpViewer->shown.join(',');
    if (h.window->property("about").toBool())
        out << "about";
    if (h.fakes.serialPort->isOpen())
        out << "port open";
    if (!h.fakes.clipboard->content.isEmpty())
        out << "clipboard " + golden::show(h.fakes.clipboard->content);
    if (!h.window->isVisible())
        return out.join(" | ") + " | window closed";
    return out.join(" | ") + " | " + h.state(ws);
}

// new | profile|polar => after New on the workspace, which held three rows, a
// plotted chart and a typed note, while the other held three rows: the title,
// the headings, the charts, both workspaces
QString newCommand(const QStringList& in)
{
    const Workspace ws = in[1] == "polar" ? Polar : Profile;
    const Workspace other = ws == Profile ? Polar : Profile;
    WindowHarness h;
    h.fill(other, {"0,1", "180,2", "270,3"});
    h.fill(ws, {"0,1", "180,2", "270,3"});
    h.click(WindowHarness::name(ws, "cmdPlot"));
    QTest::keyClicks(&h.note(ws), "n");
    h.click("mnuNew");
    QStringList out{h.window->windowTitle(), "headings " + golden::show(h.table(ws).TextMatrix(0, 0) + '|' + h.table(ws).TextMatrix(0, 1)),
                    "note " + golden::show(h.note(ws).toPlainText()), charts(h), h.state(ws), "other " + h.state(other)};
    if (ws == Profile) {   // the stored curves are forgotten: a new table plots alone
        h.fill(Profile, {"0,1", "5,2", "10,3"});
        h.click("Tab0cmdPlot");
        out << "plotted again: " + charts(h);
    }
    return out.join(" | ");
}

// close | tabs typed into | answer (-, Yes, No, Cancel: Esc) => closed or not, what was
// asked, the saves offered, the tab after
QString closing(const QStringList& in)
{
    WindowHarness h;
    for (const QString& tab : in[1].split(',', Qt::SkipEmptyParts)) {
        h.tabs().setCurrentIndex(tab.toInt());
        QTest::keyClicks(&h.note(tab == "0" ? Profile : Polar), "x");
    }
    h.showTab(Profile);
    h.fakes.messageBox->answers = {in[2] == "Yes" ? MsgResult::Yes : in[2] == "Cancel" ? MsgResult::Cancel : MsgResult::No};
    QStringList out{h.window->close() ? "closed" : "open"};
    for (const AskedMessage& m : h.fakes.messageBox->asked)
        out << "asked " + m.text + " [" + m.title + (m.buttons == MsgButtons::YesNo ? "] Yes No" : "] ?");
    for (const FileDialogRequest& r : h.fakes.fileDialog->asked)
        out << "save " + r.defaultExt;
    return out.join(" | ") + QStringLiteral(" | tab %1").arg(h.tabs().currentIndex());
}

// keys | the window: - for the main window, "heading" for the caption
// dialog, or the command that opens it; then, within a window that is not
// modal, the command there that opens a modal one => every access key used
// twice within one scope, or none. The library is one of a stored profile.
QString accessKeys(const QStringList& in)
{
    QTemporaryDir dir;
    qputenv("TARVEX_LIBRARY", dir.filePath("library.sqlite").toLocal8Bit());
    WindowHarness h;
    QStringList out;
    const QString failed = walkWindow(h, in.mid(1), [&out](QWidget* form) { out << clashes(form); });
    qunsetenv("TARVEX_LIBRARY");
    return !failed.isEmpty() ? failed : out.isEmpty() ? "none" : out.join(" | ");
}

// remember | steps: "port P", "start T", "steps T", "count T", "interval T",
// "range T" typed or picked, "ports A,B" (the system's ports at the next
// start), "restart" (closed and started again, nothing touched) => the
// fields after the program is closed and started again
QString remember(const QStringList& in)
{
    WindowHarness h;
    h.fakes.settingsFile = h.dir.filePath("tarvex.ini");
    h.window = std::make_unique<frmMain>(h.fakes.bundle());
    h.showWindow();
    const auto combo = [&h](const char* name) { return h.find<QComboBox>(name); };
    for (const QString& step : in[1].split(';')) {
        const QString what = step.section(' ', 0, 0), text = step.section(' ', 1);
        if (what == "port")
            combo("cmbCommPort")->setCurrentIndex(combo("cmbCommPort")->findText(text));
        else if (what == "start" || what == "steps")
            h.find<QLineEdit>(what == "start" ? "Tab0txtStart" : "Tab0txtInterv")->setText(text);
        else if (what == "count")
            combo("Tab0cmbClubs")->setEditText(text);
        else if (what == "interval")
            combo("Tab1cmbInterval")->setCurrentIndex(combo("Tab1cmbInterval")->findText(text));
        else if (what == "range")
            combo("Tab1cmbRange")->setEditText(text);
        else if (what == "ports")
            h.fakes.serialPort->ports = text.split(',');
        else if (what == "restart") {
            h.window->close();
            h.window = std::make_unique<frmMain>(h.fakes.bundle());
            h.showWindow();
        }
    }
    h.window->close();
    h.window = std::make_unique<frmMain>(h.fakes.bundle());
    h.showWindow();
    return QStringList{"port " + combo("cmbCommPort")->currentText(), "start " + h.find<QLineEdit>("Tab0txtStart")->text(),
                       "steps " + h.find<QLineEdit>("Tab0txtInterv")->text(), "count " + combo("Tab0cmbClubs")->currentText(),
                       "interval " + combo("Tab1cmbInterval")->currentText(), "range " + combo("Tab1cmbRange")->currentText(),
                       "said " + h.fakes.messageBox->texts().join(" / ")}
        .join(", ");
}

// fit => whether the main window opens within the screen's available
// height with its frame and title bar, and whether its least size fits a
// 1024x600 screen so
QString fit()
{
    WindowHarness h;
    const QRect room = h.window->screen()->availableGeometry();
    const QSize least = h.window->minimumSizeHint() + QSize(16, 48);
    QStringList out{h.window->height() + 48 <= room.height() ? QStringLiteral("opens within the screen") : QStringLiteral("opens too tall")};
    out << (least.boundedTo(QSize(1024, 600)) == least ? QStringLiteral("fits 1024x600")
                                                       : QStringLiteral("least %1x%2 with its frame").arg(least.width()).arg(least.height()));
    return out.join(", ");
}

// tabs | keys pressed in the profile's grid ("ctrl+tab", "ctrl+shift+tab")
// => the tab shown and the control with the focus after each
QString tabKeys(const QStringList& in)
{
    WindowHarness h;
    h.view(Profile).setFocus();
    QStringList out;
    for (const QString& key : in[1].split(' ')) {
        QWidget* from = QApplication::focusWidget();
        QTest::keyClick(from ? from : h.window.get(), Qt::Key_Tab, key.contains("shift") ? Qt::ControlModifier | Qt::ShiftModifier : Qt::ControlModifier);
        const QWidget* focus = QApplication::focusWidget();
        out << QStringLiteral("%1 in %2").arg(focus ? focus->objectName() : QStringLiteral("nothing"), h.tabs().tabText(h.tabs().currentIndex()));
    }
    return out.join(", ");
}

} // namespace

class TestShell : public QObject {
    Q_OBJECT
private slots:
    void cases()
    {
        GOLDEN_VERIFY(golden::cases("window/shell.txt", [](const QStringList& in) {
            return in[0] == "start" ? startUp() : in[0] == "wire" ? wiring(in) : in[0] == "new" ? newCommand(in) : in[0] == "keys" ? accessKeys(in) : in[0] == "fit" ? fit() : in[0] == "remember" ? remember(in)
                 : in[0] == "tabs" ? tabKeys(in) : in[0] == "spine" ? spinePanel(in) : closing(in);
        }));
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

    // A recovery copy found at start that cannot be read may still hold a
    // day's readings: the user is told, and it is moved aside, never removed,
    // nor replaced by the next one. A copy of no table loses nothing.
    void unreadableRecoveryCopyIsToldAndKept()
    {
        WindowHarness h;
        h.fakes.recoveryFile = h.path(QStringLiteral("recovery.json"));
        const QByteArray whole = "{\"format\":\"tarvex-recovery-1\",\"savedAt\":\"2026-12-08T09:30:15.250Z\"}";
        const QByteArray cut = whole.chopped(1) + ",\"profile\":{\"ce";
        const QString said = QStringLiteral("A recovery copy of unsaved tables was found, but it cannot be read: it is cut short "
                                            "or its bytes are damaged. It was kept as <dir>/recovery.json.%1.");
        const struct {
            QByteArray bytes;
            QString said;
            QStringList kept;
        } starts[] = {
            {cut, said.arg("damaged"), {"recovery.json.damaged"}},
            {cut, said.arg("damaged-2"), {"recovery.json.damaged", "recovery.json.damaged-2"}},
            {whole, {},
             {"recovery.json.damaged", "recovery.json.damaged-2"}},
        };
        for (const auto& start : starts) {
            QFile copy(h.fakes.recoveryFile);
            QVERIFY(copy.open(QIODevice::WriteOnly) && copy.write(start.bytes) == start.bytes.size());
            copy.close();
            h.window.reset();
            h.fakes.messageBox->asked.clear();
            h.window = std::make_unique<frmMain>(h.fakes.bundle());
            h.window->offerRecovery();
            QCOMPARE(h.fakes.messageBox->texts().join(QLatin1Char('|')).replace(h.dir.path(), QStringLiteral("<dir>")),
                     start.said);
            QCOMPARE(QDir(h.dir.path()).entryList({QStringLiteral("recovery.json*")}, QDir::Files),
                     start.kept + QStringList{QStringLiteral("recovery.json.lock")});
        }
        h.window.reset();   // lets go of its lock before the folder goes
    }
};

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
