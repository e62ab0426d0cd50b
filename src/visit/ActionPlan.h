#pragma once

#include "output/Printing.h"
#include "store/Diary.h"

#include <QDate>
#include <QSizeF>
#include <QStringList>

#include <vector>

// "Asthma Action Plan": one printed page telling the person what to do in each peak-flow zone,
// with their own limits in litres a minute, their medication and whom to call.
namespace pulmora::reports {

struct ActionPlan {
    // The person header's figures; the best and the zone limits are the personal card's own, not
    // raised by any reading.
    store::RepPerson person;
    QDate printed;
    std::vector<store::PersonMedRow> medication;  // in use, by name

    bool hasBest() const { return person.best > 0; }
};

ActionPlan readActionPlan(store::Diary& diary, const store::PersonId& person, const QDate& printed);
// The plan from the person's figures of any period read, whose card best it takes, and their
// medication in use.
ActionPlan actionPlanOf(const store::RepPerson& person, const QDate& printed,
                        std::vector<store::PersonMedRow> medication);

// The three bands' headings, green, yellow and red, with the limits computed from the best; the
// figures are left blank to be filled in by hand for a person without a best.
QStringList planBandHeadings(const ActionPlan& plan);

// The page filling the room (in inches) of a portrait sheet.
output::PrintJob PrintActionPlan(const ActionPlan& plan, const QSizeF& room);

}  // namespace pulmora::reports
