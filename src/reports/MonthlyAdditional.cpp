#include "MonthlyAdditional.h"

#include "ReportPicture.h"
#include "ReportRun.h"
#include "stats/Figures.h"
#include "store/Names.h"

#include <algorithm>
#include <cmath>

namespace pulmora::reports {
namespace {

// Rows 0 .. 10 are fixed; the medication and trigger sections follow, a heading row and a row a
// medication or trigger each.
constexpr int kFixedRows = 11;
constexpr int kPeakFlowRows = 4;  // rows 2 .. 5, left out without readings
constexpr int kPeakFlowFirstRow = 2;
constexpr int kHeadingX = 5, kLabelX = 15;  // where headings and labels (and listed names) start
constexpr int kLabelPadding = 4;            // between the end of the widest of them and the first day

const QString kDayMonth = QStringLiteral("Day/Month:");
const QString kDayOfWeek = QStringLiteral("Day of Week:");
const QString kMedicationHeading = QStringLiteral("Medication Used:");
const QString kTriggerHeading = QStringLiteral("Triggers Encountered:");
const SectionBlock kFixedBlocks[] = {
    {2, 4, "Peak Flow Previous Day Comparison:", {"Morning", "Evening", "Diurnal Variation"}},
    {6, 3, "Symptom Previous Day Comparison:", {"Day", "Night"}},
    {9, 2, "Medication Previous Day Comparison:", {"Reliever Usage"}},
};

// ---- what the report compares and lists -----------------------------------------------------

Change changeOf(int today, int previous) {
    if (today > previous) return Change::Up;
    return today < previous ? Change::Down : Change::Level;
}

// Each recorded day against the last recorded day before it: a peak-flow row compares when both
// days have that reading, the diurnal row when both have both readings, and the symptom and
// reliever rows whenever there is a previous day, also when nothing changed.
std::vector<DayComparison> compareDays(const std::vector<MonthDay>& days, store::CompareRecord previous) {
    std::vector<DayComparison> comparisons;
    for (const MonthDay& day : days) {
        DayComparison c{day.date, day.values.has_value(), {}, {}, {}, {}, {}, {}};
        if (day.values) {
            const store::DayValues& v = *day.values;
            const int diurnal = stats::DiurnalVariation(v.morning, v.evening);
            if (previous.morning > 0 && v.morning > 0) c.morning = changeOf(v.morning, previous.morning);
            if (previous.evening > 0 && v.evening > 0) c.evening = changeOf(v.evening, previous.evening);
            if (previous.morning > 0 && previous.evening > 0 && v.morning > 0 && v.evening > 0)
                c.diurnal = changeOf(diurnal, previous.diurnal);
            if (previous.found) {
                c.daySymptoms = changeOf(v.daySymptoms(), previous.daySymptoms);
                c.nightSymptoms = changeOf(v.nightSymptoms(), previous.nightSymptoms);
                c.reliever = changeOf(v.relievers, previous.relievers);
            }
            previous.found = 1;
            previous.morning = v.morning;
            previous.evening = v.evening;
            previous.diurnal = diurnal;
            previous.daySymptoms = v.daySymptoms();
            previous.nightSymptoms = v.nightSymptoms();
            previous.relievers = v.relievers;
        }
        comparisons.push_back(c);
    }
    return comparisons;
}

// Adds an item to the lines: a new line when its key differs from the last item's.
void addToLines(std::vector<ListLine>& lines, QString& lastKey, const QString& key, const QString& name,
                const QDate& day, const QString& value) {
    if (lines.empty() || key != lastKey) lines.push_back({name, {}});
    lastKey = key;
    lines.back().days.push_back({day, value});
}

// The items as the store lists them (by identifier or name, equal ones in the order they were
// recorded), so that one line holds every day of one medication or trigger.
template <class Item>
std::vector<Item> inListedOrder(std::vector<Item> items) {
    std::sort(items.begin(), items.end(), [](const Item& a, const Item& b) { return a.listed < b.listed; });
    return items;
}

std::vector<ListLine> medicationLines(const std::vector<store::DayMedItem>& items) {
    std::vector<ListLine> lines;
    QString lastId;
    for (const store::DayMedItem& use : inListedOrder(items))
        addToLines(lines, lastId, use.medId, use.name.trimmed(), use.date, QString::number(use.timesUsed));
    return lines;
}

std::vector<ListLine> triggerLines(const std::vector<store::DayTriggerItem>& items) {
    std::vector<ListLine> lines;
    QString lastName;
    for (const store::DayTriggerItem& met : inListedOrder(items)) {
        const QString name = store::triggerName(met.trigger);
        addToLines(lines, lastName, name, triggerCaption(name), met.date, QString());
    }
    return lines;
}

// ---- the picture -----------------------------------------------------------------------------

struct ListSection {
    QString heading;
    const std::vector<ListLine>* lines;
    int headingRow;
    bool boxes;  // a trigger's day is a red box, a medication's its times used

