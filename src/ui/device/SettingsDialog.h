#pragma once
// The bench settings: how fresh a reading must be to record, what counts as a
// steady load, how many readings "Add" averages, the load cell's unit, and the
// bench's geometry that EI is worked out from; the frequency meter the
// predictions are for, and its calibration on a shaft measured on it; the
// library's address and the shop's name. Each part is read and handed back on
// its own, as its users take it.

#include "settings/CaptureSettings.h"
#include "settings/GeometrySettings.h"
#include "settings/LibrarySettings.h"
#include "settings/ShopSettings.h"

#include <QDialog>
#include <functional>
#include <optional>

class QComboBox;
class QLineEdit;
class QDoubleSpinBox;
class QSpinBox;
class QLabel;

namespace tarvex {

class SettingsDialog : public QDialog {
    Q_OBJECT
public:
    // The clamp offset that makes the profile on show read `measuredCpm` with
    // the geometry, load unit and meter typed (in the geometry's length
    // unit), or why not.
    using Calibrator = std::function<ClampCalibration(const GeometrySettings& geometry, const QString& loadUnit,
                                                      const MeterSettings& meter, double measuredCpm)>;

    SettingsDialog(const CaptureSettings& capture, const GeometrySettings& geometry, const LibrarySettings& library,
                   const ShopSettings& shop, QWidget* parent = nullptr, Calibrator calibrate = {});
    // What the dialog shows now.
    CaptureSettings capture() const;
    GeometrySettings geometry() const;
    LibrarySettings library() const;
    ShopSettings shop() const;

private:
    // Fits the clamp offset to the cpm typed, through the shell's callback.
    void calibrate();
    // The calibration kept, after why a new one was refused if it was.
    void showCalibration(const QString& refused = {});

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
    QLineEdit* shop_ = nullptr;
    QDoubleSpinBox* meterClamp_ = nullptr;
    QDoubleSpinBox* meterTip_ = nullptr;
    QDoubleSpinBox* meterOffset_ = nullptr;
    QDoubleSpinBox* measuredCpm_ = nullptr;
    QLabel* calibration_ = nullptr;
    QString libraryAddress_;   // as kept, its password unmasked
    std::optional<double> clampOffset_;   // inches
    QString calibratedOn_;
    Calibrator calibrate_;
};

} // namespace tarvex
