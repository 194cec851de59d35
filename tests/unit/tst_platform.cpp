// What a window gets for a facility nobody gave it: answers that make every
// step it starts end as if the user had cancelled it.
#include "platform/Clipboard.h"
#include "platform/FileDialog.h"
#include "platform/HelpViewer.h"
#include "platform/MessageBox.h"
#include "platform/Platform.h"
#include "platform/SerialPort.h"

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
};

QTEST_APPLESS_MAIN(TestPlatform)
#include "tst_platform.moc"
