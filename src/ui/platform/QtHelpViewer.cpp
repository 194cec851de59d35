#include "platform/QtHelpViewer.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <functional>

namespace tarvex {

namespace {

QString titlePrefix()
{
    return QCoreApplication::translate("HelpViewer", "Help - ");
}

// Enter searches on, Shift+Enter back; QLineEdit's own returnPressed cannot
// tell the two apart.
class FindField : public QLineEdit {
public:
    std::function<void(bool backward)> onEnter;

protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && onEnter)
            onEnter(e->modifiers() & Qt::ShiftModifier);
        else
            QLineEdit::keyPressEvent(e);
    }
};

class HelpWindow : public QWidget {
public:
    explicit HelpWindow(QWidget* owner) : QWidget(owner, Qt::Window)
    {
        setObjectName(QStringLiteral("HelpWindow"));
        setWindowIcon(QIcon(QStringLiteral(":/icons/tarvex.png")));
        resize(860, 720);

        browser_ = new QTextBrowser;
        browser_->setObjectName(QStringLiteral("HelpBrowser"));
        browser_->setOpenExternalLinks(true);

        auto* back = button(QStyle::SP_ArrowBack, QCoreApplication::translate("HelpViewer", "&Back"));
        auto* forward = button(QStyle::SP_ArrowForward, QCoreApplication::translate("HelpViewer", "&Forward"));
        auto* home = button(QStyle::SP_DirHomeIcon, QCoreApplication::translate("HelpViewer", "&Contents"));
        back->setEnabled(false);
        forward->setEnabled(false);
        connect(back, &QToolButton::clicked, browser_, &QTextBrowser::backward);
        connect(forward, &QToolButton::clicked, browser_, &QTextBrowser::forward);
        connect(home, &QToolButton::clicked, browser_, &QTextBrowser::home);
        connect(browser_, &QTextBrowser::backwardAvailable, back, &QToolButton::setEnabled);
        connect(browser_, &QTextBrowser::forwardAvailable, forward, &QToolButton::setEnabled);
        connect(browser_, &QTextBrowser::sourceChanged, this, [this] { updateTitle(); });
        new QShortcut(QKeySequence::Back, browser_, [this] { browser_->backward(); });
        new QShortcut(QKeySequence::Forward, browser_, [this] { browser_->forward(); });
        new QShortcut(QKeySequence(Qt::Key_Escape), this, [this] { close(); });

        find_ = new FindField;
        find_->setObjectName(QStringLiteral("txtHelpFind"));
        find_->setPlaceholderText(QCoreApplication::translate("HelpViewer", "Find in the guide"));
        find_->setClearButtonEnabled(true);
        find_->setMinimumWidth(220);
        find_->onEnter = [this](bool backward) { findNext(backward); };
        // Typing searches from where the last match began, so a longer word
        // stays on the same place while it still matches there.
        connect(find_, &QLineEdit::textEdited, this, [this] {
            QTextCursor c = browser_->textCursor();
            c.setPosition(c.selectionStart());
            browser_->setTextCursor(c);
            findNext(false);
        });
        findStatus_ = new QLabel;
        findStatus_->setObjectName(QStringLiteral("lblHelpFind"));
        auto* previous = button(QStyle::SP_ArrowUp, QCoreApplication::translate("HelpViewer", "Find previous"));
        auto* next = button(QStyle::SP_ArrowDown, QCoreApplication::translate("HelpViewer", "Find next"));
        previous->setToolTip(QCoreApplication::translate("HelpViewer", "Find previous (Shift+F3)"));
        next->setToolTip(QCoreApplication::translate("HelpViewer", "Find next (F3)"));
        previous->setToolButtonStyle(Qt::ToolButtonIconOnly);
        next->setToolButtonStyle(Qt::ToolButtonIconOnly);
        connect(previous, &QToolButton::clicked, this, [this] { findNext(true); });
        connect(next, &QToolButton::clicked, this, [this] { findNext(false); });
        new QShortcut(QKeySequence::Find, this, [this] { find_->setFocus(); find_->selectAll(); });
        new QShortcut(QKeySequence::FindNext, this, [this] { findNext(false); });
        new QShortcut(QKeySequence::FindPrevious, this, [this] { findNext(true); });

        auto* bar = new QHBoxLayout;
        bar->addWidget(back);
        bar->addWidget(forward);
        bar->addWidget(home);
        bar->addStretch(1);
        bar->addWidget(findStatus_);
        bar->addWidget(find_);
        bar->addWidget(previous);
        bar->addWidget(next);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(4, 4, 4, 4);
        layout->addLayout(bar);
        layout->addWidget(browser_, 1);
    }

