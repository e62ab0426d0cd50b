#pragma once

#include "PersonHeader.h"
#include "output/Printing.h"
#include "reports/ReportResult.h"

#include <QImage>
#include <QRect>

// The page a text report is printed on and the picture it is saved as: the person header over
// the report picture, in the pixels of the report picture.
namespace pulmora::reports {

// Where the parts of a printed page go. The weekly page keeps a band MW + 14 pixels wide at
// its left for punching holes, the monthly pages keep one as high at their top.
struct PageLayout {
    enum class Band { Left, Top };

    Band band = Band::Top;
    QSize page;
    QRect header;    // five lines high
    QPoint report;   // the report picture's top left corner
    int notesY = 0;  // the rule above "Notes"
};

// Portrait: the band at the left, the header as wide as the page less the band.
PageLayout weeklyLayout(QSize report, const PageMetrics& m);
// Landscape: the band at the top with the margin mark at its right end.
PageLayout monthlyLayout(QSize report, const PageMetrics& m);

// The page of a text report on show, recorded as vectors by the drawing that made its
// picture, with the orientation and the letter yardstick it prints by: one page, the weekly
// comparison and the control summary in portrait, the monthly reports in landscape.
output::PrintJob PrintAsthmaReport(const ReportResult& report);

// The size of the picture a text report is saved as: the report's width, the header's and
// the report's height.
QSize savedPictureSize(const ReportResult& report);
// That picture: the header at the top, the report below it. A null image without a report.
QImage savedReportPicture(const ReportResult& report);

// The letter "H" as the report card measures it in its font, the report font.
output::ScreenLetter cardLetter();

}  // namespace pulmora::reports
