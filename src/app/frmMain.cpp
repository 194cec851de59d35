#include "frmMain.h"

#include "PolarWorkspace.h"
#include "ProfileWorkspace.h"
#include "Product.h"
#include "device/PortComboBox.h"
#include "device/ReadingReceiver.h"
#include "device/SerialLink.h"
#include "platform/Caption.h"
#include "platform/SerialPort.h"
#include "files/Export.h"
#include "files/OpenSave.h"
#include "charts/xy/ProfileCurveStore.h"
#include "library/LibraryTables.h"
#include "library/ShaftLibrary.h"
#include "library/BuildSetDialog.h"
#include "library/LibraryWindow.h"
#include "library/MatchedSetWindow.h"
#include "library/StoreLibraryDialog.h"
#include "platform/Clipboard.h"
#include "platform/FailurePolicy.h"
#include "platform/FileDialog.h"
#include "platform/HelpViewer.h"
#include "platform/MessageBox.h"
#include "platform/PictureArea.h"
#include "platform/Twips.h"
#include "report/ReportPdf.h"
#include "report/frmPrintView.h"
#include "tables/DataTable.h"
#include "tables/EditCommands.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QUndoStack>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace tarvex {

namespace {

// The remembered fields, by their controls' names.
const char* const kRememberedFields[] = {"cmbCommPort", "Tab0txtStart", "Tab0txtInterv", "Tab0cmbClubs", "Tab1cmbInterval", "Tab1cmbRange"};

QStringList RememberedFields()
{
    QStringList names;
    for (const char* name : kRememberedFields)
        names << QLatin1String(name);
    return names;
}

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
    } else if (key == QLatin1String("Store")) {
        // A drawer of the card cabinet, the shaft going in.
        p.setBrush(QColor(190, 150, 100));
        p.drawRect(4, 12, 24, 16);
        p.setBrush(Qt::white);
        p.drawRect(12, 17, 8, 4);
        p.setPen(QPen(QColor(40, 60, 110), 3));
        p.drawLine(16, 2, 16, 12);
    }
    return QIcon(pm);
}

QIcon toolbarIcon(const QString& key, const char* themeName)
{
    const QIcon themed = QIcon::fromTheme(QString::fromLatin1(themeName));
    return themed.isNull() ? drawnIcon(key) : themed;
}


} // namespace

frmMain::frmMain(const Platform& platform, QWidget* parent)
    : QMainWindow(parent), platform_(platform)
{
    applicationFolder_ = QCoreApplication::applicationDirPath();
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(kAppTitle);
    setWindowIcon(QIcon(QStringLiteral(":/icons/tarvex.png")));

    Picture1 = new PictureArea(QSize(twips(7485), twips(4380)), QColor(255, 255, 255), this);
    Picture1->setObjectName(QStringLiteral("Picture1"));

    buildMenus();
    buildToolbar();

    auto* central = new QWidget(this);
    auto* outer = new QVBoxLayout(central);
    auto* portRow = new QHBoxLayout;
    cmbCommPort = new PortComboBox;
    cmbCommPort->setObjectName(QStringLiteral("cmbCommPort"));
    cmbCommPort->setEditable(false);
    cmbCommPort->setMinimumContentsLength(12);
    cmdOpen = new QPushButton(CaptionComOpen());
    cmdOpen->setObjectName(QStringLiteral("cmdOpen"));
    portRow->addWidget(Caption(tr("Serial &port:"), cmbCommPort));
    portRow->addWidget(cmbCommPort);
    portRow->addWidget(cmdOpen);
    portRow->addStretch(1);
    outer->addLayout(portRow);

    SSTab1 = new QTabWidget;
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    // The settings are read before the tables are laid out: a new table's
    // load column is headed with the unit.
    if (!platform_.settingsFile.isEmpty())
        settings_ = std::make_unique<QSettings>(platform_.settingsFile, QSettings::IniFormat);
    if (settings_)
        app_ = AppSettings::load(*settings_, RememberedFields());
    receiver_ = new ReadingReceiver(this);
    receiver_->setSettings(app_.capture);
    librarySession_ = std::make_unique<LibrarySession>(app_.library.address);
    profile_ = new ProfileWorkspace(platform_, *receiver_, TableWorkspace::Settings::of(app_));
    SSTab1->addTab(profile_, tr("X/Y Plot"));
    polarPage_ = new QWidget;
    polarPage_->setObjectName(QStringLiteral("polarPage"));
    auto* polarLayout = new QVBoxLayout(polarPage_);
    polarLayout->setContentsMargins(0, 0, 0, 0);
    SSTab1->addTab(polarPage_, tr("Polar Plot"));
    outer->addWidget(SSTab1, 1);

    Label2 = new QLabel(tr("Vantorel Tarvex RS-232 Version %1  %2").arg(kVersionText, kMakerAddress));
    Label2->setObjectName(QStringLiteral("Label2"));
    outer->addWidget(Label2);
    setCentralWidget(central);
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));

    connect(SSTab1, &QTabWidget::currentChanged, this, &frmMain::SSTab1_Click);
    connect(cmdOpen, &QPushButton::clicked, this, &frmMain::cmdOpen_Click);
    wireWorkspace(*profile_);

    // The size and place of the last run; a first run's window fits a small
    // screen, where a larger one would hide its lower controls.
    // The frame is not known before the window is shown: room is left for a
    // title bar, so the status bar, where Add and Auto report, stays on screen.
    const QSize room = screen()->availableGeometry().size() - QSize(16, 48);
    if (!settings_ || !restoreGeometry(app_.window.geometry))
        resize(QSize(1100, 720).boundedTo(room));
    else if (!isMaximized() && (width() > room.width() || height() > room.height()))   // kept from a larger screen
        resize(size().boundedTo(room));
    showRecentFiles();
    Form_Load();
}

