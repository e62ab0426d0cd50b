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

namespace pulmora::reports {
namespace {

// The job's pages, each keeping the orientation it prints in on its own.
void append(output::PrintJob& pack, const output::PrintJob& part) {
    for (output::PrintedPage page : part.pages) {
        page.orientation = part.orientationOf(page);
        pack.pages.push_back(std::move(page));
    }
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
    const GraphPeriod months = graphPeriod(reportDate, PeriodDays(kVisitPackGraphPeriod));
    return {months.first, months.last};
}

QString noVisitPack(store::ReportCursors& cursors, const VisitPackRequest& request) {
    if (QString refused = refusedFutureDate(QStringLiteral("Visit Pack"), request.reportDate); !refused.isEmpty())
        return refused;
    const stats::Period period = visitPackPeriod(request.reportDate);
    if (cursors.GetRPer(request.person, period.first, period.last).person.reportAvailable) return {};
    return " Cannot Produce Visit Pack as there is no Data for Period Starting " + periodText(period);
}

VisitPack BuildVisitPack(store::Diary& diary, const VisitPackRequest& request, const QPageSize& paper) {
    VisitPack pack{visitPackPeriod(request.reportDate), paper, {}, noVisitPack(diary.reports, request)};
    if (!pack.available()) return pack;
    const GraphPeriod months{pack.period.first, pack.period.last};
    const store::RepPerson person = diary.reports.GetRPer(request.person, months.first, months.last).person;

    const ReportResult summary = ControlSummary(diary.reports, request.person, request.reportDate);
    append(pack.job, PrintAsthmaReport(VisitFirstPage(summary, stats::controlPeriod(request.reportDate),
                                                      readVisitDetails(diary.persons, request.person))));
    const QSizeF portrait = portraitRoom(paper, true);
    append(pack.job, PrintActionPlan(readActionPlan(diary, request.person, store::clock::today()), portrait));
    append(pack.job,
           PrintYearPage(stats::CollectYearRisks(diary.reports, request.person, request.reportDate), portrait));
    for (ReportBuilder build : {ReportBuilder(WeeklyComparison), ReportBuilder(MonthlyBasic),
                                ReportBuilder(MonthlyAdditional)})
        append(pack.job, PrintAsthmaReport(build(diary.reports, request.person, request.reportDate, 1.0)));

    QSizeF room = output::printableRoom(QPageLayout(paper, QPageLayout::Portrait, {}), QPageLayout::Landscape);
    room.rheight() -= output::kFooterInches;
    for (const GraphOption option : visitPackGraphs()) {
        const GraphRun graph = runGraph(diary.reports, request.person, {option, request.shownName, months, false});
        if (graph.plan.info.isEmpty()) append(pack.job, PrintChart(graph.plan, room));
    }
    pack.job.footer = output::PageFooter{footerName(person, request.shownName), periodText(pack.period)};
    return pack;
}

output::PrintOutcome SaveVisitPack(const VisitPack& pack, const QString& path) {
    return output::printToPdf(path, pack.job, pack.paper);
}

}  // namespace pulmora::reports
