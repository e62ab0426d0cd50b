#include "GraphTable.h"

#include "stats/Figures.h"
#include "stats/Rating.h"

#include <QLocale>

namespace pulmora::reports {
namespace {

const QLocale kEnglish(QLocale::English);

std::optional<int> percentOfBest(int reading, int best) {
    return reading >= 1 && best > 0 ? std::optional(stats::PercentOfBest(reading, best)) : std::nullopt;
}

// The person's days of the period read that hold a reading, newest first.
WorkingTable tableOf(GraphTableKind kind, const store::PersonPeriod& read) {
    WorkingTable table;
    table.kind = kind;
    table.person = read.person;
    for (auto day = read.days.rbegin(); day != read.days.rend(); ++day) {
        const store::DayValues& v = day->values;
        if (v.morning <= 0 && v.evening <= 0) continue;
        const bool both = v.morning >= 1 && v.evening >= 1;
        table.days.push_back(
            {day->date, v, both ? std::optional(stats::DiurnalVariation(v.morning, v.evening)) : std::nullopt,
             percentOfBest(v.morning, table.person.best), percentOfBest(v.evening, table.person.best)});
    }
    return table;
}

QString figure(const std::optional<int>& value) { return value ? QString::number(*value) : kNoFigure; }

QString countOrZero(int value) { return QString::number(value < 1 ? 0 : value); }

QString weekday(const QDate& day) { return kEnglish.toString(day, "ddd"); }

// The grid's hidden last column: the day in an order that sorts as text.
QString sortableDate(const QDate& day) { return day.toString(QStringLiteral("yyyyMMdd")); }

QStringList peakFlowRow(const GraphDay& day) {
    using namespace peakflow;
    const store::DayValues& v = day.values;
    QStringList row(kColumns);
    row[Date] = kEnglish.toString(day.date, "d/MMM/yyyy");
    row[Day] = weekday(day.date);
    row[Morning] = QString::number(v.morning);
    row[Evening] = QString::number(v.evening);
    row[Diurnal] = figure(day.diurnal);
    row[MorningPercent] = figure(day.morningPercent);
    row[EveningPercent] = figure(day.eveningPercent);
    row[DateKey] = sortableDate(day.date);
    row[Rating] = countOrZero(v.rating);
    row[Relievers] = countOrZero(v.relievers);
    return row;
}

QString yesIf(bool flag) { return flag ? QStringLiteral("Yes") : QString(); }

QStringList symptomRow(const GraphDay& day) {
    using namespace symptoms;
    using V = store::DayValues;
    static const std::pair<Column, bool V::*> flags[] = {
        {Sport, &V::sportRestricted}, {Normal, &V::activityRestricted}, {OffWork, &V::offWork},
        {BreathMorn, &V::breathDay},  {BreathEven, &V::breathNight},    {ChestMorn, &V::chestDay},
        {ChestEven, &V::chestNight},  {CoughMorn, &V::coughDay},        {CoughEven, &V::coughNight},
        {WheezeMorn, &V::wheezeDay},  {WheezeEven, &V::wheezeNight}};
    const V& v = day.values;
    QStringList row(kColumns);
    row[Date] = kEnglish.toString(day.date, "dd-MMM-yyyy") + QLatin1Char(' ');
    row[Day] = weekday(day.date);
    for (const auto& [column, flag] : flags) row[column] = yesIf(v.*flag);
    row[Preventer] = QString::number(v.preventers);
    row[Reliever] = QString::number(v.relievers);
    row[Rated] = stats::ratingText(v.rating);
    row[DateKey] = sortableDate(day.date);
    return row;
}

WorkingGrid peakFlowGrid() {
    const QString diurnal = QStringLiteral("DIURNIALX");
    return {
        {"Date:", "Day:", "Morning:", "Evening:", "Diurnal:", "Morning % of Best:", "Evening % of Best:", "", "", ""},
        {"99X99X9999XX", "DAYXX", diurnal, diurnal, diurnal, "MorningxXxofxBest:", "EveningxXxofxBest:", "", "", ""},
        {}};
}

WorkingGrid symptomGrid() {
    QStringList samples = {"99X99X9999XX", "DAYXX"};
    for (int i = symptoms::Sport; i <= symptoms::Rated; ++i) samples << QStringLiteral("Act.Normal:");
    samples << QString();
    return {{"Date:", "Day:", "Act.Sport:", "Act.Normal:", "Off Wrk/Sch:", "Breath.Morn:", "Breath.Even:",
             "Chest.Morn:", "Chest.Even:", "Cough.Morn:", "Cough.Even:", "Wheeze.Morn:", "Wheeze.Even:", "Preventor:",
             "Reliever:", "Rated:", ""},
            samples,
            {}};
}

}  // namespace

const QStringList& graphPeriodTexts() {
    static const QStringList texts = {"1 Month", "3 Months", "6 Months", "9 Months", "Year"};
    return texts;
}

std::optional<GraphSpan> graphSpanNamed(const QString& text) {
    const qsizetype i = graphPeriodTexts().indexOf(text);
    return i < 0 ? std::nullopt : std::optional(GraphSpan(i));
}

int spanDays(GraphSpan span) {
    switch (span) {
    case GraphSpan::OneMonth: return 30;
    case GraphSpan::ThreeMonths: return 90;
    case GraphSpan::SixMonths: return 180;
    case GraphSpan::NineMonths: return 270;
    case GraphSpan::Year: break;
    }
    return 365;
}

GraphPeriod graphPeriod(const QDate& reportDate, int periodDays) {
    return {reportDate.addDays(-periodDays), reportDate};
}

WorkingTable LoadPeakFlowTable(store::ReportCursors& cursors, const store::PersonId& person,
                               const GraphPeriod& period) {
    return tableOf(GraphTableKind::PeakFlow, cursors.GetRPer(person, period.first, period.last));
}

WorkingTable LoadSymptomTable(store::ReportCursors& cursors, const store::PersonId& person, const GraphPeriod& period) {
    return tableOf(GraphTableKind::Symptoms, cursors.GetRPer(person, period.first, period.last));
}

WorkingTable PeakFlowTableOf(const store::PersonPeriod& read, const GraphPeriod& period) {
    return tableOf(GraphTableKind::PeakFlow, store::periodWithin(read, period.first, period.last));
}

WorkingGrid gridOf(const WorkingTable& table) {
    const bool peakFlow = table.kind == GraphTableKind::PeakFlow;
    WorkingGrid grid = peakFlow ? peakFlowGrid() : symptomGrid();
    for (const GraphDay& day : table.days) grid.rows.push_back(peakFlow ? peakFlowRow(day) : symptomRow(day));
    if (grid.rows.empty()) grid.rows.emplace_back(grid.headings.size(), QString());
    return grid;
}

}  // namespace pulmora::reports
