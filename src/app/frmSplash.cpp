#include "frmSplash.h"

#include "Product.h"
#include "frmMain.h"
#include "platform/MessageBox.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QFontMetrics>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <cmath>

namespace tarvex {

namespace {

const char* const kLegalNotice = QT_TRANSLATE_NOOP("tarvex::frmSplash",
    "This program and its manual belong to Vantorel. You may install and use them "
    "with a Vantorel bench; copying, selling or passing them on, whole or in part, "
    "needs Vantorel's written consent. Readings and reports depend on a calibrated "
    "bench: check the load cell before you rely on them.");

QFont arial(int pointSize, bool bold = false)
{
    QFont f(QStringLiteral("Arial"), pointSize);
    f.setBold(bold);
    return f;
}

QLabel* label(QWidget* parent, const QString& text, const QFont& font, const QRect& geometry)
{
    auto* l = new QLabel(text, parent);
    l->setFont(font);
    l->setGeometry(geometry);
    l->setFocusPolicy(Qt::NoFocus);
    return l;
}

// The window's design, in pixels: fixed positions keep the logo where the
// end-to-end tests click it.
constexpr QSize kWindowSize(500, 282);
constexpr QRect kFrameRect(8, 8, 484, 266);
constexpr QPoint kLogoPos(16, 16);

} // namespace

QPixmap frmSplash::VantorelLogo()
{
    QPixmap pm(200, 66);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient bg(0, 0, 0, 66);
    bg.setColorAt(0, QColor(20, 32, 110));
    bg.setColorAt(1, QColor(0, 0, 64));
    p.setPen(Qt::NoPen);
    p.setBrush(bg);
    p.drawRoundedRect(QRectF(0.5, 0.5, 199, 65), 8, 8);

    // The emblem: a polar chart with its load rings and a measured figure.
    const QPointF c(33, 33);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(150, 150, 150), 1));
    p.drawLine(QPointF(c.x(), 7), QPointF(c.x(), 59));
    p.drawLine(QPointF(7, c.y()), QPointF(59, c.y()));
    p.setPen(QPen(QColor(255, 255, 0), 2));
    p.drawEllipse(c, 24, 24);
    p.setPen(QPen(QColor(255, 255, 255), 1.2));
    p.drawEllipse(c, 16, 16);
    p.setPen(QPen(QColor(255, 255, 0), 1.5));
    p.drawEllipse(c, 8, 8);
    QPainterPath figure;
    for (int i = 0; i <= 12; ++i) {
        const double a = i * 3.14159265358979 / 6;
        const double r = 17 + 4 * std::cos(2 * a) + 1.5 * std::sin(3 * a);
        const QPointF pt(c.x() + r * std::sin(a), c.y() - r * std::cos(a));
        if (i == 0)
            figure.moveTo(pt);
        else
            figure.lineTo(pt);
    }
    p.setPen(QPen(QColor(255, 40, 40), 2));
    p.drawPath(figure);

    // The word mark.
    QFont name(QStringLiteral("Arial"));
    name.setBold(true);
    name.setLetterSpacing(QFont::AbsoluteSpacing, 1);
    // Whatever font stands in for Arial, the word must fit beside the emblem.
    for (int px = 24; px > 12; --px) {
        name.setPixelSize(px);
        if (QFontMetrics(name).horizontalAdvance(QStringLiteral("VANTOREL")) <= 124)
            break;
    }
    p.setFont(name);
    p.setPen(Qt::white);
    p.drawText(QRectF(66, 8, 130, 30), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("VANTOREL"));
    p.setPen(QPen(QColor(255, 255, 0), 1.5));
    p.drawLine(QPointF(67, 40), QPointF(192, 40));
    QFont tag(QStringLiteral("Arial"));
    tag.setPixelSize(11);
    p.setFont(tag);
    p.setPen(QColor(200, 210, 255));
    p.drawText(QRectF(66, 43, 130, 16), Qt::AlignLeft | Qt::AlignVCenter, tr("shaft stiffness benches"));
    return pm;
}

