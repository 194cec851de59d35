// Which errors of an open port close it, and with what message.
#include "device/PortPolicy.h"

#include <QtTest>

using namespace tarvex;

Q_DECLARE_METATYPE(PortError)

class TestPortPolicy : public QObject {
    Q_OBJECT
private slots:
    void fatalErrors_data()
    {
        QTest::addColumn<PortError>("error");
        QTest::addColumn<bool>("fatal");
        QTest::addColumn<QString>("description");
        const QString none;
        QTest::newRow("unplugged: the system's text") << PortError::Resource << true << "No such device";
        QTest::newRow("hung up: the system's text is stale") << PortError::Read << true << "The device hung up.";
        QTest::newRow("no error") << PortError::None << false << none;
        QTest::newRow("not found (open reports it)") << PortError::DeviceNotFound << false << none;
        QTest::newRow("permission (open reports it)") << PortError::Permission << false << none;
        QTest::newRow("open (open reports it)") << PortError::Open << false << none;
        QTest::newRow("write") << PortError::Write << false << none;
        QTest::newRow("unsupported") << PortError::UnsupportedOperation << false << none;
        QTest::newRow("unknown") << PortError::Unknown << false << none;
        QTest::newRow("timeout") << PortError::Timeout << false << none;
        QTest::newRow("not open") << PortError::NotOpen << false << none;
    }
    void fatalErrors()
    {
        QFETCH(PortError, error);
        QFETCH(bool, fatal);
        QFETCH(QString, description);
        const std::optional<QString> got = FatalPortError(error, QStringLiteral("No such device"));
        QCOMPARE(got.has_value(), fatal);
        if (fatal)
            QCOMPARE(*got, description);
    }
};

QTEST_APPLESS_MAIN(TestPortPolicy)
#include "tst_portpolicy.moc"
