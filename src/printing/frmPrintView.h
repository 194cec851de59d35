#pragma once
// The report form: names the shaft, previews the one-page report of the active
// workspace and prints it on the default printer. Opened modally by the print
// command of the main window; reads the main window's tab, chart copy, notes
// and tables when its buttons are pressed.

#include "platform/PictureArea.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvex {

class frmMain;
class PictureAreaWidget;
struct ReportContent;

class frmPrintView : public QDialog {
    Q_OBJECT
public:
    explicit frmPrintView(frmMain& owner, QWidget* parent = nullptr);
    ~frmPrintView() override;

    QLabel* Label1 = nullptr;
    QLineEdit* txtShaftName = nullptr;
    QPushButton* cmdClose = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdPrintPreview = nullptr;
    PictureArea* Picture1 = nullptr;            // the preview page
    PictureAreaWidget* Picture1View = nullptr;
    Picture Picture2;                           // the chart drawn into the report

public slots:
    void cmdPrintPreview_Click();
    void cmdPrint_Click();
    void cmdClose_Click();

private:
    void Form_Load();
    ReportContent content(int tab) const;
    void showFailure(const QString& description);
    // The preview area shows its picture area at the designed size; the form
    // grows with it.
    void fitPreview();

    frmMain& owner_;
};

} // namespace tarvex
