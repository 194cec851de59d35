#include "frmMain.h"

#include "Product.h"
#include "device/PortComboBox.h"
#include "platform/HelpViewer.h"
#include "platform/MessageBox.h"
#include "platform/PictureArea.h"
#include "platform/PictureAreaWidget.h"
#include "platform/Twips.h"
#include "tables/DataTableView.h"
#include "tables/ProfileTable.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextDocument>
#include <QToolBar>
#include <QVBoxLayout>

namespace tarvex {

namespace {

constexpr int twips(int t) { return TwipsToPixels(t); }

// A picture for a toolbar button when the desktop's icon theme has none.
QIcon drawnIcon(const QString& key)
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(QColor(40, 60, 110), 2);
    p.setPen(pen);
    if (key == QLatin1String("Open")) {
        p.setBrush(QColor(240, 200, 90));
        QPainterPath path;
        path.moveTo(3, 9); path.lineTo(12, 9); path.lineTo(15, 12); path.lineTo(29, 12);
        path.lineTo(29, 27); path.lineTo(3, 27); path.closeSubpath();
        p.drawPath(path);
    } else if (key == QLatin1String("Save")) {
        p.setBrush(QColor(90, 130, 200));
        p.drawRoundedRect(4, 4, 24, 24, 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(9, 4, 14, 9);
        p.drawRect(9, 18, 14, 10);
    } else if (key == QLatin1String("Clear")) {
        p.setBrush(Qt::white);
        p.drawRect(4, 4, 24, 24);
        p.setPen(QPen(QColor(200, 40, 40), 3));
        p.drawLine(9, 9, 23, 23);
        p.drawLine(23, 9, 9, 23);
    } else if (key == QLatin1String("Plot")) {
        p.setBrush(Qt::white);
        p.drawRect(3, 3, 26, 26);
        p.setPen(QPen(QColor(220, 30, 30), 2.5));
        p.drawPolyline(QPolygon({QPoint(6, 24), QPoint(12, 15), QPoint(18, 19), QPoint(26, 7)}));
    } else if (key == QLatin1String("Print")) {
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(3, 12, 26, 12);
        p.setBrush(Qt::white);
        p.drawRect(8, 4, 16, 9);
        p.drawRect(8, 20, 16, 9);
    }
    return QIcon(pm);
}

QIcon toolbarIcon(const QString& key, const char* themeName)
{
    const QIcon themed = QIcon::fromTheme(QString::fromLatin1(themeName));
    return themed.isNull() ? drawnIcon(key) : themed;
}

// The live load boxes stand out in the highlight green whatever the desktop theme.
void paintLiveLoadBox(QLineEdit* box)
{
    QPalette pal = box->palette();
    pal.setColor(QPalette::Base, QColor(192, 255, 192));
    pal.setColor(QPalette::Text, Qt::black);
    box->setPalette(pal);
}

QLabel* caption(const QString& text, QWidget* buddy)
{
    auto* l = new QLabel(text);
    l->setBuddy(buddy);
    return l;
}

} // namespace

frmMain::frmMain(const Platform& platform, QWidget* parent)
    : QMainWindow(parent), platform_(platform)
{
    applicationFolder = QCoreApplication::applicationDirPath();
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(kAppTitle);
    setWindowIcon(QIcon(QStringLiteral(":/icons/tarvex.png")));

    Tab0msGrid = new DataTable(2, this);
    Tab1msGrid = new DataTable(2, this);
    Tab0Picture = new PictureArea(QSize(twips(7485), twips(4380)), QColor(0, 0, 64), this);
    Tab1Picture = new PictureArea(QSize(twips(5000), twips(5000)), QColor(0, 0, 64), this);
    Picture1 = new PictureArea(QSize(twips(7485), twips(4380)), QColor(255, 255, 255), this);

    buildMenus();
    buildToolbar();

    auto* central = new QWidget(this);
    auto* outer = new QVBoxLayout(central);
    auto* portRow = new QHBoxLayout;
    cmbCommPort = new PortComboBox;
    cmbCommPort->setObjectName(QStringLiteral("cmbCommPort"));
    cmbCommPort->setEditable(false);
    cmbCommPort->setMinimumContentsLength(12);
    cmdOpen = new QPushButton(QStringLiteral("COM Open"));
    cmdOpen->setObjectName(QStringLiteral("cmdOpen"));
    portRow->addWidget(caption(QStringLiteral("Serial &port:"), cmbCommPort));
    portRow->addWidget(cmbCommPort);
    portRow->addWidget(cmdOpen);
    portRow->addStretch(1);
    outer->addLayout(portRow);

    SSTab1 = new QTabWidget;
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->addTab(buildTab0(), QStringLiteral("X/Y Plot"));
    SSTab1->addTab(buildTab1(), QStringLiteral("Polar Plot"));
    outer->addWidget(SSTab1, 1);

    Label2 = new QLabel(QStringLiteral("Vantorel Tarvex RS-232 Version %1  %2").arg(kVersionText, kMakerAddress));
    Label2->setObjectName(QStringLiteral("Label2"));
    outer->addWidget(Label2);
    setCentralWidget(central);
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));

    connect(SSTab1, &QTabWidget::currentChanged, this, &frmMain::SSTab1_Click);
    connect(cmdOpen, &QPushButton::clicked, this, &frmMain::cmdOpen_Click);
    connect(Tab0cmdSet, &QPushButton::clicked, this, &frmMain::Tab0cmdSet_Click);
    connect(Tab0cmdGridClear, &QPushButton::clicked, this, &frmMain::Tab0cmdGridClear_Click);
    connect(Tab0cmdAdd, &QPushButton::clicked, this, &frmMain::Tab0cmdAdd_Click);
    connect(Tab0cmdPlot, &QPushButton::clicked, this, &frmMain::Tab0cmdPlot_Click);
    connect(Tab0cmdClear, &QPushButton::clicked, this, &frmMain::Tab0cmdClear_Click);
    connect(Tab1cmdSet, &QPushButton::clicked, this, &frmMain::Tab1cmdSet_Click);
    connect(Command1, &QPushButton::clicked, this, &frmMain::Command1_Click);
    connect(Tab1cmdPlot, &QPushButton::clicked, this, &frmMain::Tab1cmdPlot_Click);
    connect(Tab1cmdClear, &QPushButton::clicked, this, &frmMain::Tab1cmdClear_Click);
    connect(Tab1cmdSine, &QPushButton::clicked, this, &frmMain::Tab1cmdSine_Click);
    connectEditorEvents();
    // The notes are saved with their tables, so typing one is a change to save.
    // Only the user's own edits add undo steps; notes put in by New, Clear or
    // opening a file do not, and leave the flags to those commands.
    connect(Tab0txtNote->document(), &QTextDocument::undoCommandAdded, this, [this] { ProfileModified = true; });
    connect(Tab1txtNote->document(), &QTextDocument::undoCommandAdded, this, [this] { PolarModified = true; });

    resize(1100, 720);
    Form_Load();
}