    void load(const QString& path)
    {
        const QFileInfo file(path);
        if (file.isFile() && file.isReadable()) {
            missing_ = false;
            const QUrl url = QUrl::fromLocalFile(file.absoluteFilePath());
            if (browser_->source() == url)
                browser_->home();
            else
                browser_->setSource(url);
        } else {
            missing_ = true;
            browser_->clearHistory();
            browser_->setHtml(QCoreApplication::translate("HelpViewer",
                "<h2>The manual could not be found</h2>"
                "<p>The help file</p><p><tt>%1</tt></p>"
                "<p>is missing or cannot be read. It belongs beside the program; installing the "
                "program again puts it back.</p>").arg(path.toHtmlEscaped()));
        }
        updateTitle();
    }

private:
    // The next place the field's text occurs, going round past either end of
    // the page; the field turns red when it occurs nowhere.
    void findNext(bool backward)
    {
        const QString text = find_->text();
        showFound(true);
        if (text.isEmpty())
            return;
        const QTextDocument::FindFlags flags = backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
        if (browser_->find(text, flags))
            return;
        QTextCursor here = browser_->textCursor();
        browser_->moveCursor(backward ? QTextCursor::End : QTextCursor::Start);
        if (browser_->find(text, flags))
            return;
        // Nothing stays selected that does not match; the next try starts
        // where the last match began.
        here.setPosition(here.selectionStart());
        browser_->setTextCursor(here);
        showFound(false);
    }

    void showFound(bool found)
    {
        QPalette palette;   // nothing set: the field takes the window's colours again
        if (!found)
            palette.setColor(QPalette::Base, QColor(255, 205, 205));
        find_->setPalette(palette);
        findStatus_->setText(found ? QString() : QCoreApplication::translate("HelpViewer", "Not found"));
    }

    QToolButton* button(QStyle::StandardPixmap icon, const QString& text)
    {
        auto* b = new QToolButton;
        b->setIcon(style()->standardIcon(icon));
        b->setText(text);
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setAutoRaise(true);
        return b;
    }

    void updateTitle()
    {
        if (missing_) {
            setWindowTitle(titlePrefix() + QCoreApplication::translate("HelpViewer", "file not found"));
            return;
        }
        const QString title = browser_->documentTitle();
        setWindowTitle(titlePrefix() + (title.isEmpty() ? QStringLiteral("Tarvex RS232") : title));
    }

    QTextBrowser* browser_ = nullptr;
    FindField* find_ = nullptr;
    QLabel* findStatus_ = nullptr;
    bool missing_ = false;
};

} // namespace

QtHelpViewer::~QtHelpViewer()
{
    // A window with an owner goes with the owner; one without is ours.
    if (window_ && !window_->parent())
        delete window_;
}

void QtHelpViewer::showHelp(QWidget* owner, const QString& path)
{
    QWidget* ownerWindow = owner ? owner->window() : nullptr;
    if (window_ && window_->parentWidget() != ownerWindow) {
        if (!window_->parent())
            delete window_;
        window_ = nullptr;
    }
    auto* w = static_cast<HelpWindow*>(window_.data());
    if (!w) {
        w = new HelpWindow(ownerWindow);
        window_ = w;
    }
    w->load(path);
    w->show();
    w->raise();
    w->activateWindow();
}

} // namespace tarvex
