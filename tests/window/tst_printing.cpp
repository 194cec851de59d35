// The print command and the report form, driven through the main window with
// a recording printer.
#include "frmMain.h"
#include "platform/PictureArea.h"
#include "platform/PictureAreaWidget.h"
#include "fakes/FakePlatform.h"
#include "report/frmPrintView.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

using namespace tarvex;

namespace {

// Runs `command` (which should open the report form modally) and calls `inForm`
// with the open form, then closes it with "Close". Returns whether it opened.
bool withPrintView(const std::function<void()>& command, const std::function<void(frmPrintView&)>& inForm)
{
    bool opened = false;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* form = qobject_cast<frmPrintView*>(QApplication::activeModalWidget());
        if (!form)
            return;
        opened = true;
        inForm(*form);
        form->cmdClose->click();
    });
    timer.start();
    command();
    timer.stop();
    return opened;
}

// Leaves a mark on the main window's hidden chart copy, as an earlier print
// command would have.
Picture markPicture1(frmMain& w)
{
    w.Picture1->Cls();
    w.Picture1->Line(0, 0, 10, 10, QColor(1, 2, 3));
    return w.Picture1->picture();
}

QStringList textsOf(const PictureArea& area)
{
    QStringList out;
    for (const DrawOp& op : area.picture()->ops)
        if (op.kind == DrawOp::Text)
            out << op.text;
    return out;
}

} // namespace

class TestPrinting : public QObject {
    Q_OBJECT
private slots:
    void formLayoutAndCaption()
    {
        FakePlatform fakes;
        frmMain w(fakes.bundle());
        QString caption, label, name, close, print, preview;
        QSize previewSize;
        bool chartEmpty = false;
        QVERIFY(withPrintView([&] { w.mnuPrint->trigger(); }, [&](frmPrintView& f) {
            caption = f.windowTitle();
            label = f.Label1->text();
            name = f.txtShaftName->text();
            close = f.cmdClose->text();
            print = f.cmdPrint->text();
            preview = f.cmdPrintPreview->text();
            previewSize = f.Picture1View->size();
            chartEmpty = !f.Picture2;
        }));
        QCOMPARE(caption, QStringLiteral("Tarvex RS232 - Print Preview"));
        QCOMPARE(label, QStringLiteral("Name"));
        QCOMPARE(name, QString());
        QCOMPARE(close, QStringLiteral("Close"));
        QCOMPARE(print, QStringLiteral("Print"));
        QCOMPARE(preview, QStringLiteral("Preview"));
        QCOMPARE(previewSize, QSize(8600 / 15, 6055 / 15));
        QVERIFY(chartEmpty);
    }

    void polarTabWithFewRowsKeepsTheEarlierCopy()
    {
        FakePlatform fakes;
        frmMain w(fakes.bundle());
        w.SSTab1->setCurrentIndex(1);
        QVERIFY(w.Tab1msGrid->Rows() <= 2);
        const Picture earlier = markPicture1(w);
        Picture inReport;
        QSize sizeWhileOpen;
        QVERIFY(withPrintView([&] { w.mnuPrint_Click(); }, [&](frmPrintView& f) {
            sizeWhileOpen = w.Picture1->designSize();
            f.cmdPrintPreview->click();
            inReport = f.Picture2;
        }));
        QCOMPARE(sizeWhileOpen, w.Tab1Picture->designSize());
        QVERIFY(inReport);
        QCOMPARE(inReport->ops.size(), earlier->ops.size());
        QCOMPARE(inReport->ops.front().color, QColor(1, 2, 3));
    }

    void profileTabAfterClear()
    {
        FakePlatform fakes;
        frmMain w(fakes.bundle());
        w.SSTab1->setCurrentIndex(0);
        w.Tab0cmdClear_Click();
        bool previewed = false;
        bool chartIsTheCopy = false;
        QSize sizeWhileOpen;
        QVERIFY(withPrintView([&] { w.mnuPrint_Click(); }, [&](frmPrintView& f) {
            sizeWhileOpen = w.Picture1->designSize();
            f.cmdPrintPreview->click();
            const auto& ops = f.Picture1->picture()->ops;
            previewed = !ops.empty();
            for (const DrawOp& op : ops)
                if (op.kind == DrawOp::Image)
                    chartIsTheCopy = op.picture == w.Picture1->picture();
        }));
        QCOMPARE(sizeWhileOpen, w.Tab0Picture->designSize());
        QVERIFY(previewed);
        QVERIFY(chartIsTheCopy);
        QVERIFY(fakes.messageBox->asked.isEmpty());
    }

