// The grid with 32,767 rows, the most a table holds: scrolling through it
// with a repaint at every step, and typing loads into it (a key on the grid
// opens the box, the digits go in, Enter moves on, each keystroke a step of
// the undo history as in the window), each against the hand-painted grid it
// replaced, measured in the same run.
//
//   BENCH grid_scroll_repaint_32767_rows <ms> <old grid ms> 1.2
//   BENCH grid_typing_32767_rows <ms> <old grid ms> 1.2

#include "BenchTiming.h"
#include "tables/CellDelegate.h"
#include "tables/CellEditor.h"
#include "tables/DataTableView.h"
#include "tables/GridView.h"
#include "tables/ProfileTable.h"
#include "tables/TableHistory.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

using namespace tarvex;

namespace {

const QSize kGridSize(360, 640);

void fillTable(DataTable& t)
{
    t.setRows(kMaxTableRows);
    t.setTextMatrix(0, 0, QStringLiteral("Position"));
    t.setTextMatrix(0, 1, QStringLiteral("Load (N)"));
    for (int r = 1; r < t.Rows(); ++r) {
        t.setTextMatrix(r, 0, QString::number(r));
        t.setTextMatrix(r, 1, QString::number(r * 0.25, 'f', 2));
    }
}

// One grid with its editor, shown; the keys go where the keyboard would send
// them: to the box while it is open, else to the grid.
struct Grid {
    DataTable table;
    std::unique_ptr<QAbstractScrollArea> view;
    QLineEdit* box = nullptr;
    std::unique_ptr<QObject> editor;
    std::unique_ptr<TableHistory> history;

    void key(int key, const QString& text = {})
    {
        QWidget* target = box->isVisible() ? static_cast<QWidget*>(box) : view.get();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(target, &press);
    }
};

std::unique_ptr<Grid> oldGrid()
{
    auto g = std::make_unique<Grid>();
    fillTable(g->table);
    auto* view = new DataTableView(&g->table);
    g->view.reset(view);
    g->box = new QLineEdit(view);
    g->editor = std::make_unique<CellEditor>(Workspace::Profile, g->table, *view, *g->box);
    return g;
}

std::unique_ptr<Grid> newGrid()
{
    auto g = std::make_unique<Grid>();
    fillTable(g->table);
    auto* view = new GridView(&g->table);
    g->view.reset(view);
    g->box = new QLineEdit(view->viewport());
    auto delegate = std::make_unique<CellDelegate>(Workspace::Profile, g->table, *view, *g->box);
    g->history = std::make_unique<TableHistory>(g->table);
    delegate->onKeyTyped = [h = g->history.get()] { h->commit(QStringLiteral("Typing"), true); };
    g->editor = std::move(delegate);
    return g;
}

double scrollThrough(Grid& g)
{
    g.view->resize(kGridSize);
    g.view->show();
    QApplication::processEvents();
    QScrollBar* bar = g.view->verticalScrollBar();
    const int steps = 400;
    return bench::seconds([&] {
        for (int i = 0; i <= steps; ++i) {
            bar->setValue(bar->maximum() * i / steps);
            g.view->viewport()->repaint();
        }
    }) * 1e3;
}

double typeLoads(Grid& g)
{
    g.view->resize(kGridSize);
    g.view->show();
    QApplication::processEvents();
    g.table.setCurrent(kMaxTableRows - 400, 1);
    return bench::seconds([&] {
        for (int i = 0; i < 150; ++i) {
            for (const QChar ch : QStringLiteral("12.5"))
                g.key(ch == QLatin1Char('.') ? Qt::Key_Period : Qt::Key_0 + ch.digitValue(), QString(ch));
            g.key(Qt::Key_Return, QStringLiteral("\r"));
            g.key(Qt::Key_Right);
            g.key(Qt::Key_Down);
            g.view->viewport()->repaint();
        }
    }) * 1e3;
}

// The quickest of five runs of each, taken in turns so that both see the
// same load on a shared machine.
void report(const char* figure, const std::function<double(Grid&)>& run)
{
    double oldMs = 1e300;
    double newMs = 1e300;
    for (int i = 0; i < 5; ++i) {
        oldMs = std::min(oldMs, run(*oldGrid()));
        newMs = std::min(newMs, run(*newGrid()));
    }
    std::printf("BENCH %s %.3f %.3f 1.2\n", figure, newMs, oldMs);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    report("grid_scroll_repaint_32767_rows", scrollThrough);
    report("grid_typing_32767_rows", typeLoads);
    return 0;
}
