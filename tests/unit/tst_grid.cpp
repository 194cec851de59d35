// The grid as assistive technology and Qt's item views see it: each case of
// tests/golden/grid.txt fills a table, changes it the way the commands do,
// and reads the grid back through QAccessible (headings, every cell's text,
// the selected cells) and through the model's value role. A change the model
// announces wrongly (a row off by one, a heading taken for a row, a removal
// not told) shows as a stale or shifted cell here.
#include "Golden.h"
#include "tables/CellDelegate.h"
#include "tables/GridView.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QtTest>

using namespace tarvex;

namespace {

QString cellsRead(GridView& view)
{
    QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(&view);
    QAccessibleTableInterface* table = grid ? grid->tableInterface() : nullptr;
    if (!table)
        return QStringLiteral("no table interface");
    QStringList headings, rows;
    for (int c = 0; c < table->columnCount(); ++c)
        headings << table->columnDescription(c);
    for (int r = 0; r < table->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < table->columnCount(); ++c) {
            QAccessibleInterface* cell = table->cellAt(r, c);
            cells << (cell ? cell->text(QAccessible::Name) : QStringLiteral("?"));
        }
        rows << cells.join(QLatin1Char(','));
    }
    QStringList selected;
    for (QAccessibleInterface* cell : table->selectedCells())
        selected << QStringLiteral("%1,%2").arg(cell->tableCellInterface()->columnIndex()).arg(cell->tableCellInterface()->rowIndex() + 1);
    return headings.join(QLatin1Char(',')) + QStringLiteral(" | ") + rows.join(QLatin1Char(';')) + QStringLiteral(" | selected ")
        + selected.join(QLatin1Char(' '));
}

// One change, in the table's own rows: "text C,R T", "rows N", "add R",
// "remove R", "current C,R", "block C,R", "format F".
void change(DataTable& t, const QString& step)
{
    const QString verb = step.section(QLatin1Char(' '), 0, 0);
    const QString arg = step.section(QLatin1Char(' '), 1, 1);
    const int col = arg.section(QLatin1Char(','), 0, 0).toInt();
    const int row = arg.section(QLatin1Char(','), 1, 1).toInt();
    if (verb == QLatin1String("text"))
        t.setTextMatrix(row, col, step.section(QLatin1Char(' '), 2));
    else if (verb == QLatin1String("rows"))
        t.setRows(arg.toInt());
    else if (verb == QLatin1String("add"))
        t.AddItem(step.section(QLatin1Char(' '), 2), arg.toInt());
    else if (verb == QLatin1String("remove"))
        t.RemoveItem(arg.toInt());
    else if (verb == QLatin1String("current"))
        t.setCurrent(row, col);
    else if (verb == QLatin1String("block")) {
        t.setRowSel(row);
        t.setColSel(col);
    } else if (verb == QLatin1String("format"))
        t.setFormatString(step.section(QLatin1Char(' '), 1));
}

} // namespace

class TestGrid : public QObject {
    Q_OBJECT
private slots:
    // rows | changes => headings | the cells read row by row | selected cells | numbers
    void cases()
    {
        GOLDEN_VERIFY(golden::cases("grid.txt", [](const QStringList& in) {
            DataTable table;
            GridView view(&table);
            QLineEdit box(view.viewport());
            CellDelegate delegate(Workspace::Profile, table, view, box);
            view.resize(300, 200);
            view.show();
            golden::fill(table, in[0].split(QLatin1Char(';')), 0);
            for (const QString& step : in[1].split(QLatin1Char(';'), Qt::SkipEmptyParts))
                change(table, step);
            QStringList values;
            for (int r = 0; r < view.model()->rowCount(); ++r) {
                const QVariant v = view.model()->index(r, 1).data(TableModel::ValueRole);
                values << (v.isValid() ? golden::number(v.toDouble()) : QStringLiteral("-"));
            }
            return cellsRead(view) + QStringLiteral(" | values ") + values.join(QLatin1Char(' '));
        }));
    }
};

QTEST_MAIN(TestGrid)
#include "tst_grid.moc"