    int firstRow() const { return headingRow + 1; }
    int lastRow() const { return headingRow + int(lines->size()); }
};

// Everything the picture is drawn from; the drawing keeps a copy, so the report can be drawn
// again (for printing) after the store has moved on.
struct AdditionalReport {
    MonthlyMetrics m;
    bool anyReading = false;
    stats::Period month;
    std::vector<DayComparison> days;
    std::vector<ListLine> medications, triggers;

    int rowTop(int row) const { return row * m.rowHeight; }
    int fixedHeight() const { return rowTop(kFixedRows) + 1; }
    std::vector<ListSection> sections() const {
        std::vector<ListSection> s;
        int row = kFixedRows;
        if (!medications.empty()) {
            s.push_back({kMedicationHeading, &medications, row, false});
            row += 1 + int(medications.size());
        }
        if (!triggers.empty()) s.push_back({kTriggerHeading, &triggers, row, true});
        return s;
    }
    // The bottom of the rows, before the footer's row.
    int rowsHeight() const {
        int rows = 0;
        for (const ListSection& s : sections()) rows += 1 + int(s.lines->size());
        return fixedHeight() + rows * m.rowHeight;
    }
    int workHeight() const { return rowsHeight() + m.rowHeight + 2; }
    int pictureHeight() const { return anyReading ? workHeight() : workHeight() - kPeakFlowRows * m.rowHeight; }
};

void grid(ReportCanvas& c, const AdditionalReport& r) {
    const MonthlyMetrics& m = r.m;
    for (int i = 1; i <= stats::kMonthDays; ++i) c.vLine(m.width - i * m.columnWidth, 0, r.fixedHeight());
    c.hLine(0, m.width, 0);
    for (int k = 1; k <= kFixedRows; ++k) c.hLine(0, m.width, r.rowTop(k));
}

void drawDayColumn(ReportCanvas& c, const AdditionalReport& r, int column) {
    const MonthlyMetrics& m = r.m;
    const DayComparison& day = r.days[size_t(column - 1)];
    const int x = m.columnLeft(column);
    DrawDayHeading(c, m, column, 0, day.day);
    // A day without a record is blank below its weekday; the blank's border lies on the grid's
    // lines, so they stay single.
    if (!day.recorded) {
        c.rectangle(x, r.rowTop(2), x + m.columnWidth + 1, r.fixedHeight(), Qt::black, Qt::white);
        return;
    }
    for (const ComparedRow& row : comparedRows())
        if (const auto& mark = day.*row.mark) DrawChangeGlyph(c, m, x, r.rowTop(row.row), *mark, row.higherIsBetter);
}

// A section's heading and its lines with their names and grid, nothing in the day cells yet.
void sectionFrame(ReportCanvas& c, const AdditionalReport& r, const ListSection& s) {
    const MonthlyMetrics& m = r.m;
    DrawSectionBlock(c, m.rowHeight, m.columnLeft(1), {s.headingRow, 1, s.heading, {}});
    for (int row = s.firstRow(); row <= s.lastRow(); ++row) {
        const int top = r.rowTop(row);
        c.text(kLabelX, top + 1, (*s.lines)[size_t(row - s.firstRow())].name);
        for (int i = 1; i <= stats::kMonthDays; ++i) c.vLine(m.width - i * m.columnWidth, top, top + m.rowHeight);
        c.hLine(m.columnLeft(1), m.width, top);
    }
}

// A day without a daily record reads as blank in the lists as in the rows above: its column
// loses the list grid. Drawn before the lists' values, so a use recorded on such a day still
// shows.
void blankUnrecordedDays(ReportCanvas& c, const AdditionalReport& r, const ListSection& s) {
    const MonthlyMetrics& m = r.m;
    for (int column = 1; column <= stats::kMonthDays; ++column) {
        if (r.days[size_t(column - 1)].recorded) continue;
        const int x = m.columnLeft(column);
        c.rectangle(x + 1, r.rowTop(s.firstRow()) + 1, x + m.columnWidth, r.rowTop(s.lastRow() + 1) - 1, Qt::white,
                    Qt::white);
    }
}

void sectionValues(ReportCanvas& c, const AdditionalReport& r, const ListSection& s) {
    const MonthlyMetrics& m = r.m;
    for (int row = s.firstRow(); row <= s.lastRow(); ++row) {
        const int top = r.rowTop(row);
        for (const ListEntry& entry : (*s.lines)[size_t(row - s.firstRow())].days) {
            const int x = m.columnLeft(dayColumn(r.month, entry.day));
            if (s.boxes)
                c.rectangle(x + 4, top + 3, x + m.columnWidth - 3, top + m.rowHeight - 3, Qt::black, colours::kRed);
            else
                DrawCellText(c, x, top, m.columnWidth, m.rowHeight, entry.value);
        }
    }
}

// Drawn last, so that the blocks lie over the day columns.
void fixedLabels(ReportCanvas& c, const AdditionalReport& r) {
    const MonthlyMetrics& m = r.m;
    c.setItalic(true);
    c.text(kHeadingX, 1, kDayMonth);
    c.text(kHeadingX, m.rowHeight + 1, kDayOfWeek);
    c.setItalic(false);
    for (const SectionBlock& b : kFixedBlocks) DrawSectionBlock(c, m.rowHeight, m.columnLeft(1), b);
}

// The left and right edges down to the last row, drawn over the rows so that their lines end on
// it rather than in loose ends.
void frame(ReportCanvas& c, const AdditionalReport& r) {
    c.vLine(0, 0, r.rowsHeight());
    c.vLine(r.m.width - 1, 0, r.rowsHeight());
}

void drawWork(QPainter& p, const AdditionalReport& r) {
    ReportCanvas c(p, r.m.width, reportFont(kMonthlyPoints));
    grid(c, r);
    for (int column = 1; column <= stats::kMonthDays; ++column) drawDayColumn(c, r, column);
    const std::vector<ListSection> sections = r.sections();
    for (const ListSection& s : sections) {
        sectionFrame(c, r, s);
        blankUnrecordedDays(c, r, s);
        sectionValues(c, r, s);
    }
    fixedLabels(c, r);
    frame(c, r);
    if (!sections.empty()) c.hLine(0, r.m.width, r.rowsHeight() - 1);  // under the last list row
    DrawReportFooter(c, r.month.first, r.month.last, r.rowsHeight() + 2);
}

// With readings the whole work picture; without, its date and weekday rows over its rows from
// the symptom comparison on.
void drawAdditional(QPainter& p, const AdditionalReport& r) {
    const MonthlyMetrics& m = r.m;
    p.fillRect(QRect(0, 0, m.width, r.pictureHeight()), Qt::white);
    const auto work = [&r](QPainter& q) { drawWork(q, r); };
    if (r.anyReading) {
        work(p);
        return;
    }
    DrawRows(p, m.width, 0, r.rowTop(kPeakFlowFirstRow), 0, work);
    DrawRows(p, m.width, r.rowTop(kPeakFlowFirstRow + kPeakFlowRows), r.workHeight(), r.rowTop(kPeakFlowFirstRow),
             work);
}

Viewport viewportOf(const AdditionalReport& r) {
    const MonthlyMetrics& m = r.m;
    Viewport v;
    v.FixedWidth = m.fixedWidth();
    v.HeaderHeight = v.GraphHeaderHeight = 2 * m.rowHeight + 1;
    v.StepX = m.columnWidth;
    v.StepY = m.rowHeight;
    v.PictureWidth = m.width;
    v.PictureHeight = r.pictureHeight();
    return v;
}

}  // namespace

MonthlyMetrics measureMonthlyAdditional(const std::vector<ListLine>& medications,
                                        const std::vector<ListLine>& triggers) {
    QFont font = reportFont(kMonthlyPoints);
    const QFontMetrics upright = measure(font);
    font.setItalic(true);
    const QFontMetrics italic = measure(font);
    int area = 0;
    const auto hold = [&area](int x, int width) { area = std::max(area, x + width + kLabelPadding); };
    for (const QString& text : {kDayMonth, kDayOfWeek}) hold(kHeadingX, italic.horizontalAdvance(text));
    for (const SectionBlock& block : kFixedBlocks) {
        hold(kHeadingX, upright.horizontalAdvance(block.heading));
        for (const QString& label : block.labels) hold(kLabelX, upright.horizontalAdvance(label));
    }
    for (const QString& heading : {kMedicationHeading, kTriggerHeading})
        hold(kHeadingX, upright.horizontalAdvance(heading));
    for (const std::vector<ListLine>* lines : {&medications, &triggers})
        for (const ListLine& line : *lines) hold(kLabelX, upright.horizontalAdvance(line.name));
    return withLabelArea(measureMonthly(), area);
}

const std::vector<ComparedRow>& comparedRows() {
    using C = DayComparison;
    static const std::vector<ComparedRow> rows = {
        {"morning", 3, &C::morning, true},
        {"evening", 4, &C::evening, true},
        {"diurnal", 5, &C::diurnal, false},
        {"daySymptoms", 7, &C::daySymptoms, false},
        {"nightSymptoms", 8, &C::nightSymptoms, false},
        {"reliever", 10, &C::reliever, false},
    };
    return rows;
}

void DrawChangeGlyph(ReportCanvas& canvas, const MonthlyMetrics& m, int left, int top, Change kind,
                     bool higherIsBetter) {
    const int cw = m.columnWidth, rh = m.rowHeight;
    if (kind == Change::Level) {
        const int barTop = top + int(std::trunc(rh * 0.5 - 2)), barBottom = top + int(std::trunc(rh * 0.5 + 2));
        canvas.rectangle(left + 8, barTop, left + cw - 8, barBottom, Qt::black, colours::kYellow);
        return;
    }
    const int s = int(std::trunc(cw * 0.5)) - 8;
    const int cx = left + int(std::trunc(cw * 0.5 - s * 0.5)) + 4;
    const int ty = top + int(std::trunc(rh * 0.5 - s * 0.5)) - 1;
    const bool better = (kind == Change::Up) == higherIsBetter;
    const QColor& fill = better ? colours::kLime : colours::kRed;
    if (kind == Change::Up)
        canvas.triangle({cx, ty}, {cx - s, ty + s}, {cx + s, ty + s}, fill);
    else
        canvas.triangle({cx - s, ty}, {cx + s, ty}, {cx, ty + s}, fill);
}

ReportResult MonthlyAdditional(store::ReportCursors& cursors, const store::PersonId& person, const QDate& reportDate,
                               qreal pixelRatio) {
    const stats::Period month = stats::month(reportDate);
    const stats::PeriodRows rows = stats::readPeriodRows(cursors, person, month);
    return MonthlyAdditional(rows, cursors.GetRPrvDly(person, month.first), reportDate, pixelRatio);
}

ReportResult MonthlyAdditional(const stats::PeriodRows& read, const store::CompareRecord& dayBefore,
                               const QDate& reportDate, qreal pixelRatio) {
    const stats::Period month = stats::month(reportDate);
    const stats::PeriodRows rows = stats::rowsWithin(read, month);
    const store::RepPerson& figures = rows.days.person;
    if (!figures.reportAvailable) return noDataReport(MonthlyAdditionalFigures{}, figures, month, pixelRatio);

    std::vector<DayComparison> days = compareDays(monthDays(rows.days.days, month), dayBefore);
    std::vector<ListLine> medications = medicationLines(rows.medication);
    std::vector<ListLine> triggers = triggerLines(rows.triggers);
    AdditionalReport r{measureMonthlyAdditional(medications, triggers),
                       figures.anyReading != 0,
                       month,
                       std::move(days),
                       std::move(medications),
                       std::move(triggers)};
    return builtReport(
        MonthlyAdditionalFigures{r.days, r.medications, r.triggers}, figures,
        kMonthlyAdditionalCaption + periodText(month), viewportOf(r), [r](QPainter& p) { drawAdditional(p, r); },
        pixelRatio);
}

}  // namespace pulmora::reports
