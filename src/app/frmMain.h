#pragma once
// The main window, the shell around the two workspaces: the tab control that
// holds them (ProfileWorkspace on tab 0, PolarWorkspace on tab 1), the port
// row, the menus, the toolbar and the status line. It routes the File and
// Edit menus, the toolbar and the port's readings to the active workspace and
// asks before closing over unsaved data. Each workspace keeps its own table,
// chart, file name and modified flag. The window remembers its size and place
// and the data files last used, in the platform's settings file. The device
// link's handlers are in frmMain_device.cpp.

#include "LibrarySession.h"
#include "settings/AppSettings.h"
#include "files/Recovery.h"
#include "platform/Platform.h"
#include "tables/Workspace.h"

#include <QLockFile>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QSettings;
class QTabWidget;
class QTimer;
class QToolBar;

namespace tarvex {

class PictureArea;
class ShaftLibrary;
class LibraryWindow;
class ReadingReceiver;
class PolarWorkspace;
class ProfileWorkspace;
class TableWorkspace;
enum class MsgResult;
enum class MsgButtons;

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(const Platform& platform, QWidget* parent = nullptr);
    ~frmMain() override;

    const Platform& platform() const { return platform_; }
    Workspace activeWorkspace() const;
    // Start-up has run to its end.
    bool isFormLoaded() const { return blFormLoaded; }
    // The polar tab's workspace. It is built the first time it is wanted
    // (its tab chosen, a polar file or copy opened), not at start-up: until
    // then it holds nothing, so nothing of it needs saving.
    PolarWorkspace& polar();

    // Message box through the platform facility, titled with the application title.
    MsgResult MsgBox(const QString& text, MsgButtons buttons, const QString& title);
    MsgResult MsgBox(const QString& text);

    // Seam for the About box: the splash screen shown modally.
    std::function<void(frmMain*)> showAboutBox;
    // Folder that holds the application, where the help file is and the
    // first file dialog starts; tests point it elsewhere before that dialog.
    QString applicationFolder() const { return applicationFolder_; }
    void setApplicationFolder(const QString& folder);

    // The recovery copy (frmMain_recovery.cpp). At start-up a copy left by a
    // run that did not end cleanly is offered back (one that cannot be read
    // is named and moved aside as ".damaged"); after the answer the copy
    // follows the unsaved tables, at most a second behind.
    void offerRecovery();
    void keepRecoveryCopy();

public slots:
    void SSTab1_Click();
    void Toolbar1_ButtonClick(const QString& key);
    void mnuNew_Click();
    void mnuOpen_Click();
    void mnuSave_Click();
    void mnuPrint_Click();
    void mnuExportPdf_Click();
    void mnuHelp1_Click();
    void mnuAbout_Click();
    void mnuEnd_Click();
    void mnuEnv_Click();
    // The shaft library: the active tab's table stored, and the Library window.
    void mnuStoreLibrary_Click();
    void mnuLibrary_Click();

    // Edit menu, on the active workspace's table.
    void mnuUndo_Click();
    void mnuRedo_Click();
    void showUndoState();
    void mnuDelete_Click();
    void mnuClear_Click();
    void mnuInsert_Click();
    void mnuCopy_Click();
    void mnuPaste_Click();

    // device link (frmMain_device.cpp)
    void cmdOpen_Click();
    void SPortAx1_OnRxChar();

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void buildMenus();
    void buildToolbar();
    void Form_Load();
    TableWorkspace* active() const;
    // Connections every workspace gets from the shell, the polar one when built.
    void wireWorkspace(TableWorkspace& ws);
    // Title rule: the application title, then " - " and the active workspace's file name.
    void updateTitle();
    // The recent files list: a data file read or saved goes first; one
    // chosen opens on the tab of its type.
    void rememberFile(const QString& path);
    void showRecentFiles();
    void openRecentFile(const QString& path);
    void rememberGeometry();
    // The fields a fitter sets once for the day's shafts (the port, Start,
    // Steps and Count, the polar interval and range), kept with the window's
    // size and put back at the next start.
    void rememberFields();
    // The remembered fields put back; `only` names one control, else all.
    void recallFields(const char* only = nullptr);
    // The session's library, opened on first use; null, after saying why, when it
    // cannot be (the next use tries again).
    ShaftLibrary* library();
    void openFromLibrary(qint64 measurementId);
    void overlayFromLibrary(const QList<qint64>& measurementIds);

    // device link (frmMain_device.cpp)
    void setUpSerialPort();
    void logEventsForTests();
    void closeSerialPortOnShutdown();
    void SPortAx1_OnFailed(const QString& description);
    void cmbCommPort_DropDown();
    void portClosed();

    // recovery copy (frmMain_recovery.cpp)
    // Asks whether the tables of `copy`, read from `path`, are to come back.
    void offerBack(const QString& path, const RecoveryCopy& copy);
    void removeRecoveryCopy();
    // A clean exit: the copy goes, and no later tick writes it again.
    void endRecovery();


    Platform platform_;
    QString applicationFolder_;
    bool blFormLoaded = false;
    bool portsAsked_ = false;   // the port list is taken once the window is drawn
    ReadingReceiver* receiver_ = nullptr;       // the port's bytes into readings

    QTabWidget* SSTab1 = nullptr;
    ProfileWorkspace* profile_ = nullptr;
    PolarWorkspace* polar_ = nullptr;          // null until first wanted (polar())
    QWidget* polarPage_ = nullptr;             // tab 1, where polar_ goes
    QComboBox* cmbCommPort = nullptr;
    QPushButton* cmdOpen = nullptr;
    QToolBar* Toolbar1 = nullptr;
    QLabel* Label2 = nullptr;
    PictureArea* Picture1 = nullptr;            // hidden print copy of a chart
    std::unique_ptr<QSettings> settings_;       // null: nothing is remembered
    // Read once from the settings file; of the bench's parts, the settings
    // dialog alone changes them.
    AppSettings app_;
    std::unique_ptr<LibrarySession> librarySession_;
    QPointer<LibraryWindow> libraryWindow_;
    QTimer* recoveryTimer_ = nullptr;
    std::unique_ptr<QLockFile> recoveryLock_;   // this run's claim on the copy
    RecoveryCopy recoveryKept_;                 // what the copy on disk holds

    QMenu* mnuFile = nullptr;
    QAction* mnuNew = nullptr;
    QAction* mnuOpen = nullptr;
    QAction* mnuSave = nullptr;
    QAction* mnuPrint = nullptr;
    QAction* mnuExportPdf = nullptr;
    QAction* mnuStoreLibrary = nullptr;
    QAction* mnuLibrary = nullptr;
    QList<QAction*> mnuRecent;                  // the recent files, in order
    QAction* recentEnd_ = nullptr;              // the separator after them
    QAction* mnuEnd = nullptr;
    QMenu* mnuOption = nullptr;
    QAction* mnuEnv = nullptr;
    QMenu* mnuGridEdit = nullptr;               // pop-up of both tables
    QAction* mnuUndo = nullptr;
    QAction* mnuRedo = nullptr;
    QAction* mnuDelete = nullptr;
    QAction* mnuClear = nullptr;
    QAction* mnuInsert = nullptr;
    QAction* mnuCopy = nullptr;
    QAction* mnuPaste = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuHelp1 = nullptr;
    QAction* mnuAbout = nullptr;
};

} // namespace tarvex
