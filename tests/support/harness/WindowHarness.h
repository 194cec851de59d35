#pragma once
// The one harness of the window tests: the main window, shown and active, on
// the scripted fakes. Controls are found by their names, as a user finds them
// by their captions. The workspaces' flags are read the way a user meets
// them: through the save question on closing and through whether Plot draws.

#include "Golden.h"
#include "frmMain.h"
#include "fakes/FakePlatform.h"
#include "platform/PictureArea.h"
#include "platform/PictureAreaWidget.h"
#include "tables/GridView.h"

#include <QHeaderView>
#include "tables/Workspace.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

namespace tarvex::testing {

constexpr Workspace Profile = Workspace::Profile;
constexpr Workspace Polar = Workspace::Polar;

struct WindowHarness {
    FakePlatform fakes;
    std::unique_ptr<frmMain> window;
    QTemporaryDir dir;

    explicit WindowHarness(const QStringList& ports = {QStringLiteral("A"), QStringLiteral("B")}, std::shared_ptr<Printer> printer = {})
    {
        fakes.serialPort->ports = ports;
        fakes.printer = std::move(printer);
        window = std::make_unique<frmMain>(fakes.bundle());
        showWindow();
    }

    void showWindow()
    {
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        // Drawn once, and what waits for that (the port list) has run.
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QCoreApplication::processEvents();
    }

    // The polar tab's controls exist once its page is first wanted; asking
    // for one by name wants it.
    template <typename T = QWidget>
    T* find(const QString& name) const
    {
        if (name.startsWith(QLatin1String("Tab1")))
            window->polar();
        T* found = window->findChild<T*>(name);
        if (!found)
            qFatal("no control named %s", qPrintable(name));
        return found;
    }
    static QString name(Workspace ws, const char* control)
    {
        return QLatin1String(ws == Profile ? "Tab0" : "Tab1") + QLatin1String(control);
    }

    // A menu command or toolbar button is triggered, a button clicked (on
    // whichever tab it is).
    void click(const QString& control)
    {
        if (control.startsWith(QLatin1String("Tab1")))
            window->polar();
        if (auto* action = window->findChild<QAction*>(control))
            action->trigger();
        else
            find<QAbstractButton>(control)->click();
    }

    QTabWidget& tabs() const { return *find<QTabWidget>(QStringLiteral("SSTab1")); }
    GridView& view(Workspace ws) const { return *find<GridView>(name(ws, "msGrid")); }
    DataTable& table(Workspace ws) const { return *view(ws).table(); }
    QLineEdit& box(Workspace ws) const { return *find<QLineEdit>(name(ws, "txtGridEdit")); }
    QLineEdit& load(Workspace ws) const { return *find<QLineEdit>(name(ws, "txtLoad")); }
    QPlainTextEdit& note(Workspace ws) const { return *find<QPlainTextEdit>(name(ws, "txtNote")); }
    PictureArea& chart(Workspace ws) const { return *find<PictureAreaWidget>(name(ws, "Picture"))->area(); }
    QString path(const QString& file) const { return dir.filePath(file); }

    void showTab(Workspace ws)
    {
        tabs().setCurrentIndex(ws == Profile ? 0 : 1);
        QCoreApplication::processEvents();
    }

    // Data rows from "x,y" texts, then saved as a data file, so the workspace
    // starts unmodified (rows that are not numbers leave it modified).
    void fill(Workspace ws, const QStringList& rows)
    {
        golden::fill(table(ws), rows);
        showTab(ws);
        save(ws == Profile ? QStringLiteral("fill.tvl") : QStringLiteral("fill.tvp"));
    }

    void save(const QString& file)
    {
        fakes.fileDialog->paths = {path(file)};
        click(QStringLiteral("mnuSave"));
    }

    QStringList rows(Workspace ws) const
    {
        QStringList out;
        const DataTable& t = table(ws);
        for (int r = 1; r < t.Rows(); ++r)
            out << t.TextMatrix(r, 0) + QLatin1Char(',') + t.TextMatrix(r, 1);
        return out;
    }

    // The workspaces closing would offer to save, by their data file types
    // ("tvl", "tvp"). It answers Yes and cancels each save, then puts the
    // window and its tab back; closing also closes the port.
    QStringList unsaved()
    {
        const int tab = tabs().currentIndex();
        const qsizetype questions = fakes.messageBox->asked.size();
        const qsizetype dialogs = fakes.fileDialog->asked.size();
        fakes.messageBox->answers.push_front(MsgResult::Yes);
        fakes.fileDialog->paths.clear();
        window->close();
        if (fakes.messageBox->asked.size() == questions)
            fakes.messageBox->answers.pop_front();
        else
            fakes.messageBox->asked.removeLast();
        QStringList types;
        while (fakes.fileDialog->asked.size() > dialogs)
            types << fakes.fileDialog->asked.takeAt(dialogs).defaultExt;
        if (!window->isVisible())
            showWindow();
        tabs().setCurrentIndex(tab);
        return types;
    }

