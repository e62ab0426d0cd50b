#pragma once

#include "Viewport.h"
#include "stats/AsthmaControl.h"
#include "stats/PeriodStats.h"
#include "store/Values.h"

#include <QImage>
#include <QPainter>

#include <functional>
#include <optional>
#include <type_traits>
#include <variant>
#include <vector>

namespace pulmora::reports {

// What the report card has on show, by the letter it keeps for it.
enum class ReportKind : char {
    Weekly = 'D',
    MonthlyBasic = 'T',
    MonthlyAdditional = 'Y',
    ControlSummary = 'C',
    PeakFlowGraph = 'P',
    GeneralGraph = 'S',
};

inline QChar letter(ReportKind kind) { return QLatin1Char(char(kind)); }
inline bool isGraph(ReportKind kind) { return kind == ReportKind::PeakFlowGraph || kind == ReportKind::GeneralGraph; }

// The figures of one reported period.
struct PeriodFigures {
    QString caption;  // "Week 1" ...
    stats::Period period;
    stats::PeriodStats stats;
};

// How a day compares with the previous recorded day in one row of the monthly additional
// report: its mark is an arrow up or down, or a level bar.
enum class Change { Up, Down, Level };

// One day column of the monthly additional report and the marks it drew, row by row (none
// where the row stays empty).
struct DayComparison {
    QDate day;
    bool recorded = false;  // the day has a daily record
    std::optional<Change> morning, evening, diurnal, daySymptoms, nightSymptoms, reliever;
};

// A medication or trigger line of the monthly additional report: its name as written and what
// it shows in the day columns (a medication's times used; a trigger's red box shows no text).
struct ListEntry {
    QDate day;
    QString value;
};
struct ListLine {
    QString name;
    std::vector<ListEntry> days;  // in the order the store delivered them
};

// The figures of each text report, which its JSON and its words for screen readers give. A run
// without a report keeps its kind's figures empty.
struct WeeklyFigures {
    static constexpr ReportKind kind = ReportKind::Weekly;
    std::vector<PeriodFigures> weeks;  // week 1 .. 6, oldest first
    std::vector<PeriodFigures> periods() const { return weeks; }
};
struct MonthlyBasicFigures {
    static constexpr ReportKind kind = ReportKind::MonthlyBasic;
    stats::Period month;
    stats::PeriodStats stats;
    std::vector<PeriodFigures> periods() const { return {{QString(), month, stats}}; }
};
struct MonthlyAdditionalFigures {
    static constexpr ReportKind kind = ReportKind::MonthlyAdditional;
    std::vector<DayComparison> days;              // the day columns, oldest first
    std::vector<ListLine> medications, triggers;  // the list lines, in the store's order
    std::vector<PeriodFigures> periods() const { return {}; }
};
struct ControlSummaryFigures {
    static constexpr ReportKind kind = ReportKind::ControlSummary;
    stats::AsthmaControl control;
    // The four weeks before, then the four weeks up to the report date.
    std::vector<PeriodFigures> periods() const;
};
// One report's figures: which of them it holds is the report's kind.
using TextReportFigures =
    std::variant<WeeklyFigures, MonthlyBasicFigures, MonthlyAdditionalFigures, ControlSummaryFigures>;

// Draws the whole report picture on a painter, in logical pixels from its top left corner: on
// an image for the screen or a file, or on a recorded page for printing.
using ReportDrawing = std::function<void(QPainter&)>;

// What one report run made. The report card shows it; printing and picture saving use it as it
// is, without building it again. Its picture is drawn only when something asks for it: a page
// that prints the report draws it on the page instead.
struct ReportResult {
    TextReportFigures figures;
    bool available = false;   // the period asked for holds at least one daily record
    QString status;           // the status line
    store::RepPerson person;  // the person's figures for the period, as the store read them
    Viewport viewport;        // set when the report is available
    ReportDrawing drawing;    // draws the report picture; empty without a report
    qreal pixelRatio = 1.0;   // of the picture
    QImage noDataPicture;     // without a report: the picture shown instead

    ReportKind kind() const {
        return std::visit([](const auto& f) { return std::decay_t<decltype(f)>::kind; }, figures);
    }
    // The periods the report's figures cover, in report order; none without a report.
    std::vector<PeriodFigures> periods() const;

    // The report picture at the pixel ratio, drawn on the first call; without a report, the
    // no-data picture (none before any report ran).
    QImage picture() const;

    // The report has a graph strip that can be hidden and shown.
    bool hasGraphStrip() const { return available && viewport.GraphStripHeight != 0; }

private:
    mutable QImage drawn_;
};

// The picture drawn at the pixel ratio: its size is in logical pixels.
QImage renderPicture(const ReportDrawing& drawing, const QSize& size, qreal pixelRatio = 1.0);

}  // namespace pulmora::reports
