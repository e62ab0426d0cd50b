#include "ReportFigures.h"

#include "MonthlyAdditional.h"

#include <QJsonArray>

namespace pulmora::reports {
namespace {

QString isoDate(const QDate& date) { return date.toString(Qt::ISODate); }

QJsonObject personJson(const store::RepPerson& p) {
    return {{"Best", p.best},
            {"Pred", p.predicted},
            {"ZYel", p.zoneYellow},
            {"ZRed", p.zoneRed},
            {"ReportAvailable", p.reportAvailable != 0},
            {"AnyReading", p.anyReading != 0}};
}

QJsonObject periodJson(const PeriodFigures& figures) {
    QJsonObject o{
        {"caption", figures.caption}, {"first", isoDate(figures.period.first)}, {"last", isoDate(figures.period.last)}};
    for (const stats::PeriodField& f : stats::periodFields()) o.insert(QLatin1String(f.name), figures.stats.*f.value);
    return o;
}

QJsonValue viewportJson(const ReportResult& report) {
    if (!report.available) return QJsonValue::Null;
    QJsonObject o;
    for (const ViewportField& f : viewportFields()) o.insert(QLatin1String(f.name), report.viewport.*f.value);
    return o;
}

QString changeName(Change change) {
    switch (change) {
    case Change::Up: return QStringLiteral("up");
    case Change::Down: return QStringLiteral("down");
    case Change::Level: return QStringLiteral("level");
    }
    return {};
}

// A day column with the marks it drew, each under its row's name.
QJsonObject comparisonJson(const DayComparison& day) {
    QJsonObject o{{"date", isoDate(day.day)}, {"recorded", day.recorded}};
    for (const ComparedRow& row : comparedRows())
        if (const auto& mark = day.*row.mark) o.insert(QLatin1String(row.name), changeName(*mark));
    return o;
}

QJsonArray linesJson(const std::vector<ListLine>& lines) {
    QJsonArray array;
    for (const ListLine& line : lines) {
        QJsonArray days;
        for (const ListEntry& entry : line.days)
            days.append(QJsonObject{{"date", isoDate(entry.day)}, {"value", entry.value}});
        array.append(QJsonObject{{"name", line.name}, {"days", days}});
    }
    return array;
}

QJsonObject questionsJson(const stats::ControlQuestions& q) {
    const auto level = q.level();
    return {{"first", isoDate(q.period.first)},
            {"last", isoDate(q.period.last)},
            {"daysRecorded", q.daysRecorded},
            {"daytimeSymptomDays", q.daytimeSymptomDays},
            {"nightSymptomNights", q.nightSymptomNights},
            {"relieverDays", q.relieverDays},
            {"relieverDoses", q.relieverDoses},
            {"restrictedDays", q.restrictedDays},
            {"offWorkDays", q.offWorkDays},
            {"limitedDays", q.limitedDays},
            {"daytimeSymptoms", q.daytimeSymptoms()},
            {"nightSymptoms", q.nightSymptoms()},
            {"relieverNeeded", q.relieverNeeded()},
            {"activityLimited", q.activityLimited()},
            {"judged", q.judged()},
            {"level", level ? QJsonValue(stats::controlLevelText(*level)) : QJsonValue()}};
}

QJsonObject controlJson(const stats::AsthmaControl& c) {
    QJsonArray medication, triggers;
    for (const stats::MedicationTaken& m : c.medication)
        medication.append(QJsonObject{
            {"medId", m.medId}, {"name", m.name}, {"category", m.category}, {"days", m.days}, {"doses", m.doses}});
    for (const stats::TriggerMet& t : c.triggers) triggers.append(QJsonObject{{"name", t.name}, {"days", t.days}});
    return {{"current", questionsJson(c.current)},
            {"before", questionsJson(c.before)},
            {"cardBest", c.cardBest},
            {"bestReadingDay", c.bestAboveCard() ? QJsonValue(isoDate(c.bestReadingDay)) : QJsonValue()},
            {"preventerDays", c.preventerDays},
            {"bothReadingDays", c.bothReadingDays},
            {"bothReadingDaysBefore", c.bothReadingDaysBefore},
            {"medication", medication},
            {"triggers", triggers}};
}

}  // namespace

QJsonObject figuresJson(const ReportResult& report) {
    QJsonArray periods;
    for (const PeriodFigures& p : report.periods()) periods.append(periodJson(p));
    QJsonObject o{{"person", personJson(report.person)},
                  {"periods", periods},
                  {"viewport", viewportJson(report)},
                  {"status", report.status},
                  {"kind", QString(letter(report.kind()))}};
    if (const auto* additional = std::get_if<MonthlyAdditionalFigures>(&report.figures);
        additional && report.available) {
        QJsonArray days;
        for (const DayComparison& day : additional->days) days.append(comparisonJson(day));
        o.insert("days", days);
        o.insert("medications", linesJson(additional->medications));
        o.insert("triggers", linesJson(additional->triggers));
    }
    if (const auto* summary = std::get_if<ControlSummaryFigures>(&report.figures);
        summary && summary->control.available())
        o.insert("control", controlJson(summary->control));
    return o;
}

}  // namespace pulmora::reports