frmMain::~frmMain() = default;

void frmMain::wireWorkspace(TableWorkspace& ws)
{
    connect(&ws, &TableWorkspace::titleChanged, this, &QWidget::setWindowTitle);
    connect(&ws, &TableWorkspace::editMenuRequested, this, [this](const QPoint& at) { mnuGridEdit->exec(at); });
    connect(&ws, &TableWorkspace::fileUsed, this, &frmMain::rememberFile);
    connect(&ws, &TableWorkspace::statusMessage, this, [this](const QString& text) { statusBar()->showMessage(text, 5000); });
    connect(&ws.undoStack(), &QUndoStack::indexChanged, this, &frmMain::showUndoState);
    connect(&ws.undoStack(), &QUndoStack::cleanChanged, this, &frmMain::showUndoState);
}

// Most days start on the profile tab, and the polar page (its grid, its
// charts, the empty polar chart drawn at the remembered range) is about a
// tenth of the window's start: it waits until it is wanted.
PolarWorkspace& frmMain::polar()
{
    if (polar_)
        return *polar_;
    polar_ = new PolarWorkspace(platform_, *receiver_, TableWorkspace::Settings::of(app_));
    polarPage_->layout()->addWidget(polar_);
    wireWorkspace(*polar_);
    polar_->Form_Load();
    polar_->showPortState(platform_.serialPort->isOpen());
    recallFields("Tab1cmbInterval");
    recallFields("Tab1cmbRange");
    // The empty polar chart drawn again at the range put back.
    polar_->clearChart();
    return *polar_;
}