    void twiceOnDifferentTabs()
    {
        FakePlatform fakes;
        frmMain w(fakes.bundle());
        QVERIFY(w.Tab0Picture->designSize() != w.Tab1Picture->designSize());
        QSize first, second;
        w.SSTab1->setCurrentIndex(0);
        QVERIFY(withPrintView([&] { w.mnuPrint_Click(); }, [&](frmPrintView&) { first = w.Picture1->designSize(); }));
        w.SSTab1->setCurrentIndex(1);
        QVERIFY(withPrintView([&] { w.mnuPrint_Click(); }, [&](frmPrintView&) { second = w.Picture1->designSize(); }));
        QCOMPARE(first, w.Tab0Picture->designSize());
        QCOMPARE(second, w.Tab1Picture->designSize());
    }

    void eachOpeningStartsAfresh()
    {
        FakePlatform fakes;
        frmMain w(fakes.bundle());
        QVERIFY(withPrintView([&] { w.mnuPrint_Click(); }, [&](frmPrintView& f) {
            QTest::keyClicks(f.txtShaftName, QStringLiteral("First"));
            f.cmdPrintPreview->click();
        }));
        QString name = QStringLiteral("?");
        bool chartEmpty = false;
        QVERIFY(withPrintView([&] { w.mnuPrint_Click(); }, [&](frmPrintView& f) {
            name = f.txtShaftName->text();
            chartEmpty = !f.Picture2;
        }));
        QCOMPARE(name, QString());
        QVERIFY(chartEmpty);
    }

    void enterInTheNameBoxKeepsTheFormOpen()
    {
        FakePlatform fakes;
        frmMain w(fakes.bundle());
        bool stillOpen = false;
        QVERIFY(withPrintView([&] { w.mnuPrint_Click(); }, [&](frmPrintView& f) {
            QTest::keyClicks(f.txtShaftName, QStringLiteral("Shaft"));
            QTest::keyClick(f.txtShaftName, Qt::Key_Return);
            stillOpen = f.isVisible();
        }));
        QVERIFY(stillOpen);
        QVERIFY(fakes.printer->sent.isEmpty());
    }

