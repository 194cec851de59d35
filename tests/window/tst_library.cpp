// The shaft library from the window: a measurement stored from each tab
// (the form for a new shaft, then the shaft picked from the list), found in
// the Library window, opened into its tab over unsaved data, and deleted.
#include "harness/WindowHarness.h"

#include "library/frmLibrary.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QTreeWidget>

using namespace tarvex;
using namespace tarvex::testing;

namespace {

// Stores the active tab through the toolbar; `fill` answers the form.
QString store(WindowHarness& h, const std::function<void(QDialog&)>& fill)
{
    QString problem;
    withModal([&] { h.click(QStringLiteral("Toolbar1_Store")); }, [&](QWidget* modal) {
        auto* form = qobject_cast<QDialog*>(modal);
        fill(*form);
        form->accept();
        problem = form->findChild<QLabel*>(QStringLiteral("lblProblem"))->text();
        if (form->isVisible()) {   // refused: the form stays open, and is closed here
            form->findChild<QLineEdit*>(QStringLiteral("txtWeight"))->clear();
            form->accept();
        }
    });
    return problem;
}

void set(QDialog& form, const char* box, const QString& text)
{
    form.findChild<QLineEdit*>(QLatin1String(box))->setText(text);
}

} // namespace

class TestLibraryWindow : public QObject {
    Q_OBJECT
private slots:
    void storeFindOpenDelete()
    {
        QTemporaryDir dir;
        qputenv("TARVEX_LIBRARY", dir.filePath(QStringLiteral("library.sqlite")).toLocal8Bit());
        WindowHarness h;
        h.fill(Profile, {QStringLiteral("0,10.5"), QStringLiteral("10,12")});
        QCOMPARE(store(h, [](QDialog& f) {
                     set(f, "txtLabel", QStringLiteral("7i")), set(f, "txtModel", QStringLiteral("Rifle")),
                         set(f, "txtCustomer", QStringLiteral("Łukasz")), set(f, "txtWeight", QStringLiteral("heavy"));
                 }),
                 QStringLiteral("The weight and the length are numbers above 0, or left empty."));
        h.fill(Polar, {QStringLiteral("0,8.25"), QStringLiteral("30,8.5")});
        QCOMPARE(store(h, [](QDialog& f) { f.findChild<QComboBox*>(QStringLiteral("cboShaft"))->setCurrentIndex(1); }), QString());

        h.click(QStringLiteral("mnuLibrary"));
        auto* library = h.window->findChild<frmLibrary*>(QStringLiteral("frmLibrary"));
        auto* list = library->findChild<QTreeWidget*>(QStringLiteral("lstEntries"));
        QCOMPARE(list->topLevelItemCount(), 2);
        library->findChild<QLineEdit*>(QStringLiteral("txtSearch"))->setText(QStringLiteral("ŁUKASZ"));
        QCOMPARE(list->topLevelItemCount(), 2);
        library->findChild<QLineEdit*>(QStringLiteral("txtSearch"))->setText(QStringLiteral("nobody"));
        QCOMPARE(list->topLevelItemCount(), 0);
        library->findChild<QLineEdit*>(QStringLiteral("txtSearch"))->clear();

        // Opened over unsaved data: the question first, then the rows as stored.
        h.showTab(Polar);
        h.table(Profile).setTextMatrix(1, 1, QStringLiteral("99"));
        h.fakes.messageBox->answers = {MsgResult::No};
        list->sortByColumn(1, Qt::DescendingOrder);   // kind: profile first
        list->setCurrentItem(list->topLevelItem(0));
        QCOMPARE(list->currentItem()->text(1), QStringLiteral("profile"));
        h.click(QStringLiteral("cmdOpenMeasurement"));
        QCOMPARE(h.fakes.messageBox->texts().last(), QStringLiteral("Do you want to save the data?"));
        QCOMPARE(h.tabs().currentIndex(), 0);
        QCOMPARE(h.rows(Profile), (QStringList{QStringLiteral("0,10.5"), QStringLiteral("10,12")}));
        QCOMPARE(h.unsaved(), QStringList());

        h.fakes.messageBox->answers = {MsgResult::Yes};
        h.click(QStringLiteral("cmdDeleteMeasurement"));
        QCOMPARE(list->topLevelItemCount(), 1);
        QCOMPARE(list->topLevelItem(0)->text(1), QStringLiteral("polar"));
        qunsetenv("TARVEX_LIBRARY");
    }
};

QTEST_MAIN(TestLibraryWindow)
#include "tst_library.moc"
