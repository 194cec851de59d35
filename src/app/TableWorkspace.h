#pragma once
// What the two workspaces (tabs) have in common: a data table with its grid,
// cell editor and note, the live load box, the chart, the name of the data
// file the table was last opened from or saved to, and whether it has changed
// since. ProfileWorkspace and PolarWorkspace add their own controls and
// handlers; the main window routes the File and Edit menus, the toolbar and
// the port's readings to the active one.
//
// Every command that changes the table ends one step of its undo history
// (TableHistory); the modified flag follows the history's clean state, which
// saving sets and reading a file starts afresh. The commands that lay the
// table out themselves (Set, Clear, New) keep or set the flag by their own
// rule. Typing into the table and recording a reading count as changes even
// when no cell text changes, and so does typing into the note, which is
// saved with the table: those stay modified until the next save.

#include "files/FileCommon.h"
#include "files/Recovery.h"
#include "library/ShaftLibrary.h"
#include "platform/MessageSink.h"
#include "platform/Platform.h"
#include "platform/Twips.h"
#include "settings/AppSettings.h"
#include "settings/CaptureSettings.h"
#include "settings/GeometrySettings.h"
#include "settings/ShopSettings.h"
#include "tables/Workspace.h"

#include <QLocale>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QUndoStack;

namespace tarvex {

class CellDelegate;
class DataTable;
class MeasurementDocument;
class GridView;
class TableHistory;
class PictureArea;
class PictureAreaWidget;
class ReadingReceiver;
struct ReportPage;
enum class MsgResult;
enum class MsgButtons;

class TableWorkspace : public QWidget {
    Q_OBJECT
public:
    // What a workspace takes of the settings: the capture's (the unit beside
    // the live box and in the load heading, what "Add" averages), the bench
    // geometry (positions' unit, EI) and the shop (the report's head, the
    // frequency meter).
    struct Settings {
        CaptureSettings capture;
        GeometrySettings geometry;
        ShopSettings shop;
        static Settings of(const AppSettings& app) { return {app.capture, app.geometry, app.shop}; }
    };

    ~TableWorkspace() override;

    Workspace kind() const { return kind_; }
    QString fileName() const;
    MeasurementDocument& document() const { return *document_; }
    bool isModified() const;

    // A reading from the port, shown in the live load box.
    void showReading(const QString& text);
    // The live load box as the port stands: green "Ready" while it is open
    // and no reading has come yet, grey "Port closed" while it is closed.
    void showPortState(bool open);
    // The load moved and settled: recorded when "Auto" is on.
    void recordSettled(double value);
    // "Auto" missed a position: it stops, and says which load it missed.
    void missedSettled(double value);
    // The settings dialog changed the settings: the unit beside the live box.
    void setSettings(const Settings& settings);

    // Plot and Clear of the toolbar, New of the File menu.
    virtual void plotChart() = 0;
    virtual void clearChart() = 0;
    virtual void newData() = 0;

    // The chart drawn once more in print colours on `copy`, at the designed
    // size of this workspace's chart, and the report page of it, the note and
    // the table as they are now.
    ReportPage reportPage(PictureArea& copy);

    // The Edit menu on the selected block, as one step of the undo history
    // under `name`.
    void runTableCommand(const QString& name, const std::function<void(DataTable&)>& command);
    // Undo and Redo of the Edit menu; the history says what they would do.
    void undo();
    void redo();
    QUndoStack& undoStack() const;
    QString copyBlock() const;
    // The table as a measurement for the library: the rows as shown, the
    // note, the load cell's unit, now, this computer's name, and for a polar
    // table the spine figures when the readings give them.
    Measurement measurement() const;
    // A measurement from the library into the table, after offering to save
    // unsaved data; the table then names no file, as after New, and the
    // report names `shaft`. False when nothing was read.
    bool openMeasurement(const Measurement& m, const Shaft& shaft = {});
    // The table and note as they stand, for the recovery copy, and a copy
    // put back after a crash: modified, and named after no file, so the
    // next save asks where.
    RecoveredTable recoveryCopy() const;
    void restore(const RecoveredTable& copy);

public slots:
    // File menu and toolbar: the file dialog, then the workspace's data file.
    void OpenDataFile();
    void SaveDataFile();
    // Reads the data file at `path` (of the workspace's type) into the table,
    // after offering to save unsaved data; false when nothing was read.
    bool openFile(const QString& path);
    // The chart's pop-up menu: the chart on the clipboard as an image, or
    // saved as a PNG or SVG file.
    void copyChart();
    void saveChart();
    void BeginCellEdit();
    void AdvanceCell();
    void ShowCurrentCell();

signals:
    void titleChanged(const QString& title);
    // A short word for the status bar.
    void statusMessage(const QString& text);
    // A data file was read or saved: the recent files list takes it.
    void fileUsed(const QString& path);
    // A right click or the menu key asks for the Edit menu.
    void editMenuRequested(const QPoint& globalPos);

protected:
    // `settings` as the shell read them; the settings dialog hands on a
    // change through setSettings.
    TableWorkspace(Workspace kind, const Platform& platform, ReadingReceiver& receiver, const Settings& settings,
                   QSize chartSize, QWidget* parent = nullptr);

