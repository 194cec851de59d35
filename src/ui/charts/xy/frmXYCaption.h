#pragma once
// "X,Y Caption": renames the two column headings of a workspace's table.
// The headings live in row 0 of the table and nowhere else; the dialog reads
// them when it opens and writes them back on OK.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvex {

class DataTable;

class frmXYCaption : public QDialog {
    Q_OBJECT
public:
    explicit frmXYCaption(DataTable& table, QWidget* parent = nullptr);

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

    DataTable& table_;
};

} // namespace tarvex
