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
#include "platform/QtMessageBox.h"
#include "platform/SerialPort.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
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
        // Open says why, rather than showing an empty box.
        const Result<> opened = p.serialPort->open(QStringLiteral("/dev/ttyS0"));
        QVERIFY(!opened);
        QVERIFY(!opened.message().isEmpty());
        QVERIFY(!p.serialPort->isOpen());

        p.clipboard->setText(QStringLiteral("kept nowhere"));
        QVERIFY(p.clipboard->text().isEmpty());
    }

    // The real box: Esc and the close box never answer No, so the exit
    // question cannot be taken for "quit without saving".
    void escapeIsNotNo()
    {
        struct Case {
            MsgButtons buttons;
            const char* act;
            MsgResult answer;
        };
        const Case cases[] = {
            {MsgButtons::YesNo, "Esc", MsgResult::Cancel},
            {MsgButtons::YesNo, "close", MsgResult::Cancel},
            {MsgButtons::YesNo, "Enter", MsgResult::Yes},
            {MsgButtons::YesNo, "N", MsgResult::No},
            {MsgButtons::YesNoCancel, "Esc", MsgResult::Cancel},
            {MsgButtons::Ok, "Esc", MsgResult::Ok},
        };
        QtMessageBox box;
        for (const Case& c : cases) {
            QStringList shown;
            QTimer::singleShot(0, [&] {
                auto* w = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(w);
                for (QAbstractButton* b : w->buttons())
                    if (b->isVisible())
                        shown << b->text().remove('&');
                if (QByteArray(c.act) == "close")
                    w->close();
                else if (QByteArray(c.act) == "N")
                    QTest::keyClick(w, Qt::Key_N);
                else
                    QTest::keyClick(w, QByteArray(c.act) == "Esc" ? Qt::Key_Escape : Qt::Key_Return);
            });
            QCOMPARE(box.show(nullptr, QStringLiteral("Do you want to save the data?"), c.buttons, kAppTitle), c.answer);
            if (c.buttons == MsgButtons::YesNo)
                QCOMPARE(shown, QStringList({"Yes", "No"}));
        }
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