frmMain::~frmMain() = default;

void frmMain::buildMenus()
{
    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuNew = mnuFile->addAction(QStringLiteral("&New"), this, &frmMain::mnuNew_Click);
    mnuOpen = mnuFile->addAction(QStringLiteral("&Open"), this, &frmMain::mnuOpen_Click);
    mnuSave = mnuFile->addAction(QStringLiteral("&Save"), this, &frmMain::mnuSave_Click);
    mnuPrint = mnuFile->addAction(QStringLiteral("&Print"), this, &frmMain::mnuPrint_Click);
    mnuFile->addSeparator();
    mnuEnd = mnuFile->addAction(QStringLiteral("E&xit"), this, &frmMain::mnuEnd_Click);
    mnuNew->setShortcut(QKeySequence::New);
    mnuOpen->setShortcut(QKeySequence::Open);
    mnuSave->setShortcut(QKeySequence::Save);
    mnuPrint->setShortcut(QKeySequence::Print);
    mnuEnd->setShortcut(QKeySequence::Quit);

    // Option, Edit and Row Popup are not in the menu bar: the last two are the
    // tables' pop-up menus.
    mnuOption = new QMenu(QStringLiteral("&Option"), this);
    mnuEnv = mnuOption->addAction(QStringLiteral("&Environment"));
    mnuGridEdit = new QMenu(QStringLiteral("&Edit"), this);
    mnuDelete = mnuGridEdit->addAction(QStringLiteral("&Delete"), this, &frmMain::mnuDelete_Click);
    mnuClear = mnuGridEdit->addAction(QStringLiteral("&Clear"), this, &frmMain::mnuClear_Click);
    mnuInsert = mnuGridEdit->addAction(QStringLiteral("&Insert"), this, &frmMain::mnuInsert_Click);
    mnuCopy = mnuGridEdit->addAction(QStringLiteral("&Copy"), this, &frmMain::mnuCopy_Click);
    mnuPaste = mnuGridEdit->addAction(QStringLiteral("&Paste"), this, &frmMain::mnuPaste_Click);
    mnuFGridRows = new QMenu(QStringLiteral("Row Popup"), this);
    mnuFGridAddRow = mnuFGridRows->addAction(QStringLiteral("&Add a Row"), this, &frmMain::mnuFGridAddRow_Click);
    mnuFGridInsRow = mnuFGridRows->addAction(QStringLiteral("&Insert a Row"), this, &frmMain::mnuFGridInsRow_Click);
    mnuFGridDelRow = mnuFGridRows->addAction(QStringLiteral("&Delete a Row"), this, &frmMain::mnuFGridDelRow_Click);
    mnuFGridExtrRow = mnuFGridRows->addAction(QStringLiteral("E&xtract a Row"), this, &frmMain::mnuFGridExtrRow_Click);

    mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuHelp1 = mnuHelp->addAction(QStringLiteral("&Content"), this, &frmMain::mnuHelp1_Click);
    mnuHelp1->setShortcut(QKeySequence::HelpContents);
    mnuAbout = mnuHelp->addAction(QStringLiteral("&About Vantorel"), this, &frmMain::mnuAbout_Click);
}

