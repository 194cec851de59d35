// The table and every command that changes it (row lay-out, the Edit and row
// menus, the clipboard, the "Add" capture): each case of
// tests/golden/tables.txt starts from a table, runs one command and shows the
// table after it. Every command is also watched by the grid: what a screen
// reader reads of it (through QAccessible) must be the table, and the
// command's journal must undo and redo it exactly; a case says so only when
// either does not hold.
#include "Golden.h"
#include "device/Capture.h"
#include "tables/EditCommands.h"
#include "tables/GridView.h"
#include "tables/ProfileTable.h"

#include <QAccessible>
#include <QtTest>

using namespace tarvex;

namespace {

// "h0,h1;r1c0,r1c1;... @row,col[-rowSel,colSel]", or "fill N": N data rows
// of "r<row>c<col>" under empty headings.
void load(DataTable& t, const QString& state)
{
    QString cells = state.section(QLatin1Char('@'), 0, 0);
    if (cells.endsWith(QLatin1Char(' ')))   // the blank before "@"
        cells.chop(1);
    if (cells.startsWith(QLatin1String("fill "))) {
        const int n = cells.mid(5).toInt();
        t.setRows(n + 1);
        for (int r = 1; r <= n; ++r)
            for (int c = 0; c < 2; ++c)
                t.setTextMatrix(r, c, QStringLiteral("r%1c%2").arg(r).arg(c));
    } else {
        const QStringList rows = cells.split(QLatin1Char(';'));
        t.setRows(int(rows.size()));
        for (int r = 0; r < rows.size(); ++r)
            for (int c = 0; c < 2; ++c)
                t.setTextMatrix(r, c, rows[r].split(QLatin1Char(',')).value(c));
    }
    const QStringList at = state.section(QLatin1Char('@'), 1).split(QRegularExpression(QStringLiteral("[,-]")));
    if (at.size() >= 2)
        t.setCurrent(at[0].toInt(), at[1].toInt());
    if (at.size() == 4) {
        t.setRowSel(at[2].toInt());
        t.setColSel(at[3].toInt());
    }
}

QString cell(const QString& text)
{
    const QString s = golden::show(text);
    return s.startsWith(QLatin1Char('"')) ? s.mid(1, s.size() - 2) : s;
}

// Long tables show their first three and last two rows.
QString dump(const DataTable& t)
{
    QStringList rows, coloured;
    for (int r = 0; r < t.Rows(); ++r) {
        if (t.Rows() > 18 && r == 4)
            rows << QStringLiteral("...");
        if (t.Rows() > 18 && r >= 4 && r < t.Rows() - 2)
            continue;
        rows << cell(t.TextMatrix(r, 0)) + QLatin1Char(',') + cell(t.TextMatrix(r, 1));
        for (int c = 0; c < 2; ++c)
            if (t.cellBackColor(r, c).isValid())
                coloured << QStringLiteral("%1,%2 %3").arg(r).arg(c).arg(t.cellBackColor(r, c).name());
    }
    QString out = rows.join(QLatin1Char(';')) + QStringLiteral(" @%1,%2").arg(t.Row()).arg(t.Col());
    if (t.RowSel() != t.Row() || t.ColSel() != t.Col())
        out += QStringLiteral("-%1,%2").arg(t.RowSel()).arg(t.ColSel());
    if (t.Rows() > 18)
        out += QStringLiteral(" (%1 rows)").arg(t.Rows());
    if (!coloured.isEmpty())
        out += QStringLiteral(" colour ") + coloured.join(QStringLiteral(", "));
    return out;
}

// The cells and headings the grid's accessible table reads that are not the
// table's; empty when it reads the table. The interface is made afresh: with
// no screen reader running, Qt does not tell a cached one of moved rows.
QString misread(GridView& view, const DataTable& t)
{
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(QAccessible::queryAccessibleInterface(&view)));
    QAccessibleTableInterface* a = QAccessible::queryAccessibleInterface(&view)->tableInterface();
    QStringList wrong;
    if (a->rowCount() != t.Rows() - 1 || a->columnCount() != t.Cols())
        wrong << QStringLiteral("%1 rows %2 columns").arg(a->rowCount()).arg(a->columnCount());
    for (int c = 0; c < std::min(t.Cols(), a->columnCount()); ++c) {
        if (a->columnDescription(c) != t.TextMatrix(0, c))
            wrong << QStringLiteral("heading %1 as %2").arg(c).arg(a->columnDescription(c));
        for (int r = 1; r < std::min(t.Rows(), a->rowCount() + 1); ++r)
            if (const QString read = a->cellAt(r - 1, c)->text(QAccessible::Name); read != t.TextMatrix(r, c))
                wrong << QStringLiteral("%1,%2 as %3 not %4").arg(r).arg(c).arg(cell(read), cell(t.TextMatrix(r, c)));
    }
    return wrong.isEmpty() ? QString() : QStringLiteral("screen reader reads ") + wrong.join(QStringLiteral(", "));
}

