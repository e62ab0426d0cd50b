#pragma once

#include "graphs/GraphPlan.h"
#include "output/Printing.h"
#include "stats/Periods.h"
#include "store/Diary.h"

#include <QPageSize>
#include <QStringList>

// One PDF file for a visit to the doctor or asthma nurse.
namespace pulmora::reports {

// The graphs the pack holds, in its order, each over three months.
const std::vector<GraphOption>& visitPackGraphs();
constexpr GraphSpan kVisitPackGraphSpan = GraphSpan::ThreeMonths;

struct VisitPackRequest {
    store::PersonId person;
    QString shownName;  // the name as the report card's banner shows it, in the graphs' titles
    QDate reportDate;
};

// The pack's pages for one person and report date: the first page (the control summary, the
// medication in use, the triggers, the personal best and zone limits), the asthma action plan,
// the last 12 months up to the report date, the weekly comparison,
// the monthly basic and the monthly additional report, each as it prints, and the graphs laid out
// for a landscape page of the paper. A report or graph with nothing to show is left out. Every
// page carries a footer with the person's name, the pack's period and its page number.
struct VisitPack {
    stats::Period period;  // the graphs' three months: the longest period the pack reports on
    QPageSize paper;
    output::PrintJob job;
    // Without a recorded day in the period there is no pack: the status line saying so.
    QString status;
    bool available() const { return status.isEmpty(); }
};

// The period the pack reports on, up to the report date.
stats::Period visitPackPeriod(const QDate& reportDate);
// Why there is no pack for the request, as the status line says it; empty when there is one.
QString noVisitPack(store::ReportCursors& cursors, const VisitPackRequest& request);

VisitPack BuildVisitPack(store::Diary& diary, const VisitPackRequest& request, const QPageSize& paper);

// Writes the pack as a PDF file, whole or not at all, as every file the user names.
[[nodiscard]] output::PrintOutcome SaveVisitPack(const VisitPack& pack, const QString& path);

}  // namespace pulmora::reports