void frmMain::buildMenus()
{
    mnuFile = menuBar()->addMenu(tr("&File"));
    mnuNew = mnuFile->addAction(tr("&New"), this, &frmMain::mnuNew_Click);
    mnuOpen = mnuFile->addAction(tr("&Open"), this, &frmMain::mnuOpen_Click);
    mnuSave = mnuFile->addAction(tr("&Save"), this, &frmMain::mnuSave_Click);
    mnuPrint = mnuFile->addAction(tr("&Print"), this, &frmMain::mnuPrint_Click);
    mnuExportPdf = mnuFile->addAction(tr("&Export PDF..."), this, &frmMain::mnuExportPdf_Click);
    mnuFile->addSeparator();
    mnuStoreLibrary = mnuFile->addAction(tr("Store in &library..."), this, &frmMain::mnuStoreLibrary_Click);
    mnuLibrary = mnuFile->addAction(tr("Li&brary..."), this, &frmMain::mnuLibrary_Click);
    mnuFile->addSeparator();
    for (int i = 0; i < kRecentFiles; ++i) {
        QAction* recent = mnuFile->addAction(QString());
        recent->setObjectName(QStringLiteral("mnuRecent%1").arg(i + 1));
        connect(recent, &QAction::triggered, this, [this, recent] { openRecentFile(recent->data().toString()); });
        mnuRecent << recent;
    }
    recentEnd_ = mnuFile->addSeparator();
    mnuFile->setToolTipsVisible(true);
    mnuEnd = mnuFile->addAction(tr("E&xit"), this, &frmMain::mnuEnd_Click);
    mnuNew->setShortcut(QKeySequence::New);
    mnuOpen->setShortcut(QKeySequence::Open);
    mnuSave->setShortcut(QKeySequence::Save);
    mnuPrint->setShortcut(QKeySequence::Print);
    mnuEnd->setShortcut(QKeySequence::Quit);

    // Edit is not in the menu bar: it is the tables' pop-up menu (the
    // profile's row menu belongs to its workspace). Every letter of "Option"
    // is already the access key of a control on one of the tabs.
    mnuOption = menuBar()->addMenu(tr("Option"));
    mnuEnv = mnuOption->addAction(tr("&Settings..."), this, &frmMain::mnuEnv_Click);
    mnuGridEdit = new QMenu(tr("&Edit"), this);
    // Undo and Redo act on the active tab's table. Their keys work wherever
    // the window has the focus: the actions belong to the window as well.
    mnuUndo = mnuGridEdit->addAction(tr("&Undo"), this, &frmMain::mnuUndo_Click);
    mnuUndo->setShortcut(QKeySequence::Undo);
    mnuRedo = mnuGridEdit->addAction(tr("&Redo"), this, &frmMain::mnuRedo_Click);
    mnuRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    addAction(mnuUndo);
    addAction(mnuRedo);
    mnuGridEdit->addSeparator();
    mnuDelete = mnuGridEdit->addAction(tr("&Delete"), this, &frmMain::mnuDelete_Click);
    mnuClear = mnuGridEdit->addAction(tr("Cl&ear"), this, &frmMain::mnuClear_Click);
    mnuInsert = mnuGridEdit->addAction(tr("&Insert"), this, &frmMain::mnuInsert_Click);
    mnuCopy = mnuGridEdit->addAction(tr("&Copy"), this, &frmMain::mnuCopy_Click);
    mnuPaste = mnuGridEdit->addAction(tr("&Paste"), this, &frmMain::mnuPaste_Click);

    mnuHelp = menuBar()->addMenu(tr("&Help"));
    mnuHelp1 = mnuHelp->addAction(tr("&Content"), this, &frmMain::mnuHelp1_Click);
    mnuHelp1->setShortcut(QKeySequence::HelpContents);
    mnuAbout = mnuHelp->addAction(tr("&About Vantorel"), this, &frmMain::mnuAbout_Click);

    // Each menu and command answers to its own name, for tests and accessibility tools.
    const std::pair<QObject*, const char*> names[] = {
        {mnuFile, "mnuFile"}, {mnuNew, "mnuNew"}, {mnuOpen, "mnuOpen"}, {mnuSave, "mnuSave"},
        {mnuPrint, "mnuPrint"}, {mnuExportPdf, "mnuExportPdf"},
        {mnuStoreLibrary, "mnuStoreLibrary"}, {mnuLibrary, "mnuLibrary"}, {mnuEnd, "mnuEnd"}, {mnuOption, "mnuOption"}, {mnuEnv, "mnuEnv"},
        {mnuGridEdit, "mnuGridEdit"}, {mnuUndo, "mnuUndo"}, {mnuRedo, "mnuRedo"}, {mnuDelete, "mnuDelete"}, {mnuClear, "mnuClear"},
        {mnuInsert, "mnuInsert"}, {mnuCopy, "mnuCopy"}, {mnuPaste, "mnuPaste"},
        {mnuHelp, "mnuHelp"}, {mnuHelp1, "mnuHelp1"}, {mnuAbout, "mnuAbout"},
    };
    for (const auto& [object, name] : names)
        object->setObjectName(QLatin1String(name));
}

