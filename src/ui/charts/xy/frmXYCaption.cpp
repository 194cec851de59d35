#include "charts/xy/frmXYCaption.h"

#include "platform/Twips.h"
#include "tables/DataTable.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tarvex {

namespace {

// The form was designed in twips.
QRect twipsRect(int left, int top, int width, int height)
{
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

} // namespace

frmXYCaption::frmXYCaption(DataTable& table, QWidget* parent)
    : QDialog(parent), table_(table)
{
    setObjectName(QStringLiteral("frmXYCaption"));
    setWindowTitle(tr("X,Y Caption"));
    setModal(true);
    setFixedSize(twipsRect(0, 0, 5190, 3300).size());

    QFont bold = font();
    bold.setBold(true);
    Label1 = new QLabel(tr("X Axis Label"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(bold);
    Label1->setGeometry(twipsRect(1080, 780, 1065, 195));
    Label1->setMinimumSize(Label1->sizeHint());
    txtXLabel = new QLineEdit(QStringLiteral("X"), this);
    txtXLabel->setObjectName(QStringLiteral("txtXLabel"));
    txtXLabel->setGeometry(twipsRect(960, 1080, 1395, 315));
    Label1->setBuddy(txtXLabel);

    Label2 = new QLabel(tr("Y Axis Label"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(bold);
    Label2->setGeometry(twipsRect(2820, 780, 1065, 195));
    Label2->setMinimumSize(Label2->sizeHint());
    txtYLabel = new QLineEdit(QStringLiteral("Y"), this);
    txtYLabel->setObjectName(QStringLiteral("txtYLabel"));
    txtYLabel->setGeometry(twipsRect(2700, 1080, 1395, 315));
    Label2->setBuddy(txtYLabel);

    CancelButton = new QPushButton(tr("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setGeometry(twipsRect(960, 2340, 1215, 375));
    CancelButton->setAutoDefault(false);
    OKButton = new QPushButton(tr("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(twipsRect(2820, 2340, 1215, 375));
    // Enter answers OK (which waits for both boxes to be filled); Escape
    // closes the dialog like Cancel.
    OKButton->setDefault(true);

    connect(OKButton, &QPushButton::clicked, this, &frmXYCaption::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &frmXYCaption::CancelButton_Click);
    Form_Load();
}

void frmXYCaption::Form_Load()
{
    txtXLabel->setText(table_.TextMatrix(0, 0));
    txtYLabel->setText(table_.TextMatrix(0, 1));
    txtXLabel->selectAll();
    txtXLabel->setFocus();
}

void frmXYCaption::OKButton_Click()
{
    // A heading made of blanks is still a heading; only an empty box keeps
    // the dialog open.
    if (txtXLabel->text().isEmpty() || txtYLabel->text().isEmpty())
        return;
    table_.setTextMatrix(0, 0, txtXLabel->text());
    table_.setTextMatrix(0, 1, txtYLabel->text());
    accept();
}

void frmXYCaption::CancelButton_Click()
{
    reject();
}

} // namespace tarvex
