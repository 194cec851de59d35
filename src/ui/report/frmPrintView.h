#pragma once
// The report form: names the shaft, previews the report of the active
// workspace and prints it on the default printer. Opened modally by the print
// command of the main window, which hands it the page to show; the form adds
// the shaft name, the customer and the shaft's fields (filled in from the
// library when the table came from there) and, for a polar table, whether the
// sine view goes on the page.

#include "platform/PictureArea.h"
#include "platform/Platform.h"
#include "report/Report.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvex {

class PictureAreaWidget;

class frmPrintView : public QDialog {
    Q_OBJECT
public:
    // `platform` gives the printer and the message box; `parent` is the window
    // the form is modal over.
    frmPrintView(const Platform& platform, const ReportPage& page, QWidget* parent);
    ~frmPrintView() override;

    QLabel* Label1 = nullptr;
    QLineEdit* txtShaftName = nullptr;
    QLineEdit* txtCustomer = nullptr;
    QLineEdit* txtMaker = nullptr;
    QLineEdit* txtModel = nullptr;
    QLineEdit* txtFlex = nullptr;
    QLineEdit* txtLabel = nullptr;
    QCheckBox* chkSine = nullptr;               // the sine view as a second chart
    QPushButton* cmdClose = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdPrintPreview = nullptr;
    PictureArea* Picture1 = nullptr;            // the preview page
    PictureAreaWidget* Picture1View = nullptr;

public slots:
    void cmdPrintPreview_Click();
    void cmdPrint_Click();
    void cmdClose_Click();

private:
    void Form_Load();
    // The page with the shaft name as typed now.
    ReportPage page() const;
    void showFailure(const QString& description);
    // The preview area shows its picture area at the designed size; the form
    // grows with it.
    void fitPreview();

    Platform platform_;
    ReportPage page_;
};

} // namespace tarvex