void frmMain::buildToolbar()
{
    Toolbar1 = addToolBar(tr("Toolbar"));
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setMovable(false);
    Toolbar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    Toolbar1->setIconSize(QSize(24, 24));
    // The key names the button (its object name and its command); the text
    // under the icon is the key in the user's language.
    struct Button { const char* key; const char* text; const char* tip; const char* theme; };
    const Button buttons[] = {
        {"Open", QT_TR_NOOP("Open"), QT_TR_NOOP("Open File"), "document-open"},
        {"Save", QT_TR_NOOP("Save"), QT_TR_NOOP("Save File"), "document-save"},
        {"Clear", QT_TR_NOOP("Clear"), QT_TR_NOOP("Clear Diagram"), "edit-clear"},
        {"Plot", QT_TR_NOOP("Plot"), QT_TR_NOOP("Plot current data set"), "x-office-drawing"},
        {"Print", QT_TR_NOOP("Print"), QT_TR_NOOP("Print"), "document-print"},
        {"Store", QT_TR_NOOP("Store"), QT_TR_NOOP("Store in library"), "x-office-address-book"},
    };
    for (const Button& b : buttons) {
        const QString key = QString::fromLatin1(b.key);
        QAction* a = Toolbar1->addAction(toolbarIcon(key, b.theme), tr(b.text));
        a->setObjectName(QStringLiteral("Toolbar1_") + key);
        a->setData(key);
        a->setToolTip(tr(b.tip));
        connect(a, &QAction::triggered, this, [this, key] { Toolbar1_ButtonClick(key); });
    }
}

void frmMain::Form_Load()
{
    // Each step stands alone: one that cannot run is skipped and the next goes on.
    profile_->Form_Load();
    setApplicationFolder(applicationFolder_);
    setUpSerialPort();
    recallFields();
    SSTab1->setCurrentIndex(0);
    SSTab1_Click();
    blFormLoaded = true;
}

void frmMain::setApplicationFolder(const QString& folder)
{
    applicationFolder_ = folder;
    platform_.fileDialog->InitDir = FirstDialogFolder(folder);
}

// The polar page is built as its tab is chosen (SSTab1_Click), so a polar
// tab that is current always has its workspace.
TableWorkspace* frmMain::active() const
{
    if (SSTab1->currentWidget() == polarPage_)
        return polar_;
    return qobject_cast<TableWorkspace*>(SSTab1->currentWidget());
}

Workspace frmMain::activeWorkspace() const
{
    return active() == polar_ ? Workspace::Polar : Workspace::Profile;
}

MsgResult frmMain::MsgBox(const QString& text, MsgButtons buttons, const QString& title)
{
    return platform_.messageBox->show(this, text, buttons, title);
}

MsgResult frmMain::MsgBox(const QString& text)
{
    return MsgBox(text, MsgButtons::Ok, kAppTitle);
}

void frmMain::updateTitle()
{
    if (const TableWorkspace* ws = active())
        setWindowTitle(ws->fileName().isEmpty() ? kAppTitle : kAppTitle + QStringLiteral(" - ") + ws->fileName());
}

void frmMain::SSTab1_Click()
{
    if (SSTab1->currentWidget() == polarPage_ && !polar_) {
        polar();
        // The tab switched to by the keyboard gave the focus to its empty
        // page; it goes on to the page's first control, as on the other tab.
        if (polarPage_->hasFocus())
            for (QWidget* w = polar_->nextInFocusChain(); w != polar_; w = w->nextInFocusChain())
                if (polar_->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(polar_)) {
                    w->setFocus(Qt::TabFocusReason);
                    break;
                }
    }
    updateTitle();
    showUndoState();
}

void frmMain::Toolbar1_ButtonClick(const QString& key)
{
    TableWorkspace* ws = active();
    if (key == QLatin1String("Open")) {
        mnuOpen_Click();
    } else if (key == QLatin1String("Save")) {
        mnuSave_Click();
    } else if (key == QLatin1String("Clear")) {
        if (ws)
            ws->clearChart();
    } else if (key == QLatin1String("Plot")) {
        if (ws)
            ws->plotChart();
    } else if (key == QLatin1String("Print")) {
        mnuPrint_Click();
    } else if (key == QLatin1String("Store")) {
        mnuStoreLibrary_Click();
    }
}

