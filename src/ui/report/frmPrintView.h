#pragma once
// The report form: names the shaft, previews the one-page report of the active
// workspace and prints it on the default printer. Opened modally by the print
// command of the main window, which says what the report shows; the chart
// copy, note and table are read when a button is pressed, as they are then.

#include "platform/PictureArea.h"
#include "platform/Platform.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tarvex {

class DataTable;
class PictureAreaWidget;
struct ReportContent;

// The workspace a report is made of. The form does not own any of it; all of
// it outlives the modal form.
struct PrintViewSource {
    bool polar = false;                       // the round chart's layout
    const PictureArea* chart = nullptr;       // the window's print copy of the chart
    const QPlainTextEdit* note = nullptr;
    const DataTable* table = nullptr;
};

class frmPrintView : public QDialog {
    Q_OBJECT
public:
    // `platform` gives the printer and the message box; `parent` is the window
    // the form is modal over.
    frmPrintView(const Platform& platform, const PrintViewSource& source, QWidget* parent);
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
    ReportContent content() const;
    void showFailure(const QString& description);
    // The preview area shows its picture area at the designed size; the form
    // grows with it.
    void fitPreview();

    Platform platform_;
    PrintViewSource source_;
};

} // namespace tarvex
