#pragma once
// "Store in library": which shaft the measurement is of. The first store of
// a shaft fills in its fields; later ones pick it from the list.
#include "library/ShaftLibrary.h"

#include <QDialog>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace tarvex {

// As much as a data file's note holds, so that a note imported from a file
// fits when its shaft is edited.
constexpr int kShaftNotesMaxChars = 65535;

class StoreLibraryDialog : public QDialog {
    Q_OBJECT
public:
    StoreLibraryDialog(std::vector<Shaft> shafts, QWidget* parent = nullptr);
    // The fields of a stored shaft to change; shaft() keeps its id.
    StoreLibraryDialog(const Shaft& editing, QWidget* parent);
    // The shaft picked, or the new one as filled in (id 0); once stored, the
    // shaft as the store left it.
    Shaft shaft() const;
    // What OK does with the shaft once the fields are accepted. A failure is
    // shown in the form, which stays open with everything typed, to try again
    // or cancel.
    void setStore(std::function<Result<>(Shaft&)> store) { store_ = std::move(store); }
    void accept() override;

private:
    void pickChanged();
    void showFields(const Shaft& s);
    // The new shaft as the fields hold it (id 0, or the shaft edited).
    Shaft fields() const;
    std::vector<Shaft> shafts_;
    qint64 editing_ = 0;
    QComboBox* cboShaft_ = nullptr;
    QLineEdit *makerBox_, *modelBox_, *flexBox_, *weightBox_, *lengthBox_, *labelBox_, *customerBox_;
    // Not a line edit: that cuts a long paste to 32767 characters unseen.
    QPlainTextEdit* notesBox_ = nullptr;
    QLabel* problemLabel_ = nullptr;
    std::function<Result<>(Shaft&)> store_;
    std::optional<Shaft> stored_;
    int shown_ = 0;    // the list's entry the fields show; 0: what was typed
    QStringList typed_;   // the new shaft's fields while a stored one is shown
};

// One line naming a shaft in lists.
QString ShaftTitle(const Shaft& s);

// What a curve of the shaft is called on a chart: the fitter's own label,
// or the title when the shaft has none.
QString ShaftCurveName(const Shaft& s);

} // namespace tarvex
