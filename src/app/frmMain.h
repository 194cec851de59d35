#pragma once
// The main window: two workspaces (tab 0 the profile table and X/Y chart, tab 1
// the polar table and polar chart), the serial port controls, menus, toolbar
// and status bar. It owns the state the subsystems share; the handlers are thin
// and call routines of their subsystem. The handlers of each subsystem are
// defined in their own file, frmMain_<subsystem>.cpp, beside this one.

#include "charts/xy/XYCurve.h"
#include "device/RxFraming.h"
#include "platform/Platform.h"
#include "tables/DataTable.h"

#include <QMainWindow>
#include <functional>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QToolBar;

namespace tarvex {

class DataTableView;
class PictureArea;
class PictureAreaWidget;
enum class MsgResult;
enum class MsgButtons;

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(const Platform& platform, QWidget* parent = nullptr);
    ~frmMain() override;

    // ---- state owned by the main window ------------------------------------
    bool ProfileModified = false;
    bool PolarModified = false;
    QString ProfileFileName;
    QString PolarFileName;
    XYCurveList XYCurves;
    bool CurvesStored = false;
    bool ProfilePlotted = false;
    RxState RxBuffer;
    bool blFormLoaded = false;

    // ---- controls outside the tabs -----------------------------------------
    QTabWidget* SSTab1 = nullptr;
    QComboBox* cmbCommPort = nullptr;
    QPushButton* cmdOpen = nullptr;
    QToolBar* Toolbar1 = nullptr;
    QLabel* Label2 = nullptr;
    PictureArea* Picture1 = nullptr;            // hidden print copy of a chart

    // ---- tab 0: profile ----------------------------------------------------
    DataTable* Tab0msGrid = nullptr;
    DataTableView* Tab0msGridView = nullptr;
    QLineEdit* Tab0txtGridEdit = nullptr;
    QLineEdit* Tab0txtStart = nullptr;
    QLineEdit* Tab0txtInterv = nullptr;
    QComboBox* Tab0cmbClubs = nullptr;
    QPushButton* Tab0cmdSet = nullptr;
    QPushButton* Tab0cmdGridClear = nullptr;
    QPlainTextEdit* Tab0txtNote = nullptr;
    QLineEdit* Tab0txtLoad = nullptr;
    QPushButton* Tab0cmdAdd = nullptr;
    PictureArea* Tab0Picture = nullptr;
    PictureAreaWidget* Tab0PictureView = nullptr;
    QPushButton* Tab0cmdPlot = nullptr;
    QPushButton* Tab0cmdClear = nullptr;
    QCheckBox* Tab0chkNode = nullptr;

    // ---- tab 1: polar ------------------------------------------------------
    DataTable* Tab1msGrid = nullptr;
    DataTableView* Tab1msGridView = nullptr;
    QLineEdit* Tab1txtGridEdit = nullptr;
    QComboBox* Tab1cmbInterval = nullptr;
    QPushButton* Tab1cmdSet = nullptr;
    QPlainTextEdit* Tab1txtNote = nullptr;
    QLineEdit* Tab1txtLoad = nullptr;
    QPushButton* Command1 = nullptr;            // "Add" on tab 1
    PictureArea* Tab1Picture = nullptr;
    PictureAreaWidget* Tab1PictureView = nullptr;
    QComboBox* Tab1cmbRange = nullptr;
    QPushButton* Tab1cmdPlot = nullptr;
    QPushButton* Tab1cmdClear = nullptr;
    QPushButton* Tab1cmdSine = nullptr;

    // ---- menus -------------------------------------------------------------
    QMenu* mnuFile = nullptr;
    QAction* mnuNew = nullptr;
    QAction* mnuOpen = nullptr;
    QAction* mnuSave = nullptr;
    QAction* mnuPrint = nullptr;
    QAction* mnuEnd = nullptr;
    QMenu* mnuOption = nullptr;                 // hidden
    QAction* mnuEnv = nullptr;
    QMenu* mnuGridEdit = nullptr;               // pop-up of both tables
    QAction* mnuDelete = nullptr;
    QAction* mnuClear = nullptr;
    QAction* mnuInsert = nullptr;
    QAction* mnuCopy = nullptr;
    QAction* mnuPaste = nullptr;
    QMenu* mnuFGridRows = nullptr;              // pop-up of the profile table
    QAction* mnuFGridAddRow = nullptr;
    QAction* mnuFGridInsRow = nullptr;
    QAction* mnuFGridDelRow = nullptr;
    QAction* mnuFGridExtrRow = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuHelp1 = nullptr;
    QAction* mnuAbout = nullptr;

