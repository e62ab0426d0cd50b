#pragma once

#include "PeriodStats.h"
#include "Periods.h"
#include "store/ReportCursors.h"

// How well a person's asthma was controlled over the four weeks up to the report date, by the
// four questions asked at every asthma review, each answered from the diary's days:
//   daytime symptoms more than twice a week, any night waking due to asthma, reliever needed
//   more than twice a week, any activity limited by asthma.
// None of them means well controlled, one or two partly controlled, three or four uncontrolled.
namespace pulmora::stats {

constexpr int kControlDays = 28;
// More than twice a week, over four weeks: on more than 8 of the 28 days.
constexpr int kTwiceAWeekOverFourWeeks = 8;
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
    int limitedDays = 0;  // days with normal activity or sport restricted

    bool daytimeSymptoms() const { return daytimeSymptomDays > kTwiceAWeekOverFourWeeks; }
    bool nightWaking() const { return nightSymptomNights > 0; }
    bool relieverNeeded() const { return relieverDays > kTwiceAWeekOverFourWeeks; }
    bool activityLimited() const { return limitedDays > 0; }
    int answeredYes() const;
    ControlLevel level() const;
};

struct AsthmaControl {
    // The person's figures for the four weeks, the best raised to their highest reading.
    store::RepPerson person;
    ControlQuestions current, before;
    // The four weeks' statistics: readings, zones, diurnal variation, days off, preventer doses.
    PeriodStats fourWeeks;
    int preventerDays = 0;      // days of the four weeks with a preventer dose
    int bothReadingDays = 0;    // days of the four weeks with a morning and an evening reading

    // Without a recorded day in the four weeks there is nothing to summarise.
    bool available() const { return current.daysRecorded > 0; }
};

// The summary up to the report date, from the person's rows of the 56 days: one range read.
AsthmaControl CollectAsthmaControl(store::ReportCursors& cursors, const QString& person, const QDate& reportDate);

}  // namespace pulmora::stats
