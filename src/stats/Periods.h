#pragma once

#include <QDate>

// Where a report's periods lie around its report date. Every period ends on or before the
// report date; a report never looks past it.
namespace pulmora::stats {

struct Period {
    QDate first, last;  // both included
    int days() const { return int(first.daysTo(last)) + 1; }
};

constexpr int kWeeks = 6;

// The days the weekly comparison asks the person's figures for: one day more than its six
// weeks, so a record on the day before the first week still makes the report available.
Period weeklyPresence(const QDate& reportDate);
// Week 1 (the oldest) .. week 6 (ending on the report date), seven days each.
Period weeklyWeek(const QDate& reportDate, int week);
// The six weeks together: the days the weekly comparison reports.
Period weeklyReported(const QDate& reportDate);

constexpr int kMonthDays = 31;

// The 31 days up to the report date: what the monthly reports ask the person's figures for and
// what they report, one day a column.
Period month(const QDate& reportDate);

}  // namespace pulmora::stats