    // "Add": records the live reading; when there is none, the live box and
    // the status bar say why and nothing is written.
    void addLiveReading();
    // Writes a reading where this workspace's table takes the next one.
    virtual bool capture(double value) = 0;
    // A reading was written into the table by "Add" or "Auto".
    virtual void captured() {}
    // The unit, steadiness, "Auto" and "Zero" beside the live box, and the
    // strip chart under it, for the workspace to place.
    QWidget* livePanel() const { return livePanel_; }

    // How a change of the table's cells counts.
    enum class ChangeRule {
        Counts,        // modified, and the chart has new data
        HeadingOnly,   // modified; the plotted data is the same
        Ignored,       // the workspace lays the table out and sets the flag itself
    };
    void withChangeRule(ChangeRule rule, const std::function<void()>& step);
    // A key typed into the table or a reading recorded: a change, whatever
    // the cell held before.
    void markEdited();
    void setModified(bool modified);
    // The changes since the last step become one step of the undo history.
    void endStep(const QString& name);
    // Start-up: what the table holds now is where undo stops.
    void forgetHistory();
    // The chart's data changed (profile: the next Plot stores a new curve).
    virtual void dataChanged() {}

    void setFileName(const QString& name);
    // The table is laid out anew: the report no longer names the library's shaft.
    void forgetLibraryShaft() { libraryShaft_.reset(); }
    // The load column headed with the load cell's unit ("Load (lbf)"), or
    // the plain heading without one; a heading the user typed stays.
    void headLoadColumn();
    MsgResult MsgBox(const QString& text, MsgButtons buttons, const QString& title);
    MsgResult MsgBox(const QString& text);
    // The message box as a sink, for routines that tell the user.
    MessageSink tellUser();
    const Platform& platform() const { return platform_; }
    const Settings& settings() const { return settings_; }

    // The document was read from a file or the library: the controls it
    // lays out follow it (the note box is the workspace's own).
    virtual void documentRead() {}
    virtual void drawPrintCopy(PictureArea& copy) = 0;
    // Figures the report shows under the chart, when the workspace has any.
    virtual void describeResults(ReportPage&) const {}
    // The bench settings changed (after the unit beside the live box is shown).
    virtual void settingsChanged() {}

    DataTable& table() const { return *table_; }
    GridView* view() const { return view_; }
    QLineEdit* gridEdit() const { return gridEdit_; }
    CellDelegate& editor() const { return *editor_; }
    QPlainTextEdit* note() const { return note_; }
    QLineEdit* load() const { return load_; }
    PictureArea& picture() const { return *picture_; }
    PictureAreaWidget* pictureView() const { return pictureView_; }

    static constexpr int twips(int t) { return TwipsToPixels(t); }

private:
    void tableCellsChanged();
    void showSettings();
    void buildLivePanel(const QString& prefix);
    void showSteadiness();
    // What the bench waits for: the next row's position, or the shaft to move.
    void showNextPosition();
    void drawStrip();
    void cmdZero_Click();
    void buildChartMenu(const QString& prefix);
    void openCaptionDialog();
    // True when the table may be replaced: nothing unsaved, or the user
    // said No, or saved it.
    bool offerToSave();
    QString noteText() const;
    // The note box after the document was read.
    void showDocument();
    // The report's values from the document: its layout, note, rows and the
    // figures the workspace adds.
    void fillReport(ReportPage& page) const;

    const Workspace kind_;
    Platform platform_;
    ReadingReceiver& receiver_;
    Settings settings_;
    ChangeRule rule_ = ChangeRule::Counts;
    TableHistory* history_ = nullptr;
    MeasurementDocument* document_ = nullptr;
    QString filePath_;                       // the data file last read or saved, in full
    // The shaft, time and bench of a measurement opened from the library.
    struct LibraryShaft {
        Shaft shaft;
        QDateTime takenAt;
        QString bench;
    };
    std::optional<LibraryShaft> libraryShaft_;
    DataTable* table_ = nullptr;
    PictureArea* picture_ = nullptr;
    GridView* view_ = nullptr;
    QLineEdit* gridEdit_ = nullptr;
    CellDelegate* editor_ = nullptr;
    QPlainTextEdit* note_ = nullptr;
    QLineEdit* load_ = nullptr;
    PictureAreaWidget* pictureView_ = nullptr;
    QWidget* livePanel_ = nullptr;
    QLabel* unit_ = nullptr;
    QLabel* steady_ = nullptr;
    QLabel* next_ = nullptr;
    QCheckBox* auto_ = nullptr;
    PictureArea* strip_ = nullptr;
    qint64 stripDrawnAt_ = -1;
    // The desktop's decimal separator, read once: asked of the system locale
    // it costs a locked query, and the live box shows every reading.
    const QChar decimal_ = QLocale::system().decimalPoint().front();
};

} // namespace tarvex
