#include "ReportPicture.h"

#include "stats/Figures.h"

#include <QLocale>

#include <cmath>

namespace pulmora::reports {

void DrawCellText(ReportCanvas& canvas, int left, int top, int width, int height, const QString& text) {
    int x = int(std::trunc(left + width * 0.5 - canvas.textWidth(text) * 0.5));
    int y = int(std::trunc(top + height * 0.5 - canvas.textHeight() * 0.5));
    if (x < left || x > left + width) x = left;
    if (y < top || y > top + height) y = top;
    canvas.text(x, y, text);
}

void DrawSectionBlock(ReportCanvas& canvas, int rowHeight, int labelRight, const SectionBlock& block) {
    const int top = block.firstRow * rowHeight;
    const int bottom = (block.firstRow + block.rowCount) * rowHeight;
    canvas.rectangle(0, top, canvas.width(), top + rowHeight + 1, Qt::black, Qt::white);
    canvas.rectangle(1, top + 1, labelRight, bottom - 1, Qt::white, Qt::white);
    canvas.text(5, top + 1, block.heading);
    for (int i = 0; i < block.labels.size(); ++i) canvas.text(15, top + (i + 1) * rowHeight + 1, block.labels[i]);
}

int ChartScale::y(long double value) const { return top_ + int(std::trunc(200.0L - value / scale_)); }

int ChartScale::pixels(long double value) const { return int(std::trunc(value / scale_)); }

int ChartScale::captionY(long double value) const { return int(std::trunc(202.0L - value / scale_)) + top_; }

void DrawPercentChart(ReportCanvas& canvas, const ChartPlacement& chart, const store::RepPerson* zones) {
    DrawPercentGrid(canvas, chart);
    if (zones) DrawZoneBands(canvas, chart, *zones);
}

void DrawPercentGrid(ReportCanvas& canvas, const ChartPlacement& chart) {
    const int right = canvas.width();
    const int bottom = chart.top + kChartHeight;
    canvas.vLine(chart.left, chart.top, bottom);
    canvas.hLine(0, right, bottom);
    for (int i = 1; i <= 19; ++i) canvas.hLine(chart.left - 2, right, chart.top + 10 * i, colours::kGrey);
    for (int i = 1; i <= 9; ++i) canvas.hLine(chart.labelX, right, chart.top + 20 * i);
    canvas.text(chart.labelX, chart.top + 1, QStringLiteral("100"));
    for (int i = 1; i <= 9; ++i) canvas.text(chart.labelX, chart.top + 20 * i + 1, QString::number(100 - 10 * i));
}

void DrawZoneBands(ReportCanvas& canvas, const ChartPlacement& chart, const store::RepPerson& zones) {
    const int right = canvas.width();
    const int bottom = chart.top + kChartHeight;
    const ChartScale scale(zones.best, chart.top);
    const long double best = zones.best;
    const long double yellow = best * zones.zoneYellow * 0.01L;
    const long double red = best * zones.zoneRed * 0.01L;
    struct Band {
        long double top;
        int bottom;
        QColor pen, fill;
    };
    const Band bands[] = {{best, scale.y(yellow), colours::kGreen, colours::kGreen},
                          {yellow, scale.y(red), colours::kOlive, colours::kYellow},
                          {red, bottom, colours::kRed, colours::kRed}};
    for (const Band& band : bands) {
        const int top = scale.y(band.top);
        canvas.hLine(0, right, top, band.pen);
        canvas.rectangle(0, top, 8, band.bottom, band.pen, band.fill);
    }
    canvas.text(10, scale.captionY(best), QStringLiteral("Green Zone"));
    canvas.text(10, scale.captionY(best) + chart.rowHeight, QStringLiteral("(Best = %1)").arg(zones.best));
    canvas.text(10, scale.captionY(yellow), QStringLiteral("Yellow Zone"));
    canvas.text(10, scale.captionY(red), QStringLiteral("Red Zone"));
}

QStringList zoneLabels(const store::RepPerson& p) {
    return {QStringLiteral("Green (%1 = 100%)").arg(p.best),
            QStringLiteral("Yellow (%1 = %2%)").arg(stats::ZoneLimit(p.best, p.zoneYellow)).arg(p.zoneYellow),
            QStringLiteral("Red (%1 = %2%)").arg(stats::ZoneLimit(p.best, p.zoneRed)).arg(p.zoneRed)};
}

QString triggerCaption(const QString& stored) { return stored.left(1) + stored.mid(1).toLower(); }

QString reportDate(const QDate& date) { return QLocale(QLocale::English).toString(date, QStringLiteral("d MMM yyyy")); }

QString dayMonth(const QDate& date) { return QStringLiteral("%1/%2").arg(date.day()).arg(date.month()); }

QString weekdayName(const QDate& date) { return QLocale(QLocale::English).toString(date, QStringLiteral("ddd")); }

void DrawRows(QPainter& painter, int width, int from, int to, int at, const std::function<void(QPainter&)>& draw) {
    painter.save();
    painter.setClipRect(QRect(0, at, width, to - from));
    painter.translate(0, at - from);
    draw(painter);
    painter.restore();
}

void DrawReportFooter(ReportCanvas& canvas, const QDate& first, const QDate& last, int y) {
    const QString footer = "Report from " + reportDate(first) + " to " + reportDate(last);
    canvas.setBold(true);
    canvas.text(canvas.width() - canvas.textWidth(footer), y, footer);
    canvas.setBold(false);
}

}  // namespace pulmora::reports
