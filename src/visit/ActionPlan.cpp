#include "ActionPlan.h"

#include "RoomPage.h"
#include "reports/ReportCanvas.h"
#include "reports/ReportPicture.h"
#include "stats/Figures.h"

#include <QPainter>

#include <algorithm>

namespace pulmora::reports {
namespace {

// A figure left for the doctor or nurse to write in.
const QString kBlank = QStringLiteral("_____");
const QString kTitle = QStringLiteral("Asthma Action Plan");
const QString kWhatToDo = QStringLiteral("What to do");
const QString kNoBest = QStringLiteral(
    "No personal best is recorded: the peak-flow figures are left blank for the doctor or nurse to fill in.");
const QString kUrgentHelp = QStringLiteral(
    "If your reliever does not help, or you are too breathless to speak, get urgent help now: "
    "call the emergency number.");
const QString kNoneRecorded = QStringLiteral("None recorded");

constexpr int kGap = 8;
constexpr int kIndent = 22;     // of a band's contents, past its colour strip
constexpr int kStrip = 12;      // the band's strip of full colour at its left
constexpr int kFrame = 2;       // the width of the bands' and boxes' frames
constexpr int kZoneCell = 110;  // the zone's name in the heading row
constexpr int kHeadingRow = 26;
constexpr int kRule = 24;  // between the ruled lines: room to write by hand
constexpr int kMostRules = 8;
constexpr int kBoxHeight = 64;

QFont headingFont() {
    QFont font = reportFont(11);
    font.setBold(true);
    return font;
}
int lineHeight() { return measure(roomPageFont()).height() + 4; }

struct Band {
    QString zone;
    QString heading;
    QColor strip, tint;         // tints light enough for black text to read on a grey-scale print
    QString medicationCaption;  // none for a band without medication
    std::vector<const store::PersonMedRow*> medication;
    QString advice;
};

bool inCategory(const store::PersonMedRow& m, std::initializer_list<QString> categories) {
    return std::find(categories.begin(), categories.end(), m.category.trimmed()) != categories.end();
}

std::vector<Band> bands(const ActionPlan& plan) {
    const QStringList headings = planBandHeadings(plan);
    std::vector<Band> b = {
        {QStringLiteral("Green zone"),
         headings[0],
         QColor(0, 170, 0),
         QColor(185, 235, 185),
         QStringLiteral("Preventer and combined medication in use:"),
         {},
         {}},
        {QStringLiteral("Yellow zone"),
         headings[1],
         QColor(240, 200, 0),
         QColor(255, 243, 160),
         QStringLiteral("Reliever medication in use:"),
         {},
         {}},
        {QStringLiteral("Red zone"), headings[2], QColor(220, 0, 0), QColor(255, 190, 190), {}, {}, kUrgentHelp},
    };
    for (const store::PersonMedRow& m : plan.medication) {
        if (inCategory(m, {store::kPreventer, QStringLiteral("Combined")})) b[0].medication.push_back(&m);
        if (inCategory(m, {store::kReliever})) b[1].medication.push_back(&m);
    }
    return b;
}

// A band without its ruled lines.
int bandHeightWithoutRules(const Band& band, int width) {
    int h = kHeadingRow + kGap / 2;
    if (!band.advice.isEmpty()) h += wrappedHeight(roomPageFont(true), width - 2 * kIndent, band.advice) + kGap / 2;
    if (!band.medicationCaption.isEmpty())
        h += lineHeight() * (1 + std::max<int>(1, int(band.medication.size()))) + kGap / 2;
    return h + lineHeight() + kGap;  // "What to do", and room under the last rule
}

void drawText(QPainter& p, const QFont& font, int x, int y, const QString& text) {
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QPoint(x, y + measure(font).ascent()), text);
}

int drawWrapped(QPainter& p, const QFont& font, const QRect& room, const QString& text) {
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(room, Qt::TextWordWrap, text);
    return wrappedHeight(font, room.width(), text);
}

int drawMedication(QPainter& p, const Band& band, int x, int y) {
    const QFontMetrics names = measure(roomPageFont(true));
    int nameColumn = 160;
    for (const store::PersonMedRow* m : band.medication)
        nameColumn = std::max(nameColumn, names.horizontalAdvance(m->name.trimmed()) + 16);
    QFont italic = roomPageFont();
    italic.setItalic(true);
    drawText(p, italic, x, y, band.medicationCaption);
    y += lineHeight();
    if (band.medication.empty()) {
        drawText(p, roomPageFont(), x + 10, y, kNoneRecorded);
        y += lineHeight();
    }
    for (const store::PersonMedRow* m : band.medication) {
        drawText(p, roomPageFont(true), x + 10, y, m->name.trimmed());
        drawText(p, roomPageFont(), x + 10 + nameColumn, y, m->instructions.trimmed());
        y += lineHeight();
    }
    return y + kGap / 2;
}

int drawBand(QPainter& p, const Band& band, int top, int width, int rules) {
    const int height = bandHeightWithoutRules(band, width) + rules * kRule;
    ReportCanvas c(p, width, roomPageFont());
    c.rectangle(0, top, width, top + height, Qt::black, Qt::white, kFrame);
    c.rectangle(kFrame, top + kFrame, kStrip + kFrame, top + height - kFrame, band.strip, band.strip);
    c.rectangle(kStrip + kFrame, top + kFrame, width - kFrame, top + kHeadingRow, band.tint, band.tint);
    c.hLine(kStrip + kFrame, width - kFrame, top + kHeadingRow);
    const int textTop = top + (kHeadingRow - measure(headingFont()).height()) / 2;
    drawText(p, headingFont(), kIndent, textTop, band.zone);
    drawText(p, headingFont(), kIndent + kZoneCell, textTop, band.heading);

    const int inner = width - 2 * kIndent;
    int y = top + kHeadingRow + kGap / 2;
    if (!band.advice.isEmpty())
        y += drawWrapped(p, roomPageFont(true), QRect(kIndent, y, inner, 1000), band.advice) + kGap / 2;
    if (!band.medicationCaption.isEmpty()) y = drawMedication(p, band, kIndent, y);
    drawText(p, roomPageFont(true), kIndent, y, kWhatToDo);
    y += lineHeight();
    for (int i = 1; i <= rules; ++i) c.hLine(kIndent, width - kIndent, y + i * kRule - 4, colours::kGrey);
    return top + height;
}

// The boxes to write the doctor or nurse, their phone and the emergency number in.
void drawContactBoxes(QPainter& p, int top, int width) {
    const struct {
        const char* caption;
        double share;
    } boxes[] = {{"Doctor or nurse", 0.46}, {"Phone", 0.27}, {"Emergency number", 0.27}};
    ReportCanvas c(p, width);
    int x = 0;
    const int room = width - 2 * kGap;
    for (size_t i = 0; i < std::size(boxes); ++i) {
        const int right = i + 1 == std::size(boxes) ? width : x + int(room * boxes[i].share);
        c.rectangle(x, top, right, top + kBoxHeight, Qt::black, Qt::white, kFrame);
        drawText(p, roomPageFont(true), x + 6, top + 4, QString::fromLatin1(boxes[i].caption));
        x = right + kGap;
    }
}

void drawPlan(QPainter& p, const ActionPlan& plan, QSize page) {
    const int width = page.width();
    int y = drawRoomPageHeader(p, width, kTitle, plan.person) + kGap / 2;
    drawText(p, roomPageFont(), 0, y, "Printed on " + reportDate(plan.printed));
    const QString best = plan.hasBest() ? QStringLiteral("Personal best: %1 l/min").arg(plan.person.best)
                                        : QStringLiteral("Personal best: not recorded");
    drawText(p, roomPageFont(true), width - measure(roomPageFont(true)).horizontalAdvance(best), y, best);
    y += lineHeight();
    if (!plan.hasBest()) y += drawWrapped(p, roomPageFont(true), QRect(0, y, width, 1000), kNoBest);
    y += kGap;

    const std::vector<Band> all = bands(plan);
    const int boxesTop = page.height() - kBoxHeight - 1;
    int fixed = 0;
    for (const Band& band : all) fixed += bandHeightWithoutRules(band, width) + kGap;
    const int rules = std::clamp((boxesTop - kGap - y - fixed) / (int(all.size()) * kRule), 1, kMostRules);
    for (const Band& band : all) y = drawBand(p, band, y, width, rules) + kGap;
    drawContactBoxes(p, std::max(boxesTop, y), width);
}

QString litres(int best, int percent) { return best > 0 ? QString::number(stats::ZoneLimit(best, percent)) : kBlank; }

}  // namespace