ShaftLibrary* frmMain::library()
{
    return librarySession_->library([this](const QString& text) { MsgBox(text); });
}

void frmMain::mnuStoreLibrary_Click()
{
    TableWorkspace* ws = active();
    ShaftLibrary* lib = ws ? library() : nullptr;
    if (!lib)
        return;
    if (lib->readOnly()) {
        MsgBox(lib->openMessage());
        return;
    }
    Measurement m = ws->measurement();
    if (m.rows.empty()) {
        MsgBox(tr("The table holds no readings to store."));
        return;
    }
    const auto shafts = lib->shafts();
    if (!shafts) {
        MsgBox(shafts.message());
        return;
    }
    StoreLibraryDialog form(*shafts, this);
    // A failed store keeps the form open with what was typed, and leaves the
    // table as it is, to be stored again or saved.
    form.setStore([lib, &m](Shaft& shaft) { return lib->store(shaft, m); });
    if (form.exec() != QDialog::Accepted)
        return;
    const Shaft shaft = form.shaft();
    statusBar()->showMessage(tr("Stored in the library: %1").arg(ShaftTitle(shaft)), 5000);
    if (libraryWindow_)
        libraryWindow_->refresh();
}

void frmMain::mnuLibrary_Click()
{
    if (!libraryWindow_) {
        ShaftLibrary* lib = library();
        if (!lib)
            return;
        libraryWindow_ = new LibraryWindow(*lib, *platform_.messageBox, this);
        libraryWindow_->setAttribute(Qt::WA_DeleteOnClose);
        libraryWindow_->setBench(app_.geometry, app_.capture.unit);
        connect(libraryWindow_, &LibraryWindow::openRequested, this, &frmMain::openFromLibrary);
        connect(libraryWindow_, &LibraryWindow::overlayRequested, this, &frmMain::overlayFromLibrary);
        connect(libraryWindow_, &LibraryWindow::buildSetRequested, this, [this](const QList<qint64>& ids) {
            ShaftLibrary* lib = library();
            BuildSetDialog* set = lib ? OpenBuildSet(*lib, ids, app_.geometry, app_.capture.unit, app_.shop, *platform_.messageBox, libraryWindow_) : nullptr;
            if (!set)
                return;
            connect(set, &BuildSetDialog::printRequested, set, [this, set] {
                if (!platform_.printer) {
                    platform_.messageBox->show(set, tr("There is no printer; Export PDF... makes the same pages."));
                    return;
                }
                StopWithMessage(PrintCertificate(*platform_.printer, set->certificate()),
                                [this, set](const QString& text) { platform_.messageBox->show(set, text); });
            });
            connect(set, &BuildSetDialog::exportPdfRequested, set, [this, set] {
                const SetCertificate cert = set->certificate();
                StopWithMessage(ExportToFile(*platform_.fileDialog, set, tr("PDF Document(*.pdf)|*.pdf"),
                                             [&cert](const QString&, const QString&) { return CertificateAsPdf(cert); }),
                                [this, set](const QString& text) { platform_.messageBox->show(set, text); });
            });
        });
        connect(libraryWindow_, &LibraryWindow::matchedSetOpened, this, [this](MatchedSetWindow* set) {
            connect(set, &MatchedSetWindow::printRequested, set, [this, set] {
                frmPrintView form(platform(), set->page(), set);
                form.exec();
            });
            connect(set, &MatchedSetWindow::exportPdfRequested, set, [this, set] {
                const ReportPage page = set->page();
                StopWithMessage(ExportToFile(*platform_.fileDialog, set, tr("PDF Document(*.pdf)|*.pdf"),
                                             [&page](const QString&, const QString&) { return ReportAsPdf(page); }),
                                [this, set](const QString& text) { platform_.messageBox->show(set, text); });
            });
        });
    }
    libraryWindow_->show();
    libraryWindow_->raise();
    libraryWindow_->activateWindow();
}

