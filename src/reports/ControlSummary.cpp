#include "ControlSummary.h"

#include "ReportPicture.h"
#include "ReportRun.h"
#include "stats/Figures.h"
#include "store/Clock.h"

#include <algorithm>
#include <functional>

namespace pulmora::reports {
namespace {

using stats::AsthmaControl;
using stats::ControlQuestions;

constexpr int kCellPadding = 16;  // in a value column, beside its widest text
constexpr int kLabelIndent = 15;  // where DrawSectionBlock writes its labels
constexpr int kGap = 4;           // between the title, the table and the notes

QString days(int n) { return countOf(n, QStringLiteral("day"), QStringLiteral("days")); }
QString percent(int value) { return QString::number(value) + QLatin1Char('%'); }

QString answer(bool yes, const QString& figure) { return (yes ? "Yes (" : "No (") + figure + ')'; }

// A period without a recorded day answers nothing: "No" there would claim good control.
QStringList answers(const ControlQuestions& now, const ControlQuestions& before,
                    QString (*answerOf)(const ControlQuestions&)) {
    return {answerOf(now), before.daysRecorded > 0 ? answerOf(before) : QString()};
}

// The limited days, and what made them so where there was any.
QString limitation(const ControlQuestions& q) {
    const QString restricted = QStringLiteral("restricted"), off = QStringLiteral("off work or school");
    if (q.offWorkDays == 0 && q.restrictedDays > 0) return days(q.limitedDays) + ' ' + restricted;
    if (q.restrictedDays == 0 && q.offWorkDays > 0) return days(q.limitedDays) + ' ' + off;
    if (q.limitedDays == 0) return days(0);
    return QStringLiteral("%1: %2 %3, %4 %5")
        .arg(days(q.limitedDays))
        .arg(q.restrictedDays)
        .arg(restricted)
        .arg(q.offWorkDays)
        .arg(off);
}

QString levelOf(const ControlQuestions& q) {
    if (q.daysRecorded == 0) return QStringLiteral("No days recorded");
    if (const auto level = q.level()) return stats::controlLevelText(*level);
    return QStringLiteral("Too few days recorded to judge control (%1 of %2)")
        .arg(q.daysRecorded)
        .arg(stats::kControlDays);
}

const QStringList kPeriodCaptions = {QStringLiteral("Last 4 Weeks"), QStringLiteral("4 Weeks Before")};

SummarySection controlSection(const AsthmaControl& c) {
    const ControlQuestions &now = c.current, &before = c.before;
    return {
        QStringLiteral("Asthma Control:"),
        kPeriodCaptions,
        {{QStringLiteral("Period"), {periodText(now.period), periodText(before.period)}},
         {QStringLiteral("Days recorded"),
          {QStringLiteral("%1 of %2").arg(now.daysRecorded).arg(stats::kControlDays),
           QStringLiteral("%1 of %2").arg(before.daysRecorded).arg(stats::kControlDays)}},
         {QStringLiteral("Daytime symptoms more than twice a week"),
          answers(now, before,
                  [](const ControlQuestions& q) { return answer(q.daytimeSymptoms(), days(q.daytimeSymptomDays)); })},
         {QStringLiteral("Any night symptoms or night waking"),
          answers(now, before,
                  [](const ControlQuestions& q) {
                      return answer(q.nightSymptoms(), countOf(q.nightSymptomNights, "night", "nights"));
                  })},
         {QStringLiteral("Reliever needed more than twice a week"),
          answers(now, before,
                  [](const ControlQuestions& q) {
                      return answer(q.relieverNeeded(),
                                    days(q.relieverDays) + ", " + countOf(q.relieverDoses, "dose", "doses"));
                  })},
         {QStringLiteral("Any activity limitation due to asthma"),
          answers(now, before, [](const ControlQuestions& q) { return answer(q.activityLimited(), limitation(q)); })},
         {QStringLiteral("Level of asthma control"), {levelOf(now), levelOf(before)}, true}}};
}

// A reading in litres a minute and as a percentage of the best; "-" for none.
QString flow(int reading, int best) {
    if (reading <= 0 || best <= 0) return QStringLiteral("-");
    return QStringLiteral("%1 (%2)").arg(reading).arg(percent(stats::PercentOfBest(reading, best)));
}

QString share(int count, int readings) { return readings > 0 ? percent(stats::RoundedPercent(count, readings)) : "-"; }

using Field = int stats::PeriodStats::*;

// Morning and evening of the four weeks, then of the four weeks before: each figure written with
// the number of readings of its half of the day.
QStringList bothPeriods(const AsthmaControl& c, Field morning, Field evening,
                        const std::function<QString(int figure, int readings)>& text) {
    QStringList values;
    for (const stats::PeriodStats* p : {&c.fourWeeks, &c.weeksBefore})
        values << text(p->*morning, p->MornReadings) << text(p->*evening, p->EvenReadings);
    return values;
}

SummarySection peakFlowSection(const AsthmaControl& c) {
    using stats::PeriodStats;
    const PeriodStats &s = c.fourWeeks, &b = c.weeksBefore;
    const QString heading = QStringLiteral("Peak Flow:");
    if (s.MornReadings + s.EvenReadings + b.MornReadings + b.EvenReadings == 0)
        return {heading, {}, {{QStringLiteral("No readings taken"), {}}}};
    SummarySection section{heading, kPeriodCaptions, {}};
    const int best = c.person.best;
    // The best that every percentage and zone below is taken against, where a reading raised it.
    if (c.bestAboveCard())
        section.lines.push_back({QStringLiteral("Best used"),
                                 {QStringLiteral("%1 l/min, the reading of %2, above the personal best of %3 l/min")
                                      .arg(best)
                                      .arg(reportDate(c.bestReadingDay))
                                      .arg(c.cardBest)}});
    const QString morning = QStringLiteral("Morning"), evening = QStringLiteral("Evening");
    section.lines.push_back({QString(), {morning, evening, morning, evening}, false, true});
    const auto litres = [best](int reading, int) { return flow(reading, best); };
    const auto count = [](int n, int) { return QString::number(n); };
    const auto diurnal = [](const PeriodStats& p, int bothDays) {
        return bothDays > 0 ? percent(p.DiurnalAverage) + " over " + days(bothDays) : QStringLiteral("-");
    };
    const QStringList zones = zoneLabels(c.person);
    section.lines.insert(
        section.lines.end(),
        {{QStringLiteral("Average (l/min)"),
          bothPeriods(c, &PeriodStats::MornAverage, &PeriodStats::EvenAverage, litres)},
         {QStringLiteral("Lowest (l/min)"), bothPeriods(c, &PeriodStats::MornLowest, &PeriodStats::EvenLowest, litres)},
         {QStringLiteral("Readings taken"),
          bothPeriods(c, &PeriodStats::MornReadings, &PeriodStats::EvenReadings, count)},
         {zones[0], bothPeriods(c, &PeriodStats::MornGreen, &PeriodStats::EvenGreen, share)},
         {zones[1], bothPeriods(c, &PeriodStats::MornYellow, &PeriodStats::EvenYellow, share)},
         {zones[2], bothPeriods(c, &PeriodStats::MornRed, &PeriodStats::EvenRed, share)},
         {QStringLiteral("Mean diurnal variation"),
          {diurnal(s, c.bothReadingDays), diurnal(b, c.bothReadingDaysBefore)}}});
    return section;
}

SummarySection otherSection(const AsthmaControl& c) {
    const stats::PeriodStats& s = c.fourWeeks;
    const int recorded = c.current.daysRecorded;
    return {QStringLiteral("Other, Last 4 Weeks:"),
            {},
            {{QStringLiteral("Days off work or school"), {ofDaysRecorded(s.DaysOffWork, recorded)}},
             {QStringLiteral("Preventer taken"),
              {countOf(s.PreventerTotal, "dose", "doses") + " on " + ofDaysRecorded(c.preventerDays, recorded)}}}};
}

int tableRows(const SummaryText& text) {
    int rows = 0;
    for (const SummarySection& s : text.sections) rows += 1 + int(s.lines.size());
    return rows;
}

int tableTop(const SummaryMetrics& m) { return m.rowHeight + kGap; }

// The values share the two value columns evenly, with a line between each two.
void valueCells(ReportCanvas& c, const SummaryMetrics& m, int top, const QStringList& values) {
    if (values.isEmpty()) return;
    const int cell = 2 * m.columnWidth / int(values.size());
    for (int i = 0; i < values.size(); ++i) {
        const int left = m.labelWidth + i * cell;
        if (i > 0) c.vLine(left, top, top + m.rowHeight);
        DrawCellText(c, left, top, cell, m.rowHeight, values[i]);
    }
}

// The table's rows from y 0: each section a heading across the width with the captions of the
// value columns, then its lines with their labels in one merged cell.
void drawTable(ReportCanvas& c, const SummaryText& text, const SummaryMetrics& m) {
    const int rh = m.rowHeight, rows = tableRows(text);
    c.rectangle(0, 0, c.width(), rows * rh, Qt::black, Qt::white);
    for (int k = 1; k < rows; ++k) c.hLine(0, c.width(), k * rh);
    int row = 0;
    for (const SummarySection& section : text.sections) {
        QStringList labels;
        for (const SummaryLine& line : section.lines) labels << line.label;
        DrawSectionBlock(c, rh, m.labelWidth, {row, 1 + int(labels.size()), section.heading, labels});
        if (!section.captions.isEmpty()) {
            c.vLine(m.labelWidth, row * rh, (row + 1) * rh);
            valueCells(c, m, row * rh, section.captions);
        }
        for (const SummaryLine& line : section.lines) {
            const int top = ++row * rh;
            c.vLine(m.labelWidth, top, top + rh);
            c.setBold(line.bold);
            c.setItalic(line.caption);
            valueCells(c, m, top, line.values);
            c.setItalic(false);
            c.setBold(false);
        }
        ++row;
    }
}

}  // namespace

QString refusedFutureDate(const QString& what, const QDate& reportDate) {
    if (reportDate <= store::clock::today()) return {};
    return " Cannot Produce " + what + " as " + reports::reportDate(reportDate) + " is after Today";
}

QString countOf(int n, const QString& one, const QString& many) {
    return QStringLiteral("%1 %2").arg(n).arg(n == 1 ? one : many);
}

QString ofDaysRecorded(int n, int recorded) {
    return QStringLiteral("%1 of %2").arg(n).arg(countOf(recorded, "day recorded", "days recorded"));
}

SummaryText summaryText(const AsthmaControl& control) {
    SummaryText text;
    text.title = "Control Summary from " + periodText(control.current.period);
    text.sections = {controlSection(control), peakFlowSection(control), otherSection(control)};
    text.notes << kNotADiagnosis;
    // With fewer days the level itself says how few.
    const int recorded = control.current.daysRecorded;
    if (control.current.judged() && recorded < stats::kFewRecordedDays)
        text.notes
            << QStringLiteral("This summary rests on %1.").arg(countOf(recorded, "recorded day", "recorded days"));
    return text;
}

SummaryMetrics measureSummary(const SummaryText& text) {
    const QFont normal = reportFont();
    QFont bold = normal, italic = normal;
    bold.setBold(true);
    italic.setItalic(true);
    const QFontMetrics plain = measure(normal), heavy = measure(bold), slanted = measure(italic);
    SummaryMetrics m;
    m.rowHeight = plain.height() + 3;
    // The labels' widest, the value columns' (both together) and the texts across the whole width.
    int labels = 0, values = 0, across = heavy.horizontalAdvance(text.title);
    const auto shared = [&values](const QStringList& texts, const QFontMetrics& metrics) {
        int widest = 0;
        for (const QString& t : texts) widest = std::max(widest, metrics.horizontalAdvance(t));
        values = std::max(values, int(texts.size()) * (widest + kCellPadding));
    };
    for (const QString& note : text.notes) across = std::max(across, plain.horizontalAdvance(note));
    for (const SummarySection& s : text.sections) {
        across = std::max(across, plain.horizontalAdvance(s.heading));
        shared(s.captions, plain);
        for (const SummaryLine& line : s.lines) {
            labels = std::max(labels, plain.horizontalAdvance(line.label));
            shared(line.values, line.bold ? heavy : line.caption ? slanted : plain);
        }
    }
    m.labelWidth = kLabelIndent + labels + kCellPadding;
    // The title, the headings and the notes run across the whole width.
    values = std::max(values, across + 10 - m.labelWidth);
    // Each column halves evenly into morning and evening.
    m.columnWidth = 2 * ((values + 3) / 4);
    return m;
}

int summaryHeight(const SummaryText& text, const SummaryMetrics& m) {
    return tableTop(m) + tableRows(text) * m.rowHeight + kGap + int(text.notes.size()) * m.rowHeight;
}

void DrawControlSummary(ReportCanvas& c, const SummaryText& text, const SummaryMetrics& m) {
    QPainter& p = c.painter();
    c.setBold(true);
    c.text(5, 1, text.title);
    c.setBold(false);
    p.save();
    p.translate(0, tableTop(m));
    drawTable(c, text, m);
    p.restore();
    const int notesTop = tableTop(m) + tableRows(text) * m.rowHeight + kGap;
    for (int i = 0; i < text.notes.size(); ++i) c.text(5, notesTop + i * m.rowHeight + 1, text.notes[i]);
}

ReportResult ControlSummary(store::ReportCursors& cursors, const store::PersonId& person, const QDate& reportDate,
                            qreal pixelRatio) {
    return ControlSummary(stats::readPeriodRows(cursors, person, stats::controlRowsPeriod(reportDate)), reportDate,
                          pixelRatio);
}

ReportResult ControlSummary(const stats::PeriodRows& rows, const QDate& reportDate, qreal pixelRatio) {
    if (const QString refused = refusedFutureDate(QStringLiteral("Report"), reportDate); !refused.isEmpty()) {
        ReportResult result = noDataReport(ControlSummaryFigures{}, {}, stats::controlPeriod(reportDate), pixelRatio);
        result.status = refused;
        return result;
    }
    const AsthmaControl control = stats::CollectAsthmaControl(rows, reportDate);
    if (!control.available())
        return noDataReport(ControlSummaryFigures{}, control.person, control.current.period, pixelRatio);

    const SummaryText text = summaryText(control);
    const SummaryMetrics m = measureSummary(text);
    Viewport v;
    v.FixedWidth = m.labelWidth + 1;
    v.HeaderHeight = tableTop(m);  // the title stays in place
    v.GraphHeaderHeight = v.HeaderHeight;
    v.StepX = m.columnWidth;
    v.StepY = m.rowHeight;
    v.PictureWidth = m.width();
    v.PictureHeight = summaryHeight(text, m);
    return builtReport(
        ControlSummaryFigures{control}, control.person, kControlSummaryCaption + periodText(control.current.period), v,
        [text, m](QPainter& p) {
            ReportCanvas c(p, m.width());
            DrawControlSummary(c, text, m);
        },
        pixelRatio);
}

std::vector<PeriodFigures> ControlSummaryFigures::periods() const {
    return {{kPeriodCaptions[1], control.before.period, control.weeksBefore},
            {kPeriodCaptions[0], control.current.period, control.fourWeeks}};
}

}  // namespace pulmora::reports