ActionPlan readActionPlan(store::Diary& diary, const store::PersonId& person, const QDate& printed) {
    return actionPlanOf(diary.reports.GetRPer(person, printed, printed).person, printed, diary.persons.ListMed(person));
}

ActionPlan actionPlanOf(const store::RepPerson& person, const QDate& printed,
                        std::vector<store::PersonMedRow> medication) {
    ActionPlan plan{person, printed, std::move(medication)};
    plan.person.best = std::max(0, person.cardBest);
    return plan;
}

QStringList planBandHeadings(const ActionPlan& plan) {
    const store::RepPerson& p = plan.person;
    const QString yellow = litres(p.best, p.zoneYellow), red = litres(p.best, p.zoneRed);
    return {QStringLiteral("Doing well: peak flow above %1 l/min (%2 % of best)").arg(yellow).arg(p.zoneYellow),
            QStringLiteral("Getting worse: peak flow %1 to %2 l/min").arg(red, yellow),
            QStringLiteral("Medical alert: peak flow below %1 l/min").arg(red)};
}

output::PrintJob PrintActionPlan(const ActionPlan& plan, const QSizeF& room) {
    const QSize page = roomPageSize(room);
    return roomPageJob(room, [&](QPainter& p) { drawPlan(p, plan, page); });
}

}  // namespace pulmora::reports