frmSplash::frmSplash(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmSplash"));
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    setWindowTitle(tr("About %1").arg(kAppTitle));
    setWindowIcon(QIcon(QStringLiteral(":/icons/tarvex.png")));
    setFixedSize(kWindowSize);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(236, 238, 244));
    pal.setColor(QPalette::WindowText, QColor(0, 0, 40));
    setPalette(pal);

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(kFrameRect);
    Frame1->setFrameStyle(QFrame::Box | QFrame::Raised);
    Frame1->setLineWidth(1);
    Frame1->setMidLineWidth(1);
    Frame1->installEventFilter(this);

    Picture1 = new QLabel(Frame1);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setPixmap(VantorelLogo());
    Picture1->setGeometry(QRect(kLogoPos, QSize(200, 66)));
    Picture1->installEventFilter(this);

    // Design texts; Form_Load puts in the real ones.
    const int right = 232;
    const int textWidth = kFrameRect.width() - right - 16;
    lblProductName = label(Frame1, QStringLiteral("Tarvex RS-232"), arial(20, true), QRect(right, 12, textWidth, 36));
    lblProductName->setObjectName(QStringLiteral("lblProductName"));
    lblVersion = label(Frame1, QStringLiteral("Version 2.0"), arial(12), QRect(right, 50, textWidth, 22));
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    Label2 = label(Frame1, tr("Product No. M418026"), arial(10), QRect(right, 74, textWidth, 20));
    Label2->setObjectName(QStringLiteral("Label2"));

    auto* line = new QFrame(Frame1);
    line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    line->setGeometry(16, 104, kFrameRect.width() - 32, 4);

    auto* purpose = label(Frame1,
                          tr("Bending stiffness of golf shafts: load profile along the shaft "
                             "and polar load around it, read from the bench over RS-232."),
                          arial(10), QRect(16, 114, kFrameRect.width() - 32, 40));
    purpose->setWordWrap(true);

    Label1 = label(Frame1, kMakerAddress, arial(10, true), QRect(16, 158, kFrameRect.width() - 32, 20));
    Label1->setObjectName(QStringLiteral("Label1"));

    lblWarning = label(Frame1, tr(kLegalNotice), arial(8), QRect(16, 186, kFrameRect.width() - 32, 66));
    lblWarning->setObjectName(QStringLiteral("lblWarning"));
    lblWarning->setWordWrap(true);
    lblWarning->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kTickMs);
    connect(Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);

    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect r(QPoint(), size());
        r.moveCenter(screen->availableGeometry().center());
        move(r.topLeft());
    }
    Form_Load();
}

frmSplash::~frmSplash() = default;

frmMain* frmSplash::mainWindow() const
{
    return mainWindow_;
}

void frmSplash::Form_Load()
{
    lblVersion->setText(tr("Version %1").arg(kVersionText));
    lblProductName->setText(kAppTitle);
}

void frmSplash::Timer1_Timer()
{
    if (SplashTicks >= kTicksShown)
        close();
    else
        ++SplashTicks;
}

void frmSplash::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!Timer1->isActive())
        Timer1->start();
    activateWindow();
    setFocus(Qt::OtherFocusReason);
}

void frmSplash::hideEvent(QHideEvent* event)
{
    // A hidden splash must not count on, or the next showing would not start at 0.
    Timer1->stop();
    QWidget::hideEvent(event);
}

void frmSplash::closeEvent(QCloseEvent* event)
{
    SplashTicks = 0;
    event->accept();
    openMainWindowAtStartUp();
    emit closed();
}

void frmSplash::openMainWindowAtStartUp()
{
    if (mainWindow_ && mainWindow_->isFormLoaded())
        return;                                 // the splash was the About box
    if (!mainWindow_ && createMainWindow)
        mainWindow_ = createMainWindow();
    if (mainWindow_)
        mainWindow_->show();
}

void frmSplash::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
        // Alone, a modifier is the start of a shortcut elsewhere, not an answer.
        event->ignore();
        return;
    default:
        event->accept();
        close();
    }
}

bool frmSplash::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == Frame1 || watched == Picture1) && event->type() == QEvent::MouseButtonRelease) {
        auto* me = static_cast<QMouseEvent*>(event);
        auto* w = static_cast<QWidget*>(watched);
        if (me->button() == Qt::LeftButton && w->rect().contains(me->position().toPoint())) {
            close();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmSplash::showAboutBox(QWidget* owner)
{
    if (isVisible())
        return;
    QWidget* ownerWindow = owner ? owner->window() : nullptr;
    if (!mainWindow_)
        mainWindow_ = qobject_cast<frmMain*>(ownerWindow);

    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowModality(Qt::ApplicationModal);
    SplashTicks = 0;
    winId();
    if (ownerWindow) {
        if (ownerWindow->windowHandle())
            windowHandle()->setTransientParent(ownerWindow->windowHandle());
        QRect r(QPoint(), size());
        r.moveCenter(ownerWindow->frameGeometry().center());
        move(r.topLeft());
    }

    QPointer<frmSplash> self(this);
    QEventLoop loop;
    connect(this, &frmSplash::closed, &loop, &QEventLoop::quit);
    connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
    show();
    raise();
    if (self && isVisible())
        loop.exec(QEventLoop::DialogExec);
}

} // namespace tarvex
