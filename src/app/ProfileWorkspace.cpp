#include "ProfileWorkspace.h"

#include "charts/xy/XYChart.h"
#include "device/Capture.h"
#include "files/ProfileFile.h"
#include "files/TextExport.h"
#include "platform/FailurePolicy.h"
#include "platform/MessageBox.h"
#include "platform/PictureArea.h"
#include "platform/PictureAreaWidget.h"
#include "platform/Caption.h"
#include "tables/CellEditor.h"
#include "tables/DataTableView.h"
#include "tables/EditCommands.h"
#include "tables/ProfileTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvex {

namespace {

// Greyed counts as not ticked.
bool NodesTicked(const QCheckBox* box)
{
    return box && box->checkState() == Qt::Checked;
}

} // namespace

ProfileWorkspace::ProfileWorkspace(const Platform& platform, ReadingReceiver& receiver, QWidget* parent)
    : TableWorkspace(Workspace::Profile, platform, receiver, QSize(twips(7485), twips(4380)), parent)
{
    buildPage();
    buildRowMenu();
    editor().onRowMenu = [this](const QPoint& at) { mnuFGridRows->exec(at); };
    connect(Tab0cmdSet, &QPushButton::clicked, this, &ProfileWorkspace::Tab0cmdSet_Click);
    connect(Tab0cmdGridClear, &QPushButton::clicked, this, &ProfileWorkspace::Tab0cmdGridClear_Click);
    connect(Tab0cmdAdd, &QPushButton::clicked, this, &ProfileWorkspace::Tab0cmdAdd_Click);
    connect(Tab0cmdPlot, &QPushButton::clicked, this, &ProfileWorkspace::Tab0cmdPlot_Click);
    connect(Tab0cmdClear, &QPushButton::clicked, this, &ProfileWorkspace::Tab0cmdClear_Click);
}

void ProfileWorkspace::buildPage()
{
    auto* grid = new QGridLayout(this);

    view()->setToolTip(QStringLiteral("Double click on column to edit labels-Right click for more options"));

    auto* layoutBox = new QGroupBox(QStringLiteral("Rows"));
    auto* form = new QFormLayout(layoutBox);
    Tab0txtStart = new QLineEdit;
    Tab0txtStart->setObjectName(QStringLiteral("Tab0txtStart"));
    Tab0txtInterv = new QLineEdit;
    Tab0txtInterv->setObjectName(QStringLiteral("Tab0txtInterv"));
    Tab0cmbClubs = new QComboBox;
    Tab0cmbClubs->setObjectName(QStringLiteral("Tab0cmbClubs"));
    Tab0cmbClubs->setEditable(true);
    for (int i = 1; i <= 13; ++i)
        Tab0cmbClubs->addItem(QString::number(i));
    Tab0cmbClubs->setCurrentIndex(-1);
    Tab0cmbClubs->setEditText(QString());
    Tab0cmbClubs->setToolTip(QStringLiteral("Select or input the numbers of data rows"));
    // The boxes keep room for a position such as "-100.25" however small the window.
    for (QWidget* box : {static_cast<QWidget*>(Tab0txtStart), static_cast<QWidget*>(Tab0txtInterv)})
        box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("-0000.000")) + 12);
    Tab0cmbClubs->setMinimumContentsLength(4);
    form->addRow(Caption(QStringLiteral("S&tart"), Tab0txtStart), Tab0txtStart);
    form->addRow(Caption(QStringLiteral("St&eps"), Tab0txtInterv), Tab0txtInterv);
    form->addRow(Caption(QStringLiteral("Co&unt"), Tab0cmbClubs), Tab0cmbClubs);
    Tab0cmdSet = new QPushButton(QStringLiteral("&Set"));
    Tab0cmdSet->setObjectName(QStringLiteral("Tab0cmdSet"));
    Tab0cmdSet->setToolTip(QStringLiteral("Set the the number or data rows"));
    Tab0cmdGridClear = new QPushButton(QStringLiteral("Clea&r"));
    Tab0cmdGridClear->setObjectName(QStringLiteral("Tab0cmdGridClear"));
    Tab0cmdGridClear->setToolTip(QStringLiteral("Clear data rows"));
    auto* setRow = new QHBoxLayout;
    setRow->addWidget(Tab0cmdSet);
    setRow->addWidget(Tab0cmdGridClear);
    form->addRow(setRow);

    auto* left = new QVBoxLayout;
    left->addWidget(view(), 1);
    left->addWidget(layoutBox);
    grid->addLayout(left, 0, 0, 2, 1);

    grid->addWidget(pictureView(), 0, 1);

    auto* controls = new QHBoxLayout;
    load()->setMinimumWidth(120);
    Tab0cmdAdd = new QPushButton(QStringLiteral("&Add"));
    Tab0cmdAdd->setObjectName(QStringLiteral("Tab0cmdAdd"));
    Tab0cmdPlot = new QPushButton(QStringLiteral("P&lot"));
    Tab0cmdPlot->setObjectName(QStringLiteral("Tab0cmdPlot"));
    Tab0cmdPlot->setToolTip(QStringLiteral("Draw data points"));
    Tab0cmdClear = new QPushButton(QStringLiteral("&Clear"));
    Tab0cmdClear->setObjectName(QStringLiteral("Tab0cmdClear"));
    Tab0cmdClear->setToolTip(QStringLiteral("Clear plot"));
    Tab0chkNode = new QCheckBox(QStringLiteral("Draw &Node"));
    Tab0chkNode->setObjectName(QStringLiteral("Tab0chkNode"));
    Tab0chkNode->setToolTip(QStringLiteral("Add Nodes to Plotted data"));
    controls->addWidget(Caption(QStringLiteral("Load:"), load()));
    controls->addWidget(load());
    controls->addWidget(Tab0cmdAdd);
    controls->addSpacing(24);
    controls->addWidget(Tab0cmdPlot);
    controls->addWidget(Tab0cmdClear);
    controls->addWidget(Tab0chkNode);
    controls->addStretch(1);
    auto* live = new QVBoxLayout;
    live->addLayout(controls);
    live->addWidget(livePanel());
    grid->addLayout(live, 1, 1);

    grid->addWidget(Caption(QStringLiteral("N&ote"), note()), 2, 0, 1, 2);
    grid->addWidget(note(), 3, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(0, 1);
}

