#include "platform/QtHelpViewer.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QShortcut>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace tarvex {

namespace {

const QString kTitlePrefix = QStringLiteral("Help - ");

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

        auto* back = button(QStyle::SP_ArrowBack, QStringLiteral("&Back"));
        auto* forward = button(QStyle::SP_ArrowForward, QStringLiteral("&Forward"));
        auto* home = button(QStyle::SP_DirHomeIcon, QStringLiteral("&Contents"));
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

        auto* bar = new QHBoxLayout;
        bar->addWidget(back);
        bar->addWidget(forward);
        bar->addWidget(home);
        bar->addStretch(1);
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
            browser_->setHtml(QStringLiteral(
                "<h2>The manual could not be found</h2>"
                "<p>The help file</p><p><tt>%1</tt></p>"
                "<p>is missing or cannot be read. It belongs beside the program; installing the "
                "program again puts it back.</p>").arg(path.toHtmlEscaped()));
        }
        updateTitle();
    }

private:
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
            setWindowTitle(kTitlePrefix + QStringLiteral("file not found"));
            return;
        }
        const QString title = browser_->documentTitle();
        setWindowTitle(kTitlePrefix + (title.isEmpty() ? QStringLiteral("Tarvex RS232") : title));
    }

    QTextBrowser* browser_ = nullptr;
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
