#pragma once
// The set builder window: the selected profiles as a set of irons, each
// shaft's tip and butt trims solved for a frequency slope, as a table a
// club a line and the frequencies against the target line; the settings
// beside them solve the set again as they change.
#include "analysis/SetBuilder.h"
#include "analysis/SetCertificate.h"

#include <QDialog>
#include <QList>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace tarvex {

class MessageBox;
class PictureArea;
class ShaftLibrary;
struct GeometrySettings;
struct ShopSettings;

// The library's profiles `ids` as shafts of a set, in the bench's length
// unit: EI from the bench geometry and the loads' unit, the length and weight from the
// measurement's note or else the shaft's own fields. A profile that lacks
// something goes into `skipped` with the reason, named. With `spine`, each
// shaft's newest polar measurement's spine, where the library has one.
std::vector<SetShaft> SetShaftsFromLibrary(ShaftLibrary& library, const QList<qint64>& ids, const GeometrySettings& geometry,
                                           const QString& loadUnit, QStringList& skipped, std::vector<std::optional<ShaftSpine>>* spine = nullptr);

// Opens the window on the library's profiles `ids` with the shop's meter and
// name, or says through `messages` why it cannot: the bench settings lack what EI
// needs, or fewer than two profiles give a shaft. Returns the window opened,
// or nothing.
class BuildSetDialog;
BuildSetDialog* OpenBuildSet(ShaftLibrary& library, const QList<qint64>& ids, const GeometrySettings& geometry,
                             const QString& loadUnit, const ShopSettings& shop, MessageBox& messages, QWidget* parent);

class BuildSetDialog : public QDialog {
    Q_OBJECT
public:
    // `request`: the set-up the window starts from, its shafts those to build.
    // `skipped`: the profiles left out and why, shown under the table.
    // `shop`: the shop's name the certificate carries; `spine` by shaft.
    BuildSetDialog(SetRequest request, QStringList skipped, QWidget* parent = nullptr, QString shop = {},
                std::vector<std::optional<ShaftSpine>> spine = {});
    const SetBuild& figures() const { return set_; }
    // The certificate of the set as it stands, for the customer typed.
    SetCertificate certificate() const;
    // The set in words: the fitted slope, how many clubs are on the line,
    // each mark, and the profiles left out.
    QStringList summary() const;

signals:
    void printRequested();
    void exportPdfRequested();

private:
    void solve();
    void drawEi();
    void fillTable();
    void drawChart();
    SetRequest request_;
    QStringList skipped_;
    SetBuild set_;
    QString shop_;
    std::vector<std::optional<ShaftSpine>> spine_;
    QDoubleSpinBox* firstBox_ = nullptr;
    QDoubleSpinBox* spacingBox_ = nullptr;
    QDoubleSpinBox* slopeBox_ = nullptr;
    QDoubleSpinBox* tipBox_ = nullptr;
    QDoubleSpinBox* tipStepBox_ = nullptr;
    QDoubleSpinBox* maxTipBox_ = nullptr;
    QDoubleSpinBox* baseTipBox_ = nullptr;
    QComboBox* cboAssign_ = nullptr;
    QDoubleSpinBox* toleranceBox_ = nullptr;
    QCheckBox* spineCheck_ = nullptr;
    QCheckBox* matchedCheck_ = nullptr;
    QLineEdit* customerBox_ = nullptr;
    PictureArea* chart_ = nullptr;
    PictureArea* eiChart_ = nullptr;
    QTableWidget* tblClubs_ = nullptr;
    QLabel* summaryLabel_ = nullptr;
};

} // namespace tarvex