    // Whether Plot of the profile does anything (draws, or says why it
    // cannot): not when the table is unchanged since it was last plotted.
    bool plotActs()
    {
        const Picture before = chart(Profile).picture();
        const qsizetype messages = fakes.messageBox->asked.size();
        click(QStringLiteral("Tab0cmdPlot"));
        const bool said = fakes.messageBox->asked.size() > messages;
        fakes.messageBox->asked.resize(messages);
        return said || chart(Profile).picture() != before;
    }

    // The workspace as the user meets it, as one line of a case file: rows,
    // current cell, the editor's box when shown, the marked cells, what was
    // said, then the flags through closing and Plot. Reading the flags
    // changes nothing.
    QString state(Workspace ws)
    {
        const DataTable& t = table(ws);
        QStringList out{rows(ws).join(';'), QStringLiteral("@%1,%2").arg(t.Col()).arg(t.Row())};
        if (box(ws).isVisible())
            out << QStringLiteral("box ") + golden::show(box(ws).text())
                       + (box(ws).geometry() == view(ws).cellRect(t.Row(), t.Col()) ? QString() : QStringLiteral(" MISPLACED"));
        QStringList marked;
        for (int r = 1; r < t.Rows(); ++r)
            for (int c = 0; c < 2; ++c)
                if (t.cellBackColor(r, c) == kHighlightColor)
                    marked << QStringLiteral("%1,%2").arg(c).arg(r);
        out << QStringLiteral("mark ") + marked.join(QLatin1Char(' '));
        for (const AskedMessage& m : fakes.messageBox->asked)
            out << QStringLiteral("said ") + golden::show(m.text + (m.title.isEmpty() || m.title == QLatin1String("Tarvex RS232") ? QString() : QStringLiteral(" [%1]").arg(m.title)));
        fakes.messageBox->asked.clear();
        const bool plots = plotActs();
        const QStringList types = unsaved();
        out << (types.isEmpty() ? QStringLiteral("saved") : QStringLiteral("unsaved ") + types.join(QLatin1Char(',')));
        if (plots)
            out << QStringLiteral("plots");
        return out.join(QStringLiteral(" | "));
    }

    // A key as the keyboard delivers it: to the widget that has the focus.
    void key(Qt::Key k, Qt::KeyboardModifiers mods = {})
    {
        QWidget* target = QApplication::focusWidget();
        QVERIFY2(target, "nothing has the keyboard focus");
        QTest::keyClick(target, k, mods);
    }

    // Where a cell is clicked: a data row in the grid's viewport, the
    // heading row in its header.
    QWidget* cellWidget(Workspace ws, int row) const
    {
        return row == 0 ? view(ws).horizontalHeader()->viewport() : view(ws).viewport();
    }
    QPoint cellPoint(Workspace ws, int row, int col)
    {
        GridView& v = view(ws);
        v.ensureCellVisible(row);
        const QPoint centre = v.cellRect(row, col).center();
        return row == 0 ? QPoint(centre.x(), v.horizontalHeader()->height() / 2) : centre;
    }

    void clickCell(Workspace ws, int row, int col, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(cellWidget(ws, row), button, {}, cellPoint(ws, row, col));
    }
};

// Runs `open`; a pop-up menu that appears meanwhile gets the item whose text
// is `choose` chosen, or is closed. Returns the menu's title, empty for none.
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
        for (QAction* a : menu->actions())
            if (a->text() == choose)
                menu->setActiveAction(a);
        if (menu->activeAction() && !choose.isEmpty())
            QTest::keyClick(menu, Qt::Key_Return);
        else
            menu->close();
    });
    timer.start();
    open();
    return title;
}

// Runs `open`; each modal window that appears meanwhile goes to `answer`,
// which must close it, or is closed. Returns their class names.
inline QStringList withModal(const std::function<void()>& open, const std::function<void(QWidget*)>& answer = {})
{
    QStringList seen;
    QList<QWidget*> handled;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || handled.contains(modal))
            return;
        handled << modal;
        seen << QLatin1String(modal->metaObject()->className());
        if (answer)
            answer(modal);
        else
            modal->close();
    });
    timer.start();
    open();
    return seen;
}

