#include "charts/polar/frmSinePlot.h"

#include "charts/polar/SineView.h"
#include "platform/MessageBox.h"
#include "platform/PictureArea.h"
#include "platform/PictureAreaWidget.h"
#include "platform/Twips.h"
#include "tables/DataTable.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvex {

namespace {
} // namespace

frmSinePlot::frmSinePlot(const DataTable& table, const QString& rangeText, MessageBox& messageBox,
                         QWidget* parent)
    : QDialog(parent), table_(table), rangeText_(rangeText), messageBox_(messageBox)
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

    auto* outer = new QVBoxLayout(this);
    const int margin = TwipsToPixels(120);
    outer->setContentsMargins(margin, margin, margin, margin);
    outer->setSpacing(TwipsToPixels(255));
    outer->addWidget(SineDrawingView, 1);
    auto* buttons = new QHBoxLayout;
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
    setWindowTitle(kAppTitle + QStringLiteral(" - Sine Plot"));
    if (!DrawSineView(*SineDrawing, table_, rangeText_))
        messageBox_.show(this, kSineViewFailure, MsgButtons::Ok, kAppTitle);
}

void frmSinePlot::Command1_Click()
{
    accept();
}

} // namespace tarvex
