#include "VisitPack.h"

#include "ActionPlan.h"
#include "RoomPage.h"
#include "VisitFirstPage.h"
#include "YearPage.h"
#include "graphs/GraphOutput.h"
#include "graphs/GraphPlan.h"
#include "output/PageMargins.h"
#include "pages/ReportPage.h"
#include "reports/ControlSummary.h"
#include "reports/MonthlyAdditional.h"
#include "reports/MonthlyBasic.h"
#include "reports/ReportRun.h"
#include "reports/WeeklyComparison.h"
#include "stats/AsthmaControl.h"
#include "stats/YearRisks.h"
#include "store/Clock.h"

#include <algorithm>

namespace pulmora::reports {
namespace {

// The job's pages, each keeping the orientation it prints in on its own.
void append(output::PrintJob& pack, const output::PrintJob& part) {
    for (output::PrintedPage page : part.pages) {
        page.orientation = part.orientationOf(page);
        pack.pages.push_back(std::move(page));
    }
}

// The days every page of the pack reports on: each page's period ends on the report date, so
// they lie within the period from the earliest start to the report date.
stats::Period packRowsPeriod(const QDate& reportDate) {
    const stats::Period periods[] = {visitPackPeriod(reportDate), stats::controlRowsPeriod(reportDate),
                                     stats::lastTwelveMonths(reportDate), stats::weeklyPresence(reportDate),
                                     stats::month(reportDate)};
    stats::Period all = periods[0];
    for (const stats::Period& period : periods) all.first = std::min(all.first, period.first);
    return all;
}

QString noPackFor(const stats::Period& period, bool anyDay) {
    return anyDay ? QString()
                  : " Cannot Produce Visit Pack as there is no Data for Period Starting " + periodText(period);
}

// The person's names, as the footer gives them; the banner's name for a person without any.
QString footerName(const store::RepPerson& person, const QString& shownName) {
    const QString name = (person.firstName.trimmed() + QLatin1Char(' ') + person.surname.trimmed()).trimmed();
    return name.isEmpty() ? shownName : name;
}

}  // namespace

const std::vector<GraphOption>& visitPackGraphs() {
    static const std::vector<GraphOption> graphs = {GraphOption::PercentageBest, GraphOption::ZoneFrequency,
                                                    GraphOption::DiurnalVariation, GraphOption::RelieverUse};
    return graphs;
}

stats::Period visitPackPeriod(const QDate& reportDate) {
    const GraphPeriod months = graphPeriod(reportDate, spanDays(kVisitPackGraphSpan));
    return {months.first, months.last};
}

QString noVisitPack(store::ReportCursors& cursors, const VisitPackRequest& request) {
    if (QString refused = refusedFutureDate(QStringLiteral("Visit Pack"), request.reportDate); !refused.isEmpty())
        return refused;
    const stats::Period period = visitPackPeriod(request.reportDate);
    return noPackFor(period, cursors.GetRPer(request.person, period.first, period.last).person.reportAvailable);
}

VisitPack BuildVisitPack(store::Diary& diary, const VisitPackRequest& request, const QPageSize& paper) {
    VisitPack pack{visitPackPeriod(request.reportDate), paper, {}, {}};
    pack.status = refusedFutureDate(QStringLiteral("Visit Pack"), request.reportDate);
    if (!pack.available()) return pack;
    // Every page's days come from this one read.
    const stats::PeriodRows rows =
        stats::readPeriodRows(diary.reports, request.person, packRowsPeriod(request.reportDate));
    const GraphPeriod months{pack.period.first, pack.period.last};
    const WorkingTable graphTable = PeakFlowTableOf(rows.days, months);
    const store::RepPerson& person = graphTable.person;
    pack.status = noPackFor(pack.period, person.reportAvailable);
    if (!pack.available()) return pack;

    const ReportResult summary = ControlSummary(rows, request.reportDate);
    append(pack.job, PrintAsthmaReport(VisitFirstPage(summary, stats::controlPeriod(request.reportDate),
                                                      readVisitDetails(diary.persons, request.person, person))));
    const QSizeF portrait = portraitRoom(paper, true);
    append(pack.job, PrintActionPlan(actionPlanOf(person, store::clock::today(), diary.persons.ListMed(request.person)),
                                     portrait));
    const stats::Period year = stats::lastTwelveMonths(request.reportDate);
    append(pack.job, PrintYearPage(stats::CollectYearRisks(store::periodWithin(rows.days, year.first, year.last), year),
                                   portrait));
    append(pack.job, PrintAsthmaReport(WeeklyComparison(rows.days, request.reportDate)));
    append(pack.job, PrintAsthmaReport(MonthlyBasic(rows.days, request.reportDate)));
    // The first day of the month compares with the last recorded day before it, however long
    // before: one lookup, as no read of a period can be sure to hold that day.
    const store::CompareRecord dayBefore =
        diary.reports.GetRPrvDly(request.person, stats::month(request.reportDate).first);
    append(pack.job, PrintAsthmaReport(MonthlyAdditional(rows, dayBefore, request.reportDate)));

    QSizeF room = output::printableRoom(QPageLayout(paper, QPageLayout::Portrait, {}), QPageLayout::Landscape);
    room.rheight() -= output::kFooterInches;
    for (const GraphOption option : visitPackGraphs()) {
        const GraphPlan plan = PlotPeakFlow(graphTable, {option, request.shownName, months, false});
        if (plan.info.isEmpty()) append(pack.job, PrintChart(plan, room));
    }
    pack.job.footer = output::PageFooter{footerName(person, request.shownName), periodText(pack.period)};
    return pack;
}

output::PrintOutcome SaveVisitPack(const VisitPack& pack, const QString& path) {
    return output::printToPdf(path, pack.job, pack.paper);
}

}  // namespace pulmora::reports
