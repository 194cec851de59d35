// Open and Save of both workspaces through the scripted file dialog: the
// dialogs asked for, what is read and written, the messages, the title and
// the modified flag.
#include "harness/WindowHarness.h"

#include "files/PolarFile.h"
#include "files/ProfileFile.h"
#include "tables/ProfileTable.h"

#include <QComboBox>
#include <QFile>

using namespace tarvex;
using namespace tarvex::testing;

namespace {

QByteArray bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestFiles : public QObject {
    Q_OBJECT
private slots:
    void cancelChangesOnlyTheStartingFolder_data()
    {
        QTest::addColumn<Workspace>("ws");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("filter");
        QTest::newRow("open polar") << Polar << "mnuOpen" << "Tarvex Polar File(*.tvp)|*.tvp";
        QTest::newRow("save polar") << Polar << "mnuSave"
                                    << "Tarvex Polar Data File(*.tvp)|*.tvp|Save As Text File(*.txt)|*.txt";
    }
    void cancelChangesOnlyTheStartingFolder()
    {
        QFETCH(Workspace, ws);
        QFETCH(QString, command);
        QFETCH(QString, filter);
        WindowHarness h;
        h.showTab(ws);
        QTest::keyClicks(&h.note(ws), "x");
        h.fakes.fileDialog->paths = {QString()};
        h.click(command);
        const FileDialogRequest& asked = h.fakes.fileDialog->asked.value(0);
        QCOMPARE(asked.filter, filter);
        QCOMPARE(asked.initDir, h.window->applicationFolder);
        QCOMPARE(asked.defaultExt, command == "mnuSave" ? "tvp" : "");
        QVERIFY(h.fakes.fileDialog->InitDir.isEmpty());
        QCOMPARE(h.window->windowTitle(), QStringLiteral("Tarvex RS232"));
        QCOMPARE(h.unsaved(), QStringList{"tvp"});
        QVERIFY(h.fakes.messageBox->asked.isEmpty());
    }

    // Opening replaces table and note, names the file in the title and leaves
    // the workspace unmodified; the profile is then plotted afresh.
    void openDataFile_data()
    {
        QTest::addColumn<Workspace>("ws");
        QTest::addColumn<QString>("file");
        QTest::newRow("profile, upper case") << Profile << "run1.TVL";
        QTest::newRow("polar") << Polar << "run1.tvp";
    }
    void openDataFile()
    {
        QFETCH(Workspace, ws);
        QFETCH(QString, file);
        WindowHarness h;
        DataTable source;
        SetPolarRows(source, "90");
        for (int r = 1; r < source.Rows(); ++r)
            source.setTextMatrix(r, 1, QString::number(r * 2.5));
        source.setTextMatrix(0, 0, "Position");
        const QString note = QString::fromUtf8("shaft 7\nno-break\xC2\xA0space \xE2\x82\xAC");
        QVERIFY((ws == Profile ? WriteProfileFile(h.path(file), source, note)
                               : WritePolarFile(h.path(file), source, note)).ok());
        h.fill(Profile, {"1,1", "2,2", "3,3", "4,4", "5,5"});
        h.click("Tab0cmdPlot");
        h.showTab(ws);
        QTest::keyClicks(&h.note(ws), "x");
        h.fakes.fileDialog->paths = {h.path(file)};
        h.click("mnuOpen");
        QVERIFY(h.fakes.messageBox->asked.isEmpty());
        QCOMPARE(h.rows(ws), (QStringList{"0,2.5", "90,5", "180,7.5", "270,10"}));
        QCOMPARE(h.table(ws).TextMatrix(0, 0), QStringLiteral("Position"));
        QCOMPARE(h.note(ws).toPlainText(), QString(note).replace(QChar(0xA0), ' '));
        QCOMPARE(h.window->windowTitle(), "Tarvex RS232-" + file);
        QCOMPARE(h.find<QComboBox>("Tab1cmbInterval")->currentText(), ws == Polar ? "90" : "30");
        QVERIFY(h.unsaved().isEmpty());
        QCOMPARE(h.plotActs(), ws == Profile);
        // Saved again, the file comes back to the byte.
        h.showTab(ws);
        h.save("again-" + file);
        QCOMPARE(bytes(h.path("again-" + file)), bytes(h.path(file)));
    }

    void refusedOrFailed_data()
    {
        QTest::addColumn<Workspace>("ws");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("message");
        QTest::newRow("polar file on the profile") << Profile << "mnuOpen" << "r.tvp" << "The file type is not correct!";
        QTest::newRow("text on the polar") << Polar << "mnuOpen" << "r.txt" << "The file type is not correct!";
        QTest::newRow("unreadable profile") << Profile << "mnuOpen" << "bad.tvl" << "File not Found";
        QTest::newRow("unreadable polar") << Polar << "mnuOpen" << "bad.tvp" << "File Type not Supported";
        QTest::newRow("save profile as doc") << Profile << "mnuSave" << "r.doc" << "The file type is not support!";
        QTest::newRow("save polar as profile") << Polar << "mnuSave" << "r.tvl" << "File Type not supported!";
        QTest::newRow("no such folder") << Profile << "mnuSave" << "gone/run.tvl"
            << "Nothing was saved: \"run.tvl\" could not be written (No such file or directory). A file already there is unchanged.";
        QTest::newRow("a note the file cannot hold") << Polar << "mnuSave" << "n.tvp"
            << QString::fromUtf8("Nothing was saved: the note holds characters that the file cannot store: \"\xE2\x89\x88\".");
        QTest::newRow("a cell that is not a number ends silently") << Profile << "mnuSave" << "n.tvl" << "";
    }
    void refusedOrFailed()
    {
        QFETCH(Workspace, ws);
        QFETCH(QString, command);
        QFETCH(QString, file);
        QFETCH(QString, message);
        WindowHarness h;
        QFile junk(h.path(file));
        if (command == "mnuOpen") {
            QVERIFY(junk.open(QIODevice::WriteOnly));
            junk.write(QByteArray("\x01\x00\x03\x00\x00\x00\x00\x00\x00\x00\x00\x00", 12));
            junk.close();
        }
        h.fill(ws, {"0,1", "180,2"});
        const auto before = h.table(ws).snapshot();
        const QString tag = QString::fromLatin1(QTest::currentDataTag());
        if (tag.contains("not a number"))
            h.table(ws).setTextMatrix(2, 1, "abc");
        QTest::keyClicks(&h.note(ws), "x");
        if (tag.contains("note"))
            h.note(ws).insertPlainText(QString::fromUtf8("\xE2\x89\x88"));
        h.fakes.fileDialog->paths = {h.path(file)};
        h.click(command);
        QCOMPARE(h.fakes.messageBox->texts(), message.isEmpty() ? QStringList{} : QStringList{message});
        if (command == "mnuOpen")
            QCOMPARE(h.table(ws).snapshot(), before);
        else
            QVERIFY(!QFile::exists(h.path(file)));
        QCOMPARE(h.window->windowTitle(), "Tarvex RS232-" + QString(ws == Profile ? "fill.tvl" : "fill.tvp"));
        QCOMPARE(h.unsaved(), QStringList{ws == Profile ? "tvl" : "tvp"});
    }

    // A text export is no save of the data: the workspace stays modified.
    void textExport_data()
    {
        QTest::addColumn<Workspace>("ws");
        QTest::addColumn<QByteArray>("start");
        QTest::newRow("profile") << Profile << QByteArray("X,Y\r\n0,1\r\n");
        QTest::newRow("polar") << Polar << QByteArray("Degree , Load\r\n0 , 1\r\n");
    }
    void textExport()
    {
        QFETCH(Workspace, ws);
        QFETCH(QByteArray, start);
        WindowHarness h;
        h.fill(ws, {"0,1", "180,2"});
        QTest::keyClicks(&h.note(ws), "x");
        h.save("run.TXT");
        QVERIFY2(bytes(h.path("run.TXT")).startsWith(start), bytes(h.path("run.TXT")).constData());
        QCOMPARE(h.window->windowTitle(), QStringLiteral("Tarvex RS232-run.TXT"));
        QCOMPARE(h.unsaved().size(), 1);
    }

    void dialogFailureIsShown()
    {
        WindowHarness h;
        h.fakes.fileDialog->failWith = "The dialog could not be shown";
        h.click("mnuOpen");
        QCOMPARE(h.fakes.messageBox->texts(), QStringList{"The dialog could not be shown"});
        QCOMPARE(h.fakes.fileDialog->InitDir, h.window->applicationFolder);
    }
};

QTEST_MAIN(TestFiles)
#include "tst_files.moc"