// Every window of the program, one at a time, for tests that look at all of
// them (access keys, the German texts). `form`: "-" the main window,
// "heading" the caption dialog, or the command that opens a window; then,
// within a window that is not modal, the button there that opens a modal one.
// The library is one of a stored profile and the tables hold a few rows.
// `visit` sees each window shown, before it is closed; the answer is empty, or
// why a window could not be reached.
inline QString walkWindow(WindowHarness& h, const QStringList& form, const std::function<void(QWidget*)>& visit)
{
    h.fill(Polar, {QStringLiteral("0,1"), QStringLiteral("180,2")});
    h.fill(Profile, {QStringLiteral("0,1"), QStringLiteral("10,2"), QStringLiteral("20,3")});
    withModal([&] { h.click(QStringLiteral("Toolbar1_Store")); }, [](QWidget* store) {
        store->findChild<QLineEdit*>(QStringLiteral("txtLabel"))->setText(QStringLiteral("7i"));
        static_cast<QDialog*>(store)->accept();
    });
    int visited = 0;
    const auto shown = [&](QWidget* w) {
        visit(w);
        w->close();
        ++visited;
    };
    if (form[0] == QLatin1String("-")) {
        visit(h.window.get());
        ++visited;
    } else if (form[0] == QLatin1String("heading")) {
        withModal([&] { QTest::mouseDClick(h.cellWidget(Profile, 0), Qt::LeftButton, {}, h.cellPoint(Profile, 0, 1)); }, shown);
    } else if (form.size() > 1) {
        h.click(form[0]);
        // The menu item names the window it opens: mnuLibrary, LibraryWindow.
        auto* window = h.find<QDialog>(form[0].mid(3) + QStringLiteral("Window"));
        if (auto* list = window->findChild<QAbstractItemView*>(QStringLiteral("lstEntries"))) {
            if (!QTest::qWaitFor([list] { return list->model()->rowCount() > 0; }))
                return QStringLiteral("the library lists nothing");
            list->setCurrentIndex(list->model()->index(0, 0));
        }
        withModal([&] { window->findChild<QAbstractButton*>(form[1])->click(); }, shown);
        QCoreApplication::processEvents();   // the layout of what the click changed
        shown(window);
    } else {
        withModal([&] { h.click(form[0]); }, shown);
    }
    return visited > 0 ? QString() : QStringLiteral("no window opened");
}

// The visible commands of a menu or toolbar: their texts, or their tips.
inline QStringList texts(const QList<QAction*>& actions, bool tips = false)
{
    QStringList out;
    for (QAction* a : actions)
        if (!a->isSeparator() && a->isVisible())
            out << (tips ? a->toolTip() : a->text());
    return out;
}

// The access key of a caption: the character after a lone "&".
inline QChar accessKey(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i)
        if (text[i] == '&' && text[++i] != '&')
            return text[i].toUpper();
    return {};
}

// A button's caption as the desktops with access keys show it: a dialog's
// standard buttons get their first letter (&OK, &Cancel) there, whatever the
// platform the tests run on gives them.
inline QString desktopText(QAbstractButton* b)
{
    auto* box = qobject_cast<QDialogButtonBox*>(b->parentWidget());
    if (!box || box->standardButton(b) == QDialogButtonBox::NoButton || b->text().contains('&'))
        return b->text();
    return '&' + b->text();
}

// The tab a control lies on, empty for the window around the tabs.
inline QString tabOf(const QWidget* w)
{
    for (; w && w->parentWidget(); w = w->parentWidget())
        if (auto* tabs = qobject_cast<QTabWidget*>(w->parentWidget()->parentWidget()); tabs && tabs->indexOf(const_cast<QWidget*>(w)) >= 0)
            return tabs->tabText(tabs->indexOf(const_cast<QWidget*>(w)));
    return {};
}

// The keys used twice in one scope of `window`: each menu, and the window's
// own captions (menu bar, tabs, labelled controls) with those of each tab.
inline QStringList clashes(QWidget* window)
{
    QStringList out;
    const auto check = [&out](const QString& scope, const QStringList& captions) {
        QMap<QChar, QStringList> users;
        for (const QString& c : captions)
            if (const QChar k = accessKey(c); !k.isNull())
                users[k] << c;
        for (auto [k, list] : users.asKeyValueRange())
            if (list.size() > 1)
                out << QStringLiteral("Alt+%1 in %2: %3").arg(k, scope, list.join(", "));
    };
    QMap<QString, QStringList> captions;   // tab => its captions; "" the window's own
    for (QWidget* w : window->findChildren<QWidget*>()) {
        QStringList& mine = captions[tabOf(w)];
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            mine << desktopText(b);
        else if (auto* l = qobject_cast<QLabel*>(w); l && l->buddy())
            mine << l->text();
        else if (auto* g = qobject_cast<QGroupBox*>(w))
            mine << g->title();
        else if (auto* t = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < t->count(); ++i)
                mine << t->tabText(i);
        else if (auto* bar = qobject_cast<QMenuBar*>(w))
            mine << texts(bar->actions());
        else if (auto* menu = qobject_cast<QMenu*>(w))
            check("menu " + menu->title(), texts(menu->actions()));
    }
    const QStringList own = captions.take("");
    if (captions.isEmpty())
        check("the window", own);
    for (auto [tab, list] : captions.asKeyValueRange())
        check(tab, list + own);
    return out;
}

} // namespace tarvex::testing
