#pragma once
// The sine view window: the polar table unrolled over the columns of a grid,
// drawn once when the window opens. Modal; "OK" closes it.

#include "analysis/SpineAnalysis.h"
#include "platform/Result.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

namespace tarvex {

class DataTable;
class MessageBox;
class PictureArea;
class PictureAreaWidget;

class frmSinePlot : public QDialog {
    Q_OBJECT
public:
    // Reads `table` and the scale range text when it draws; a failure to draw
    // is told through `messageBox`. The fitted curve of `analysis` is drawn
    // over the readings when it has figures.
    frmSinePlot(const DataTable& table, const QString& rangeText, MessageBox& messageBox,
                const SpineAnalysis& analysis = {}, QWidget* parent = nullptr);
    ~frmSinePlot() override;

    // Opens the window modally, draws and waits until it is closed.
    void ShowModal();

    // Title, then the drawing; a drawing that fails shows its message and the
    // window stays.
    void Form_Load();

    PictureArea* SineDrawing = nullptr;
    PictureAreaWidget* SineDrawingView = nullptr;
    QPushButton* Command1 = nullptr;
    QCheckBox* chkParts = nullptr;    // the once- and twice-per-turn parts too
    QCheckBox* chkZoom = nullptr;     // a scale that spreads the readings over the grid
    QLabel* lblLegend = nullptr;

public slots:
    void Command1_Click();

private:
    // Draws, and tells a drawing that had to stop: at load and at every
    // change of the choices alike.
    void redraw();
    Result<> draw();

    const DataTable& table_;
    SpineAnalysis analysis_;
    QString rangeText_;
    MessageBox& messageBox_;
};

} // namespace tarvex
