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

// The summary's refusal of a report date after today, for the summary or the visit pack (`what`),
// as the status line says it; empty for a date up to today. Days to come would count as days
// recorded without symptoms.
QString refusedFutureDate(const QString& what, const QDate& reportDate);

// "1 day", "2 days": the count with the noun that agrees with it.
QString countOf(int n, const QString& one, const QString& many);
// "0 of 1 day recorded", "3 of 25 days recorded".
QString ofDaysRecorded(int n, int recorded);

// One line of a section: its label and its values, which share the two value columns evenly: one
// across both, one a column, or (the peak flows) morning and evening in each.
struct SummaryLine {
    QString label;
    QStringList values;
    bool bold = false;     // the values
    bool caption = false;  // the values name the columns below them
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

// The summary's layout, from texts measured on its picture: a label column and two value columns,
// each wide enough to be halved for the morning and the evening.
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
// diary beside the four weeks before, the level of control, the peak flows of both, then the days
// off and preventer doses of the four weeks. Without a recorded day in the four weeks, or for a
// report date after today, there is no report.
ReportResult ControlSummary(store::ReportCursors& cursors, const store::PersonId& person, const QDate& reportDate,
                            qreal pixelRatio = 1.0);
// The same from the person's rows of a period read that holds the summary's 56 days.
ReportResult ControlSummary(const stats::PeriodRows& rows, const QDate& reportDate, qreal pixelRatio = 1.0);

}  // namespace pulmora::reports
