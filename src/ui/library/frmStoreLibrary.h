#pragma once
// "Store in library": which shaft the measurement is of. The first store of
// a shaft fills in its fields; later ones pick it from the list.
#include "library/ShaftLibrary.h"

#include <QDialog>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;

namespace tarvex {

class frmStoreLibrary : public QDialog {
    Q_OBJECT
public:
    frmStoreLibrary(std::vector<Shaft> shafts, QWidget* parent = nullptr);
    // The fields of a stored shaft to change; shaft() keeps its id.
    frmStoreLibrary(const Shaft& editing, QWidget* parent);
    // The shaft picked, or the new one as filled in (id 0).
    Shaft shaft() const;
    void accept() override;

private:
    void pickChanged();
    std::vector<Shaft> shafts_;
    qint64 editing_ = 0;
    QComboBox* cboShaft_ = nullptr;
    QLineEdit *txtMaker_, *txtModel_, *txtFlex_, *txtWeight_, *txtLength_, *txtLabel_, *txtCustomer_, *txtNotes_;
    QLabel* lblProblem_ = nullptr;
};

// One line naming a shaft in lists.
QString ShaftTitle(const Shaft& s);

} // namespace tarvex
