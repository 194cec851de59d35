#pragma once
// The Library window: search over every text of the shafts and their
// measurements, a sortable list, and the selected measurement opened into its
// tab or deleted.
#include <QDialog>

class QLabel;
class QLineEdit;
class QTreeWidget;

namespace tarvex {

class MessageBox;
class ShaftLibrary;

class frmLibrary : public QDialog {
    Q_OBJECT
public:
    frmLibrary(ShaftLibrary& library, MessageBox& messageBox, QWidget* parent = nullptr);
    // The list once more, as the search box has it.
    void refresh();

signals:
    void openRequested(qint64 measurementId);

private:
    qint64 selected() const;
    void deleteSelected();
    ShaftLibrary& library_;
    MessageBox& messageBox_;
    QLineEdit* txtSearch_ = nullptr;
    QTreeWidget* lstEntries_ = nullptr;
    QLabel* lblStatus_ = nullptr;
};

} // namespace tarvex