void frmMain::buildToolbar()
{
    Toolbar1 = addToolBar(QStringLiteral("Toolbar"));
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setMovable(false);
    Toolbar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    Toolbar1->setIconSize(QSize(24, 24));
    struct Button { const char* key; const char* tip; const char* theme; };
    const Button buttons[] = {
        {"Open", "Open File", "document-open"},
        {"Save", "Save File", "document-save"},
        {"Clear", "Clear Diagram", "edit-clear"},
        {"Plot", "Plot current data set", "x-office-drawing"},
        {"Print", "Print", "document-print"},
    };
    for (const Button& b : buttons) {
        const QString key = QString::fromLatin1(b.key);
        QAction* a = Toolbar1->addAction(toolbarIcon(key, b.theme), key);
        a->setObjectName(QStringLiteral("Toolbar1_") + key);
        a->setData(key);
        a->setToolTip(QString::fromLatin1(b.tip));
        connect(a, &QAction::triggered, this, [this, key] { Toolbar1_ButtonClick(key); });
    }
}

QWidget* frmMain::buildTab0()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);

    Tab0msGridView = new DataTableView(Tab0msGrid);
    Tab0msGridView->setObjectName(QStringLiteral("Tab0msGrid"));
    Tab0msGridView->setToolTip(QStringLiteral("Double click on column to edit labels-Right click for more options"));
    Tab0msGridView->setMinimumWidth(twips(2600));
    Tab0txtGridEdit = new QLineEdit(Tab0msGridView);
    Tab0txtGridEdit->setObjectName(QStringLiteral("Tab0txtGridEdit"));
    Tab0txtGridEdit->hide();

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
    form->addRow(caption(QStringLiteral("S&tart"), Tab0txtStart), Tab0txtStart);
    form->addRow(caption(QStringLiteral("Ste&ps"), Tab0txtInterv), Tab0txtInterv);
    form->addRow(caption(QStringLiteral("Co&unt"), Tab0cmbClubs), Tab0cmbClubs);
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
    left->addWidget(Tab0msGridView, 1);
    left->addWidget(layoutBox);
    grid->addLayout(left, 0, 0, 2, 1);

    Tab0PictureView = new PictureAreaWidget(Tab0Picture);
    Tab0PictureView->setObjectName(QStringLiteral("Tab0Picture"));
    grid->addWidget(Tab0PictureView, 0, 1);

    auto* controls = new QHBoxLayout;
    Tab0txtLoad = new QLineEdit(QStringLiteral("Ready"));
    Tab0txtLoad->setObjectName(QStringLiteral("Tab0txtLoad"));
    Tab0txtLoad->setReadOnly(true);
    paintLiveLoadBox(Tab0txtLoad);
    Tab0txtLoad->setMinimumWidth(120);
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
    controls->addWidget(caption(QStringLiteral("Load:"), Tab0txtLoad));
    controls->addWidget(Tab0txtLoad);
    controls->addWidget(Tab0cmdAdd);
    controls->addSpacing(24);
    controls->addWidget(Tab0cmdPlot);
    controls->addWidget(Tab0cmdClear);
    controls->addWidget(Tab0chkNode);
    controls->addStretch(1);
    grid->addLayout(controls, 1, 1);

    Tab0txtNote = new QPlainTextEdit;
    Tab0txtNote->setObjectName(QStringLiteral("Tab0txtNote"));
    Tab0txtNote->setToolTip(QStringLiteral("Data collection comment area"));
    Tab0txtNote->setMaximumHeight(80);
    Tab0txtNote->setTabChangesFocus(true);
    grid->addWidget(caption(QStringLiteral("N&ote"), Tab0txtNote), 2, 0, 1, 2);
    grid->addWidget(Tab0txtNote, 3, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(0, 1);
    return page;
}

