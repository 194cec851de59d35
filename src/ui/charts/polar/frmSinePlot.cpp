#include "charts/polar/frmSinePlot.h"

#include "charts/polar/SineView.h"
#include "platform/MessageBox.h"
#include "platform/PictureArea.h"
#include "platform/PictureAreaWidget.h"
#include "tables/DataTable.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvex {

namespace {
// Twips are 1/1440 inch; the designed sizes assume a 96-dpi screen.
constexpr int twips(int t) { return t / 15; }
} // namespace

frmSinePlot::frmSinePlot(const DataTable& table, const QString& rangeText, MessageBox* messageBox,
                         QWidget* parent)
    : QDialog(parent), table_(table), rangeText_(rangeText), messageBox_(messageBox)
{
    setObjectName(QStringLiteral("frmSinePlot"));
    setWindowTitle(kAppTitle);
    setSizeGripEnabled(true);

    SineDrawing = new PictureArea(QSize(twips(9225), twips(5265)), QColor(0, 0, 64), this);
    SineDrawingView = new PictureAreaWidget(SineDrawing);
    SineDrawingView->setObjectName(QStringLiteral("SineDrawing"));
    SineDrawingView->setMinimumSize(twips(9225) / 2, twips(5265) / 2);

    Command1 = new QPushButton(QStringLiteral("OK"));
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setFixedSize(twips(1695), twips(375));
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &frmSinePlot::Command1_Click);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(twips(120), twips(120), twips(120), twips(120));
    outer->setSpacing(twips(255));
    outer->addWidget(SineDrawingView, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    buttons->addStretch(1);
    outer->addLayout(buttons);
    resize(twips(9225) + 2 * twips(120), twips(5640) + twips(375) + twips(120));
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
    setWindowTitle(kAppTitle + QStringLiteral(" - Print Preview"));
    if (!DrawSineView(*SineDrawing, table_, rangeText_) && messageBox_)
        messageBox_->show(this, kSineViewFailure, MsgButtons::Ok, kAppTitle);
}

void frmSinePlot::Command1_Click()
{
    accept();
}

} // namespace tarvex
