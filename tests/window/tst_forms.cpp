// The forms the main window opens: the report of the active workspace, the
// sine plot, and the splash at start-up and as the About box; the report and
// the charts exported as files. Cases are in tests/golden/window/forms.txt.
#include "harness/WindowHarness.h"

#include "frmSplash.h"
#include "platform/QtPrinter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTextDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QSysInfo>
#include <QTimer>

using namespace tarvex;
using namespace tarvex::testing;

namespace {

// What a program prints about a file, on one line; the report's time and
// this computer's name as words, so the case reads the same on any day and host.
QString tool(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished())
        return program + " did not run";
    QString out = QString::fromUtf8(p.readAllStandardOutput()).simplified();
    out.replace(QRegularExpression(QStringLiteral("\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d")), QStringLiteral("<time>"));
    out.replace(QStringLiteral("Bench: ") + QSysInfo::machineHostName(), QStringLiteral("Bench: <host>"));
    return out;
}

// print | profile|polar | printer: pdf, or none (the system has no printer),
// preview (none, and only the preview asked for) [| auto: the polar range
// "Auto" and the sine view asked for, over a table with a 3 % spine]
// => the forms opened, the chart's width in the preview, the text of the page
// printed, what was said
QString print(const QStringList& in)
{
    const Workspace ws = in[1] == "polar" ? Polar : Profile;
    qputenv("CUPS_SERVER", "/nonexistent/tarvex-test/cups.sock");   // this machine's printers take no part
    QTemporaryDir dir;
    const QString pdf = dir.filePath("printed.pdf");
    WindowHarness h({"A", "B"}, in[2] == "pdf" ? std::make_shared<QtPrinter>(pdf) : std::make_shared<QtPrinter>());
    h.note(ws == Profile ? Polar : Profile).setPlainText("other tab");
    h.note(ws).setPlainText("line one\nline two");
    h.showTab(ws);
    const bool automatic = in.value(3) == "auto";
    if (automatic) {
        h.fill(Polar, {"0,50.75", "45,50", "90,49.25", "135,50", "180,50.75", "225,50", "270,49.25", "315,50"});
        auto* range = h.find<QComboBox>("Tab1cmbRange");
        range->setCurrentIndex(range->findText("Auto"));
    }
    QString chart;
    QStringList out = withModal([&] { h.click("Toolbar1_Print"); }, [&](QWidget* form) {
        QTest::keyClicks(form->findChild<QLineEdit*>("txtShaftName"), "Shaft 7");
        QTest::keyClicks(form->findChild<QLineEdit*>("txtCustomer"), "J. Ames");
        QTest::keyClicks(form->findChild<QLineEdit*>("txtLabel"), "V-12");
        if (automatic)
            form->findChild<QCheckBox*>("chkSine")->setChecked(true);
        if (in[2] != "none")   // the preview of a sheet that is there, or of the desktop's
            form->findChild<QAbstractButton*>("cmdPrintPreview")->click();
        const PictureArea& preview = *form->findChild<PictureAreaWidget*>()->area();
        for (const DrawOp& op : preview.picture()->ops)
            if (op.kind == DrawOp::Image)
                chart = QStringLiteral("chart %1 in").arg(golden::number((op.b.x() - op.a.x()) * preview.ScaleWidth()));
        if (in[2] != "preview")
            form->findChild<QAbstractButton*>("cmdPrint")->click();
        form->findChild<QAbstractButton*>("cmdClose")->click();
    });
    if (!chart.isEmpty())
        out << chart;
    if (QFile::exists(pdf))
        out << "page " + tool("pdftotext", {"-layout", pdf, "-"});
    for (const QString& text : h.fakes.messageBox->texts())
        out << "said " + text;
    return out.join(" | ");
}

