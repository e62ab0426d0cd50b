#pragma once

#include "ReportCanvas.h"
#include "ReportResult.h"
#include "stats/AsthmaControl.h"
#include "store/ReportCursors.h"

#include <QDate>
#include <QStringList>

#include <vector>

namespace pulmora::reports {

inline const QString kControlSummaryCaption = QStringLiteral(" Control Summary for Period Starting ");
inline const QString kNotADiagnosis =
    QStringLiteral("From the diary's records for the days recorded; not a diagnosis.");

// One line of a section: its label and its values, one a column or one across both.
struct SummaryLine {
    QString label;
    QStringList values;
    bool bold = false;  // the values
};
// A heading row with the captions of the two value columns, and its lines.
struct SummarySection {
    QString heading;
    QStringList captions;
    std::vector<SummaryLine> lines;
};

// What the summary says, before it is drawn: its title, its sections and the notes under them.
struct SummaryText {
    QString title;
    std::vector<SummarySection> sections;
    QStringList notes;
};
SummaryText summaryText(const stats::AsthmaControl& control);

// The summary's layout, from texts measured on its picture: a label column and two value columns.
struct SummaryMetrics {
    int rowHeight = 0;
    int labelWidth = 0;
    int columnWidth = 0;
    int width() const { return labelWidth + 2 * columnWidth; }
};
SummaryMetrics measureSummary(const SummaryText& text);
int summaryHeight(const SummaryText& text, const SummaryMetrics& m);

// The summary drawn from the painter's origin, `m.width()` wide and `summaryHeight` high.
void DrawControlSummary(ReportCanvas& canvas, const SummaryText& text, const SummaryMetrics& m);

// The four weeks up to the report date: the four questions of asthma control answered from the
// diary beside the four weeks before, the level of control, then the peak flows, days off and
// preventer doses of the four weeks. Without a recorded day in the four weeks there is no report.
ReportResult ControlSummary(store::ReportCursors& cursors, const QString& person, const QDate& reportDate,
                            qreal pixelRatio = 1.0);

}  // namespace pulmora::reports
