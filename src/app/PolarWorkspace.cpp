#include "PolarWorkspace.h"

#include "charts/polar/PolarChart.h"
#include "charts/polar/frmSinePlot.h"
#include "charts/polar/SineView.h"
#include "analysis/SpineText.h"
#include "report/Report.h"
#include "analysis/TableReadings.h"
#include "device/Steadiness.h"
#include "device/Capture.h"
#include "document/MeasurementDocument.h"
#include "files/PolarFile.h"
#include "files/TextExport.h"
#include "platform/FailurePolicy.h"
#include "platform/MessageBox.h"
#include "platform/PictureArea.h"
#include "platform/PictureAreaWidget.h"
#include "platform/Caption.h"
#include "tables/DataTable.h"
#include "tables/GridView.h"
#include "tables/ProfileTable.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvex {

PolarWorkspace::PolarWorkspace(const Platform& platform, ReadingReceiver& receiver, const Settings& settings,
                               QWidget* parent)
    : TableWorkspace(Workspace::Polar, platform, receiver, settings, QSize(twips(5000), twips(5000)), parent)
{
    buildPage();
    connect(Tab1cmdSet, &QPushButton::clicked, this, &PolarWorkspace::Tab1cmdSet_Click);
    connect(Command1, &QPushButton::clicked, this, &PolarWorkspace::Command1_Click);
    connect(Tab1cmdPlot, &QPushButton::clicked, this, &PolarWorkspace::Tab1cmdPlot_Click);
    connect(Tab1cmdClear, &QPushButton::clicked, this, &PolarWorkspace::Tab1cmdClear_Click);
    connect(Tab1cmdSine, &QPushButton::clicked, this, &PolarWorkspace::Tab1cmdSine_Click);
}

void PolarWorkspace::buildPage()
{
    auto* grid = new QGridLayout(this);

    view()->setToolTip(tr("Data Grid, Right click mouse for options"));

    auto* rowsBox = new QGroupBox(tr("Rows"));
    auto* rowsForm = new QFormLayout(rowsBox);
    Tab1cmbInterval = new QComboBox;
    Tab1cmbInterval->setObjectName(QStringLiteral("Tab1cmbInterval"));
    Tab1cmbInterval->setEditable(false);
    Tab1cmbInterval->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("5"), QStringLiteral("10"),
                               QStringLiteral("15"), QStringLiteral("30"), QStringLiteral("45"), QStringLiteral("60"),
                               QStringLiteral("90")});
    Tab1cmbInterval->setToolTip(tr("Select angle interval"));
    Tab1cmdSet = new QPushButton(tr("R&eset"));
    Tab1cmdSet->setObjectName(QStringLiteral("Tab1cmdSet"));
    Tab1cmdSet->setToolTip(tr("Set data grid at selected angle interval"));
    rowsForm->addRow(Caption(tr("Angle &Interval "), Tab1cmbInterval), Tab1cmbInterval);
    rowsForm->addRow(Tab1cmdSet);
    auto* left = new QVBoxLayout;
    left->addWidget(view(), 1);
    left->addWidget(rowsBox);
    grid->addLayout(left, 0, 0);

    pictureView()->setKeepSquare(true);
    // The spine figures under the chart they describe.
    auto* middle = new QVBoxLayout;
    middle->addWidget(pictureView(), 1);
    auto* spineBox = new QGroupBox(tr("Spine and bend"));
    auto* spineLayout = new QVBoxLayout(spineBox);
    Tab1lblSpine = new QLabel(tr("Plot to see the spine figures."));
    Tab1lblSpine->setObjectName(QStringLiteral("Tab1lblSpine"));
    Tab1lblSpine->setTextInteractionFlags(Qt::TextSelectableByMouse);
    spineLayout->addWidget(Tab1lblSpine);
    // Room for its four lines from the start, so Plot does not grow the window;
    // its width follows the chart's column, never the text, so the panel
    // beside it stays put under the mouse whatever the figures say.
    Tab1lblSpine->setMinimumHeight(Tab1lblSpine->fontMetrics().lineSpacing() * 4);
    Tab1lblSpine->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    Tab1lblSpine->setWordWrap(true);
    middle->addWidget(spineBox);
    grid->addLayout(middle, 0, 1);

    auto* right = new QVBoxLayout;
    auto* plotBox = new QGroupBox(tr("Chart"));
    auto* plotForm = new QFormLayout(plotBox);
    Tab1cmbRange = new QComboBox;
    Tab1cmbRange->setObjectName(QStringLiteral("Tab1cmbRange"));
    Tab1cmbRange->setEditable(true);
    Tab1cmbRange->addItems({QStringLiteral("50"), QStringLiteral("100"), QStringLiteral("200"), QStringLiteral("500"),
                            QStringLiteral("1000"), AutoRangeText()});
    Tab1cmbRange->setToolTip(tr("Scale factor at which to plot Polar data"));
    plotForm->addRow(Caption(tr("Scale Ran&ge"), Tab1cmbRange), Tab1cmbRange);
    Tab1cmdPlot = new QPushButton(tr("P&lot"));
    Tab1cmdPlot->setObjectName(QStringLiteral("Tab1cmdPlot"));
    Tab1cmdPlot->setToolTip(tr("Plot Polar data for load Vs Angles"));
    Tab1cmdClear = new QPushButton(tr("&Reset Plot"));
    Tab1cmdClear->setObjectName(QStringLiteral("Tab1cmdClear"));
    Tab1cmdClear->setToolTip(tr("Clear data plot"));
    Tab1cmdSine = new QPushButton(tr("Si&ne Plot"));
    Tab1cmdSine->setObjectName(QStringLiteral("Tab1cmdSine"));
    Tab1cmdSine->setToolTip(tr("View Soine data as a sine Plot"));
    // One row: the column also holds the reading's controls and the spine
    // figures, and must fit a 600-pixel screen.
    auto* plotButtons = new QHBoxLayout;
    plotButtons->addWidget(Tab1cmdPlot);
    plotButtons->addWidget(Tab1cmdClear);
    plotButtons->addWidget(Tab1cmdSine);
    plotForm->addRow(plotButtons);
    right->addWidget(plotBox);

    auto* loadBox = new QGroupBox(tr("Reading"));
    auto* loadForm = new QFormLayout(loadBox);
    Command1 = new QPushButton(tr("&Add"));
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setToolTip(tr("Plot Polar data for load Vs Angles"));
    loadForm->addRow(Caption(tr("Load:"), load()), load());
    loadForm->addRow(Command1);
    loadForm->addRow(livePanel());
    right->addWidget(loadBox);

    right->addStretch(1);
    grid->addLayout(right, 0, 2);

    grid->addWidget(Caption(tr("N&ote"), note()), 1, 0, 1, 3);
    grid->addWidget(note(), 2, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(0, 1);
}