void frmMain::openFromLibrary(qint64 measurementId)
{
    ShaftLibrary* lib = library();
    if (!lib)
        return;
    const auto loaded = lib->loadMeasurement(measurementId, false);
    if (!loaded) {
        MsgBox(loaded.message());
        return;
    }
    const Measurement& m = *loaded;
    TableWorkspace* ws = m.kind == MeasurementKind::Polar ? static_cast<TableWorkspace*>(&polar()) : profile_;
    SSTab1->setCurrentIndex(ws == profile_ ? 0 : 1);
    // The report names the shaft; one that does not read leaves that to the report form.
    const Shaft shaft = lib->loadShaft(m.shaftId).value_or(Shaft{});
    if (ws->openMeasurement(m, shaft))
        updateTitle();
}

void frmMain::overlayFromLibrary(const QList<qint64>& measurementIds)
{
    ShaftLibrary* lib = library();
    if (!lib)
        return;
    const LibrarySession::Overlays overlays = librarySession_->overlays(*lib, measurementIds);
    if (!overlays.curves.empty()) {
        SSTab1->setCurrentWidget(profile_);
        profile_->overlayCurves(overlays.curves);
    }
    if (!overlays.skipped.isEmpty())
        MsgBox(tr("Not overlaid:\n") + overlays.skipped.join(QLatin1Char('\n')));
}

void frmMain::mnuNew_Click()
{
    if (TableWorkspace* ws = active())
        ws->newData();
}

void frmMain::mnuOpen_Click()
{
    if (TableWorkspace* ws = active())
        ws->OpenDataFile();
}

void frmMain::mnuSave_Click()
{
    if (TableWorkspace* ws = active())
        ws->SaveDataFile();
}

// The active chart is drawn once more, in print colours, on the hidden
// Picture1, and the report form opens with it.
void frmMain::mnuPrint_Click()
{
    TableWorkspace* ws = active();
    if (!ws)
        return;
    frmPrintView form(platform(), ws->reportPage(*Picture1), this);
    form.exec();
}

// The report as Print would send it, into a PDF file: no printer needed. The
// report names the shaft as the file is named.
void frmMain::mnuExportPdf_Click()
{
    TableWorkspace* ws = active();
    if (!ws)
        return;
    const ReportPage page = ws->reportPage(*Picture1);
    const auto written = ExportToFile(*platform_.fileDialog, this, tr("PDF Document(*.pdf)|*.pdf"),
                                      [&page](const QString& path, const QString&) {
                                          ReportPage named = page;
                                          named.shaftName = QFileInfo(path).completeBaseName();
                                          return ReportAsPdf(named);
                                      });
    StopWithMessage(written, [this](const QString& text) { MsgBox(text); });
}

void frmMain::rememberFile(const QString& path)
{
    app_.window.recentFiles = WithRecentFile(app_.window.recentFiles, QFileInfo(path).absoluteFilePath());
    if (settings_)
        app_.window.saveRecentFiles(*settings_);
    showRecentFiles();
}

void frmMain::showRecentFiles()
{
    for (int i = 0; i < mnuRecent.size(); ++i) {
        QAction* recent = mnuRecent[i];
        const QString path = app_.window.recentFiles.value(i);
        QString name = QFileInfo(path).fileName();
        recent->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(name.replace(QLatin1Char('&'), QLatin1String("&&"))));
        recent->setToolTip(QDir::toNativeSeparators(path));
        recent->setData(path);
        recent->setVisible(!path.isEmpty());
    }
    recentEnd_->setVisible(!app_.window.recentFiles.isEmpty());
}

void frmMain::openRecentFile(const QString& path)
{
    SSTab1->setCurrentIndex(FileTypeOf(path) == FileSettingsFor(Workspace::Polar).dataExtension ? 1 : 0);
    if (TableWorkspace* ws = active())
        ws->openFile(path);
}

