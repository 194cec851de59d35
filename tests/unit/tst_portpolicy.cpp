// Which errors of an open port close it, and with what message: every error
// is a line of tests/golden/portpolicy.txt, the system saying "No such device".
#include "Golden.h"
#include "device/PortPolicy.h"

#include <QtTest>

using namespace tarvex;

class TestPortPolicy : public QObject {
    Q_OBJECT
private slots:
    void fatalErrors()
    {
        GOLDEN_VERIFY(golden::cases("portpolicy.txt", [](const QStringList& in) {
            const std::optional<QString> got = FatalPortError(PortError(in[0].toInt()), QStringLiteral("No such device"));
            return got ? "closes: " + *got : QStringLiteral("stays open");
        }));
    }
};

QTEST_APPLESS_MAIN(TestPortPolicy)
#include "tst_portpolicy.moc"
