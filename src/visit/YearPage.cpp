#include "YearPage.h"

#include "RoomPage.h"
#include "reports/ReportCanvas.h"
#include "reports/ReportPicture.h"
#include "reports/ReportRun.h"

#include <QJsonArray>
#include <QLocale>
#include <QPainter>

namespace pulmora::reports {
namespace {

const QString kTitle = QStringLiteral("The Last 12 Months");

// One figure column of the table, with the name its figure has in the JSON.
struct YearColumn {
    const char* caption;
    const char* name;
    int (*value)(const stats::MonthRisks&);
};
const YearColumn kColumns[] = {
    {"Days recorded", "DaysRecorded", [](const stats::MonthRisks& m) { return m.stats.DaysRecorded; }},
    {"Days rated bad", "DaysRatedBad", [](const stats::MonthRisks& m) { return m.stats.DaysRatedBad; }},
    {"Days with a red-zone reading", "RedZoneDays", [](const stats::MonthRisks& m) { return m.redZoneDays; }},
    {"Days with night symptoms", "DaysNightSymptoms",
     [](const stats::MonthRisks& m) { return m.stats.DaysNightSymptoms; }},
    {"Days off work or school", "DaysOffWork", [](const stats::MonthRisks& m) { return m.stats.DaysOffWork; }},
    {"Reliever doses", "RelieverTotal", [](const stats::MonthRisks& m) { return m.stats.RelieverTotal; }},
    {"Preventer doses", "PreventerTotal", [](const stats::MonthRisks& m) { return m.stats.PreventerTotal; }},
};

constexpr int kGap = 8;
constexpr int kMonthColumn = 110;
constexpr int kRow = 26;

QString monthName(const QDate& first) { return QLocale(QLocale::English).toString(first, QStringLiteral("MMM yyyy")); }

QString inhalers(int tenths) { return QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10); }

int captionRowHeight(int columnWidth) {
    int height = 0;
    for (const YearColumn& column : kColumns)
        height = std::max(height, wrappedHeight(roomPageFont(true), columnWidth - 6,
                                                QString::fromLatin1(column.caption), Qt::AlignHCenter));
    return height + kGap;
}

void cell(QPainter& p, const QRect& rect, int flags, const QString& text) {
    p.setPen(Qt::black);
    p.drawText(rect.adjusted(4, 0, -4, 0), flags, text);
}

// The table from y `top`: the captions, a row a month and the total; its bottom.
int drawTable(QPainter& p, const stats::YearRisks& year, int top, int width) {
    const int columns = int(std::size(kColumns));
    const int columnWidth = (width - kMonthColumn) / columns;
    const int right = kMonthColumn + columns * columnWidth;
    const int captions = captionRowHeight(columnWidth);
    const int rows = int(year.months.size()) + 1;
    const int bottom = top + captions + rows * kRow;
    ReportCanvas c(p, width, roomPageFont());
    c.rectangle(0, top, right, bottom, Qt::black, Qt::white);
    c.rectangle(1, top + 1, right - 1, top + captions, colours::kSilver, colours::kSilver, 0);
    c.rectangle(1, bottom - kRow, right - 1, bottom - 1, QColor(230, 230, 230), QColor(230, 230, 230), 0);
    for (int x = kMonthColumn; x < right; x += columnWidth) c.vLine(x, top, bottom);
    for (int i = 0; i < rows; ++i) c.hLine(0, right, top + captions + i * kRow, Qt::black, i == rows - 1 ? 2 : 1);

    p.setFont(roomPageFont(true));
    cell(p, QRect(0, top, kMonthColumn, captions), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Month"));
    for (int j = 0; j < columns; ++j)
        cell(p, QRect(kMonthColumn + j * columnWidth, top, columnWidth, captions), Qt::AlignCenter | Qt::TextWordWrap,
             QString::fromLatin1(kColumns[j].caption));

    const auto row = [&](int y, const QString& label, const stats::MonthRisks& m, bool bold) {
        p.setFont(roomPageFont(bold));
        cell(p, QRect(0, y, kMonthColumn, kRow), Qt::AlignLeft | Qt::AlignVCenter, label);
        for (int j = 0; j < columns; ++j)
            cell(p, QRect(kMonthColumn + j * columnWidth, y, columnWidth, kRow), Qt::AlignCenter,
                 QString::number(kColumns[j].value(m)));
    };
    int y = top + captions;
    for (const stats::MonthRisks& m : year.months) {
        row(y, monthName(m.period.first), m, false);
        y += kRow;
    }
    row(y, QStringLiteral("Total"), year.total, true);
    return bottom;
}

void drawYear(QPainter& p, const stats::YearRisks& year, QSize page) {
    const int width = page.width();
    int y = drawRoomPageHeader(p, width, kTitle, year.person) + kGap / 2;
    p.setFont(roomPageFont(true));
    p.setPen(Qt::black);
    p.drawText(QRect(0, y, width, kRow), Qt::AlignLeft | Qt::AlignVCenter,
               "The 12 months from " + periodText(year.period) + ", one month a row");
    y = drawTable(p, year, y + kRow + kGap / 2, width) + kGap * 2;
    p.setFont(roomPageFont());
    for (const QString& finding : yearFindings(year)) {
        const QRect room(0, y, width, page.height() - y);
        p.drawText(room, Qt::TextWordWrap, finding);
        y += wrappedHeight(roomPageFont(), width, finding) + kGap;
    }
}

QJsonObject monthJson(const stats::MonthRisks& m) {
    QJsonObject o{{"first", m.period.first.toString(Qt::ISODate)}, {"last", m.period.last.toString(Qt::ISODate)}};
    for (const YearColumn& column : kColumns) o.insert(QLatin1String(column.name), column.value(m));
    return o;
}

}  // namespace

QStringList yearFindings(const stats::YearRisks& year) {
    const int doses = year.total.stats.RelieverTotal;
    QStringList findings;
    findings << QStringLiteral(
                    "Reliever doses in the 12 months: %1, about %2 reliever inhalers (the doses divided by "
                    "%3, the usual number of doses in an inhaler).")
                    .arg(doses)
                    .arg(inhalers(year.relieverInhalerTenths()))
                    .arg(stats::kInhalerDoses);
    if (year.manyRelieverInhalers())
        findings << QStringLiteral(
                        "That is %1 or more reliever inhalers in 12 months: a sign that the asthma is not "
                        "well controlled and a known risk of a severe attack.")
                        .arg(stats::kRiskyInhalers);
    if (!year.person.anyReading) {
        findings << QStringLiteral("No peak flow was recorded in these 12 months.");
        return findings;
    }
    QStringList months;
    for (const QDate& month : year.redZoneMonths()) months << monthName(month);
    findings << (months.isEmpty() ? QStringLiteral("No reading was in the red zone in these 12 months.")
                                  : "Months with a reading in the red zone: " + months.join(", ") + ".");
    findings << QStringLiteral(
                    "The zones are taken against a best of %1 l/min: the personal best, or the highest "
                    "reading of the 12 months where that is higher.")
                    .arg(year.person.best);
    return findings;
}

output::PrintJob PrintYearPage(const stats::YearRisks& year, const QSizeF& room) {
    const QSize page = roomPageSize(room);
    return roomPageJob(room, [&](QPainter& p) { drawYear(p, year, page); });
}

QJsonObject yearFiguresJson(const stats::YearRisks& year) {
    QJsonArray months, red;
    for (const stats::MonthRisks& m : year.months) months.append(monthJson(m));
    for (const QDate& month : year.redZoneMonths()) red.append(month.toString(QStringLiteral("yyyy-MM")));
    return {{"first", year.period.first.toString(Qt::ISODate)},
            {"last", year.period.last.toString(Qt::ISODate)},
            {"Best", year.person.best},
            {"ZYel", year.person.zoneYellow},
            {"ZRed", year.person.zoneRed},
            {"months", months},
            {"total", monthJson(year.total)},
            {"relieverInhalers", year.relieverInhalerTenths() / 10.0},
            {"manyRelieverInhalers", year.manyRelieverInhalers()},
            {"redZoneMonths", red},
            {"findings", QJsonArray::fromStringList(yearFindings(year))}};
}

}  // namespace pulmora::reports