    const Platform& platform() const { return platform_; }
    int activeTab() const;
    // Message box through the platform facility, titled with the application title.
    MsgResult MsgBox(const QString& text, MsgButtons buttons, const QString& title);
    MsgResult MsgBox(const QString& text);

    // Title rule: the application title, then " - " and the active tab's file name.
    void updateTitleForTab(int tab);
    // Opening and saving use "-" without blanks.
    void setTitleWithFile(const QString& name);

    // Seam for the About box: the splash screen shown modally.
    std::function<void(frmMain*)> showAboutBox;
    // Folder that holds the application; tests point it elsewhere.
    QString applicationFolder;

public slots:
    // application shell (frmMain.cpp)
    void SSTab1_Click();
    void Toolbar1_ButtonClick(const QString& key);
    void mnuNew_Click();
    void mnuHelp1_Click();
    void mnuAbout_Click();
    void mnuEnd_Click();

    // tables (frmMain_tables.cpp)
    void Tab0cmdSet_Click();
    void Tab0cmdGridClear_Click();
    void Tab1cmdSet_Click();

    // device link (frmMain_device.cpp)
    void cmdOpen_Click();
    void SPortAx1_OnRxChar();
    void Tab0cmdAdd_Click();
    void Command1_Click();

    // X/Y chart (frmMain_xychart.cpp)
    void Tab0cmdPlot_Click();
    void Tab0cmdClear_Click();
    void DrawXYChart();
    void DrawXYPrintCopy();

    // polar chart (frmMain_polar.cpp)
    void Tab1cmdPlot_Click();
    void Tab1cmdClear_Click();
    void Tab1cmdSine_Click();
    void DrawPolarPrintCopy();

    // files (frmMain_files.cpp)
    void mnuOpen_Click();
    void mnuSave_Click();
    void SaveDataFile();

    // printing (frmMain_printing.cpp)
    void mnuPrint_Click();

    // editing (frmMain_editing.cpp)
    void BeginCellEdit();
    void AdvanceCell();
    void ShowCurrentCell();
    void mnuDelete_Click();
    void mnuClear_Click();
    void mnuInsert_Click();
    void mnuCopy_Click();
    void mnuPaste_Click();
    void mnuFGridAddRow_Click();
    void mnuFGridInsRow_Click();
    void mnuFGridDelRow_Click();
    void mnuFGridExtrRow_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildToolbar();
    QWidget* buildTab0();
    QWidget* buildTab1();
    void Form_Load();

    // Start-up seams filled by each subsystem, run in start-up order.
    void drawPolarBackgroundAtStartup();      // frmMain_polar.cpp
    void setUpFileDialogFolder();             // frmMain_files.cpp
    void setUpSerialPort();                   // frmMain_device.cpp
    void connectEditorEvents();               // frmMain_editing.cpp
    void closeSerialPortOnShutdown();         // frmMain_device.cpp
    void resetPolarChartForNew();             // frmMain_polar.cpp

    Platform platform_;

    // Each subsystem keeps its private members in its own section below.

    // ---- device link -------------------------------------------------------
    void SPortAx1_OnFailed(const QString& description);
    void cmbCommPort_DropDown();
    qint64 RxDropped = 0;                      // characters the receive bound dropped

    // ---- X/Y chart ---------------------------------------------------------


    // ---- polar chart -------------------------------------------------------
    // The solver's messages, shown as the main window's message boxes.
    std::function<void(const QString&)> polarMessages();

    // ---- files -------------------------------------------------------------
    // The reader of a tab's data file into its table; reports a failure itself.
    bool readDataFile(int tab, const QString& path);
    // The data file writer or the text export of a tab; true when written.
    bool writeTabFile(int tab, const QString& path, bool dataFile);

    // ---- printing ----------------------------------------------------------


    // ---- editing -----------------------------------------------------------
    // "class" here declares tarvex::CellEditor (tables/CellEditor.h).
    class CellEditor* Tab0Editor = nullptr;
    CellEditor* Tab1Editor = nullptr;
    CellEditor* editorOfTab(int tab) const;
    DataTable* tableOfTab(int tab) const;
    // A command changed the table of a tab: it needs saving, and the profile
    // table needs plotting again.
    void markTableChanged(int tab);
    // Runs an Edit or row menu command on a tab's table, then marks the table
    // changed if it did change and puts the mark back on the current cell.
    void runTableCommand(int tab, const std::function<void(DataTable&)>& command);
    bool askDeleteRow(int row);
    void openCaptionDialog();
    void popUp(QMenu* menu, const QPoint& globalPos);

    // ---- splash, about and help --------------------------------------------


};

} // namespace tarvex
