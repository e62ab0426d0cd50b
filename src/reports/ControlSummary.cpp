#include "ControlSummary.h"

#include "ReportPicture.h"
#include "ReportRun.h"
#include "stats/Figures.h"

#include <algorithm>

namespace pulmora::reports {
namespace {

using stats::AsthmaControl;
using stats::ControlQuestions;

constexpr int kCellPadding = 16;  // in a value column, beside its widest text
constexpr int kLabelIndent = 15;  // where DrawSectionBlock writes its labels
constexpr int kGap = 4;           // between the title, the table and the notes

QString counted(int n, const QString& one, const QString& many) {
    return QStringLiteral("%1 %2").arg(n).arg(n == 1 ? one : many);
}
QString days(int n) { return counted(n, QStringLiteral("day"), QStringLiteral("days")); }
QString percent(int value) { return QString::number(value) + QLatin1Char('%'); }

QString answer(bool yes, const QString& figure) { return (yes ? "Yes (" : "No (") + figure + ')'; }

// A period without a recorded day answers nothing: "No" there would claim good control.
QStringList answers(const ControlQuestions& now, const ControlQuestions& before,
                    QString (*answerOf)(const ControlQuestions&)) {
    return {answerOf(now), before.daysRecorded > 0 ? answerOf(before) : QString()};
}

SummarySection controlSection(const AsthmaControl& c) {
    const ControlQuestions &now = c.current, &before = c.before;
    const auto levelOf = [](const ControlQuestions& q) {
        return q.daysRecorded > 0 ? stats::controlLevelText(q.level()) : QStringLiteral("No days recorded");
    };
    return {QStringLiteral("Asthma Control:"),
            {QStringLiteral("Last 4 Weeks"), QStringLiteral("4 Weeks Before")},
            {{QStringLiteral("Period"), {periodText(now.period), periodText(before.period)}},
             {QStringLiteral("Days recorded"),
              {QStringLiteral("%1 of %2").arg(now.daysRecorded).arg(stats::kControlDays),
               QStringLiteral("%1 of %2").arg(before.daysRecorded).arg(stats::kControlDays)}},
             {QStringLiteral("Daytime symptoms more than twice a week"),
              answers(now, before,
                      [](const ControlQuestions& q) {
                          return answer(q.daytimeSymptoms(), days(q.daytimeSymptomDays));
                      })},
             {QStringLiteral("Any night waking due to asthma"),
              answers(now, before,
                      [](const ControlQuestions& q) {
                          return answer(q.nightWaking(), counted(q.nightSymptomNights, "night", "nights"));
                      })},
             {QStringLiteral("Reliever needed more than twice a week"),
              answers(now, before,
                      [](const ControlQuestions& q) {
                          return answer(q.relieverNeeded(),
                                        days(q.relieverDays) + ", " + counted(q.relieverDoses, "dose", "doses"));
                      })},
             {QStringLiteral("Any activity limitation due to asthma"),
              answers(now, before,
                      [](const ControlQuestions& q) { return answer(q.activityLimited(), days(q.limitedDays)); })},
             {QStringLiteral("Level of asthma control"), {levelOf(now), levelOf(before)}, true}}};
}

// A reading in litres a minute and as a percentage of the best; "-" for none.
QString flow(int reading, int best) {
    if (reading <= 0 || best <= 0) return QStringLiteral("-");
    return QStringLiteral("%1 l/min (%2)").arg(reading).arg(percent(stats::PercentOfBest(reading, best)));
}

QString share(int count, int readings) { return readings > 0 ? percent(stats::RoundedPercent(count, readings)) : "-"; }

SummarySection peakFlowSection(const AsthmaControl& c) {
    const stats::PeriodStats& s = c.fourWeeks;
    SummarySection section{QStringLiteral("Peak Flow:"), {QStringLiteral("Morning"), QStringLiteral("Evening")}, {}};
    if (s.MornReadings == 0 && s.EvenReadings == 0) {
        section.lines.push_back({QStringLiteral("No readings taken"), {}});
        return section;
    }
    const int best = c.person.best;
    const QStringList zones = zoneLabels(c.person);
    section.lines = {
        {QStringLiteral("Average"), {flow(s.MornAverage, best), flow(s.EvenAverage, best)}},
        {QStringLiteral("Lowest"), {flow(s.MornLowest, best), flow(s.EvenLowest, best)}},
        {QStringLiteral("Readings taken"), {QString::number(s.MornReadings), QString::number(s.EvenReadings)}},
        {zones[0], {share(s.MornGreen, s.MornReadings), share(s.EvenGreen, s.EvenReadings)}},
        {zones[1], {share(s.MornYellow, s.MornReadings), share(s.EvenYellow, s.EvenReadings)}},
        {zones[2], {share(s.MornRed, s.MornReadings), share(s.EvenRed, s.EvenReadings)}},
        {QStringLiteral("Mean diurnal variation"),
         {c.bothReadingDays > 0 ? percent(s.DiurnalAverage) + " over " + days(c.bothReadingDays) : "-"}},
    };
    return section;
}

SummarySection otherSection(const AsthmaControl& c) {
    const stats::PeriodStats& s = c.fourWeeks;
    const QString ofRecorded = QStringLiteral(" of %1 days recorded").arg(c.current.daysRecorded);
    return {QStringLiteral("Other:"),
            {},
            {{QStringLiteral("Days off work or school"), {QString::number(s.DaysOffWork) + ofRecorded}},
             {QStringLiteral("Preventer taken"),
              {counted(s.PreventerTotal, "dose", "doses") + " on " + QString::number(c.preventerDays) + ofRecorded}}}};
}

int tableRows(const SummaryText& text) {
    int rows = 0;
    for (const SummarySection& s : text.sections) rows += 1 + int(s.lines.size());
    return rows;
}

int tableTop(const SummaryMetrics& m) { return m.rowHeight + kGap; }

void valueCells(ReportCanvas& c, const SummaryMetrics& m, int top, const QStringList& values) {
    if (values.size() == 1) DrawCellText(c, m.labelWidth, top, 2 * m.columnWidth, m.rowHeight, values[0]);
    if (values.size() != 2) return;
    c.vLine(m.labelWidth + m.columnWidth, top, top + m.rowHeight);
    for (int i = 0; i < 2; ++i)
        DrawCellText(c, m.labelWidth + i * m.columnWidth, top, m.columnWidth, m.rowHeight, values[i]);
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
            valueCells(c, m, top, line.values);
            c.setBold(false);
        }
        ++row;
    }
}

}  // namespace

