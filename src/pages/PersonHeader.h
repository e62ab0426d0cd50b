#pragma once

#include "reports/ReportResult.h"
#include "store/Values.h"

#include <QDate>
#include <QFont>
#include <QRect>
#include <QString>

#include <vector>

class QPainter;

// The person header above a printed or saved text report: the report's title, then the
// person's names, gender and title, health number, date of birth and occupation.
namespace pulmora::reports {

// Texts measured on a page picture in its default font, the report font.
struct PageMetrics {
    int LH = 0;  // text height of "M"
    int MW = 0;  // text width of " Margin ", blanks included

    static PageMetrics measure();
    // The header is five lines high.
    int headerHeight() const { return 5 * LH; }
};

// "Weekly Comparison Report", "Monthly Basic Report", "Monthly Additional Report" or "Control Summary".
QString reportTitle(ReportKind kind);

// A date of birth stored as "YYYYMMDD", written "D-MMM-YYYY". A stored day of 0 stands for
// today, a stored year of 0 for 2000; a text that is no date at all is written as stored.
QString birthDateText(const QString& stored, const QDate& today);

// One text of the header: where it stands and in which font.
struct HeaderText {
    QString text;
    QRect rect;  // the text's extent
    QFont font;
};

// The header's texts for the width: the bold title, the bold labels and the values.
std::vector<HeaderText> layOutPersonHeader(int width, const QString& title, const store::RepPerson& person);

// Draws the header `width` wide and five lines high from the painter's origin, cut off at its
// edges. The values line up on the width of the bold title, whatever the width of the labels;
// where the longest values would then overprint the next column or run off the header, they line
// up after their column's widest label, and one that still does not fit is set smaller.
void DrawPersonHeader(QPainter& painter, int width, const QString& title, const store::RepPerson& person);

}  // namespace pulmora::reports