QWidget* frmMain::buildTab1()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);

    Tab1msGridView = new DataTableView(Tab1msGrid);
    Tab1msGridView->setObjectName(QStringLiteral("Tab1msGrid"));
    Tab1msGridView->setToolTip(QStringLiteral("Data Grid, Right click mouse for options"));
    Tab1msGridView->setMinimumWidth(twips(2600));
    Tab1txtGridEdit = new QLineEdit(Tab1msGridView);
    Tab1txtGridEdit->setObjectName(QStringLiteral("Tab1txtGridEdit"));
    Tab1txtGridEdit->hide();

    auto* rowsBox = new QGroupBox(QStringLiteral("Rows"));
    auto* rowsForm = new QFormLayout(rowsBox);
    Tab1cmbInterval = new QComboBox;
    Tab1cmbInterval->setObjectName(QStringLiteral("Tab1cmbInterval"));
    Tab1cmbInterval->setEditable(false);
    Tab1cmbInterval->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("5"), QStringLiteral("10"),
                               QStringLiteral("15"), QStringLiteral("30"), QStringLiteral("45"), QStringLiteral("60"),
                               QStringLiteral("90")});
    Tab1cmbInterval->setToolTip(QStringLiteral("Select angle interval"));
    Tab1cmdSet = new QPushButton(QStringLiteral("R&eset"));
    Tab1cmdSet->setObjectName(QStringLiteral("Tab1cmdSet"));
    Tab1cmdSet->setToolTip(QStringLiteral("Set data grid at selected angle interval"));
    rowsForm->addRow(caption(QStringLiteral("Angle &Interval "), Tab1cmbInterval), Tab1cmbInterval);
    rowsForm->addRow(Tab1cmdSet);
    auto* left = new QVBoxLayout;
    left->addWidget(Tab1msGridView, 1);
    left->addWidget(rowsBox);
    grid->addLayout(left, 0, 0);

    Tab1PictureView = new PictureAreaWidget(Tab1Picture);
    Tab1PictureView->setObjectName(QStringLiteral("Tab1Picture"));
    Tab1PictureView->setKeepSquare(true);
    grid->addWidget(Tab1PictureView, 0, 1);

    auto* right = new QVBoxLayout;
    auto* plotBox = new QGroupBox(QStringLiteral("Chart"));
    auto* plotForm = new QFormLayout(plotBox);
    Tab1cmbRange = new QComboBox;
    Tab1cmbRange->setObjectName(QStringLiteral("Tab1cmbRange"));
    Tab1cmbRange->setEditable(true);
    Tab1cmbRange->addItems({QStringLiteral("50"), QStringLiteral("100"), QStringLiteral("200"), QStringLiteral("500"),
                            QStringLiteral("1000")});
    Tab1cmbRange->setToolTip(QStringLiteral("Scale factor at which to plot Polar data"));
    plotForm->addRow(caption(QStringLiteral("Scale Ran&ge"), Tab1cmbRange), Tab1cmbRange);
    Tab1cmdPlot = new QPushButton(QStringLiteral("P&lot"));
    Tab1cmdPlot->setObjectName(QStringLiteral("Tab1cmdPlot"));
    Tab1cmdPlot->setToolTip(QStringLiteral("Plot Polar data for load Vs Angles"));
    Tab1cmdClear = new QPushButton(QStringLiteral("Reset Pl&ot"));
    Tab1cmdClear->setObjectName(QStringLiteral("Tab1cmdClear"));
    Tab1cmdClear->setToolTip(QStringLiteral("Clear data plot"));
    Tab1cmdSine = new QPushButton(QStringLiteral("Si&ne Plot"));
    Tab1cmdSine->setObjectName(QStringLiteral("Tab1cmdSine"));
    Tab1cmdSine->setToolTip(QStringLiteral("View Soine data as a sine Plot"));
    plotForm->addRow(Tab1cmdPlot);
    plotForm->addRow(Tab1cmdClear);
    plotForm->addRow(Tab1cmdSine);
    right->addWidget(plotBox);

    auto* loadBox = new QGroupBox(QStringLiteral("Reading"));
    auto* loadForm = new QFormLayout(loadBox);
    Tab1txtLoad = new QLineEdit(QStringLiteral("Ready"));
    Tab1txtLoad->setObjectName(QStringLiteral("Tab1txtLoad"));
    Tab1txtLoad->setReadOnly(true);
    paintLiveLoadBox(Tab1txtLoad);
    Command1 = new QPushButton(QStringLiteral("&Add"));
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setToolTip(QStringLiteral("Plot Polar data for load Vs Angles"));
    loadForm->addRow(caption(QStringLiteral("Load:"), Tab1txtLoad), Tab1txtLoad);
    loadForm->addRow(Command1);
    right->addWidget(loadBox);
    right->addStretch(1);
    grid->addLayout(right, 0, 2);

    Tab1txtNote = new QPlainTextEdit;
    Tab1txtNote->setObjectName(QStringLiteral("Tab1txtNote"));
    Tab1txtNote->setToolTip(QStringLiteral("Data collection comment area"));
    Tab1txtNote->setMaximumHeight(80);
    Tab1txtNote->setTabChangesFocus(true);
    grid->addWidget(caption(QStringLiteral("N&ote"), Tab1txtNote), 1, 0, 1, 3);
    grid->addWidget(Tab1txtNote, 2, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(0, 1);
    return page;
}