SummaryText summaryText(const AsthmaControl& control) {
    SummaryText text;
    text.title = "Control Summary from " + periodText(control.current.period);
    text.sections = {controlSection(control), peakFlowSection(control), otherSection(control)};
    text.notes << kNotADiagnosis;
    const int recorded = control.current.daysRecorded;
    if (recorded < stats::kFewRecordedDays)
        text.notes << QStringLiteral("This summary rests on %1.")
                          .arg(counted(recorded, "recorded day", "recorded days"));
    return text;
}

SummaryMetrics measureSummary(const SummaryText& text) {
    const QFont normal = reportFont();
    QFont bold = normal;
    bold.setBold(true);
    const QFontMetrics plain = measure(normal), heavy = measure(bold);
    SummaryMetrics m;
    m.rowHeight = plain.height() + 3;
    int labels = 0, column = 0, across = heavy.horizontalAdvance(text.title);
    for (const QString& note : text.notes) across = std::max(across, plain.horizontalAdvance(note));
    for (const SummarySection& s : text.sections) {
        across = std::max(across, plain.horizontalAdvance(s.heading));
        for (const QString& caption : s.captions) column = std::max(column, plain.horizontalAdvance(caption));
        for (const SummaryLine& line : s.lines) {
            labels = std::max(labels, plain.horizontalAdvance(line.label));
            for (const QString& value : line.values) {
                const int width = (line.bold ? heavy : plain).horizontalAdvance(value);
                // A value across both columns needs half its width from each.
                column = std::max(column, line.values.size() == 1 ? (width + 1) / 2 : width);
            }
        }
    }
    m.labelWidth = kLabelIndent + labels + kCellPadding;
    m.columnWidth = column + kCellPadding;
    // The title, the headings and the notes run across the whole width.
    if (const int missing = across + 10 - m.width(); missing > 0) m.columnWidth += (missing + 1) / 2;
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

ReportResult ControlSummary(store::ReportCursors& cursors, const QString& person, const QDate& reportDate,
                            qreal pixelRatio) {
    const AsthmaControl control = stats::CollectAsthmaControl(cursors, person, reportDate);
    if (!control.available())
        return noDataReport(ReportKind::ControlSummary, control.person, control.current.period, pixelRatio);

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
    ReportResult result = builtReport(
        ReportKind::ControlSummary, control.person, kControlSummaryCaption + periodText(control.current.period), v,
        [text, m](QPainter& p) {
            ReportCanvas c(p, m.width());
            DrawControlSummary(c, text, m);
        },
        pixelRatio);
    result.periods = {{QStringLiteral("Last 4 Weeks"), control.current.period, control.fourWeeks}};
    result.control = control;
    return result;
}

}  // namespace pulmora::reports
