// The heading dialog, opened by a double click on a table's heading row.
#include "EditingHarness.h"

#include "charts/xy/frmXYCaption.h"

#include <QLabel>
#include <QPushButton>

using namespace tarvex;
using namespace tarvex::testing;

namespace {

// Double-clicks the heading row of the tab's table and hands the dialog to
// `answer`; fails when no dialog appears.
void onHeadingDialog(Harness& h, int tab, const std::function<void(frmXYCaption&)>& answer)
{
    const bool seen = withDialog<frmXYCaption>(
        [&] { QTest::mouseDClick(h.view(tab).viewport(), Qt::LeftButton, {}, h.cellPoint(tab, 0, 1)); }, answer);
    QVERIFY2(seen, "no heading dialog");
}

QStringList headings(const DataTable& t)
{
    return {t.TextMatrix(0, 0), t.TextMatrix(0, 1)};
}

} // namespace

class TestXYCaption : public QObject {
    Q_OBJECT
private slots:
    void renameSecondHeading_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("profile") << 0 << QStringList{"X", "Y"};
        QTest::newRow("polar") << 1 << QStringList{"Degree", "Load"};
    }
    void renameSecondHeading()
    {
        QFETCH(int, tab);
        QFETCH(QStringList, shown);
        Harness h;
        h.showTab(tab);
        h.fill(tab, {"1,10"});
        const QStringList otherBefore = headings(h.table(1 - tab));
        QStringList seen;
        onHeadingDialog(h, tab, [&](frmXYCaption& d) {
            seen = {d.txtXLabel->text(), d.txtYLabel->text()};
            d.txtYLabel->setText("Load (N)");
            d.OKButton->click();
        });
        QCOMPARE(seen, shown);
        QCOMPARE(headings(h.table(tab)), QStringList({shown[0], "Load (N)"}));
        QCOMPARE(headings(h.table(1 - tab)), otherBefore);
        // The headings are saved with the table: closing must ask. The data
        // did not change, so the profile needs no new curve.
        QVERIFY(h.modified(tab));
        QVERIFY(!h.modified(1 - tab));
        QVERIFY(h.w().ProfilePlotted);
    }

    void emptyBoxKeepsTheDialogOpen_data()
    {
        QTest::addColumn<bool>("emptyFirst");
        QTest::newRow("first box empty") << true;
        QTest::newRow("second box empty") << false;
    }
    void emptyBoxKeepsTheDialogOpen()
    {
        QFETCH(bool, emptyFirst);
        Harness h;
        bool stayedOpen = false;
        onHeadingDialog(h, 0, [&](frmXYCaption& d) {
            (emptyFirst ? d.txtXLabel : d.txtYLabel)->clear();
            (emptyFirst ? d.txtYLabel : d.txtXLabel)->setText("changed");
            d.OKButton->click();
            QTest::keyClick(&d, Qt::Key_Return); // Enter answers OK, which waits too
            stayedOpen = d.isVisible();
            d.CancelButton->click();
        });
        QVERIFY(stayedOpen);
        QCOMPARE(headings(h.table(0)), QStringList({"X", "Y"}));
        QVERIFY(!h.w().ProfileModified);
    }

    void blanksCountAsFilled()
    {
        Harness h;
        onHeadingDialog(h, 0, [&](frmXYCaption& d) {
            d.txtXLabel->setText("   ");
            d.OKButton->click();
        });
        QCOMPARE(headings(h.table(0)), QStringList({"   ", "Y"}));
    }

    void escapeCancels()
    {
        Harness h;
        onHeadingDialog(h, 0, [&](frmXYCaption& d) {
            d.txtXLabel->setText("Position");
            QTest::keyClick(d.txtXLabel, Qt::Key_Escape);
        });
        QCOMPARE(headings(h.table(0)), QStringList({"X", "Y"}));
    }

    void doubleClickOnADataRowEditsInstead()
    {
        Harness h;
        h.fill(0, {"1,10"});
        bool seen = withDialog<frmXYCaption>(
            [&] { QTest::mouseDClick(h.view(0).viewport(), Qt::LeftButton, {}, h.cellPoint(0, 1, 1)); },
            [](frmXYCaption& d) { d.reject(); });
        QVERIFY(!seen);
        QVERIFY(h.box(0).isVisible());
    }

    void layout()
    {
        DataTable profile;
        profile.setTextMatrix(0, 0, "Pos");
        profile.setTextMatrix(0, 1, "Force");
        frmXYCaption d(&profile, nullptr, [] { return 0; });
        QCOMPARE(d.windowTitle(), QString("X,Y Caption"));
        QCOMPARE(d.size(), QSize(346, 220));
        QCOMPARE(d.txtXLabel->geometry().topLeft(), QPoint(64, 72));
        QCOMPARE(d.txtYLabel->geometry().topLeft(), QPoint(180, 72));
        QCOMPARE(d.CancelButton->geometry(), QRect(64, 156, 81, 25));
        QCOMPARE(d.OKButton->geometry(), QRect(188, 156, 81, 25));
        QCOMPARE(d.Label1->text(), QString("X Axis Label"));
        QCOMPARE(d.Label2->text(), QString("Y Axis Label"));
        QVERIFY(d.Label1->font().bold());
        QCOMPARE(d.txtXLabel->text(), QString("Pos"));
        QCOMPARE(d.txtYLabel->text(), QString("Force"));
        QVERIFY(d.OKButton->isDefault());
    }

    void otherTabValueWritesNowhere()
    {
        DataTable profile;
        profile.setTextMatrix(0, 0, "X");
        frmXYCaption d(&profile, nullptr, [] { return 5; });
        QCOMPARE(d.txtXLabel->text(), QString("X")); // the start texts stay
        QCOMPARE(d.txtYLabel->text(), QString("Y"));
        d.txtXLabel->setText("new");
        d.OKButton->click();
        QCOMPARE(profile.TextMatrix(0, 0), QString("X"));
        QCOMPARE(d.result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(TestXYCaption)
#include "tst_xycaption.moc"