void PolarWorkspace::Form_Load()
{
    withChangeRule(ChangeRule::Ignored,
                   [this] { LayOutEmptyTable(table(), QStringLiteral("Degree"), QStringLiteral("Load")); });
    Tab1cmbInterval->setCurrentIndex(5);
    Tab1cmbRange->setCurrentIndex(1);
    drawBackground();
    headLoadColumn();
    forgetHistory();
}

void PolarWorkspace::drawBackground()
{
    InitGraphic(picture(), Tab1cmbRange->currentText(), false, tellUser());
}

// New keeps the file name and the modified flag.
void PolarWorkspace::newData()
{
    const bool modified = isModified();
    picture().Cls();
    drawBackground();
    withChangeRule(ChangeRule::Ignored, [this] { ResetPolarTableForNew(table()); });
    forgetLibraryShaft();
    headLoadColumn();
    note()->clear();
    endStep(tr("New"));
    if (!modified)
        setModified(false);
}

void PolarWorkspace::Tab1cmdSet_Click()
{
    const QString interval = Tab1cmbInterval->currentText();
    if (interval.isEmpty())
        return;
    if (!note()->toPlainText().isEmpty()
        && MsgBox(tr("Do you want to reset the note also?"), MsgButtons::YesNo, kAppTitle) == MsgResult::Yes)
        note()->clear();
    bool set = false;
    withChangeRule(ChangeRule::Ignored, [&] { set = SetPolarRows(table(), interval); });
    forgetLibraryShaft();
    headLoadColumn();
    endStep(tr("Reset"));
    if (set)
        setModified(false);
    setFileName(QString());
    emit titleChanged(kAppTitle);
}

void PolarWorkspace::Command1_Click()
{
    addLiveReading();
}

void PolarWorkspace::Tab1cmdPlot_Click()
{
    const bool stopped =
        StopWithMessage(DrawPolarChart(picture(), table(), Tab1cmbRange->currentText(), false, tellUser()), tellUser());
    const SpineAnalysis spine = showSpine();
    if (!stopped && spine.ok())
        DrawSpinePlanes(picture(), spine.spineAngle, spine.nbpAngle, spine.spineSignificant);
}

// The figures follow the table on Plot and on every reading recorded, so
// the fitter sees the stiff plane firm up as the turn fills in.
SpineAnalysis PolarWorkspace::showSpine()
{
    const SpineAnalysis spine = spineOfTable();
    Tab1lblSpine->setText(SpineFigureLines(spine, settings().capture.unit).join(QLatin1Char('\n')));
    return spine;
}

// The report keeps the figures only when there are some: a table too short
// to analyse prints as it always did.
void PolarWorkspace::describeResults(ReportPage& page) const
{
    page.chartRange = PolarRangeWords(Tab1cmbRange->currentText(), table(), settings().capture.unit);
    const SpineAnalysis spine = spineOfTable();
    page.sineChart = SineViewForReport(table(), sineRange(), spine);
    if (!spine.ok())
        return;
    page.resultsTitle = tr("Spine and bend");
    page.results = SpineFigureLines(spine, settings().capture.unit);
}

void PolarWorkspace::Tab1cmdClear_Click()
{
    picture().Cls();
    drawBackground();
}

void PolarWorkspace::Tab1cmdSine_Click()
{
    if (table().Rows() < 3)
        return;
    frmSinePlot form(table(), sineRange(), *platform().messageBox,
                     spineOfTable(), window());
    form.ShowModal();
}

// The sine view has no automatic scale of its own: at "Auto" it opens at the
// list's default and its zoom spreads the readings.
QString PolarWorkspace::sineRange() const
{
    const QString range = Tab1cmbRange->currentText();
    return IsAutoRange(range) ? QStringLiteral("100") : range;
}

void PolarWorkspace::DrawPolarPrintCopy(PictureArea& copy)
{
    if (StopWithMessage(DrawPolarChart(copy, table(), Tab1cmbRange->currentText(), true, tellUser()), tellUser()))
        return;
    // The report's chart shows the planes its figures name.
    if (const SpineAnalysis spine = spineOfTable(); spine.ok())
        DrawSpinePlanes(copy, spine.spineAngle, spine.nbpAngle, spine.spineSignificant);
}

void PolarWorkspace::documentRead()
{
    Tab1cmbInterval->setCurrentIndex(Tab1cmbInterval->findText(document().interval()));
}

} // namespace tarvex

namespace tarvex {

bool PolarWorkspace::capture(double value)
{
    return CaptureIntoPolar(table(), value);
}

void PolarWorkspace::captured()
{
    showSpine();
}

} // namespace tarvex
