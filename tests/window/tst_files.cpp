// Open and Save of both workspaces through the scripted file dialog. Each
// case of tests/golden/window/files.txt prepares the folder, runs one
// command, and shows the dialogs asked for, the title, the file written and
// the workspace after.
#include "harness/WindowHarness.h"

#include "files/PolarFile.h"
#include "files/ProfileFile.h"
#include "tables/ProfileTable.h"

#include <QComboBox>
#include <QFile>
#include <QStandardPaths>

using namespace tarvex;
using namespace tarvex::testing;

namespace {

// A polar table at 90 degrees with loads 2.5 apart and a renamed heading, as
// a profile or polar data file, or 12 bytes of nothing in particular.
void prepare(WindowHarness& h, const QString& what, const QString& file)
{
    if (what == "junk") {
        QFile junk(h.path(file));
        if (junk.open(QIODevice::WriteOnly))
            junk.write(QByteArray("\x01\x00\x03\x00\x00\x00\x00\x00\x00\x00\x00\x00", 12));
        return;
    }
    DataTable source;
    SetPolarRows(source, "90");
    for (int r = 1; r < source.Rows(); ++r)
        source.setTextMatrix(r, 1, QString::number(r * 2.5));
    source.setTextMatrix(0, 0, "Position");
    const QString note = QString::fromUtf8("shaft 7\nno-break\xC2\xA0space \xE2\x82\xAC");
    golden::must(WriteDataBytes(h.path(file), file.endsWith(".tvp") ? PolarFileBytes(source, note) : ProfileFileBytes(source, note)));
}

// profile|polar | file there first (data, junk; fresh: not even the table;
// unwritable: nor a program folder that takes files) | command | path answered
// ("" cancels) | what is typed first (a cell "abc", a note), then the answer
// to a question => what was asked, the title, the workspace, the file answered
QString run(const QStringList& in)
{
    const Workspace ws = in[0] == "polar" ? Polar : Profile;
    const QString command = in[2], file = in[3];
    WindowHarness h;
    if (in[1] == "data" || in[1] == "junk")
        prepare(h, in[1], file);
    if (in[1] == "unwritable")
        h.window->setApplicationFolder(h.path("no such folder"));
    if (in[1] != "fresh" && in[1] != "unwritable")
        h.fill(ws, {"0,1", "90,2", "180,3"});
    h.showTab(ws);
    h.click("Tab0cmdPlot");
    if (in[4].startsWith("abc"))
        h.table(ws).setTextMatrix(2, 1, "abc");
    QTest::keyClicks(&h.note(ws), "x");
    if (in[4].startsWith("note "))
        h.note(ws).insertPlainText(in[4].mid(5));
    if (command == "fail")
        h.fakes.fileDialog->failWith = "The dialog could not be shown";
    h.fakes.fileDialog->asked.clear();
    h.fakes.fileDialog->paths = {file.isEmpty() ? QString() : h.path(file)};
    for (const auto& [word, answer] : {std::pair{"Yes", MsgResult::Yes}, {"No", MsgResult::No}, {"Cancel", MsgResult::Cancel}})
        if (in[4].endsWith(word))
            h.fakes.messageBox->answers = {answer};
    if (in[4].endsWith("Yes"))   // the save asked for before opening
        h.fakes.fileDialog->paths.push_back(h.path(ws == Profile ? "kept.tvl" : "kept.tvp"));
    h.click(command == "fail" ? "mnuOpen" : command);
    const auto folder = [&h](const QString& dir) {
        return dir == h.window->applicationFolder() ? "the program's folder"
             : dir == QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) ? "the documents folder" : dir;
    };
    QStringList out;
    for (const FileDialogRequest& r : h.fakes.fileDialog->asked)
        out << QStringLiteral("asked %1 %2 ext %3 from %4").arg(r.save ? "save" : "open", r.filter, r.defaultExt, folder(r.initDir));
    if (!h.fakes.fileDialog->InitDir.isEmpty())
        out << "next from " + folder(h.fakes.fileDialog->InitDir);
    out << h.window->windowTitle() << "heading " + h.table(ws).TextMatrix(0, 0) << h.state(ws) << "note " + golden::show(h.note(ws).toPlainText());
    if (ws == Polar)
        out << "interval " + h.find<QComboBox>("Tab1cmbInterval")->currentText();
    if (!file.isEmpty() && command == "mnuSave") {
        const QByteArray written = golden::fileBytes(h.path(file));
        out << (file.endsWith("TXT") ? "wrote " + golden::show(QString::fromLatin1(written.left(24)))
                                     : written == "<no file>" ? QStringLiteral("no file") : QStringLiteral("%1 bytes").arg(written.size()));
    }
    if (command == "mnuOpen" && !file.isEmpty() && h.window->windowTitle().endsWith(file)) {   // saved again, the file comes back to the byte
        out << "recent " + QStringList{h.find<QAction>("mnuRecent1")->text(), h.find<QAction>("mnuRecent2")->text()}.join(", ");
        h.showTab(ws);
        h.save("again-" + file);
        out << (golden::fileBytes(h.path("again-" + file)) == golden::fileBytes(h.path(file)) ? "saved again: same bytes" : "SAVED AGAIN: OTHER BYTES");
    }
    return out.join(" | ");
}

} // namespace

class TestFiles : public QObject {
    Q_OBJECT
private slots:
    void cases() { GOLDEN_VERIFY(golden::cases("window/files.txt", run)); }
};

QTEST_MAIN(TestFiles)
#include "tst_files.moc"