void frmMain::Form_Load()
{
    // Each step stands alone: one that cannot run is skipped and the next goes on.
    LayOutEmptyTable(*Tab0msGrid, QStringLiteral("X"), QStringLiteral("Y"));
    Tab0msGrid->setCellBackColor(kHighlightColor);
    LayOutEmptyTable(*Tab1msGrid, QStringLiteral("Degree"), QStringLiteral("Load"));
    ProfileModified = false;
    PolarModified = false;
    CurvesStored = false;
    ProfilePlotted = false;
    Tab1cmbInterval->setCurrentIndex(5);
    Tab1cmbRange->setCurrentIndex(1);
    drawPolarBackgroundAtStartup();
    setUpFileDialogFolder();
    setUpSerialPort();
    SSTab1->setCurrentIndex(0);
    SSTab1_Click();
    blFormLoaded = true;
}

int frmMain::activeTab() const
{
    return SSTab1 ? SSTab1->currentIndex() : -1;
}

MsgResult frmMain::MsgBox(const QString& text, MsgButtons buttons, const QString& title)
{
    return platform_.messageBox->show(this, text, buttons, title);
}

MsgResult frmMain::MsgBox(const QString& text)
{
    return MsgBox(text, MsgButtons::Ok, kAppTitle);
}

void frmMain::updateTitleForTab(int tab)
{
    const QString* name = tab == 0 ? &ProfileFileName : tab == 1 ? &PolarFileName : nullptr;
    if (!name)
        return;
    setWindowTitle(name->isEmpty() ? kAppTitle : kAppTitle + QStringLiteral(" - ") + *name);
}

