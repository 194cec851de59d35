#pragma once
// The grid that shows a DataTable, on QTableView: the headings in the
// horizontal header, which stays in view; data rows scrolling below; the
// current cell and the selected block kept in the selection model, so
// keyboard users and screen readers find them where Qt's views keep them.
// The DataTable stays the one place of the current cell: the grid moves it
// for the mouse and the navigation keys and follows it otherwise, and passes
// every key and click on to the cell editor through its signals.
//
// Rows and columns are the table's own: row 0 is the heading row.

#include "tables/DataTable.h"
#include "tables/TableModel.h"

#include <QPointer>
#include <QTableView>
#include <vector>

namespace tarvex {

class GridView : public QTableView {
    Q_OBJECT
public:
    explicit GridView(DataTable* table, QWidget* parent = nullptr);

    DataTable* table() const { return table_; }
    TableModel* tableModel() const { return model_; }

    // The cell under the pointer at the last mouse event (row 0 is the heading).
    int mouseRow() const { return mouseRow_; }
    int mouseCol() const { return mouseCol_; }

    // Rectangle of a cell in the viewport's coordinates (where the editor
    // box lives); the heading row lies above the viewport.
    QRect cellRect(int row, int col) const;
    void ensureCellVisible(int row);
    // Whether a data row lies wholly in the scrolled part of the view.
    bool isRowVisible(int row) const;
    int rowHeight() const;
    // Data rows a page key moves.
    int pageRows() const;

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
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    // The view is never narrower than the columns' headings (drawn bold) or
    // a number of ordinary length need.
    void fitHeadings();
    // The selection model follows the table's current cell and block.
    void followCurrent();
    void trackMouse(const QPoint& viewportPos);

    QPointer<DataTable> table_;
    TableModel* model_ = nullptr;
    int mouseRow_ = -1;
    int mouseCol_ = -1;
    bool dragging_ = false;
};

} // namespace tarvex