void ProfileWorkspace::buildRowMenu()
{
    mnuFGridRows = new QMenu(QStringLiteral("Row Popup"), this);
    mnuFGridRows->setObjectName(QStringLiteral("mnuFGridRows"));
    const std::pair<const char*, void (ProfileWorkspace::*)()> items[] = {
        {"&Add a Row", &ProfileWorkspace::mnuFGridAddRow_Click},
        {"&Insert a Row", &ProfileWorkspace::mnuFGridInsRow_Click},
        {"&Delete a Row", &ProfileWorkspace::mnuFGridDelRow_Click},
        {"E&xtract a Row", &ProfileWorkspace::mnuFGridExtrRow_Click},
    };
    const char* names[] = {"mnuFGridAddRow", "mnuFGridInsRow", "mnuFGridDelRow", "mnuFGridExtrRow"};
    for (int i = 0; i < 4; ++i)
        mnuFGridRows->addAction(QString::fromLatin1(items[i].first), this, items[i].second)
            ->setObjectName(QLatin1String(names[i]));
}

void ProfileWorkspace::Form_Load()
{
    withChangeRule(ChangeRule::Ignored, [this] {
        LayOutEmptyTable(table(), QStringLiteral("X"), QStringLiteral("Y"));
        table().setCellBackColor(kHighlightColor);
    });
    headLoadColumn();
}

void ProfileWorkspace::newData()
{
    chart_.curves.clear();
    Tab0cmdClear_Click();
    Tab0cmdGridClear_Click();
    headLoadColumn();
    note()->clear();
}

// ---- rows ------------------------------------------------------------------

void ProfileWorkspace::Tab0cmdSet_Click()
{
    bool set = false;
    withChangeRule(ChangeRule::Ignored, [&] {
        set = ProfileSetRows(table(), Tab0txtStart->text(), Tab0txtInterv->text(), Tab0cmbClubs->currentText());
    });
    if (set)
        setModified(false);
}

// Clearing keeps the modified flag as it was.
void ProfileWorkspace::Tab0cmdGridClear_Click()
{
    withChangeRule(ChangeRule::Ignored, [this] { ProfileClearRows(table()); });
    note()->clear();
    setFileName(QString());
    emit titleChanged(kAppTitle);
}

// A capture is a change like any other: closing must offer to save it, and
// the next Plot must take the new readings as a further curve.
void ProfileWorkspace::Tab0cmdAdd_Click()
{
    addLiveReading();
}

// ---- X/Y chart ---------------------------------------------------------------

void ProfileWorkspace::Tab0cmdPlot_Click() { DrawXYChart(); }

void ProfileWorkspace::Tab0cmdClear_Click()
{
    ClearXYChart(picture(), chart_);
}

void ProfileWorkspace::DrawXYChart()
{
    tarvex::DrawXYChart(picture(), table(), chart_, NodesTicked(Tab0chkNode), tellUser());
}

void ProfileWorkspace::DrawXYPrintCopy(PictureArea& copy)
{
    tarvex::DrawXYPrintCopy(copy, table(), chart_.curves, NodesTicked(Tab0chkNode));
}

// ---- files -------------------------------------------------------------------

bool ProfileWorkspace::readFile(const QString& path, QString& note)
{
    if (StopWithMessage(ReadProfileFile(path, table(), note), tellUser()))
        return false;
    chart_.plotted = false;
    return true;
}

SaveResult ProfileWorkspace::writeFile(const QString& path, const QString& note, bool dataFile) const
{
    return dataFile ? WriteProfileFile(path, table(), note) : WriteProfileTextExport(path, table(), note);
}

// ---- row menu ------------------------------------------------------------------

bool ProfileWorkspace::askDeleteRow(int row)
{
    return MsgBox(DeleteRowQuestion(row), MsgButtons::YesNo, kDeleteRowTitle) == MsgResult::Yes;
}

void ProfileWorkspace::mnuFGridAddRow_Click()
{
    runTableCommand(AddRow);
    editor().ShowCurrentCell();
}

void ProfileWorkspace::mnuFGridInsRow_Click()
{
    runTableCommand(InsertRowAt);
    editor().hideBox();
}

void ProfileWorkspace::mnuFGridDelRow_Click()
{
    runTableCommand([this](DataTable& t) { DeleteLastRow(t, [this](int row) { return askDeleteRow(row); }); });
}

void ProfileWorkspace::mnuFGridExtrRow_Click()
{
    runTableCommand([this](DataTable& t) { ExtractRow(t, [this](int row) { return askDeleteRow(row); }); });
}

} // namespace tarvex

namespace tarvex {

bool ProfileWorkspace::capture(double value)
{
    return CaptureIntoProfile(table(), value);
}

} // namespace tarvex
