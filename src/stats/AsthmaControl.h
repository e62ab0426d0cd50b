#pragma once

#include "PeriodRows.h"
#include "PeriodStats.h"
#include "Periods.h"
#include "store/ReportCursors.h"

#include <optional>
#include <vector>

// How well a person's asthma was controlled over the four weeks up to the report date, by the
// four questions asked at every asthma review, each answered from the diary's days:
//   daytime symptoms more than twice a week, any night symptoms or night waking, reliever needed
//   more than twice a week, any activity limited by asthma.
// None of them means well controlled, one or two partly controlled, three or four uncontrolled.
namespace pulmora::stats {

constexpr int kControlDays = 28;
// "More than twice a week" is a rate over the days recorded, more than 2 of every 7 of them, so
// that a diary kept on few days is judged by what those days show rather than counted as
// symptom-free on the days it leaves out. Over all 28 days it is more than 8 of them.
bool moreThanTwiceAWeek(int days, int daysRecorded);
// With fewer recorded days than this the four answers are given but no level: too little of the
// four weeks is known to call it controlled or not.
constexpr int kFewestDaysToJudge = 14;
// A summary resting on fewer recorded days than this says how few.
constexpr int kFewRecordedDays = 20;

// The 28 days that end on the report date, and the 28 before them.
Period controlPeriod(const QDate& reportDate);
Period controlPeriodBefore(const QDate& reportDate);

enum class ControlLevel { Well, Partly, Uncontrolled };
// "Well controlled", "Partly controlled" or "Uncontrolled".
QString controlLevelText(ControlLevel level);

// The four questions over one period, with the counts that answer them. Only recorded days count.
struct ControlQuestions {
    Period period;
    int daysRecorded = 0;
    int daytimeSymptomDays = 0;  // days with any daytime symptom
    int nightSymptomNights = 0;  // nights with any night symptom
    int relieverDays = 0;        // days the reliever was used
    int relieverDoses = 0;
    int restrictedDays = 0;  // days with normal activity or sport restricted
    int offWorkDays = 0;     // days off work or school
    int limitedDays = 0;     // days with either

    bool daytimeSymptoms() const { return moreThanTwiceAWeek(daytimeSymptomDays, daysRecorded); }
    // The diary keeps symptoms by night, not whether they woke the person.
    bool nightSymptoms() const { return nightSymptomNights > 0; }
    bool relieverNeeded() const { return moreThanTwiceAWeek(relieverDays, daysRecorded); }
    bool activityLimited() const { return limitedDays > 0; }
    int answeredYes() const;
    bool judged() const { return daysRecorded >= kFewestDaysToJudge; }
    // None while too few days are recorded to judge.
    std::optional<ControlLevel> level() const;
};

// A medication taken on recorded days of the four weeks: on how many of them, how often in all.
struct MedicationTaken {
    QString medId, name, category;  // trimmed, as the latest day of the four weeks holds them
    int days = 0, doses = 0;
};
// A trigger met on recorded days of the four weeks, by its name as the days hold it.
struct TriggerMet {
    QString name;
    int days = 0;
};

struct AsthmaControl {
    // The person's figures, the best raised to the four weeks' highest reading; both periods'
    // readings are taken against it.
    store::RepPerson person;
    int cardBest = 0;      // the best on the personal card
    QDate bestReadingDay;  // the first day of the four weeks with the reading that set a best above the card's
    ControlQuestions current, before;
    // Each period's statistics: readings, zones, diurnal variation, days off, preventer doses.
    PeriodStats fourWeeks, weeksBefore;
    int bothReadingDays = 0, bothReadingDaysBefore = 0;  // days with a morning and an evening reading
    int preventerDays = 0;                               // days of the four weeks with a preventer dose
    std::vector<MedicationTaken> medication;             // by name
    std::vector<TriggerMet> triggers;                    // the most days first, then by name

    // Without a recorded day in the four weeks there is nothing to summarise.
    bool available() const { return current.daysRecorded > 0; }
    bool bestAboveCard() const { return bestReadingDay.isValid(); }
};

// The 56 days the summary reads: the four weeks before and the four weeks up to the report date.
Period controlRowsPeriod(const QDate& reportDate);
// The summary up to the report date, from the person's rows of a period that holds those 56 days.
AsthmaControl CollectAsthmaControl(const PeriodRows& rows, const QDate& reportDate);
// The same from the diary: one range read of the 56 days' days, triggers and medication.
AsthmaControl CollectAsthmaControl(store::ReportCursors& cursors, const store::PersonId& person,
                                   const QDate& reportDate);

}  // namespace pulmora::stats
