#include "GraphTable.h"

#include "stats/Figures.h"
#include "store/Keys.h"

#include <QLocale>

#include <functional>

namespace pulmora::reports {
namespace {

const QLocale kEnglish(QLocale::English);

using DayRow = std::function<QStringList(const QDate&, const store::RepDay&, const store::RepPerson&)>;

// The person's days of the period that hold a reading, newest first, each made into a row.
// The grid keeps a spare empty row under the last filled one while it fills and drops it at
// the end, unless it is the only data row: an empty period so keeps one empty row.
WorkingTable scanDays(store::ReportCursors& cursors, const QString& person, const GraphPeriod& period,
                      QStringList headings, QStringList widthSamples, const DayRow& makeRow) {
    WorkingTable table;
    table.person = cursors.GetRPer(person, period.first, period.last);
    table.headings = std::move(headings);
    table.widthSamples = std::move(widthSamples);
    const QStringList emptyRow(table.headings.size(), QString());
    table.rows.push_back(emptyRow);
    // One keyed read a day, from the last day back: the person's days come in the same order,
    // and with the same content, as a walk of the whole daily file in descending day order.
    for (QDate day = period.last; day.isValid() && day >= period.first; day = day.addDays(-1)) {
        const store::RepDay& values = cursors.GetRDly(person, store::keys::dateKey(day));
        if (!values.found || (values.morning <= 0 && values.evening <= 0)) continue;
        table.rows.back() = makeRow(day, values, table.person);
        table.rows.push_back(emptyRow);
    }
    if (table.rows.size() + 1 >= 3) table.rows.pop_back();  // the grid's heading row counts
    return table;
}

QString percentOrNone(int reading, int best) {
    return reading >= 1 && best > 0 ? QString::number(stats::PercentOfBest(reading, best)) : kNoFigure;
}

QString countOrZero(int value) { return QString::number(value < 1 ? 0 : value); }

QString weekday(const QDate& day) { return kEnglish.toString(day, "ddd"); }

QStringList peakFlowRow(const QDate& day, const store::RepDay& v, const store::RepPerson& person) {
    using namespace peakflow;
    QStringList row(kColumns);
    row[Date] = kEnglish.toString(day, "d/MMM/yyyy");
    row[Day] = weekday(day);
    row[Morning] = QString::number(v.morning);
    row[Evening] = QString::number(v.evening);
    row[Diurnal] = v.morning >= 1 && v.evening >= 1 ? QString::number(stats::DiurnalVariation(v.morning, v.evening))
                                                    : kNoFigure;
    row[MorningPercent] = percentOrNone(v.morning, person.best);
    row[EveningPercent] = percentOrNone(v.evening, person.best);
    row[DateKey] = store::keys::dateKey(day);
    row[Rating] = countOrZero(v.rating);
    row[Relievers] = countOrZero(v.relievers);
    return row;
}

QString yesIf(int flag) { return flag == 1 ? QStringLiteral("Yes") : QString(); }

QString ratingText(int rating) {
    switch (rating) {
    case 1: return QStringLiteral("Bad");
    case 2: return QStringLiteral("Average");
    case 3: return QStringLiteral("Good");
    default: return {};
    }
}

QStringList symptomRow(const QDate& day, const store::RepDay& v, const store::RepPerson&) {
    using namespace symptoms;
    QStringList row(kColumns);
    row[Date] = kEnglish.toString(day, "dd-MMM-yyyy") + QLatin1Char(' ');
    row[Day] = weekday(day);
    row[Sport] = yesIf(v.actS);
    row[Normal] = yesIf(v.actN);
    row[OffWork] = yesIf(v.miss);
    row[BreathMorn] = yesIf(v.brtD);
    row[BreathEven] = yesIf(v.brtN);
    row[ChestMorn] = yesIf(v.chsD);
    row[ChestEven] = yesIf(v.chsN);
    row[CoughMorn] = yesIf(v.cogD);
    row[CoughEven] = yesIf(v.cogN);
    row[WheezeMorn] = yesIf(v.whzD);
    row[WheezeEven] = yesIf(v.whzN);
    row[Preventer] = QString::number(v.preventers);
    row[Reliever] = QString::number(v.relievers);
    row[Rated] = ratingText(v.rating);
    row[DateKey] = store::keys::dateKey(day);
    return row;
}

}  // namespace

const QStringList& graphPeriodTexts() {
    static const QStringList texts = {"1 Month", "3 Months", "6 Months", "9 Months", "Year"};
    return texts;
}

int PeriodDays(const QString& periodText) {
    static const int days[] = {30, 90, 180, 270, 365};
    const qsizetype i = graphPeriodTexts().indexOf(periodText);
    return i < 0 ? 0 : days[i];
}

GraphPeriod graphPeriod(const QDate& reportDate, int periodDays) { return {reportDate.addDays(-periodDays), reportDate}; }

WorkingTable LoadPeakFlowTable(store::ReportCursors& cursors, const QString& person, const GraphPeriod& period) {
    const QString diurnal = QStringLiteral("DIURNIALX");
    return scanDays(cursors, person, period,
                    {"Date:", "Day:", "Morning:", "Evening:", "Diurnal:", "Morning % of Best:", "Evening % of Best:",
                     "", "", ""},
                    {"99X99X9999XX", "DAYXX", diurnal, diurnal, diurnal, "MorningxXxofxBest:", "EveningxXxofxBest:",
                     "", "", ""},
                    peakFlowRow);
}

WorkingTable LoadSymptomTable(store::ReportCursors& cursors, const QString& person, const GraphPeriod& period) {
    QStringList samples = {"99X99X9999XX", "DAYXX"};
    for (int i = symptoms::Sport; i <= symptoms::Rated; ++i) samples << QStringLiteral("Act.Normal:");
    samples << QString();
    return scanDays(cursors, person, period,
                    {"Date:", "Day:", "Act.Sport:", "Act.Normal:", "Off Wrk/Sch:", "Breath.Morn:", "Breath.Even:",
                     "Chest.Morn:", "Chest.Even:", "Cough.Morn:", "Cough.Even:", "Wheeze.Morn:", "Wheeze.Even:",
                     "Preventor:", "Reliever:", "Rated:", ""},
                    samples, symptomRow);
}

std::optional<int> wholeNumber(const QString& cell) {
    bool ok = false;
    const int value = cell.trimmed().toInt(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

}  // namespace pulmora::reports
