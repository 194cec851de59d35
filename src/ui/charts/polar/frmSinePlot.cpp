#include "charts/polar/frmSinePlot.h"

#include "charts/polar/SineView.h"
#include "platform/MessageBox.h"
#include "platform/PictureArea.h"
#include "platform/PictureAreaWidget.h"
#include "platform/Twips.h"
#include "tables/DataTable.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvex {

namespace {

QString swatch(const QColor& color, const QString& line, const QString& what)
{
    return QStringLiteral("<span style=\"background:#000040; color:%1\">&nbsp;%2&nbsp;</span>&nbsp;%3")
        .arg(color.name(), line, what);
}

} // namespace

frmSinePlot::frmSinePlot(const DataTable& table, const QString& rangeText, MessageBox& messageBox,
                         const SpineAnalysis& analysis, QWidget* parent)
    : QDialog(parent), table_(table), analysis_(analysis), rangeText_(rangeText), messageBox_(messageBox)
{
    setObjectName(QStringLiteral("frmSinePlot"));
    setWindowTitle(kAppTitle);
    setSizeGripEnabled(true);

    SineDrawing = new PictureArea(QSize(TwipsToPixels(9225), TwipsToPixels(5265)), QColor(0, 0, 64), this);
    SineDrawingView = new PictureAreaWidget(SineDrawing);
    SineDrawingView->setObjectName(QStringLiteral("SineDrawing"));
    SineDrawingView->setMinimumSize(TwipsToPixels(9225) / 2, TwipsToPixels(5265) / 2);

    Command1 = new QPushButton(QStringLiteral("OK"));
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setFixedSize(TwipsToPixels(1695), TwipsToPixels(375));
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &frmSinePlot::Command1_Click);

    // Colour and words both, so the legend reads without telling colours apart.
    using namespace sine_colors;
    lblLegend = new QLabel;
    lblLegend->setObjectName(QStringLiteral("lblLegend"));
    lblLegend->setWordWrap(true);
    chkParts = new QCheckBox(tr("Show once- and twice-per-turn &parts"));
    chkParts->setObjectName(QStringLiteral("chkParts"));
    if (analysis_.ok()) {
        lblLegend->setText(swatch(kCurve, QStringLiteral("&mdash;&mdash;"), tr("readings"))
                           + QStringLiteral("&nbsp;&nbsp; ")
                           + swatch(kFit, QStringLiteral("&mdash;&mdash;"), tr("fitted curve"))
                           + QStringLiteral("&nbsp;&nbsp; ")
                           + swatch(kOnce, QStringLiteral("&middot;&middot;&middot;&middot;"), tr("once per turn (bend)"))
                           + QStringLiteral("&nbsp;&nbsp; ")
                           + swatch(kTwice, QStringLiteral("&middot;&middot;&middot;&middot;"), tr("twice per turn (spine)")));
    } else {
        lblLegend->setText(tr("No fitted curve: %1.").arg(analysis_.refusal.toHtmlEscaped()));
        chkParts->setEnabled(false);
    }
    chkZoom = new QCheckBox(tr("&Zoom to the readings"));
    chkZoom->setObjectName(QStringLiteral("chkZoom"));
    chkZoom->setEnabled(analysis_.ok());
    connect(chkParts, &QCheckBox::toggled, this, &frmSinePlot::redraw);
    connect(chkZoom, &QCheckBox::toggled, this, &frmSinePlot::redraw);

    auto* outer = new QVBoxLayout(this);
    const int margin = TwipsToPixels(120);
    outer->setContentsMargins(margin, margin, margin, margin);
    outer->setSpacing(TwipsToPixels(255));
    outer->addWidget(SineDrawingView, 1);
    outer->addWidget(lblLegend);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(chkParts);
    buttons->addWidget(chkZoom);
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    buttons->addStretch(1);
    outer->addLayout(buttons);
    resize(TwipsToPixels(9225) + 2 * margin, TwipsToPixels(5640) + TwipsToPixels(375) + margin);
}

frmSinePlot::~frmSinePlot() = default;

void frmSinePlot::ShowModal()
{
    // Shown first, so that a failure's message stands over the drawing it
    // interrupted.
    setWindowModality(Qt::ApplicationModal);
    show();
    Form_Load();
    exec();
}

void frmSinePlot::Form_Load()
{
    setWindowTitle(tr("%1 - Sine Plot").arg(kAppTitle));
    redraw();
}

void frmSinePlot::redraw()
{
    if (const Result<> drawn = draw(); !drawn)
        messageBox_.show(this, drawn.message(), MsgButtons::Ok, kAppTitle);
}

Result<> frmSinePlot::draw()
{
    if (chkZoom->isChecked()) {
        if (const std::optional<SineZoom> zoom = ZoomedSineScale(table_, analysis_)) {
            const QString range = QString::number(zoom->range, 'g', 17);
            Result<> drawn = DrawSineView(*SineDrawing, table_, range, zoom->centre);
            DrawSineFit(*SineDrawing, table_, range, analysis_, chkParts->isChecked(), zoom->centre);
            return drawn;
        }
    }
    if (Result<> drawn = DrawSineView(*SineDrawing, table_, rangeText_); !drawn)
        return drawn;
    DrawSineFit(*SineDrawing, table_, rangeText_, analysis_, chkParts->isChecked());
    return {};
}

void frmSinePlot::Command1_Click()
{
    accept();
}

} // namespace tarvex
