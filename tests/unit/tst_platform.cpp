// What a window gets for a facility nobody gave it: answers that make every
// step it starts end as if the user had cancelled it. And the search field of
// the help window (cases in tests/golden/helpfind.txt).
#include "Golden.h"
#include "platform/Clipboard.h"
#include "platform/FileDialog.h"
#include "platform/HelpViewer.h"
#include "platform/MessageBox.h"
#include "platform/Platform.h"
#include "platform/QtHelpViewer.h"
#include "platform/SerialPort.h"

#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

using namespace tarvex;

class TestPlatform : public QObject {
    Q_OBJECT
private slots:
    void leftOutFacilitiesDoNothing()
    {
        const Platform p;
        QVERIFY(p.messageBox && p.helpViewer && p.serialPort && p.fileDialog && p.clipboard);
        QVERIFY(!p.printer);

        // A question nobody saw is not agreed to ("Save the changes?").
        QCOMPARE(p.messageBox->show(nullptr, QStringLiteral("?"), MsgButtons::YesNo), MsgResult::No);
        QCOMPARE(p.messageBox->show(nullptr, QStringLiteral("!")), MsgResult::Ok);

        QVERIFY(p.fileDialog->ShowOpen(nullptr));
        QVERIFY(p.fileDialog->ShowSave(nullptr));
        QVERIFY(p.fileDialog->FileName().isEmpty());

        QCOMPARE(p.serialPort->portCount(), 0);
        QString error;
        QVERIFY(!p.serialPort->open(QStringLiteral("/dev/ttyS0"), &error));
        QVERIFY(!p.serialPort->isOpen());

        p.clipboard->setText(QStringLiteral("kept nowhere"));
        QVERIFY(p.clipboard->text().isEmpty());
    }

    void findInTheGuide()
    {
        QTemporaryDir dir;
        const QString page = dir.filePath("page.html");
        QVERIFY(golden::writeFile(page, "<p>Add the load. Plot after Add. Zero is not Add.</p>"));
        GOLDEN_VERIFY(golden::cases("helpfind.txt", [&](const QStringList& in) {
            QtHelpViewer viewer;
            viewer.showHelp(nullptr, page);
            QWidget* w = viewer.helpWindow();
            auto* field = w->findChild<QLineEdit*>("txtHelpFind");
            auto* browser = w->findChild<QTextBrowser*>();
            QStringList at;
            const auto where = [&] {
                const QTextCursor c = browser->textCursor();
                at << (c.hasSelection() ? QString::number(c.selectionStart()) : QStringLiteral("-"));
            };
            if (!QTest::qWaitForWindowActive(w))
                return QStringLiteral("the help window is not active");
            QTest::keyClick(browser, Qt::Key_F, Qt::ControlModifier);   // Ctrl+F reaches the field
            QTest::keyClicks(field->hasFocus() ? static_cast<QWidget*>(field) : browser, in[1]);
            where();
            for (const QString& key : in.mid(2)) {
                const QKeyCombination k = QKeySequence::fromString(key)[0];
                QTest::keyClick(field, k.key(), k.keyboardModifiers());
                where();
            }
            const bool red = field->palette().color(QPalette::Base) == QColor(255, 205, 205);
            return at.join(' ') + " | " + golden::show(w->findChild<QLabel*>("lblHelpFind")->text()) + (red ? " (red)" : "");
        }));
    }
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