void frmMain::mnuHelp1_Click()
{
    SSTab1->setFocus();
    const QString path = QDir(applicationFolder_).filePath(QStringLiteral("M418026.html"));
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

void frmMain::mnuUndo_Click()
{
    if (TableWorkspace* ws = active())
        ws->undo();
}

void frmMain::mnuRedo_Click()
{
    if (TableWorkspace* ws = active())
        ws->redo();
}

// The entries are off when there is nothing to take back or make again;
// their tips name the step.
void frmMain::showUndoState()
{
    TableWorkspace* ws = active();
    if (!ws || !mnuUndo)
        return;
    const QUndoStack& stack = ws->undoStack();
    mnuUndo->setEnabled(stack.canUndo());
    mnuUndo->setToolTip(stack.undoText());
    mnuRedo->setEnabled(stack.canRedo());
    mnuRedo->setToolTip(stack.redoText());
}

void frmMain::mnuDelete_Click()
{
    if (TableWorkspace* ws = active())
        ws->runTableCommand(tr("Delete"), DeleteBlockRows);
}

void frmMain::mnuClear_Click()
{
    if (TableWorkspace* ws = active())
        ws->runTableCommand(tr("Clear"), ClearBlock);
}

void frmMain::mnuInsert_Click()
{
    if (TableWorkspace* ws = active())
        ws->runTableCommand(tr("Insert"), InsertRowAtCurrent);
}

void frmMain::mnuCopy_Click()
{
    TableWorkspace* ws = active();
    if (!ws)
        return;
    platform_.clipboard->clear();
    platform_.clipboard->setText(ws->copyBlock());
}

void frmMain::mnuPaste_Click()
{
    const QString text = platform_.clipboard->text();
    if (TableWorkspace* ws = active())
        ws->runTableCommand(tr("Paste"), [&text](DataTable& t) { PasteIntoBlock(t, text); });
}

void frmMain::rememberGeometry()
{
    if (settings_) {
        app_.window.geometry = saveGeometry();
        rememberFields();
        // The size, place and fields are a convenience: a settings file that
        // cannot be written loses nothing the user made, so it passes unsaid.
        app_.window.save(*settings_);
        settings_->sync();
    }
}


void frmMain::rememberFields()
{
    if (!settings_)
        return;
    for (const char* name : kRememberedFields) {
        if (auto* box = findChild<QLineEdit*>(QLatin1String(name)))
            app_.window.fields.insert(QLatin1String(name), box->text());
        else if (auto* list = findChild<QComboBox*>(QLatin1String(name)))
            app_.window.fields.insert(QLatin1String(name), list->currentText());
    }
}

// A value kept is put back only where the control still offers it: a port
// no longer there, or a range that is no number, leaves the start's own.
void frmMain::recallFields(const char* only)
{
    if (!settings_)
        return;
    for (const char* name : kRememberedFields) {
        if (only && qstrcmp(only, name) != 0)
            continue;
        const QString text = app_.window.fields.value(QLatin1String(name));
        if (text.isEmpty())
            continue;
        if (auto* box = findChild<QLineEdit*>(QLatin1String(name))) {
            box->setText(text);
        } else if (auto* list = findChild<QComboBox*>(QLatin1String(name))) {
            if (const int at = list->findText(text); at >= 0)
                list->setCurrentIndex(at);
            else if (list->isEditable() && (list != findChild<QComboBox*>(QStringLiteral("Tab1cmbRange")) || QLocale::system().toDouble(text) > 0))
                list->setEditText(text);
        }
    }
}

void frmMain::closeEvent(QCloseEvent* event)
{
    bool cancelled = false;
    const bool polarModified = polar_ && polar_->isModified();
    if (profile_->isModified() || polarModified) {
        const MsgResult answer = MsgBox(tr("Do you want to save the data?"), MsgButtons::YesNo, kAppTitle);
        if (answer == MsgResult::Yes) {
            // Each save stands alone: one that fails has said why, and the
            // other is still offered. The window stays open either way.
            cancelled = true;
            event->ignore();
            if (profile_->isModified()) {
                SSTab1->setCurrentIndex(0);
                profile_->SaveDataFile();
            }
            if (polarModified) {
                SSTab1->setCurrentIndex(1);
                polar_->SaveDataFile();
            }
        } else if (answer == MsgResult::Cancel) {
            // Esc or the close box: the question was not answered, so the
            // day's readings stay where they are.
            event->ignore();
            return;
        } else {
            // No: end at once, saving nothing.
            event->accept();
            endRecovery();
            rememberGeometry();
            closeSerialPortOnShutdown();
            return;
        }
    }
    closeSerialPortOnShutdown();
    if (!cancelled) {
        event->accept();
        endRecovery();
        rememberGeometry();
    }
}

} // namespace tarvex
