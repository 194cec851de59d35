// Help: the path the Help command builds, the help window with the manual or
// without it, and the manual's own links.

#include "frmMain.h"
#include "platform/QtHelpViewer.h"
#include "fakes/FakePlatform.h"

#include <QAction>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

using namespace tarvex;

namespace {

QString manualPath()
{
    const QString root = qEnvironmentVariable("TARVEX_SOURCE_DIR");
    if (!root.isEmpty())
        return root + QStringLiteral("/docs/M418026.html");
    return QFINDTESTDATA("../../docs/M418026.html");
}

QTextBrowser* browserOf(const QtHelpViewer& viewer)
{
    return viewer.helpWindow() ? viewer.helpWindow()->findChild<QTextBrowser*>() : nullptr;
}

} // namespace

class TestHelp : public QObject {
    Q_OBJECT
private slots:
    void pathFromTheApplicationFolder_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("path");
        QTest::newRow("plain") << "/usr/lib/tarvex" << "/usr/lib/tarvex/M418026.html";
        QTest::newRow("trailing slash") << "/opt/bench/" << "/opt/bench/M418026.html";
        QTest::newRow("blanks") << "/home/fitter/My Bench" << "/home/fitter/My Bench/M418026.html";
    }
    void pathFromTheApplicationFolder()
    {
        QFETCH(QString, folder);
        QFETCH(QString, path);
        FakePlatform fakes;
        frmMain w(fakes.bundle());
        w.applicationFolder = folder;
        w.mnuHelp1->trigger();
        QCOMPARE(fakes.helpViewer->shown, QStringList{path});
    }

    void theProgramLooksInItsOwnFolder()
    {
        FakePlatform fakes;
        frmMain w(fakes.bundle());
        QCOMPARE(w.applicationFolder, QCoreApplication::applicationDirPath());
    }

    void missingManualIsReportedInTheWindow()
    {
        QTemporaryDir empty;
        QVERIFY(empty.isValid());
        QWidget owner;
        owner.show();
        QtHelpViewer viewer;
        const QString path = empty.filePath(QStringLiteral("M418026.html"));
        viewer.showHelp(&owner, path);
        QTextBrowser* browser = browserOf(viewer);
        QVERIFY(browser);
        QVERIFY(viewer.helpWindow()->isVisible());
        QCOMPARE(viewer.helpWindow()->windowTitle(), QStringLiteral("Help - file not found"));
        QVERIFY(browser->toPlainText().contains(QStringLiteral("could not be found")));
        QVERIFY(browser->toPlainText().contains(path));

        // Put the manual in place: the same window now shows it.
        QVERIFY(QFile::copy(manualPath(), path));
        viewer.showHelp(&owner, path);
        QCOMPARE(browserOf(viewer), browser);
        QCOMPARE(viewer.helpWindow()->windowTitle(), QStringLiteral("Help - Tarvex RS232 User's Guide"));
        QVERIFY(!browser->toPlainText().contains(path));
        QVERIFY(browser->toPlainText().contains(QStringLiteral("A profile run")));
    }

    void helpCommandWithTheRealViewer()
    {
        QTemporaryDir empty;
        Platform p;
        auto viewer = std::make_shared<QtHelpViewer>();
        p.helpViewer = viewer;
        frmMain w(p);
        w.applicationFolder = empty.path();
        w.show();
        w.mnuHelp1_Click();
        QVERIFY(viewer->helpWindow());
        QCOMPARE(viewer->helpWindow()->parentWidget(), &w);
        QVERIFY(browserOf(*viewer)->toPlainText().contains(empty.filePath(QStringLiteral("M418026.html"))));
        // Asked again, it brings the one window forward instead of opening another.
        QWidget* first = viewer->helpWindow();
        w.mnuHelp1_Click();
        QCOMPARE(viewer->helpWindow(), first);
        QCOMPARE(w.findChildren<QTextBrowser*>().size(), 1);
    }

    // Links inside the manual lead somewhere, and what it shows exists.
    void manualLinksResolve()
    {
        QFile file(manualPath());
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(manualPath()));
        const QString html = QString::fromUtf8(file.readAll());
        QSet<QString> anchors;
        for (const auto& m : QRegularExpression(QStringLiteral("<a name=\"([^\"]+)\"")).globalMatch(html))
            anchors.insert(m.captured(1));
        int links = 0;
        for (const auto& m : QRegularExpression(QStringLiteral("href=\"#([^\"]+)\"")).globalMatch(html)) {
            ++links;
            QVERIFY2(anchors.contains(m.captured(1)), qPrintable(m.captured(1)));
        }
        QVERIFY(links > 10);
        const QDir docs = QFileInfo(manualPath()).dir();
        for (const auto& m : QRegularExpression(QStringLiteral("<img[^>]+src=\"([^\"]+)\"")).globalMatch(html))
            QVERIFY2(docs.exists(m.captured(1)), qPrintable(m.captured(1)));
    }

    // Every message the program shows has its entry in the manual.
    void manualExplainsEveryMessage()
    {
        QTextBrowser browser;
        browser.setSource(QUrl::fromLocalFile(manualPath()));
        const QString text = browser.toPlainText();
        const char* messages[] = {
            "Do you want to save the data?",
            "Do you want to reset the note also?",
            "There is data in Row",
            "Delete anyway?",
            "Delete Row!",
            "Data entry error,",
            "Input Numbers only!",
            "Input Numbers Only!",
            "The data input is not support...",
            "The file type is not correct!",
            "The file type is not support!",
            "File Type not supported!",
            "File not found!",
            "File not Found",
            "File Type not Supported",
            "The Matrix has no UNIQUE solution",
            "No unique solution!!",
            "Division by Zero!",
            "COM Open",
            "COM Close",
        };
        for (const char* m : messages)
            QVERIFY2(text.contains(QString::fromUtf8(m)), m);
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
