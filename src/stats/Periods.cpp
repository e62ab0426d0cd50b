#include "Periods.h"

namespace pulmora::stats {

Period weeklyPresence(const QDate& reportDate) { return {reportDate.addDays(-42), reportDate}; }

Period weeklyWeek(const QDate& reportDate, int week) {
    return {reportDate.addDays(-7 * qint64(7 - week) + 1), reportDate.addDays(-7 * qint64(6 - week))};
}

Period weeklyReported(const QDate& reportDate) { return {weeklyWeek(reportDate, 1).first, reportDate}; }

Period month(const QDate& reportDate) { return {reportDate.addDays(-(kMonthDays - 1)), reportDate}; }

}  // namespace pulmora::stats
