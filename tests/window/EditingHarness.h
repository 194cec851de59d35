#pragma once
// Shared by the window tests of the tables: a shown and active main window on
// fakes, tables filled from short texts, keys sent where the keyboard focus
// is, clicks on cells, and pop-up menus and modal dialogs answered from a
// timer while the program waits in them.

#include "frmMain.h"
#include "fakes/FakePlatform.h"
#include "tables/DataTableView.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

namespace tarvex::testing {

struct Harness {
    FakePlatform fakes;
    std::unique_ptr<frmMain> window;

    Harness()
    {
        window = std::make_unique<frmMain>(fakes.bundle());
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    frmMain& w() { return *window; }
    DataTable& table(int tab) { return tab == 0 ? *w().Tab0msGrid : *w().Tab1msGrid; }
    DataTableView& view(int tab) { return tab == 0 ? *w().Tab0msGridView : *w().Tab1msGridView; }
    QLineEdit& box(int tab) { return tab == 0 ? *w().Tab0txtGridEdit : *w().Tab1txtGridEdit; }
    bool& modified(int tab) { return tab == 0 ? w().ProfileModified : w().PolarModified; }

    void showTab(int tab)
    {
        w().SSTab1->setCurrentIndex(tab);
        QCoreApplication::processEvents();
    }

    // Data rows from "x,y" texts; the flags are reset afterwards, so a test
    // sees only what its own actions change.
    void fill(int tab, const QStringList& rows)
    {
        DataTable& t = table(tab);
        t.setRows(static_cast<int>(rows.size()) + 1);
        for (int r = 0; r < rows.size(); ++r) {
            const QStringList cells = rows[r].split(QLatin1Char(','));
            for (int c = 0; c < 2; ++c)
                t.setTextMatrix(r + 1, c, c < cells.size() ? cells[c] : QString());
        }
        w().ProfileModified = false;
        w().PolarModified = false;
        w().ProfilePlotted = true;
    }

    QStringList rows(int tab)
    {
        QStringList out;
        const DataTable& t = table(tab);
        for (int r = 1; r < t.Rows(); ++r)
            out << t.TextMatrix(r, 0) + QLatin1Char(',') + t.TextMatrix(r, 1);
        return out;
    }

    // Makes a cell current by clicking it, as the user would.
    void clickCell(int tab, int row, int col, Qt::MouseButton button = Qt::LeftButton)
    {
        DataTableView& v = view(tab);
        v.ensureCellVisible(row);
        QTest::mouseClick(v.viewport(), button, {}, cellPoint(tab, row, col));
    }

    QPoint cellPoint(int tab, int row, int col)
    {
        DataTableView& v = view(tab);
        return v.cellRect(row, col).center() - v.viewport()->pos();
    }

    // A key as the keyboard delivers it: to the widget that has the focus.
    void key(Qt::Key k, Qt::KeyboardModifiers mods = {})
    {
        QWidget* target = QApplication::focusWidget();
        QVERIFY2(target, "nothing has the keyboard focus");
        QTest::keyClick(target, k, mods);
    }

    void type(const QString& text)
    {
        for (const QChar ch : text) {
            QWidget* target = QApplication::focusWidget();
            QVERIFY2(target, "nothing has the keyboard focus");
            QTest::keyClick(target, ch.toLatin1());
        }
    }
};

// Runs `open`; when a pop-up menu appears meanwhile, notes its title and
// chooses the item whose text (mnemonic included) is `choose`, or closes it
// when `choose` is empty. Returns the title, empty when no menu appeared.
inline QString withPopup(const std::function<void()>& open, const QString& choose = {})
{
    QString title;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        timer.stop();
        title = menu->title();
        QAction* chosen = nullptr;
        for (QAction* a : menu->actions())
            if (a->text() == choose)
                chosen = a;
        if (chosen) {
            menu->setActiveAction(chosen);
            QTest::keyClick(menu, Qt::Key_Return);
        } else {
            menu->close();
        }
    });
    timer.start();
    open();
    return title;
}

// Runs `open`; when a modal dialog of type D appears meanwhile, hands it to
// `answer`. Returns whether one appeared.
template <typename D>
bool withDialog(const std::function<void()>& open, const std::function<void(D&)>& answer)
{
    bool seen = false;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        timer.stop();
        seen = true;
        answer(*dialog);
    });
    timer.start();
    open();
    return seen;
}

} // namespace tarvex::testing
