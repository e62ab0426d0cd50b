#pragma once

#include "Periods.h"
#include "store/ReportCursors.h"

#include <vector>

namespace pulmora::stats {

// A person's rows over a period, each file read once: the days with the person's figures for
// them, the triggers met and the medication taken, in the order the store reads them. A page of
// several reports reads the longest period it needs and gives each report the part it covers.
struct PeriodRows {
    Period period;
    store::PersonPeriod days;
    std::vector<store::DayTriggerItem> triggers;
    std::vector<store::DayMedItem> medication;
};

PeriodRows readPeriodRows(store::ReportCursors& cursors, const store::PersonId& person, const Period& period);

// The rows of a period within the one read, with the person's figures for it.
PeriodRows rowsWithin(const PeriodRows& rows, const Period& period);

}  // namespace pulmora::stats