void frmMain::setTitleWithFile(const QString& name)
{
    setWindowTitle(kAppTitle + QStringLiteral("-") + name);
}

void frmMain::SSTab1_Click()
{
    updateTitleForTab(activeTab());
}

void frmMain::Toolbar1_ButtonClick(const QString& key)
{
    const int tab = activeTab();
    if (key == QLatin1String("Open")) {
        mnuOpen_Click();
    } else if (key == QLatin1String("Save")) {
        mnuSave_Click();
    } else if (key == QLatin1String("Clear")) {
        if (tab == 0)
            Tab0cmdClear_Click();
        else if (tab == 1)
            Tab1cmdClear_Click();
    } else if (key == QLatin1String("Plot")) {
        if (tab == 0)
            Tab0cmdPlot_Click();
        else if (tab == 1)
            Tab1cmdPlot_Click();
    } else if (key == QLatin1String("Print")) {
        mnuPrint_Click();
    }
}

void frmMain::mnuNew_Click()
{
    switch (activeTab()) {
    case 0:
        XYCurves.clear();
        Tab0cmdClear_Click();
        Tab0cmdGridClear_Click();
        Tab0txtNote->clear();
        break;
    case 1:
        resetPolarChartForNew();
        ResetPolarTableForNew(*Tab1msGrid);
        Tab1txtNote->clear();
        break;
    default:
        break;
    }
}

void frmMain::mnuHelp1_Click()
{
    SSTab1->setFocus();
    const QString path = QDir(applicationFolder).filePath(QStringLiteral("M418026.html"));
    platform_.helpViewer->showHelp(this, path);
}

void frmMain::mnuAbout_Click()
{
    if (showAboutBox)
        showAboutBox(this);
}

void frmMain::mnuEnd_Click()
{
    close();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    bool cancelled = false;
    if (ProfileModified || PolarModified) {
        const MsgResult answer = MsgBox(QStringLiteral("Do you want to save the data?"), MsgButtons::YesNo, kAppTitle);
        if (answer == MsgResult::Yes) {
            cancelled = true;
            event->ignore();
            if (ProfileModified) {
                SSTab1->setCurrentIndex(0);
                SaveDataFile();
            }
            if (PolarModified) {
                SSTab1->setCurrentIndex(1);
                SaveDataFile();
            }
        } else {
            // No: end at once, saving nothing.
            event->accept();
            closeSerialPortOnShutdown();
            return;
        }
    }
    closeSerialPortOnShutdown();
    if (!cancelled)
        event->accept();
}

} // namespace tarvex
