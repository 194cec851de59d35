#pragma once
// The bench settings: how fresh a reading must be to record, what counts as a
// steady load, how many readings "Add" averages, the load cell's unit, and the
// bench's geometry that EI is worked out from.

#include "device/Steadiness.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QDoubleSpinBox;
class QSpinBox;

namespace tarvex {

class frmSettings : public QDialog {
    Q_OBJECT
public:
    explicit frmSettings(const BenchSettings& settings, QWidget* parent = nullptr);
    // What the dialog shows now.
    BenchSettings settings() const;

private:
    QDoubleSpinBox* fresh_ = nullptr;
    QDoubleSpinBox* window_ = nullptr;
    QDoubleSpinBox* percent_ = nullptr;
    QDoubleSpinBox* units_ = nullptr;
    QSpinBox* average_ = nullptr;
    QComboBox* unit_ = nullptr;
    QComboBox* setup_ = nullptr;
    QComboBox* lengthUnit_ = nullptr;
    QComboBox* eiUnit_ = nullptr;
    QDoubleSpinBox* span_ = nullptr;
    QDoubleSpinBox* deflection_ = nullptr;
    QDoubleSpinBox* compliance_ = nullptr;
    QLineEdit* library_ = nullptr;
    QString libraryAddress_;   // as kept, its password unmasked
};

} // namespace tarvex
