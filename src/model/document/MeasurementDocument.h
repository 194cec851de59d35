#pragma once
// What one tab holds, apart from how it is shown: the table (the text each
// cell shows, headings included) with its undo history, the note, the load
// cell's unit, the name of the data file it was last read from or saved to,
// whether it has changed since, and on the profile tab the stored curves and
// the view chosen for them. The workspaces show a document and turn the
// user's commands into changes of it; the report, the library and the data
// files take it from here, never from the widgets.
//
// Reading and writing go through bytes or a device: where they come from and
// go to (a file chosen in a dialog, the safe write, the library) is the
// caller's. A read that fails changes nothing.

#include "charts/xy/ProfileCurveStore.h"
#include "charts/xy/ProfileViews.h"
#include "files/FileCommon.h"
#include "files/Recovery.h"
#include "library/ShaftLibrary.h"
#include "tables/Workspace.h"

#include <QLocale>
#include <QObject>
#include <QString>

class QIODevice;

namespace tarvex {

class DataTable;
class TableHistory;

class MeasurementDocument : public QObject {
    Q_OBJECT
public:
    explicit MeasurementDocument(Workspace kind, QObject* parent = nullptr);
    ~MeasurementDocument() override;

    Workspace kind() const { return kind_; }
    DataTable& table() const { return *table_; }
    TableHistory& history() const { return *history_; }

    // Line breaks as "\n", no-break spaces kept: written back as read.
    const QString& note() const { return note_; }
    void setNote(const QString& note) { note_ = note; }
    // The note as a report or an analysis reads it: no-break spaces as blanks.
    QString plainNote() const;
    // The file name without its folder; empty for a table no file holds.
    const QString& fileName() const { return fileName_; }
    void setFileName(const QString& name) { fileName_ = name; }
    // The load cell's unit the readings were taken in ("lbf"); may be empty.
    const QString& loadUnit() const { return loadUnit_; }
    void setLoadUnit(const QString& unit) { loadUnit_ = unit; }
    // The polar interval entry the last read laid the table out by.
    const QString& interval() const { return interval_; }
    bool isModified() const;

    // The profile tab's stored curves, and the view of them the user chose:
    // loads, EI, or the difference from `reference` (0 none, else the curve
    // counted from 1).
    XYChartState& chart() { return chart_; }
    const XYChartState& chart() const { return chart_; }
    ProfileView view() const { return view_; }
    void setView(ProfileView view) { view_ = view; }
    int reference() const { return reference_; }
    void setReference(int curve) { reference_ = curve; }
    // The stored curves, or none after Clear until the next Plot stores one.
    const XYCurveList& shownCurves() const;

    // A data file of the document's kind. The table, headings and note are
    // replaced (an empty stored note or heading keeps the one there), the
    // history forgotten; the file name is the caller's to set.
    Result<void, ReadStatus> read(QIODevice& device);
    Result<void, ReadStatus> read(const QByteArray& bytes);
    // A library measurement, through the bytes of its data file so the table
    // is laid out as from its file (a polar table's interval too), with the
    // measurement's note and unit; the document then names no file.
    Result<void, ReadStatus> read(const Measurement& m);

    // The data file's bytes, or why the table cannot be stored in one.
    Result<QByteArray, SaveStatus> dataFileBytes() const;
    Result<QByteArray, SaveStatus> textExportBytes(const QLocale& locale = QLocale::system()) const;
    // The document as a measurement for the library: the rows as shown, the
    // note, the unit, now, this computer's name, and for a polar table the
    // spine figures when the readings give them.
    Measurement measurement() const;

    // Every cell as its text, for the recovery copy, and a copy put back:
    // modified, and named after no file, so the next save asks where.
    RecoveredTable recoveryCopy() const;
    void restore(const RecoveredTable& copy);

private:
    const Workspace kind_;
    DataTable* table_;
    TableHistory* history_;
    QString note_;
    QString fileName_;
    QString loadUnit_;
    QString interval_;
    XYChartState chart_;
    ProfileView view_ = ProfileView::Load;
    int reference_ = 0;
};

// The bytes a measurement's table reads from: the stored data file, or one
// the writer makes of its rows. A measurement brought over damaged from an
// older library, or whose rows no data file holds, fails with the reason.
Result<QByteArray, ReadStatus> MeasurementDataFile(const Measurement& m);

} // namespace tarvex