// The command's journal taken back and made again, with the grid reading
// along: what differs from the table before and after the command.
QString undoRedo(DataTable& t, GridView& view, const std::vector<TableEdit>& journal, const std::vector<QStringList>& before)
{
    const std::vector<QStringList> after = t.snapshot();
    QStringList wrong;
    for (auto it = journal.rbegin(); it != journal.rend(); ++it)
        t.revert(*it);
    if (t.snapshot() != before)
        wrong << QStringLiteral("undo leaves ") + dump(t);
    wrong << misread(view, t);
    for (const TableEdit& edit : journal)
        t.reapply(edit);
    if (t.snapshot() != after)
        wrong << QStringLiteral("redo leaves ") + dump(t);
    wrong << misread(view, t);
    wrong.removeAll(QString());
    return wrong.join(QStringLiteral(" | "));
}

QString run(const QStringList& in)
{
    DataTable t;
    if (in[0] != QLatin1String("new"))
        load(t, in[0]);
    GridView view(&t);
    std::vector<TableEdit> journal;
    const std::vector<QStringList> before = t.snapshot();
    t.setJournal(&journal);
    const QString& command = in.value(1);
    const QString a = in.value(2), b = in.value(3), c = in.value(4);
    QStringList said;
    const auto yesNo = [&](bool v) { said << (v ? QStringLiteral("true") : QStringLiteral("false")); };
    QStringList asked;
    const ConfirmRowDelete confirm = [&](int row) {
        asked << QString::number(row);
        return a == QLatin1String("yes");
    };
    if (command == QLatin1String("setRows")) t.setRows(a.toInt());
    else if (command == QLatin1String("addItem")) t.AddItem(QString(), a.toInt());
    else if (command == QLatin1String("removeItem")) t.RemoveItem(a.toInt());
    else if (command == QLatin1String("set")) t.setTextMatrix(a.toInt(), b.toInt(), c);
    else if (command == QLatin1String("cols")) said << QString::number(t.Cols());
    else if (command == QLatin1String("get")) said << cell(t.TextMatrix(a.toInt(), b.toInt()));
    else if (command == QLatin1String("clip")) said << cell(t.Clip()) << (t.blockIsEmpty() ? QStringLiteral("empty block") : QString());
    else if (command == QLatin1String("setClip")) t.setClip(a);
    else if (command == QLatin1String("colour")) { t.setCellBackColor(kHighlightColor); t.setCurrent(a.toInt(), b.toInt()); }
    else if (command == QLatin1String("clearColours")) t.clearCellBackColors();
    else if (command == QLatin1String("moves")) {
        t.onLeaveCell = [&] { said << QStringLiteral("leave %1,%2").arg(t.Row()).arg(t.Col()); };
        t.onEnterCell = [&] { said << QStringLiteral("enter %1,%2").arg(t.Row()).arg(t.Col()); };
        for (const QString& move : a.split(QLatin1Char(' '))) {
            const QStringList rc = move.mid(1).split(QLatin1Char(','));
            if (move.startsWith(QLatin1Char('r'))) t.setRow(rc[0].toInt());
            else if (move.startsWith(QLatin1Char('c'))) t.setCol(rc[0].toInt());
            else t.setCurrent(rc[0].toInt(), rc.value(1).toInt());
        }
    }
    else if (command == QLatin1String("delete")) DeleteBlockRows(t);
    else if (command == QLatin1String("clear")) ClearBlock(t);
    else if (command == QLatin1String("insert")) InsertRowAtCurrent(t);
    else if (command == QLatin1String("copy")) said << cell(CopyBlock(t));
    else if (command == QLatin1String("clipboard")) said << cell(ClipboardTextToClip(a));
    else if (command == QLatin1String("paste")) PasteIntoBlock(t, a);
    else if (command == QLatin1String("question")) said << DeleteRowQuestion(a.toInt()) << kDeleteRowTitle;
    else if (command == QLatin1String("addRow")) AddRow(t);
    else if (command == QLatin1String("insertRow")) InsertRowAt(t);
    else if (command == QLatin1String("deleteLast")) DeleteLastRow(t, confirm);
    else if (command == QLatin1String("extract")) ExtractRow(t, confirm);
    else if (command == QLatin1String("profileSet")) yesNo(ProfileSetRows(t, a, b, c, QLocale(in.value(5, QStringLiteral("C")))));
    else if (command == QLatin1String("profileClear")) ProfileClearRows(t);
    else if (command == QLatin1String("polarRows")) {
        yesNo(SetPolarRows(t, a));
        said << QStringLiteral("aligned %1 %2").arg(int(t.ColAlignment(0) & Qt::AlignHorizontal_Mask))
                    .arg(int(t.ColAlignment(1) & Qt::AlignHorizontal_Mask));
    }
    else if (command == QLatin1String("polarNew")) ResetPolarTableForNew(t);
    else if (command == QLatin1String("addProfile")) yesNo(CaptureIntoProfile(t, a.toDouble(), QLocale(b.isEmpty() ? QStringLiteral("C") : b)));
    else if (command == QLatin1String("addPolar")) yesNo(CaptureIntoPolar(t, a.toDouble(), QLocale(b.isEmpty() ? QStringLiteral("C") : b)));
    else if (command == QLatin1String("autoProfile") || command == QLatin1String("autoPolar")) {
        const Workspace kind = command == QLatin1String("autoPolar") ? Workspace::Polar : Workspace::Profile;
        for (const QString& v : a.split(QLatin1Char(' '))) {
            const AutoOutcome o = AutoCaptureInto(t, kind, v.toDouble(), QLocale::c());
            said << (o == AutoOutcome::Recorded ? QStringLiteral("recorded") : AutoStopText(o));
            if (o != AutoOutcome::Recorded)
                break;
        }
    }
    else return QStringLiteral("unknown command");
    if (!asked.isEmpty())
        said << QStringLiteral("asked about row ") + asked.join(QLatin1Char(' '));
    t.setJournal(nullptr);
    said << misread(view, t);
    said.removeAll(QString());
    const QString shown = in[0] == QLatin1String("-") ? said.join(QStringLiteral(" | "))
        : dump(t) + (said.isEmpty() ? QString() : QStringLiteral(" | ") + said.join(QStringLiteral(" | ")));
    const QString journalWrong = undoRedo(t, view, journal, before);
    return journalWrong.isEmpty() ? shown : shown + QStringLiteral(" | ") + journalWrong;
}

} // namespace

class TestTables : public QObject {
    Q_OBJECT
private slots:
    void commands() { GOLDEN_VERIFY(golden::cases("tables.txt", run)); }
};

QTEST_MAIN(TestTables)
#include "tst_tables.moc"