    void printSendsTheReportOfTheActiveTab_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("firstRow");
        QTest::newRow("profile") << 0 << "X  Y";
        QTest::newRow("polar") << 1 << "Degree  Load";
    }

    void printSendsTheReportOfTheActiveTab()
    {
        QFETCH(int, tab);
        QFETCH(QString, firstRow);
        FakePlatform fakes;
        frmMain w(fakes.bundle());
        w.SSTab1->setCurrentIndex(tab);
        (tab == 0 ? w.Tab0txtNote : w.Tab1txtNote)->setPlainText(QStringLiteral("line one\nline two"));
        (tab == 0 ? w.Tab1txtNote : w.Tab0txtNote)->setPlainText(QStringLiteral("other tab"));
        QVERIFY(withPrintView([&] { w.mnuPrint_Click(); }, [&](frmPrintView& f) {
            QTest::keyClicks(f.txtShaftName, QStringLiteral("Shaft 7"));
            f.cmdPrint->click();
        }));
        QVERIFY(fakes.messageBox->asked.isEmpty());
        QCOMPARE(fakes.printer->sent.size(), 1);
        QStringList texts;
        double chartWidth = 0;
        for (const PrintedOp& op : fakes.printer->sent.first()) {
            if (op.kind == PrintedOp::Text)
                texts << op.text;
            if (op.kind == PrintedOp::Picture)
                chartWidth = op.x2 - op.x1;
        }
        QCOMPARE(texts.mid(0, 4), (QStringList{QStringLiteral("Tarvex Report (Shaft 7)"), QStringLiteral("Note:"),
                                              QStringLiteral("line one"), QStringLiteral("line two")}));
        QCOMPARE(texts.at(4), firstRow);
        QVERIFY(!texts.contains(QStringLiteral("other tab")));
        QVERIFY(std::fabs(chartWidth - (tab == 0 ? 6.3 : 3.7)) < 1e-9);
        QCOMPARE(fakes.printer->orientation(), Printer::Orientation::Landscape);
        QCOMPARE(fakes.printer->scaleMode(), Printer::ScaleMode::Inches);
    }

    void printWithoutPrinterShowsTheDescriptionOnce()
    {
        FakePlatform fakes;
        fakes.printer->failure = QStringLiteral("There is no default printer on this system.");
        frmMain w(fakes.bundle());
        QVERIFY(withPrintView([&] { w.mnuPrint_Click(); }, [&](frmPrintView& f) { f.cmdPrint->click(); }));
        QCOMPARE(fakes.messageBox->texts(), QStringList{fakes.printer->failure});
        QCOMPARE(fakes.messageBox->asked.first().title, QStringLiteral("Tarvex RS232"));
        QVERIFY(fakes.printer->sent.isEmpty());
    }

    void previewWithoutPrinterStillShowsTheReport()
    {
        FakePlatform fakes;
        fakes.printer->failure = QStringLiteral("There is no default printer on this system.");
        frmMain w(fakes.bundle());
        QStringList texts;
        double titleSize = 0;
        QVERIFY(withPrintView([&] { w.mnuPrint_Click(); }, [&](frmPrintView& f) {
            f.cmdPrintPreview->click();
            texts = textsOf(*f.Picture1);
            for (const DrawOp& op : f.Picture1->picture()->ops)
                if (op.kind == DrawOp::Text && titleSize == 0)
                    titleSize = op.fontPointSize;
        }));
        QCOMPARE(fakes.messageBox->texts(), QStringList{fakes.printer->failure});
        QVERIFY(texts.contains(QStringLiteral("Tarvex Report ()")));
        QVERIFY(titleSize > 6);
    }

    void failureWhileDrawingSendsThePageAsFarAsDrawn()
    {
        FakePlatform fakes;
        fakes.printer->failAtDrawing = 2;
        frmMain w(fakes.bundle());
        QVERIFY(withPrintView([&] { w.mnuPrint_Click(); }, [&](frmPrintView& f) { f.cmdPrint->click(); }));
        QCOMPARE(fakes.messageBox->texts(), QStringList{QStringLiteral("Printer error at drawing 2")});
        QCOMPARE(fakes.printer->sent.size(), 1);
        QCOMPARE(fakes.printer->sent.first().size(), 2);
    }

    void pageThatIsNotSentIsReported()
    {
        FakePlatform fakes;
        fakes.printer->endFailure = QStringLiteral("The printer PDF could not be reached; the page was not printed.");
        frmMain w(fakes.bundle());
        QVERIFY(withPrintView([&] { w.mnuPrint_Click(); }, [&](frmPrintView& f) { f.cmdPrint->click(); }));
        QCOMPARE(fakes.messageBox->texts(), QStringList{fakes.printer->endFailure});
    }

    void previewGrowsToThePageAndTheFormWithIt()
    {
        FakePlatform fakes;   // a letter sheet: 11 x 8.5 inches in landscape
        frmMain w(fakes.bundle());
        QSize before, after, area;
        QRect previewGeometry;
        QSize form;
        QVERIFY(withPrintView([&] { w.mnuPrint_Click(); }, [&](frmPrintView& f) {
            before = f.Picture1View->size();
            f.cmdPrintPreview->click();
            f.cmdPrintPreview->click();
            after = f.Picture1View->size();
            area = f.Picture1->designSize();
            previewGeometry = f.Picture1View->geometry();
            form = f.size();
        }));
        QCOMPARE(before, QSize(573, 403));
        QCOMPARE(after, QSize(573, 443));
        QCOMPARE(area, after);
        QVERIFY(form.height() > previewGeometry.bottom());
        QVERIFY(form.width() > previewGeometry.right());
    }

    void toolbarAndMenuOpenTheForm()
    {
        FakePlatform fakes;
        frmMain w(fakes.bundle());
        QVERIFY(withPrintView([&] { w.Toolbar1_ButtonClick(QStringLiteral("Print")); }, [](frmPrintView&) {}));
        QVERIFY(withPrintView([&] { w.mnuPrint->trigger(); }, [](frmPrintView&) {}));
    }
};

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
