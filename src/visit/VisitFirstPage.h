#pragma once

#include "reports/ReportResult.h"
#include "stats/AsthmaControl.h"
#include "stats/Periods.h"
#include "store/Persons.h"

#include <QStringList>

#include <vector>

// The first page of the visit pack: what a clinician looks at first.
namespace pulmora::reports {

// What the first page says of the person besides the control summary, from the personal card.
struct VisitDetails {
    std::vector<store::PersonMedRow> medication;  // in use, by name
    QStringList triggers;                         // by name, as the reports write them
    int best = 0, predicted = 0, zoneYellow = 0, zoneRed = 0;
};
// The lists from the personal card, the figures from the person's figures of any period read.
VisitDetails readVisitDetails(store::Persons& persons, const store::PersonId& person, const store::RepPerson& figures);

// One block of the page's lists: a heading across the width, the captions of its columns (or
// none) and its rows, one text a column.
struct GridSection {
    QString heading;
    QStringList captions;
    std::vector<QStringList> rows;
    bool evenColumns = false;  // the columns share the width evenly, rather than each as wide as its texts
};
// The medication in use (name, category, instructions, prescribed by and on); how often each
// preventer among it (a combined one too) was taken in the four weeks of the summary, or that there
// is none; the triggers met in those weeks with their days, then the rest of the person's list,
// each in as many columns as fit `width`; and the personal best with the zone limits. Without a
// summary (no day recorded in the four weeks) the preventers have no figures and no trigger is met.
std::vector<GridSection> visitSections(const VisitDetails& details, const stats::AsthmaControl* control, int width);

// The page as a report of its own, printed as the control summary is, in portrait under the
// person header titled "Control Summary": the summary of the period (or, without one, a line
// saying no day of it was recorded), then the sections. It is as wide as the summary, or as its
// widest section needs.
ReportResult VisitFirstPage(const ReportResult& summary, const stats::Period& summaryPeriod,
                            const VisitDetails& details);

}  // namespace pulmora::reports
