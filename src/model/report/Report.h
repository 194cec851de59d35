#pragma once
// The one-page landscape report: a framed title naming the shaft, the chart of
// the workspace, its note and its table, at fixed positions in inches. The
// same routine draws on the printer and, scaled down, on the preview area.

#include "analysis/SetCertificate.h"
#include "platform/MessageSink.h"
#include "platform/PictureArea.h"
#include "tables/Workspace.h"

#include <QColor>
#include <QList>
#include <QLocale>
#include <QPageSize>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace tarvex {

class Printer;
class ReportTarget;

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
};

// Cuts a long note line into pieces of at most w characters, preferring the
// last blank beyond the middle; always ends with one empty piece.
QStringList WrapText(QString s, std::int16_t w);

// The profile report: chart 6.3 x 3.7 inches, the figures under it. On a failure the description is
// shown once and the drawing stops; what was drawn stays.
void DrawProfileReport(ReportTarget& target, double Ratio, const ReportPage& page,
                       const MessageSink& onFailure);
// The polar report: the same with the round chart 3.7 x 3.7 inches.
void DrawPolarReport(ReportTarget& target, double Ratio, const ReportPage& page,
                     const MessageSink& onFailure);
// The one of the two that the page's layout asks for.
void DrawReport(ReportTarget& target, double Ratio, const ReportPage& page,
                const MessageSink& onFailure);

// The report on the printer's page, and the page sent: on paper or into a PDF
// file, the same page. A failure is told once, and the page as far as drawn
// is still sent; returns whether all of it went out.
bool PrintReport(Printer& printer, const ReportPage& page, const MessageSink& onFailure);

// The set certificate: the same frame and font as the report, its title on
// every page with the page's number, the lines in 9 point below it, as many
// pages as the lines need.
constexpr int kCertificateLinesPerPage = 40;
void DrawCertificatePage(ReportTarget& target, double Ratio, const SetCertificate& cert, const QStringList& lines,
                         int page, int pages, const MessageSink& onFailure);
// Every page of it on the printer, sent as one document; like PrintReport.
bool PrintCertificate(Printer& printer, const SetCertificate& cert, const MessageSink& onFailure);

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