// splash | ticks of its timer | key, "click", "frame" or - => whether it closed, the
// main windows made; then as the About box over that window
QString splash(const QStringList& in)
{
    FakePlatform fakes;
    std::vector<std::unique_ptr<frmMain>> created;
    frmSplash splash;
    splash.createMainWindow = [&] {
        created.push_back(std::make_unique<frmMain>(fakes.bundle()));
        created.back()->showAboutBox = [&](frmMain* owner) { splash.showAboutBox(owner); };
        return created.back().get();
    };
    splash.show();
    splash.Timer1->stop();
    for (int i = 0; i < in[1].toInt(); ++i)
        splash.Timer1_Timer();
    if (in[2] == "click" || in[2] == "frame")   // the logo, or the frame's corner beside it
        QTest::mouseClick(in[2] == "click" ? splash.Picture1 : static_cast<QWidget*>(splash.Frame1), Qt::LeftButton, {},
                          in[2] == "click" ? splash.Picture1->rect().center() : QPoint(2, 2));
    else if (in[2] != "-")
        QTest::keyClick(&splash, in[2] == "Shift" ? Qt::Key_Shift : Qt::Key(in[2].at(0).unicode()));
    QStringList out{splash.isVisible() ? "shown" : "closed", QStringLiteral("%1 windows").arg(created.size())};
    if (created.empty())
        return out.join(" | ");
    splash.close();
    frmMain& w = *created.front();
    w.findChild<DataTable*>()->setTextMatrix(1, 1, "12.5");
    int ticksAtStart = -1;
    bool modal = false;
    QTimer::singleShot(0, &splash, [&] {
        ticksAtStart = splash.SplashTicks;
        modal = splash.isModal();
        QTest::keyClick(&splash, Qt::Key_Space);
    });
    w.findChild<QAction*>("mnuAbout")->trigger();
    out << QStringLiteral("about: %1 from tick %2, then %3").arg(modal ? "modal" : "MODELESS").arg(ticksAtStart)
                .arg(splash.isVisible() ? "SHOWN" : "closed")
        << QStringLiteral("%1 windows, %2, cell %3").arg(created.size()).arg(w.isVisible() ? "shown" : "HIDDEN", w.findChild<DataTable*>()->TextMatrix(1, 1));
    return out.join(" | ");
}

// sine | rows => the forms opened, titled
QString sine(const QStringList& in)
{
    WindowHarness h;
    h.fill(Polar, in[1].split(';'));
    QStringList out;
    withModal([&] { h.click("Tab1cmdSine"); }, [&out](QWidget* form) {
        QTextDocument legend;
        legend.setHtml(form->findChild<QLabel*>("lblLegend")->text());
        out << QLatin1String(form->metaObject()->className()) + " titled " + form->windowTitle() + ": "
                + legend.toPlainText().simplified() + (form->findChild<QCheckBox*>("chkParts")->isEnabled() ? ", parts offered" : "");
        form->close();
    });
    return out.join(',');
}

// export | profile|polar | command | name answered => what was said; what the
// file holds: a PDF's text and its fonts, a picture's size; what the clipboard got
QString exportFile(const QStringList& in)
{
    const Workspace ws = in[1] == "polar" ? Polar : Profile;
    WindowHarness h;
    h.fill(ws, in.size() > 4 ? in[4].split(';') : QStringList{"0,1", "90,2", "180,3"});
    h.note(ws).setPlainText("bench 2, 21 C");
    h.click(WindowHarness::name(ws, "cmdPlot"));
    h.fakes.fileDialog->paths = {h.path(in[3])};
    h.click(in[2]);
    QStringList out;
    for (const QString& text : h.fakes.messageBox->texts())
        out << "said " + text;
    const QString file = h.path(in[3]);
    if (in[3].endsWith(".pdf") && QFile::exists(file)) {
        out << tool("pdftotext", {"-layout", file, "-"});
        const QString fonts = tool("pdffonts", {file});
        out << QStringLiteral("%1 fonts, %2 embedded").arg(fonts.count(QRegularExpression(" (yes|no) (yes|no) (yes|no) ")))
                   .arg(fonts.count(QRegularExpression(" yes (yes|no) (yes|no) ")));
    } else if (in[3].endsWith(".svg", Qt::CaseInsensitive) && QFile::exists(file)) {
        QSvgRenderer svg(file);
        out << QStringLiteral("svg %1, %2x%3").arg(svg.isValid() ? "valid" : "INVALID").arg(svg.viewBox().width()).arg(svg.viewBox().height());
    } else if (QFile::exists(file)) {
        out << QStringLiteral("image %1x%2").arg(QImage(file).width()).arg(QImage(file).height());
    }
    if (!h.fakes.clipboard->image.isNull())
        out << QStringLiteral("clipboard image %1x%2").arg(h.fakes.clipboard->image.width()).arg(h.fakes.clipboard->image.height());
    return out.join(" | ");
}

} // namespace

class TestForms : public QObject {
    Q_OBJECT
private slots:
    void cases()
    {
        GOLDEN_VERIFY(golden::cases("window/forms.txt", [](const QStringList& in) {
            return in[0] == "print" ? print(in) : in[0] == "splash" ? splash(in) : in[0] == "export" ? exportFile(in) : sine(in);
        }));
    }
};

QTEST_MAIN(TestForms)
#include "tst_forms.moc"
