#pragma once
// "X,Y Caption": renames the two column headings of the active tab's table.
// The headings live in row 0 of the table and nowhere else; the dialog reads
// them when it opens and writes them back on OK.

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvex {

class DataTable;

class frmXYCaption : public QDialog {
    Q_OBJECT
public:
    // activeTab is read on opening and again on OK: 0 picks the profile
    // table, 1 the polar table; any other value leaves the boxes as they are
    // and makes OK write nowhere.
    frmXYCaption(DataTable* profile, DataTable* polar, std::function<int()> activeTab, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLineEdit* txtXLabel = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* txtYLabel = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* OKButton = nullptr;

public slots:
    void OKButton_Click();
    void CancelButton_Click();

private:
    void Form_Load();
    DataTable* tableOfActiveTab() const;

    DataTable* profile_;
    DataTable* polar_;
    std::function<int()> activeTab_;
};

} // namespace tarvex
