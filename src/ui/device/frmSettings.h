#pragma once
// The bench settings: how fresh a reading must be to record, what counts as a
// steady load, how many readings "Add" averages, and the load cell's unit.

#include "device/Steadiness.h"

#include <QDialog>

class QComboBox;
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
};

} // namespace tarvex
