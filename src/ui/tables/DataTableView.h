#pragma once
// The grid that shows a DataTable: the heading row fixed at the top, data rows
// scrolling below, the current cell drawn in its back colour, the selected
// block shaded. It moves the current cell with the mouse and the arrow keys,
// as a grid does, and passes every key and click on to the editor through its
// signals so the editor can decide what they mean.

#include "tables/DataTable.h"

#include <QAbstractScrollArea>
#include <QPointer>
#include <vector>

namespace tarvex {

class DataTableView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit DataTableView(DataTable* table, QWidget* parent = nullptr);

    DataTable* table() const { return table_; }

    // The cell under the pointer at the last mouse event (row 0 is the heading).
    int MouseRow() const { return mouseRow_; }
    int MouseCol() const { return mouseCol_; }

    // Rectangle of a cell in this widget's coordinates; reading the current
    // cell's rectangle first brings it into view, as the editor expects.
    QRect cellRect(int row, int col) const;
    QRect currentCellRect();
    void ensureCellVisible(int row);
    // Whether a data row lies wholly in the scrolled part of the view.
    bool isRowVisible(int row) const;

    int rowHeight() const;
    int columnWidth(int col) const;
    // Cell under a point of this widget; {-1, -1} when none.
    QPoint cellAt(const QPoint& pos) const;

signals:
    // Raised before the grid's own handling; set *handled to stop the grid
    // from moving the current cell for arrow keys.
    void keyDown(QKeyEvent* event, bool* handled);
    // A character typed on the grid: 8 Backspace, 13 Enter, 27 Escape, others.
    void keyPress(QChar ch);
    void doubleClicked();
    void mouseDown(Qt::MouseButton button, QPoint pos);
    void mouseUp(Qt::MouseButton button, QPoint pos);
    void contextMenuKey();
    // The grid lost the keyboard focus to another control of the program; a
    // pop-up menu or another window taking over is not a loss.
    void focusLost();
    // Rows scrolled or columns resized: cell rectangles have moved.
    void cellsMoved();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    // The widths the columns need; the view is never narrower than their sum.
    void fitHeadings();
    void updateScrollBars();
    void trackMouse(const QPoint& pos);
    int firstVisibleRow() const;
    int visibleDataRows() const;

    QPointer<DataTable> table_;
    int mouseRow_ = -1;
    int mouseCol_ = -1;
    bool dragging_ = false;
    std::vector<int> needed_;
};

} // namespace tarvex
