#pragma once
// The landscape report: a framed title naming the shaft, a header of who and
// what was measured, the chart of the workspace, its note and its table, at
// fixed positions in inches; a table too long for the first page goes on over
// more pages under a brief header. The same routine draws on the printer and,
// scaled down, on the preview area (which shows the first page).

#include "analysis/SetCertificate.h"
#include "platform/MessageSink.h"
#include "platform/PictureArea.h"
#include "platform/Result.h"
#include "tables/Workspace.h"

#include <QColor>
#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QPageSize>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace tarvex {

class Printer;
class ReportTarget;

// Who and what the report is about, printed under its title. The shaft's
// fields come from the library when the table was opened from there, or as
// typed in the report form.
struct ReportHeader {
    QString shop;
    QString customer;
    QString maker;
    QString model;
    QString flex;
    QString label;
    QString bench;
    // When the readings were taken, as far as the program knows it.
    enum class Dated {
        Unsaved,   // the table is not saved as it stands: the time of printing
        Saved,     // the data file's save time
        Stored,    // the time the library keeps with the measurement
    };
    Dated dated = Dated::Unsaved;
    QDateTime measuredAt;
};

// What a report page shows, taken from the workspace when the print command
// runs; the report form adds the shaft name the user types. Plain values, so
// preview and printer draw the same page and nothing reaches into the window.
struct ReportPage {
    Workspace layout = Workspace::Profile;   // the polar layout has the round chart
    Picture chart;                           // the print copy of the chart
    QList<QStringList> rows;                 // the table's cell texts, headings first
    QString note;
    QString shaftName;
    // Figures worked out from the table, under the chart: a title and lines
    // in columns for a fixed-width font. The note moves down to make room;
    // without them the page is laid out as it always was.
    QString resultsTitle;
    QStringList results;
    ReportHeader header;
    // The units the table's headings and the chart's axis titles name.
    QString loadUnit;
    QString lengthUnit = QStringLiteral("in");
    // The polar chart's scale in words, printed under it.
    QString chartRange;
    // The curves of the profile chart in the order of their numbers, for the legend.
    QStringList curveNames;
    // The profile chart's value axis when it shows something other than the
    // table's load (EI, the difference from a reference); empty for the load.
    QString chartValueTitle;
    // The sine view with its fitted curve, printed beside the polar chart
    // when `showSine` is set (the report form's choice).
    Picture sineChart;
    bool showSine = false;
};

// The table's two headings as printed: trimmed, and the ones the program
// writes ("X", "Y", "Degree", "Load") named with their units.
QStringList ReportHeadings(const ReportPage& page);

// The rows as lines of a fixed-width font: each column as wide as its widest
// cell, the numbers right-aligned on the decimal separator `decimal`, the
// headings right-aligned over them, two blanks between the columns.
QStringList AlignedColumns(const QList<QStringList>& rows, QChar decimal);

// The header's lines under the title; fields left empty are left out.
QStringList ReportHeaderLines(const ReportHeader& header);

// The PDF's title: the shaft's name as typed, else the shaft from the header,
// else the program's report title.
QString ReportTitle(const ReportPage& page);

// How the table's data rows fall on the pages: lines of `lineChars`
// characters in blocks side by side, each block under its own heading, on the
// right of the first page and across the later ones.
struct ReportTableLayout {
    int blocksFirst = 1;
    int rowsPerBlockFirst = 0;
    int blocksLater = 1;
    int rowsPerBlockLater = 0;
    int pages = 1;
    int perFirstPage() const { return blocksFirst * rowsPerBlockFirst; }
    int perLaterPage() const { return blocksLater * rowsPerBlockLater; }
};
ReportTableLayout LayOutReportTable(int dataRows, int lineChars);

// The legend of the profile chart's curves, each name in its curve's colour
// behind a stroke of it, in `columns` columns; `lines` tells how many lines
// of the page's text it takes.
Picture ReportLegend(const QStringList& names, int columns, int& lines);

// Cuts a long note line into pieces of at most w characters, preferring the
// last blank beyond the middle; always ends with one empty piece.
QStringList WrapText(QString s, std::int16_t w);

// The profile report: chart 6.3 x 3.6 inches, the figures under it. On a failure the description is
// shown once and the drawing stops; what was drawn stays.
void DrawProfileReport(ReportTarget& target, double Ratio, const ReportPage& page,
                       const MessageSink& onFailure);
// The polar report: the same with the round chart 3.6 x 3.6 inches.
void DrawPolarReport(ReportTarget& target, double Ratio, const ReportPage& page,
                     const MessageSink& onFailure);
// The one of the two that the page's layout asks for.
void DrawReport(ReportTarget& target, double Ratio, const ReportPage& page,
                const MessageSink& onFailure);

// The report on the printer's pages, and the pages sent: on paper or into a PDF
// file, the same pages. After a failure the page as far as drawn is still
// sent; the failure is the first one met, drawing or sending.
Result<> PrintReport(Printer& printer, const ReportPage& page);

// The set certificate: the same frame and font as the report, its title on
// every page with the page's number, the lines in 9 point below it, as many
// pages as the lines need.
constexpr int kCertificateLinesPerPage = 40;
void DrawCertificatePage(ReportTarget& target, double Ratio, const SetCertificate& cert, const QStringList& lines,
                         int page, int pages, const MessageSink& onFailure);
// Every page of it on the printer, sent as one document; like PrintReport.
Result<> PrintCertificate(Printer& printer, const SetCertificate& cert);

// The landscape sheet a report is laid out on, in inches; gaps are the
// unprintable edges, half the difference between sheet and printable area.
struct PageGeometry {
    double width = 0;
    double height = 0;
    double gapX = 0;
    double gapY = 0;
    QString fontName;
    double fontSize = 10;
    QColor foreColor{0, 0, 0};
};

// The default printer's sheet in landscape; throws what the printer throws.
PageGeometry ReadPrinterPage(Printer& printer);
// The sheet of the desktop's region: Letter where the region uses it (the
// United States, Canada, Mexico and a few more), A4 elsewhere.
QPageSize::PageSizeId DesktopSheet(const QLocale& locale = QLocale::system());

// The sheet the preview shows when there is no printer to ask: `sheet` in
// landscape with quarter-inch edges.
PageGeometry StandardPage(QPageSize::PageSizeId sheet = DesktopSheet());

// Makes the preview area a scaled picture of the printer's sheet: the area
// grows (never shrinks) to the sheet's proportions, is scaled in inches with
// the printer's origin, and is erased. Returns the scale ratio of the preview
// to paper. When the printer fails, its description is shown and the preview
// shows a standard sheet instead; no default printer is no failure, and
// shows the desktop's sheet without a word.
double SetPreviewScale(Printer* printer, PictureArea& pic, const MessageSink& onFailure);

} // namespace tarvex
