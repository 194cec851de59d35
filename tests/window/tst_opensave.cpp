// Open and Save on both workspaces, driven through a scripted file dialog:
// which dialog is asked for, what is read or written, the messages, the
// remembered names, the titles and the modified flags.
#include "frmMain.h"
#include "files/PolarFile.h"
#include "files/ProfileFile.h"
#include "fakes/FakePlatform.h"
#include "tables/ProfileTable.h"

#include <QComboBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace tarvex;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void fillProfile(DataTable& t)
{
    t.setRows(4);
    const char* cells[3][2] = {{"10", "2.5"}, {"20", "3.1"}, {"30", "4"}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 2; ++c)
            t.setTextMatrix(r + 1, c, QString::fromLatin1(cells[r][c]));
}

void fillPolar(DataTable& t, const QString& interval)
{
    SetPolarRows(t, interval);
    for (int r = 1; r < t.Rows(); ++r)
        t.setTextMatrix(r, 1, QString::number(r * 10));
}

} // namespace

class TestOpenSave : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }

private slots:
    void startsInTheApplicationFolder()
    {
        FakePlatform fakes;
        frmMain window(fakes.bundle());
        QCOMPARE(fakes.fileDialog->InitDir, window.applicationFolder);
        QVERIFY(!fakes.fileDialog->InitDir.isEmpty());
    }

    void cancelChangesOnlyTheStartingFolder_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<bool>("save");
        QTest::addColumn<QString>("filter");
        QTest::newRow("open profile") << 0 << false << "Tarvex Data File(*.tvl)|*.tvl";
        QTest::newRow("open polar") << 1 << false << "Tarvex Polar File(*.tvp)|*.tvp";
        QTest::newRow("save profile") << 0 << true << "Tarvex Data File(*.tvl)|*.tvl|Save As Text File(*.txt)|*.txt";
        QTest::newRow("save polar") << 1 << true
                                    << "Tarvex Polar Data File(*.tvp)|*.tvp|Save As Text File(*.txt)|*.txt";
    }
    void cancelChangesOnlyTheStartingFolder()
    {
        QFETCH(int, tab);
        QFETCH(bool, save);
        QFETCH(QString, filter);
        FakePlatform fakes;
        frmMain window(fakes.bundle());
        window.SSTab1->setCurrentIndex(tab);
        fillProfile(*window.Tab0msGrid);
        window.ProfileModified = window.PolarModified = true;
        const auto table = (tab == 0 ? window.Tab0msGrid : window.Tab1msGrid)->snapshot();
        const QString title = window.windowTitle();

        fakes.fileDialog->paths = {QString()};
        save ? window.mnuSave_Click() : window.mnuOpen_Click();

        QCOMPARE(fakes.fileDialog->asked.size(), 1);
        const FileDialogRequest& asked = fakes.fileDialog->asked.first();
        QCOMPARE(asked.save, save);
        QCOMPARE(asked.filter, filter);
        QCOMPARE(asked.initDir, window.applicationFolder);
        if (save)
            QCOMPARE(asked.defaultExt, tab == 0 ? QStringLiteral("tvl") : QStringLiteral("tvp"));
        QCOMPARE(fakes.fileDialog->InitDir, QString());
        QCOMPARE((tab == 0 ? window.Tab0msGrid : window.Tab1msGrid)->snapshot(), table);
        QCOMPARE(window.windowTitle(), title);
        QVERIFY(window.ProfileFileName.isEmpty() && window.PolarFileName.isEmpty());
        QVERIFY(window.ProfileModified && window.PolarModified);
        QVERIFY(fakes.messageBox->asked.isEmpty());
    }

    void openProfileWhateverTheCase()
    {
        DataTable source;
        fillProfile(source);
        source.setTextMatrix(0, 0, QStringLiteral("Position"));
        const QString file = path("run1.TVL");
        QVERIFY(WriteProfileFile(file, source, QStringLiteral("shaft 7\nstiff")).ok());

        FakePlatform fakes;
        frmMain window(fakes.bundle());
        window.ProfileModified = true;
        window.ProfilePlotted = true;
        fakes.fileDialog->paths = {file};
        window.Toolbar1_ButtonClick(QStringLiteral("Open"));

        QVERIFY(fakes.messageBox->asked.isEmpty());
        QCOMPARE(window.Tab0msGrid->snapshot(),
                 (std::vector<QStringList>{{"Position", "Y"}, {"10", "2.5"}, {"20", "3.1"}, {"30", "4"}}));
        QCOMPARE(window.Tab0txtNote->toPlainText(), QStringLiteral("shaft 7\nstiff"));
        QCOMPARE(window.ProfileFileName, QStringLiteral("run1.TVL"));
        QCOMPARE(window.windowTitle(), QStringLiteral("Tarvex RS232-run1.TVL"));
        QVERIFY(!window.ProfileModified);
        QVERIFY(!window.ProfilePlotted);
        QVERIFY(fakes.fileDialog->InitDir.isEmpty());
    }

    void openPolarSelectsTheInterval()
    {
        DataTable source;
        fillPolar(source, QStringLiteral("10"));
        const QString file = path("run1.tvp");
        QVERIFY(WritePolarFile(file, source, QString()).ok());

        FakePlatform fakes;
        frmMain window(fakes.bundle());
        window.SSTab1->setCurrentIndex(1);
        window.Tab1txtNote->setPlainText(QStringLiteral("kept"));
        window.PolarModified = true;
        QCOMPARE(window.Tab1cmbInterval->currentText(), QStringLiteral("30"));
        fakes.fileDialog->paths = {file};
        window.mnuOpen_Click();

        QCOMPARE(window.Tab1cmbInterval->currentText(), QStringLiteral("10"));
        QCOMPARE(window.Tab1msGrid->Rows(), 37);
        QCOMPARE(window.Tab1msGrid->TextMatrix(36, 0), QStringLiteral("350"));
        QCOMPARE(window.Tab1msGrid->TextMatrix(36, 1), QStringLiteral("360"));
        QCOMPARE(window.Tab1txtNote->toPlainText(), QStringLiteral("kept"));
        QCOMPARE(window.PolarFileName, QStringLiteral("run1.tvp"));
        QCOMPARE(window.windowTitle(), QStringLiteral("Tarvex RS232-run1.tvp"));
        QVERIFY(!window.PolarModified);
    }

    void openRefusesOtherTypes_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("name");
        QTest::newRow("polar file on tab 0") << 0 << "run1.tvp";
        QTest::newRow("doc on tab 0") << 0 << "run1.doc";
        QTest::newRow("profile file on tab 1") << 1 << "run1.tvl";
        QTest::newRow("text export on tab 1") << 1 << "run1.txt";
    }
    void openRefusesOtherTypes()
    {
        QFETCH(int, tab);
        QFETCH(QString, name);
        DataTable source;
        fillProfile(source);
        QVERIFY(WriteProfileFile(path(name), source, QString()).ok());
        FakePlatform fakes;
        frmMain window(fakes.bundle());
        window.SSTab1->setCurrentIndex(tab);
        const auto before = (tab == 0 ? window.Tab0msGrid : window.Tab1msGrid)->snapshot();
        fakes.fileDialog->paths = {path(name)};
        window.mnuOpen_Click();
        QCOMPARE(fakes.messageBox->texts(), QStringList{"The file type is not correct!"});
        QCOMPARE(fakes.messageBox->asked.first().title, QStringLiteral("Tarvex RS232"));
        QCOMPARE((tab == 0 ? window.Tab0msGrid : window.Tab1msGrid)->snapshot(), before);
        QCOMPARE(window.windowTitle(), QStringLiteral("Tarvex RS232"));
        QVERIFY(fakes.fileDialog->InitDir.isEmpty());
    }

    // A file that cannot be read leaves the table showing what it showed, so
    // the title and the remembered name go on naming that table's file.
    void openUnreadableKeepsTableAndTitle_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("message");
        QTest::newRow("profile") << 0 << "File not Found";
        QTest::newRow("polar") << 1 << "File Type not Supported";
    }
    void openUnreadableKeepsTableAndTitle()
    {
        QFETCH(int, tab);
        QFETCH(QString, message);
        const QString file = path(tab == 0 ? "broken.tvl" : "broken.tvp");
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("\x01\x00\x03\x00\x00\x00\x00\x00\x00\x00\x00\x00", 12));
        f.close();

        FakePlatform fakes;
        frmMain window(fakes.bundle());
        window.SSTab1->setCurrentIndex(tab);
        DataTable* table = tab == 0 ? window.Tab0msGrid : window.Tab1msGrid;
        tab == 0 ? fillProfile(*table) : fillPolar(*table, QStringLiteral("90"));
        (tab == 0 ? window.ProfileFileName : window.PolarFileName) = QStringLiteral("old");
        window.setTitleWithFile(QStringLiteral("old"));
        window.ProfileModified = window.PolarModified = true;
        const auto before = table->snapshot();

        fakes.fileDialog->paths = {file};
        window.mnuOpen_Click();
        QCOMPARE(fakes.messageBox->texts(), QStringList{message});
        QCOMPARE(table->snapshot(), before);
        QCOMPARE(window.windowTitle(), QStringLiteral("Tarvex RS232-old"));
        QCOMPARE(tab == 0 ? window.ProfileFileName : window.PolarFileName, QStringLiteral("old"));
        QVERIFY(window.ProfileModified && window.PolarModified);
        QVERIFY(fakes.fileDialog->InitDir.isEmpty());
    }

    void saveRefusesOtherTypes_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("doc on tab 0") << 0 << "run1.doc" << "The file type is not support!";
        QTest::newRow("doc on tab 1") << 1 << "run1.doc" << "File Type not supported!";
        QTest::newRow("polar file on tab 0") << 0 << "run1.tvp" << "The file type is not support!";
        QTest::newRow("profile file on tab 1") << 1 << "run1.tvl" << "File Type not supported!";
    }
    void saveRefusesOtherTypes()
    {
        QFETCH(int, tab);
        QFETCH(QString, name);
        QFETCH(QString, message);
        FakePlatform fakes;
        frmMain window(fakes.bundle());
        window.SSTab1->setCurrentIndex(tab);
        fillProfile(*window.Tab0msGrid);
        fillPolar(*window.Tab1msGrid, QStringLiteral("90"));
        QFile::remove(path(name));
        fakes.fileDialog->paths = {path(name)};
        window.mnuSave_Click();
        QCOMPARE(fakes.messageBox->texts(), QStringList{message});
        QVERIFY(!QFile::exists(path(name)));
        QCOMPARE(window.windowTitle(), QStringLiteral("Tarvex RS232"));
        QVERIFY(fakes.fileDialog->InitDir.isEmpty());
    }

    void saveDataFile_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("name");
        QTest::newRow("profile") << 0 << "shaft.tvl";
        QTest::newRow("profile, upper case") << 0 << "SHAFT.TVL";
        QTest::newRow("polar") << 1 << "shaft.tvp";
    }
    void saveDataFile()
    {
        QFETCH(int, tab);
        QFETCH(QString, name);
        FakePlatform fakes;
        frmMain window(fakes.bundle());
        window.SSTab1->setCurrentIndex(tab);
        fillProfile(*window.Tab0msGrid);
        fillPolar(*window.Tab1msGrid, QStringLiteral("45"));
        window.Tab0txtNote->setPlainText(QStringLiteral("a\nb"));
        window.ProfileModified = window.PolarModified = true;
        const QString file = path(name);
        QFile::remove(file);
        fakes.fileDialog->paths = {file};
        window.Toolbar1_ButtonClick(QStringLiteral("Save"));

        QVERIFY(fakes.messageBox->asked.isEmpty());
        const QString reference = path("reference");
        if (tab == 0)
            QVERIFY(WriteProfileFile(reference, *window.Tab0msGrid, QStringLiteral("a\nb")).ok());
        else
            QVERIFY(WritePolarFile(reference, *window.Tab1msGrid, QString()).ok());
        QCOMPARE(readAll(file), readAll(reference));
        QCOMPARE(tab == 0 ? window.ProfileFileName : window.PolarFileName, name);
        QCOMPARE(window.windowTitle(), QStringLiteral("Tarvex RS232-") + name);
        QCOMPARE(window.ProfileModified, tab != 0);
        QCOMPARE(window.PolarModified, tab != 1);
    }

    void textExportLeavesTheFlagSet_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QByteArray>("firstLines");
        QTest::newRow("profile") << 0 << QByteArray("X,Y\r\n10,2.5\r\n");
        QTest::newRow("polar") << 1 << QByteArray("     Degree ,      Load\r\n0 , 10\r\n");
    }
    void textExportLeavesTheFlagSet()
    {
        QFETCH(int, tab);
        QFETCH(QByteArray, firstLines);
        FakePlatform fakes;
        frmMain window(fakes.bundle());
        window.SSTab1->setCurrentIndex(tab);
        fillProfile(*window.Tab0msGrid);
        fillPolar(*window.Tab1msGrid, QStringLiteral("90"));
        window.ProfileModified = window.PolarModified = true;
        const QString file = path(QStringLiteral("run1-%1.TXT").arg(tab));
        fakes.fileDialog->paths = {file};
        window.mnuSave_Click();
        QVERIFY(readAll(file).startsWith(firstLines));
        QCOMPARE(window.windowTitle(), QStringLiteral("Tarvex RS232-run1-%1.TXT").arg(tab));
        QCOMPARE(tab == 0 ? window.ProfileFileName : window.PolarFileName, QStringLiteral("run1-%1.TXT").arg(tab));
        QVERIFY(window.ProfileModified && window.PolarModified);
    }

    void saveEndsSilentlyOnACellThatIsNotANumber_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("cell");
        QTest::newRow("empty profile cell") << 0 << "";
        QTest::newRow("text in profile cell") << 0 << "abc";
        QTest::newRow("empty polar load") << 1 << "";
        QTest::newRow("polar load beyond float") << 1 << "1e40";
    }
    void saveEndsSilentlyOnACellThatIsNotANumber()
    {
        QFETCH(int, tab);
        QFETCH(QString, cell);
        FakePlatform fakes;
        frmMain window(fakes.bundle());
        window.SSTab1->setCurrentIndex(tab);
        fillProfile(*window.Tab0msGrid);
        fillPolar(*window.Tab1msGrid, QStringLiteral("90"));
        (tab == 0 ? window.Tab0msGrid : window.Tab1msGrid)->setTextMatrix(2, 1, cell);
        window.ProfileModified = window.PolarModified = true;
        const QString file = path(tab == 0 ? "bad.tvl" : "bad.tvp");
        fakes.fileDialog->paths = {file};
        window.mnuSave_Click();
        QVERIFY(fakes.messageBox->asked.isEmpty());
        QVERIFY(!QFile::exists(file));
        QCOMPARE(window.windowTitle(), QStringLiteral("Tarvex RS232"));
        QVERIFY(window.ProfileFileName.isEmpty() && window.PolarFileName.isEmpty());
        QVERIFY(window.ProfileModified && window.PolarModified);
        // The save ended before its last step: the starting folder stays.
        QCOMPARE(fakes.fileDialog->InitDir, window.applicationFolder);
    }

    // A save that writes nothing says why, and changes nothing else: the
    // table stays modified, so closing still offers to save it.
    void saveExplainsWhyNothingWasWritten_data()
    {
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("a note the file cannot hold")
            << QString::fromUtf8("load \xE2\x89\x88 3 kN") << "note.tvl"
            << QString::fromUtf8("Nothing was saved: the note holds characters that the file cannot store: \"\xE2\x89\x88\".");
        QTest::newRow("a folder that does not exist")
            << "" << "gone/run.tvl"
            << "Nothing was saved: \"run.tvl\" could not be written (No such file or directory). A file already there is unchanged.";
    }
    void saveExplainsWhyNothingWasWritten()
    {
        QFETCH(QString, note);
        QFETCH(QString, name);
        QFETCH(QString, message);
        FakePlatform fakes;
        frmMain window(fakes.bundle());
        fillProfile(*window.Tab0msGrid);
        window.Tab0txtNote->setPlainText(note);
        window.ProfileModified = true;
        const QString file = path(name);
        fakes.fileDialog->paths = {file};
        window.mnuSave_Click();
        QCOMPARE(fakes.messageBox->texts(), QStringList{message});
        QVERIFY(!QFile::exists(file));
        QVERIFY(window.ProfileModified);
        QCOMPARE(window.windowTitle(), QStringLiteral("Tarvex RS232"));
    }

    void dialogFailures()
    {
        FakePlatform fakes;
        frmMain window(fakes.bundle());
        fakes.fileDialog->failWith = QStringLiteral("The dialog could not be shown");
        window.mnuOpen_Click();
        QCOMPARE(fakes.messageBox->texts(), QStringList{"The dialog could not be shown"});
        QCOMPARE(fakes.fileDialog->InitDir, window.applicationFolder);

        fakes.fileDialog->failWith = QStringLiteral("again");
        window.mnuSave_Click();
        QCOMPARE(fakes.messageBox->asked.size(), 1);
        QCOMPARE(fakes.fileDialog->InitDir, window.applicationFolder);
    }

    void noteRoundTripsToTheByte()
    {
        const QString file = path("note.tvp");
        DataTable source;
        fillPolar(source, QStringLiteral("90"));
        const QString note = QString::fromUtf8("no-break\xC2\xA0space\n\ttab, line\n\nend \xE2\x82\xAC");
        QVERIFY(WritePolarFile(file, source, note).ok());
        const QByteArray before = readAll(file);

        FakePlatform fakes;
        frmMain window(fakes.bundle());
        window.SSTab1->setCurrentIndex(1);
        fakes.fileDialog->paths = {file, path("note-again.tvp")};
        window.mnuOpen_Click();
        window.mnuSave_Click();
        QVERIFY(fakes.messageBox->asked.isEmpty());
        QCOMPARE(readAll(path("note-again.tvp")), before);
    }

    void closingWithYesSavesEachModifiedTable()
    {
        FakePlatform fakes;
        frmMain window(fakes.bundle());
        fillProfile(*window.Tab0msGrid);
        fillPolar(*window.Tab1msGrid, QStringLiteral("60"));
        window.ProfileModified = window.PolarModified = true;
        fakes.messageBox->answers = {MsgResult::Yes};
        fakes.fileDialog->paths = {path("closing.tvl"), path("closing.tvp")};
        window.show();
        window.close();
        QCOMPARE(fakes.fileDialog->asked.size(), 2);
        QCOMPARE(fakes.fileDialog->asked[0].defaultExt, QStringLiteral("tvl"));
        QCOMPARE(fakes.fileDialog->asked[1].defaultExt, QStringLiteral("tvp"));
        QVERIFY(QFile::exists(path("closing.tvl")));
        QVERIFY(QFile::exists(path("closing.tvp")));
        QVERIFY(!window.ProfileModified && !window.PolarModified);
        QCOMPARE(window.windowTitle(), QStringLiteral("Tarvex RS232-closing.tvp"));
    }
};

QTEST_MAIN(TestOpenSave)
#include "tst_opensave.moc"
