#include "SpokenReport.h"

#include "pages/PersonHeader.h"

#include <QLocale>

namespace pulmora::reports {
namespace {

QString dayText(const QDate& day) { return QLocale(QLocale::English).toString(day, "d MMMM yyyy"); }

// The figures a reader asks for first, over one period.
QString mainFigures(const PeriodFigures& latest) {
    const stats::PeriodStats& s = latest.stats;
    QStringList said{QStringLiteral("%1: %2 days recorded").arg(latest.caption).arg(s.DaysRecorded)};
    if (s.MornReadings) said << QStringLiteral("morning peak flow %1 on average").arg(s.MornAverage);
    if (s.EvenReadings) said << QStringLiteral("evening peak flow %1 on average").arg(s.EvenAverage);
    said << QStringLiteral("diurnal variation %1%").arg(s.DiurnalAverage)
         << QStringLiteral("%1 days with day symptoms, %2 with night symptoms")
                .arg(s.DaysDaySymptoms)
                .arg(s.DaysNightSymptoms)
         << QStringLiteral("reliever used %1 times").arg(s.RelieverTotal)
         << QStringLiteral("days rated good %1, average %2, bad %3")
                .arg(s.DaysRatedGood)
                .arg(s.DaysRatedAverage)
                .arg(s.DaysRatedBad);
    return said.join(", ");
}

}  // namespace

QString describeReport(const ReportResult& report) {
    const std::vector<PeriodFigures> periods = report.periods();
    if (periods.empty()) return report.status;
    const stats::Period whole{periods.front().period.first, periods.back().period.last};
    return QStringLiteral("%1, %2 to %3. %4.")
        .arg(reportTitle(report.kind()), dayText(whole.first), dayText(whole.last), mainFigures(periods.back()));
}

QString describeGraph(const GraphPlan& plan) {
    if (!plan.info.isEmpty()) return plan.info;
    QString said = plan.title.join(QStringLiteral(", "));
    if (plan.cPieA.active) return said + QStringLiteral(". Zones as %1 slices.").arg(plan.cPieA.points.size());
    if (plan.axesShown && plan.cSerA.active)
        said += QStringLiteral(". %1 against %2, %3 points on a scale of %4 to %5.")
                    .arg(plan.left.title, plan.bottom.title)
                    .arg(plan.cSerA.points.size())
                    .arg(plan.left.minimum)
                    .arg(plan.left.maximum);
    return said;
}

}  // namespace pulmora::reports
