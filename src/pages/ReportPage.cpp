#include "ReportPage.h"

#include "reports/ReportCanvas.h"

#include <QPainter>

namespace pulmora::reports {
namespace {

QSize pictureSize(const ReportResult& report) { return {report.viewport.PictureWidth, report.viewport.PictureHeight}; }

void drawHeader(QPainter& p, const ReportResult& report, const QRect& place) {
    p.save();
    p.translate(place.topLeft());
    DrawPersonHeader(p, place.width(), reportTitle(report.kind()), report.person);
    p.restore();
}

// The report picture drawn again from its top left corner, cut off at its own edges as a copy
// of the picture would be.
void drawReport(QPainter& p, const ReportResult& report, QPoint at) {
    p.save();
    p.translate(at);
    p.setClipRect(QRect(QPoint(0, 0), pictureSize(report)), Qt::IntersectClip);
    report.drawing(p);
    p.restore();
}

void drawNotes(ReportCanvas& c, const PageLayout& layout) {
    const int left = layout.report.x();
    c.hLine(left, layout.page.width(), layout.notesY);
    c.setBold(true);
    c.text(left, layout.notesY + 1, QStringLiteral("Notes"));
    c.setBold(false);
}

void drawBandMarks(ReportCanvas& c, const PageLayout& layout, const PageMetrics& m) {
    if (layout.band == PageLayout::Band::Left) {
        c.text(0, 0, QStringLiteral("Punch"));
        c.text(0, m.LH, QStringLiteral("Margin"));
        c.vLine(m.MW + 1, 0, 50);
        return;
    }
    const int W = layout.page.width();
    c.text(W - c.textWidth(QStringLiteral("MarginM")), 0, QStringLiteral("Margin"));
    c.hLine(W, W - 50, m.MW + 1);
}

void drawPage(QPainter& p, const ReportResult& report, const PageLayout& layout, const PageMetrics& m) {
    drawHeader(p, report, layout.header);
    drawReport(p, report, layout.report);
    ReportCanvas c(p, layout.page.width());
    drawBandMarks(c, layout, m);
    drawNotes(c, layout);
}

}  // namespace

PageLayout weeklyLayout(QSize report, const PageMetrics& m) {
    const int band = m.MW + 14;
    PageLayout layout;
    layout.band = PageLayout::Band::Left;
    layout.page = QSize(report.width() + m.MW + 15, m.headerHeight() + report.height() + 3 * m.LH);
    // Beside the band the header has the page's width less the band's, so it ends at the
    // page's right edge rather than past it.
    layout.header = QRect(band, 0, layout.page.width() - band, m.headerHeight());
    layout.report = QPoint(band, m.headerHeight());
    layout.notesY = m.headerHeight() + report.height() + m.LH;
    return layout;
}

PageLayout monthlyLayout(QSize report, const PageMetrics& m) {
    const int band = m.MW + 14;
    PageLayout layout;
    layout.band = PageLayout::Band::Top;
    layout.page = QSize(report.width(), m.headerHeight() + report.height() + 5 * m.LH + m.MW + 15);
    layout.header = QRect(0, band, report.width(), m.headerHeight());
    layout.report = QPoint(0, m.headerHeight() + band);
    layout.notesY = m.headerHeight() + report.height() + m.MW + 15;
    return layout;
}

output::PrintJob PrintAsthmaReport(const ReportResult& report) {
    output::PrintJob job;
    if (!report.available || !report.drawing) return job;
    const PageMetrics m = PageMetrics::measure();
    // The weekly comparison and the control summary are tall and narrow, the monthly reports wide.
    const bool portrait = report.kind() == ReportKind::Weekly || report.kind() == ReportKind::ControlSummary;
    const PageLayout layout = portrait ? weeklyLayout(pictureSize(report), m) : monthlyLayout(pictureSize(report), m);
    job.orientation = portrait ? QPageLayout::Portrait : QPageLayout::Landscape;
    job.pages.push_back(
        {output::RecordedPage::record(layout.page, [&](QPainter& p) { drawPage(p, report, layout, m); }),
         output::PageSizing::scaled(cardLetter())});
    return job;
}

QSize savedPictureSize(const ReportResult& report) {
    const QSize picture = pictureSize(report);
    return {picture.width(), PageMetrics::measure().headerHeight() + picture.height()};
}

QImage savedReportPicture(const ReportResult& report) {
    if (!report.available || !report.drawing) return {};
    const QSize size = savedPictureSize(report);
    const int headerHeight = size.height() - report.viewport.PictureHeight;
    return renderPicture(
        [&](QPainter& p) {
            drawHeader(p, report, QRect(0, 0, size.width(), headerHeight));
            drawReport(p, report, QPoint(0, headerHeight));
        },
        size);
}

output::ScreenLetter cardLetter() { return output::ScreenLetter::measure(measure(reportFont())); }

}  // namespace pulmora::reports
