#include "library/StoreLibraryDialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <algorithm>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>

namespace tarvex {

namespace {

// Empty: no figure; otherwise a number in the desktop's format, or nothing.
std::optional<std::optional<double>> figure(const QLineEdit* box)
{
    const QString text = box->text().trimmed();
    if (text.isEmpty())
        return std::optional<double>();
    bool ok = false;
    const double v = QLocale::system().toDouble(text, &ok);
    if (!ok || !(v > 0))
        return std::nullopt;
    return std::optional<double>(v);
}

} // namespace

QString ShaftTitle(const Shaft& s)
{
    QStringList parts;
    for (const QString& p : {s.label, s.maker, s.model, s.flex})
        if (!p.isEmpty())
            parts << p;
    QString title = parts.isEmpty() ? QCoreApplication::translate("Library", "shaft %1").arg(s.id) : parts.join(QLatin1Char(' '));
    if (!s.customer.isEmpty())
        title += QStringLiteral(" (%1)").arg(s.customer);
    return title;
}

QString ShaftCurveName(const Shaft& s)
{
    return s.label.isEmpty() ? ShaftTitle(s) : s.label;
}

StoreLibraryDialog::StoreLibraryDialog(std::vector<Shaft> shafts, QWidget* parent) : QDialog(parent), shafts_(std::move(shafts))
{
    setObjectName(QStringLiteral("StoreLibraryDialog"));
    setWindowTitle(tr("Store in library"));
    auto* form = new QFormLayout(this);
    cboShaft_ = new QComboBox(this);
    cboShaft_->setObjectName(QStringLiteral("cboShaft"));
    cboShaft_->addItem(tr("A new shaft"));
    for (const Shaft& s : shafts_)
        cboShaft_->addItem(ShaftTitle(s));
    form->addRow(tr("&Shaft:"), cboShaft_);
    const auto box = [&](const char* name, const QString& label) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        form->addRow(label, e);
        return e;
    };
    labelBox_ = box("txtLabel", tr("Serial or &label:"));
    makerBox_ = box("txtMaker", tr("&Maker:"));
    modelBox_ = box("txtModel", tr("Mo&del:"));
    flexBox_ = box("txtFlex", tr("&Flex:"));
    weightBox_ = box("txtWeight", tr("&Weight (g):"));
    lengthBox_ = box("txtLength", tr("Len&gth (in):"));
    customerBox_ = box("txtCustomer", tr("Cus&tomer:"));
    notesBox_ = new QPlainTextEdit(this);
    notesBox_->setObjectName(QStringLiteral("txtNotes"));
    notesBox_->setTabChangesFocus(true);
    notesBox_->setFixedHeight(notesBox_->fontMetrics().lineSpacing() * 4 + 2 * notesBox_->frameWidth() + 8);
    form->addRow(tr("&Notes:"), notesBox_);
    problemLabel_ = new QLabel(this);
    problemLabel_->setObjectName(QStringLiteral("lblProblem"));
    form->addRow(problemLabel_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &StoreLibraryDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(cboShaft_, &QComboBox::currentIndexChanged, this, &StoreLibraryDialog::pickChanged);
}

StoreLibraryDialog::StoreLibraryDialog(const Shaft& editing, QWidget* parent) : StoreLibraryDialog(std::vector<Shaft>{}, parent)
{
    setWindowTitle(tr("Edit shaft"));
    editing_ = editing.id;
    if (auto* form = qobject_cast<QFormLayout*>(layout()))
        form->setRowVisible(cboShaft_, false);
    showFields(editing);
}

namespace {

QString figureText(const std::optional<double>& v)
{
    return v ? QLocale::system().toString(*v, 'g', 6) : QString();
}

} // namespace

void StoreLibraryDialog::showFields(const Shaft& s)
{
    labelBox_->setText(s.label);
    makerBox_->setText(s.maker);
    modelBox_->setText(s.model);
    flexBox_->setText(s.flex);
    weightBox_->setText(figureText(s.weightGrams));
    lengthBox_->setText(figureText(s.lengthInches));
    customerBox_->setText(s.customer);
    notesBox_->setPlainText(s.notes);
}

// A shaft picked from the list shows what the library holds of it, to be
// read and checked, not changed here (Edit shaft in the Library window
// does that); back on "A new shaft" the fields hold what was typed.
void StoreLibraryDialog::pickChanged()
{
    const int picked = std::max(cboShaft_->currentIndex(), 0);
    const QList<QLineEdit*> boxes{labelBox_, makerBox_, modelBox_, flexBox_, weightBox_, lengthBox_, customerBox_};
    if (picked > 0 && shown_ == 0) {   // kept as typed, half-typed numbers too
        typed_.clear();
        for (const QLineEdit* e : boxes)
            typed_ << e->text();
        typed_ << notesBox_->toPlainText();
    }
    if (picked > 0) {
        showFields(shafts_[std::size_t(picked - 1)]);
    } else if (shown_ > 0) {
        for (qsizetype i = 0; i < boxes.size(); ++i)
            boxes[i]->setText(typed_.value(i));
        notesBox_->setPlainText(typed_.value(boxes.size()));
    }
    shown_ = picked;
    for (QLineEdit* e : boxes)
        e->setReadOnly(shown_ > 0);
    notesBox_->setReadOnly(shown_ > 0);
}

Shaft StoreLibraryDialog::shaft() const
{
    if (stored_)
        return *stored_;
    const int picked = cboShaft_->currentIndex();
    if (picked > 0)
        return shafts_[std::size_t(picked - 1)];
    return fields();
}

Shaft StoreLibraryDialog::fields() const
{
    Shaft s;
    s.id = editing_;
    s.label = labelBox_->text().trimmed();
    s.maker = makerBox_->text().trimmed();
    s.model = modelBox_->text().trimmed();
    s.flex = flexBox_->text().trimmed();
    s.weightGrams = figure(weightBox_).value_or(std::nullopt);
    s.lengthInches = figure(lengthBox_).value_or(std::nullopt);
    s.customer = customerBox_->text().trimmed();
    s.notes = notesBox_->toPlainText();
    return s;
}

void StoreLibraryDialog::accept()
{
    if (cboShaft_->currentIndex() <= 0) {
        if (!figure(weightBox_) || !figure(lengthBox_)) {
            problemLabel_->setText(tr("The weight and the length are numbers above 0, or left empty."));
            return;
        }
        if (labelBox_->text().trimmed().isEmpty() && modelBox_->text().trimmed().isEmpty()) {
            problemLabel_->setText(tr("Give the shaft a label or a model, to find it again."));
            return;
        }
        if (const qsizetype n = notesBox_->toPlainText().size(); n > kShaftNotesMaxChars) {
            problemLabel_->setText(tr("The notes hold %1 characters; at most %2 fit. Shorten them to store the shaft.")
                                     .arg(n).arg(kShaftNotesMaxChars));
            return;
        }
    }
    if (store_) {
        Shaft s = shaft();
        if (const Result<> r = store_(s); !r.ok()) {
            problemLabel_->setText(r.message());
            return;
        }
        stored_ = s;
    }
    QDialog::accept();
}

} // namespace tarvex
