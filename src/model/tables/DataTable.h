#pragma once
// DataTable: the table of text cells behind both workspaces. Row 0 holds the
// column headings and stays in view; rows 1.. hold data. It knows nothing
// about widgets: TableModel puts it before Qt's item views, and every change
// is announced cell by cell and row range by row range so a view of 32,767
// rows repaints only what changed.

#include <QColor>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace tarvex {

inline const QColor kHighlightColor(192, 255, 192);

// One change of the table's text, kept so that it can be taken back: a cell's
// text, or rows put in or taken out with the texts they held. Colours and the
// current cell are not data and are not kept.
struct TableEdit {
    enum class Kind { Text, InsertRows, RemoveRows };
    Kind kind = Kind::Text;
    int row = 0;
    int col = 0;
    QString before;
    QString after;
    std::vector<QStringList> rows;
};

class DataTable : public QObject {
    Q_OBJECT
public:
    explicit DataTable(int cols = 2, QObject* parent = nullptr);

    int Rows() const { return static_cast<int>(cells_.size()); }
    // Raising appends empty rows, lowering drops rows from the bottom. Values
    // below 1 are refused: the heading row always stays.
    void setRows(int rows);
    int Cols() const { return cols_; }

    // Current cell. Moving it raises leave (old cell) then enter (new cell),
    // and collapses the selected block onto the new current cell.
    int Row() const { return row_; }
    int Col() const { return col_; }
    void setRow(int row);
    void setCol(int col);
    void setCurrent(int row, int col);

    // Far corner of the selected block. A block dragged upwards or leftwards
    // (RowSel < Row or ColSel < Col) is empty to every block command.
    int RowSel() const { return rowSel_; }
    int ColSel() const { return colSel_; }
    void setRowSel(int row);
    void setColSel(int col);
    bool blockIsEmpty() const { return rowSel_ < row_ || colSel_ < col_; }

    QString Text() const { return TextMatrix(row_, col_); }
    void setText(const QString& text) { setTextMatrix(row_, col_, text); }
    QString TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);

    void AddItem(const QString& text, int index);
    void RemoveItem(int index);

    // Selected block as text: cells joined by tab, rows by carriage return.
    QString Clip() const;
    // Fills the selected block from its top-left cell; text beyond the block
    // is dropped and block cells beyond the text keep their text.
    void setClip(const QString& text);

    // "<", "^" or ">" then the heading, one segment per column, joined by "|".
    void setFormatString(const QString& format);
    Qt::Alignment ColAlignment(int col) const;

    // An invalid colour stands for the system window background, the colour
    // of every cell that is not marked.
    QColor CellBackColor() const { return cellBackColor(row_, col_); }
    void setCellBackColor(const QColor& color) { setCellBackColor(row_, col_, color); }
    QColor cellBackColor(int row, int col) const;
    void setCellBackColor(int row, int col, const QColor& color);
    // Every cell back to the window background.
    void clearCellBackColors();

    QString EntryText() const { return entryText_; }
    void setEntryText(const QString& text) { entryText_ = text; }

    // Listeners for the editor: told when the current cell is left and entered.
    std::function<void()> onLeaveCell;
    std::function<void()> onEnterCell;

    // Plain snapshot of all cells, row by row, for tests and file writers.
    std::vector<QStringList> snapshot() const;

    // While a journal is set, every change of text or rows is appended to it.
    void setJournal(std::vector<TableEdit>* journal) { journal_ = journal; }
    std::vector<TableEdit>* journal() const { return journal_; }
    // Puts an edit back (undo) or makes it again (redo); the journal is not
    // written meanwhile.
    void revert(const TableEdit& edit);
    void reapply(const TableEdit& edit);

signals:
    void changed();           // cells, rows or colours changed
    void cellsChanged();      // a cell's text or the number of rows changed
    void currentChanged();    // current cell or selection moved
    // The same changes in detail, for item models. Row numbers are the
    // table's own (0 the headings).
    void cellChanged(int row, int col);           // text or colour
    void rowsAboutToBeInserted(int first, int last);
    void rowsInserted(int first, int last);
    void rowsAboutToBeRemoved(int first, int last);
    void rowsRemoved(int first, int last);
    void colorsCleared();
    void alignmentChanged();

private:
    void replay(const TableEdit& edit, bool forward);
    bool valid(int row, int col) const { return row >= 0 && row < Rows() && col >= 0 && col < cols_; }
    void moveCurrent(int row, int col);
    void insertRows(int at, std::vector<QStringList> rows);
    void removeRows(int at, int count);
    void keepCurrentInside();
    void record(TableEdit edit);

    int cols_;
    std::vector<QStringList> cells_;
    std::vector<std::vector<QColor>> colors_;
    std::vector<Qt::Alignment> alignment_;
    int row_ = 1;
    int col_ = 0;
    int rowSel_ = 1;
    int colSel_ = 0;
    QString entryText_;
    std::vector<TableEdit>* journal_ = nullptr;
};

} // namespace tarvex
