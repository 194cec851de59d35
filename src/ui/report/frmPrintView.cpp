#include "report/frmPrintView.h"

#include "platform/FailurePolicy.h"
#include "platform/Fonts.h"
#include "platform/MessageBox.h"
#include "platform/PictureAreaWidget.h"
#include "platform/Printer.h"
#include "platform/Twips.h"
#include "report/ReportTarget.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

namespace tarvex {

namespace {

constexpr int kMargin = TwipsToPixels(120);

} // namespace

frmPrintView::frmPrintView(const Platform& platform, const ReportPage& page, QWidget* parent)
    : QDialog(parent), platform_(platform), page_(page)
{
    UseMetricTwinFonts();
    setObjectName(QStringLiteral("frmPrintView"));

    Label1 = new QLabel(tr("Name"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(TwipsToPixels(180), TwipsToPixels(300));
    Label1->adjustSize();

    txtShaftName = new QLineEdit(this);
    txtShaftName->setObjectName(QStringLiteral("txtShaftName"));
    txtShaftName->move(TwipsToPixels(840), TwipsToPixels(240));
    txtShaftName->resize(TwipsToPixels(3975), txtShaftName->sizeHint().height());
    Label1->setBuddy(txtShaftName);

    const auto button = [this](const QString& text, const char* name, int left) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(TwipsToPixels(left), TwipsToPixels(180), TwipsToPixels(1155), TwipsToPixels(495));
        // Enter in the name box should not close the form or start printing.
        b->setAutoDefault(false);
        return b;
    };
    cmdClose = button(tr("Close"), "cmdClose", 4980);
    cmdPrint = button(tr("Print"), "cmdPrint", 6240);
    cmdPrintPreview = button(tr("Preview"), "cmdPrintPreview", 7500);

    // Who and what the header names: the library's shaft when the table came
    // from there, else as typed.
    auto* fields = new QWidget(this);
    auto* grid = new QGridLayout(fields);
    grid->setContentsMargins(0, 0, 0, 0);
    const ReportHeader& h = page_.header;
    const auto field = [&](const QString& caption, const char* name, const QString& text, int row, int column) {
        auto* edit = new QLineEdit(text, fields);
        edit->setObjectName(QString::fromLatin1(name));
        auto* label = new QLabel(caption, fields);
        label->setBuddy(edit);
        grid->addWidget(label, row, column * 2);
        grid->addWidget(edit, row, column * 2 + 1);
        return edit;
    };
    txtCustomer = field(tr("C&ustomer"), "txtCustomer", h.customer, 0, 0);
    txtMaker = field(tr("&Maker"), "txtMaker", h.maker, 0, 1);
    txtModel = field(tr("M&odel"), "txtModel", h.model, 0, 2);
    txtFlex = field(tr("&Flex"), "txtFlex", h.flex, 1, 0);
    txtLabel = field(tr("&Label"), "txtLabel", h.label, 1, 1);
    chkSine = new QCheckBox(tr("&Sine view with the fitted curve"), fields);
    chkSine->setObjectName(QStringLiteral("chkSine"));
    chkSine->setEnabled(page_.layout == Workspace::Polar && page_.sineChart);
    grid->addWidget(chkSine, 1, 4, 1, 2);
    fields->setGeometry(TwipsToPixels(180), TwipsToPixels(780), TwipsToPixels(8540), fields->sizeHint().height());

    Picture1 = new PictureArea(QSize(TwipsToPixels(8600), TwipsToPixels(6055)), QColor(255, 255, 255), this);
    Picture1View = new PictureAreaWidget(Picture1, this);
    Picture1View->setObjectName(QStringLiteral("Picture1"));
    Picture1View->move(TwipsToPixels(120), fields->geometry().bottom() + 1 + TwipsToPixels(120));

    connect(cmdClose, &QPushButton::clicked, this, &frmPrintView::cmdClose_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmPrintView::cmdPrint_Click);
    connect(cmdPrintPreview, &QPushButton::clicked, this, &frmPrintView::cmdPrintPreview_Click);

    // The name, then the buttons, as the form always went; the header's
    // fields after them.
    setTabOrder(txtShaftName, cmdClose);
    setTabOrder(cmdClose, cmdPrint);
    setTabOrder(cmdPrint, cmdPrintPreview);
    setTabOrder(cmdPrintPreview, txtCustomer);
    setTabOrder(txtCustomer, txtMaker);
    setTabOrder(txtMaker, txtModel);
    setTabOrder(txtModel, txtFlex);
    setTabOrder(txtFlex, txtLabel);
    setTabOrder(txtLabel, chkSine);
    txtShaftName->setFocus();

    fitPreview();
    Form_Load();
}

frmPrintView::~frmPrintView() = default;

void frmPrintView::Form_Load()
{
    setWindowTitle(tr("%1 - Print Preview").arg(kAppTitle));
}

void frmPrintView::fitPreview()
{
    const QSize size = Picture1->designSize();
    Picture1View->setFixedSize(size);
    const QRect preview = Picture1View->geometry();
    const int width = std::max(preview.right(), cmdPrintPreview->geometry().right()) + 1 + kMargin;
    setFixedSize(width, preview.bottom() + 1 + kMargin);
}

void frmPrintView::showFailure(const QString& description)
{
    platform_.messageBox->show(this, description, MsgButtons::Ok, kAppTitle);
}

ReportPage frmPrintView::page() const
{
    ReportPage p = page_;
    p.shaftName = txtShaftName->text();
    p.header.customer = txtCustomer->text();
    p.header.maker = txtMaker->text();
    p.header.model = txtModel->text();
    p.header.flex = txtFlex->text();
    p.header.label = txtLabel->text();
    p.showSine = chkSine->isEnabled() && chkSine->isChecked();
    return p;
}

void frmPrintView::cmdPrintPreview_Click()
{
    const MessageSink report = [this](const QString& d) { showFailure(d); };
    const double Ratio = SetPreviewScale(platform_.printer.get(), *Picture1, report);
    fitPreview();
    PreviewPage target(*Picture1);
    DrawReport(target, Ratio, page(), report);
}

void frmPrintView::cmdPrint_Click()
{
    if (Printer* printer = platform_.printer.get())
        StopWithMessage(PrintReport(*printer, page()), [this](const QString& d) { showFailure(d); });
}

void frmPrintView::cmdClose_Click()
{
    close();
}

} // namespace tarvex
