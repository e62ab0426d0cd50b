#include "VisitFirstPage.h"

#include "reports/ControlSummary.h"
#include "reports/ReportCanvas.h"
#include "reports/ReportPicture.h"
#include "reports/ReportRun.h"
#include "stats/Figures.h"
#include "store/Names.h"

#include <algorithm>
#include <numeric>

#include <QSet>

namespace pulmora::reports {
namespace {

constexpr int kPadding = 10;  // in a column, beside its widest text
constexpr int kMostTriggerColumns = 4;

// A prescription date as the reports write dates; blank without one.
QString prescribed(const QDate& date) { return date.isNull() ? QString() : reportDate(date); }

QString flow(int litres) { return litres > 0 ? QStringLiteral("%1 l/min").arg(litres) : QStringLiteral("-"); }

QString limit(int best, int percent) {
    if (best <= 0) return QStringLiteral("%1% of best").arg(percent);
    return QStringLiteral("%1 (%2% of best)").arg(flow(stats::ZoneLimit(best, percent))).arg(percent);
}

const QString kNone = QStringLiteral("None recorded");

struct Grid {
    int rowHeight = 0;
    int width = 0;
    std::vector<std::vector<int>> columns;  // each section's column widths, the last to the right edge
};

int rowsOf(const GridSection& s) { return 1 + (s.captions.isEmpty() ? 0 : 1) + int(s.rows.size()); }

std::vector<int> naturalWidths(const GridSection& s, const QFontMetrics& metrics) {
    std::vector<int> widths(size_t(std::max<qsizetype>(s.captions.size(), s.rows.empty() ? 1 : s.rows.front().size())));
    const auto widen = [&](const QStringList& texts) {
        for (qsizetype j = 0; j < texts.size() && size_t(j) < widths.size(); ++j)
            widths[size_t(j)] = std::max(widths[size_t(j)], metrics.horizontalAdvance(texts[j]) + kPadding);
    };
    widen(s.captions);
    for (const QStringList& row : s.rows) widen(row);
    return widths;
}

Grid layOut(const std::vector<GridSection>& sections, int atLeast) {
    const QFontMetrics metrics = measure(reportFont());
    Grid grid{metrics.height() + 3, atLeast, {}};
    for (const GridSection& s : sections) {
        grid.columns.push_back(naturalWidths(s, metrics));
        grid.width = std::max(grid.width, std::accumulate(grid.columns.back().begin(), grid.columns.back().end(), 0));
    }
    for (size_t i = 0; i < sections.size(); ++i)
        if (sections[i].evenColumns) {
            std::vector<int>& widths = grid.columns[i];
            widths.assign(widths.size(), grid.width / int(widths.size()));
        }
    return grid;
}

int sectionsHeight(const std::vector<GridSection>& sections, const Grid& grid) {
    int height = 0;
    for (const GridSection& s : sections) height += grid.rowHeight / 2 + rowsOf(s) * grid.rowHeight;
    return height;
}

// One text a column from the column's left edge, with lines between the columns.
void cells(ReportCanvas& c, const std::vector<int>& widths, int top, int height, const QStringList& texts) {
    int x = 0;
    for (size_t j = 0; j < widths.size(); ++j) {
        if (j > 0) c.vLine(x, top, top + height);
        if (qsizetype(j) < texts.size()) c.text(x + 5, top + 1, texts[qsizetype(j)]);
        x += widths[j];
    }
}

// A section from y `top`: the heading row across the width, then the captions and the rows.
int drawSection(ReportCanvas& c, const GridSection& s, const std::vector<int>& widths, int top, int rh) {
    const int bottom = top + rowsOf(s) * rh;
    c.rectangle(0, top, c.width(), bottom, Qt::black, Qt::white);
    c.text(5, top + 1, s.heading);
    int y = top + rh;
    if (!s.captions.isEmpty()) {
        c.hLine(0, c.width(), y);
        c.setItalic(true);
        cells(c, widths, y, rh, s.captions);
        c.setItalic(false);
        y += rh;
    }
    for (const QStringList& row : s.rows) {
        c.hLine(0, c.width(), y);
        cells(c, widths, y, rh, row);
        y += rh;
    }
    return bottom;
}

// A combined inhaler holds a preventer too.
bool isPreventer(const store::PersonMedRow& m) {
    const QString category = m.category.trimmed();
    return category == store::kPreventer || category == QLatin1String("Combined");
}

// Each preventer in use with the recorded days of the four weeks it was taken on and its doses:
// a regimen of relievers alone is what a review looks for first.
GridSection preventerSection(const VisitDetails& details, const stats::AsthmaControl* control) {
    GridSection section{QStringLiteral("Preventer Use, Last 4 Weeks:"), {"Name", "Category", "Taken", "Doses"}, {}};
    for (const store::PersonMedRow& m : details.medication) {
        if (!isPreventer(m)) continue;
        QStringList row{m.name.trimmed(), m.category.trimmed()};
        if (control) {
            const auto taken =
                std::find_if(control->medication.begin(), control->medication.end(),
                             [&m](const stats::MedicationTaken& t) { return t.medId == m.medId.trimmed(); });
            const bool any = taken != control->medication.end();
            row << "on " + ofDaysRecorded(any ? taken->days : 0, control->current.daysRecorded)
                << countOf(any ? taken->doses : 0, "dose", "doses");
        }
        section.rows.push_back(row);
    }
    if (section.rows.empty()) return {section.heading, {}, {{QStringLiteral("No preventer in use")}}};
    return section;
}

// The texts in as many columns as the width holds, filled row by row; `kNone` for none.
std::vector<QStringList> inColumns(const QStringList& texts, int width) {
    const QFontMetrics metrics = measure(reportFont());
    int widest = metrics.horizontalAdvance(kNone);
    for (const QString& t : texts) widest = std::max(widest, metrics.horizontalAdvance(t));
    const int perRow = std::clamp(width / (widest + kPadding), 1, kMostTriggerColumns);
    std::vector<QStringList> rows;
    for (qsizetype i = 0; i < texts.size(); i += perRow) {
        QStringList row = texts.mid(i, perRow);
        while (row.size() < perRow) row << QString();
        rows.push_back(row);
    }
    if (rows.empty()) rows.push_back({kNone});
    return rows;
}

// The triggers met in the four weeks, the most days first, then the rest of the person's list in
// name order: a list alone would read as if all of it had been met.
std::pair<GridSection, GridSection> triggerSections(const VisitDetails& details, const stats::AsthmaControl* control,
                                                    int width) {
    QStringList met, others;
    QSet<QString> metNames;
    if (control)
        for (const stats::TriggerMet& t : control->triggers) {
            met << QStringLiteral("%1 (%2)").arg(triggerCaption(t.name), countOf(t.days, "day", "days"));
            metNames.insert(store::triggerName(t.name));
        }
    for (const QString& t : details.triggers)
        if (!metNames.contains(store::triggerName(t))) others << t;
    return {{QStringLiteral("Triggers Met, Last 4 Weeks:"), {}, inColumns(met, width), true},
            {QStringLiteral("Other Triggers in the List:"), {}, inColumns(others, width), true}};
}

}  // namespace

VisitDetails readVisitDetails(store::Persons& persons, const store::PersonId& person, const store::RepPerson& figures) {
    VisitDetails details;
    details.medication = persons.ListMed(person);
    for (const QString& trigger : persons.ListPerTrg(person)) details.triggers << triggerCaption(trigger);
    details.best = figures.cardBest;
    details.predicted = figures.predicted;
    details.zoneYellow = figures.zoneYellow;
    details.zoneRed = figures.zoneRed;
    return details;
}

std::vector<GridSection> visitSections(const VisitDetails& details, const stats::AsthmaControl* control, int width) {
    GridSection medication{
        QStringLiteral("Medication in Use:"), {"Name", "Category", "Instructions", "Prescribed By", "On"}, {}};
    for (const store::PersonMedRow& m : details.medication)
        medication.rows.push_back({m.name.trimmed(), m.category.trimmed(), m.instructions.trimmed(),
                                   m.prescribedBy.trimmed(), prescribed(m.prescribedDate)});
    if (medication.rows.empty()) medication.rows.push_back({kNone});

    GridSection best{QStringLiteral("Personal Best and Zones:"),
                     {},
                     {{QStringLiteral("Personal best"), flow(details.best)},
                      {QStringLiteral("Predicted"), flow(details.predicted)},
                      {QStringLiteral("Yellow zone limit"), limit(details.best, details.zoneYellow)},
                      {QStringLiteral("Red zone limit"), limit(details.best, details.zoneRed)}}};
    const auto [met, others] = triggerSections(details, control, width);
    return {medication, preventerSection(details, control), met, others, best};
}

ReportResult VisitFirstPage(const ReportResult& summary, const stats::Period& summaryPeriod,
                            const VisitDetails& details) {
    const QString noSummary =
        "No day was recorded from " + periodText(summaryPeriod) + ": there is no control summary.";
    const int summaryWidth = summary.available ? summary.viewport.PictureWidth
                                               : measure(reportFont()).horizontalAdvance(noSummary) + kPadding;
    const auto* figures = std::get_if<ControlSummaryFigures>(&summary.figures);
    const std::vector<GridSection> sections =
        visitSections(details, figures && figures->control.available() ? &figures->control : nullptr, summaryWidth);
    const Grid grid = layOut(sections, summaryWidth);
    const int summaryHeight = summary.available ? summary.viewport.PictureHeight : grid.rowHeight;

    ReportResult page;
    page.figures = summary.figures;  // so it prints as the summary does
    page.available = true;
    page.person = summary.person;
    page.viewport.PictureWidth = grid.width;
    page.viewport.PictureHeight = summaryHeight + sectionsHeight(sections, grid);
    page.drawing = [summary, noSummary, summaryHeight, sections, grid](QPainter& p) {
        if (summary.available) summary.drawing(p);
        ReportCanvas c(p, grid.width);  // after the summary, which sets fonts of its own
        if (!summary.available) c.text(5, 1, noSummary);
        int y = summaryHeight;
        for (size_t i = 0; i < sections.size(); ++i)
            y = drawSection(c, sections[i], grid.columns[i], y + grid.rowHeight / 2, grid.rowHeight);
    };
    return page;
}

}  // namespace pulmora::reports
