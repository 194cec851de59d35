#pragma once
// The Library window: search over every text of the shafts and their
// measurements, filters beside it, a sortable list, a preview of the selected
// measurement's curve, and the selected measurement opened into its tab or
// deleted.
#include "library/ShaftLibrary.h"

#include <QDialog>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QTimer;
class QTreeView;

namespace tarvex {

struct GeometrySettings;

class MessageBox;
class PictureArea;
class MatchedSetWindow;
class LibraryListModel;
class PictureAreaWidget;

class LibraryWindow : public QDialog {
    Q_OBJECT
public:
    LibraryWindow(ShaftLibrary& library, MessageBox& messageBox, QWidget* parent = nullptr);
    // The list once more, as the search box and the filters have it; the
    // filters' choices of maker, model and flex afresh from the library.
    void refresh();
    // Whether the list is not yet what the search box and the filters ask
    // for: the search waits for a pause in typing, and runs on a thread.
    bool searchPending() const;
    // What the search box and the filters ask for.
    LibraryQuery query() const;
    // Every data file of the folder, read under a progress dialog that can
    // cancel, then stored in one transaction; what did not read is listed.
    void importFolder(const QString& folder);
    // The selected profiles as a matched set, in a window of its own.
    void matchedSet();
    // The bench's geometry and the load cell's unit: with them the profiles
    // show their stiffness index, in the EI unit chosen.
    void setBench(const GeometrySettings& geometry, const QString& loadUnit);

signals:
    void openRequested(qint64 measurementId);
    // The selected profiles, in the list's order, for the profile tab's chart.
    void overlayRequested(const QList<qint64>& measurementIds);
    // A matched set window was opened: its print and PDF are the shell's.
    void matchedSetOpened(MatchedSetWindow* window);
    // The selected profiles, in the list's order, to build a set of irons from.
    void buildSetRequested(const QList<qint64>& measurementIds);

private:
    qint64 selected() const;
    QList<qint64> selectedProfiles() const;
    void deleteSelected();
    void editShaft();
    void fillChoices();
    void search();
    void showPreview();
    ShaftLibrary& library_;
    MessageBox& messageBox_;
    QLineEdit* searchBox_ = nullptr;
    QComboBox* cboMaker_ = nullptr;
    QComboBox* cboModel_ = nullptr;
    QComboBox* cboFlex_ = nullptr;
    QLineEdit* customerBox_ = nullptr;
    QComboBox* cboKind_ = nullptr;
    QDateEdit* dtpFrom_ = nullptr;
    QDateEdit* dtpTo_ = nullptr;
    PictureArea* preview_ = nullptr;
    PictureAreaWidget* previewView_ = nullptr;
    QTreeView* entriesList_ = nullptr;
    LibraryListModel* entries_ = nullptr;
    QTimer* typing_ = nullptr;
    QLabel* statusLabel_ = nullptr;
};

} // namespace tarvex
