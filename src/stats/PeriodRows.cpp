#include "PeriodRows.h"

#include <algorithm>
#include <iterator>

namespace pulmora::stats {
namespace {

template <class Item>
std::vector<Item> itemsWithin(const std::vector<Item>& items, const Period& period) {
    std::vector<Item> within;
    std::copy_if(items.begin(), items.end(), std::back_inserter(within),
                 [&](const Item& item) { return item.date >= period.first && item.date <= period.last; });
    return within;
}

}  // namespace

PeriodRows readPeriodRows(store::ReportCursors& cursors, const store::PersonId& person, const Period& period) {
    return {period, cursors.GetRPer(person, period.first, period.last),
            cursors.triggersBetween(person, period.first, period.last),
            cursors.medicationBetween(person, period.first, period.last)};
}

PeriodRows rowsWithin(const PeriodRows& rows, const Period& period) {
    return {period, store::periodWithin(rows.days, period.first, period.last), itemsWithin(rows.triggers, period),
            itemsWithin(rows.medication, period)};
}

}  // namespace pulmora::stats
