#include "RecordSheet.h"

#include "RatingPictures.h"
#include "SheetFont.h"

#include <QLocale>
#include <QPainter>

#include <algorithm>

namespace pulmora::sheet {
namespace {

constexpr int kSheetPoints = 10;
constexpr int kListPoints = 8;
constexpr int kGridRows = 16;    // the rows above the zone line
constexpr int kTextInset = 4;    // a text's distance from the lines it stands between
constexpr int kHeadingGap = 12;  // at least between the name and the period in the heading

QFont boldSheetFont() {
    QFont font = sheetFont(kSheetPoints);
    font.setBold(true);
    return font;
}

// Where the name starts after "For: " in the heading.
int nameLeft() { return measure(boldSheetFont()).horizontalAdvance(QStringLiteral("For:XX")) + kTextInset; }

// The sheet's drawing conventions: texts placed by their top left corner, lines and boxes as
// filled areas one pixel wide. A box from (x1, y1) to (x2, y2) covers x1 .. x2 - 1 and is cut
// at the picture's right edge, so the last column keeps its border.
class Canvas {
public:
    Canvas(QPainter& painter, int width) : p_(painter), width_(width), metrics_(measure(p_.font())) {}

    void font(int points, bool bold = false, bool italic = false) {
        QFont f = sheetFont(points);
        f.setBold(bold);
        f.setItalic(italic);
        p_.setFont(f);
        metrics_ = measure(f);
    }
    int textWidth(const QString& s) const { return metrics_.horizontalAdvance(s); }
    int textHeight() const { return metrics_.height(); }
    void text(int x, int y, const QString& s) {
        p_.setPen(Qt::black);
        p_.drawText(QPoint(x, y + metrics_.ascent()), s);
    }
    void centred(int left, int width, int y, const QString& s) { text(left + (width - textWidth(s)) / 2, y, s); }
    void rightAligned(int right, int y, const QString& s) { text(right - textWidth(s), y, s); }
    void hLine(int y) { p_.fillRect(QRect(0, y, width_, 1), Qt::black); }
    void vLine(int x, int y1, int y2) { p_.fillRect(QRect(x, y1, 1, y2 - y1), Qt::black); }
    void box(int x1, int y1, int x2, int y2) {
        x2 = std::min(x2, width_);
        p_.fillRect(QRect(x1, y1, x2 - x1, y2 - y1), Qt::black);
        p_.fillRect(QRect(x1 + 1, y1 + 1, x2 - x1 - 2, y2 - y1 - 2), Qt::white);
    }
    QPainter& painter() { return p_; }

private:
    QPainter& p_;
    int width_;
    QFontMetrics metrics_;
};

struct RowLabel {
    int row;
    const char* text;
    bool lineAbove;
};
const RowLabel kRowLabels[] = {
    {4, "Morning", true},          {5, "Evening", true},
    {6, "Breathlessness", true},   {7, "Wheezing", false},
    {8, "Coughing", false},        {9, "Chest Tightness", false},
    {10, "Off Work/School", true}, {11, "Activities Restricted", false},
    {12, "Reliever Use", true},    {13, "Preventer Use", true},
};
constexpr int kRateRow = 14;  // "Rate Your Asthma", two rows high

int sheetHeight(const SheetMetrics& m, const SheetPerson& person) {
    // Without a best there is no zone line; the grid above it stays whole.
    return (person.best >= 1 ? kGridRows + 1 : kGridRows) * m.rowHeight;
}

// The day columns down to `bottom`, with their rating pictures when the grid is drawn whole.
void drawDays(Canvas& c, const SheetMetrics& m, const QDate& first, int bottom, bool ratings) {
    const int rh = m.rowHeight, cw = m.columnWidth;
    for (int day = 0; day < m.days; ++day) {
        const int x = m.columnLeft(day);
        const QDate date = first.addDays(day);
        c.box(x - 1, 2 * rh, x + cw + 2, bottom);
        c.font(kSheetPoints, true);
        c.centred(x, cw, 2 * rh + 2, dayHeading(date));
        c.font(kSheetPoints);
        c.centred(x, cw, 3 * rh + 2, weekdayHeading(date));
        if (!ratings) continue;
        auto cell = [&](int row, int rows = 1, int lower = 0) {
            return QRect(x, row * rh + lower, cw, rows * rh - lower);
        };
        for (int row = 6; row <= 9; ++row) rating::draw(c.painter(), rating::Kind::Symptom, cell(row));
        rating::draw(c.painter(), rating::Kind::Offsick, cell(10));
        rating::draw(c.painter(), rating::Kind::Activity, cell(11));
        rating::draw(c.painter(), rating::Kind::Asthma, cell(kRateRow, 2, 1));
    }
}

void drawHeading(Canvas& c, const SheetMetrics& m, const SheetPerson& person, const QDate& first) {
    const int rh = m.rowHeight;
    c.font(kSheetPoints, true);
    c.text(4, 2, QStringLiteral("PULMORA RECORD SHEET"));
    c.text(4, rh + 2, QStringLiteral("For: "));
    c.font(kSheetPoints);
    c.text(nameLeft(), rh + 2, person.name);
    c.rightAligned(m.width() - 4, rh + 2, periodHeading(first, m.days));
    c.hLine(2 * rh);
    c.font(kListPoints, false, true);
    c.rightAligned(m.labelWidth - 4, 2 * rh + 2, QStringLiteral("Date:"));
    c.text(4, 3 * rh + 3, QStringLiteral("Description:"));
}

void drawLabels(Canvas& c, const SheetMetrics& m) {
    const int rh = m.rowHeight;
    c.font(kSheetPoints);
    for (const RowLabel& label : kRowLabels) {
        if (label.lineAbove) c.hLine(m.rowTop(label.row));
        c.text(4, m.rowTop(label.row) + m.textOffset, QString::fromLatin1(label.text));
    }
    c.hLine(m.rowTop(kRateRow));
    c.text(4, m.rowTop(kRateRow) + (2 * rh - m.textHeight) / 2, QStringLiteral("Rate Your Asthma"));
    c.hLine(kGridRows * rh - 1);
}

// The frame: the left, top and right edges down to `sides`, and the bottom edge.
void drawFrame(Canvas& c, const SheetMetrics& m, int sides, int height) {
    c.hLine(0);
    c.vLine(0, 0, sides);
    c.vLine(m.width() - 1, 0, sides);
    c.hLine(height - 1);
}

void drawSheet(QPainter& p, const SheetMetrics& m, const SheetPerson& person, const QDate& first, int height) {
    Canvas c(p, m.width());
    p.fillRect(QRect(0, 0, m.width(), height), Qt::white);
    drawDays(c, m, first, kGridRows * m.rowHeight, true);
    drawHeading(c, m, person, first);
    drawLabels(c, m);
    drawFrame(c, m, kGridRows * m.rowHeight, height);
    if (person.best >= 1) {
        c.font(kSheetPoints);
        c.centred(0, m.width(), m.rowTop(kGridRows) + m.textOffset, zoneLine(person));
    }
}

// The top of the sheet alone, down to the line under the weekdays: the heading of a second page.
void drawSheetHeading(QPainter& p, const SheetMetrics& m, const SheetPerson& person, const QDate& first, int height) {
    Canvas c(p, m.width());
    p.fillRect(QRect(0, 0, m.width(), height), Qt::white);
    drawDays(c, m, first, height, false);
    drawHeading(c, m, person, first);
    drawFrame(c, m, height, height);
}

// The heading and the dates, down to the line under the weekdays.
int headingHeight(const SheetMetrics& m) { return m.rowTop(4) + 1; }

int listRows(const SheetPerson& person) {
    constexpr int kSpareTriggerRows = 3;
    const int medication = int(person.medication.size());
    return 1 + int(person.triggers.size()) + kSpareTriggerRows + (medication > 0 ? 1 + medication : 0);
}

int listsHeight(const SheetMetrics& m, const SheetPerson& person) { return listRows(person) * m.rowHeight + 2; }

void drawLists(QPainter& p, const SheetMetrics& m, const SheetPerson& person, int height) {
    Canvas c(p, m.width());
    p.fillRect(QRect(0, 0, m.width(), height), Qt::white);
    const int rh = m.rowHeight;
    int y = 0;
    auto heading = [&](const QString& text) {
        c.font(kListPoints, true);
        c.text(4, y + (rh - c.textHeight()) / 2, text);
        y += rh;
    };
    // A label cell and a write-in box a day; neighbouring rows share their lines.
    auto row = [&](const QString& label) {
        c.box(0, y, m.labelWidth, y + rh + 1);
        for (int day = 0; day < m.days; ++day)
            c.box(m.columnLeft(day) - 1, y, m.columnLeft(day) + m.columnWidth + 2, y + rh + 1);
        c.font(kListPoints);
        c.text(4, y + (rh - c.textHeight()) / 2, label);
        y += rh;
    };
    heading(QStringLiteral("Triggers"));
    for (const QString& trigger : person.triggers) row(triggerLabel(trigger));
    for (int spare = 0; spare < 3; ++spare) row(QString());
    if (person.medication.empty()) return;
    heading(QStringLiteral("Medication"));
    for (const SheetMedication& medication : person.medication) row(medicationLabel(medication));
}

QString capitalised(const QString& text) {
    const QString lower = text.trimmed().toLower();
    return lower.isEmpty() ? lower : lower.left(1).toUpper() + lower.mid(1);
}

}  // namespace

SheetMetrics SheetMetrics::measure(int days) {
    const QFontMetrics metrics = sheet::measure(sheetFont(kSheetPoints));
    SheetMetrics m;
    m.textHeight = metrics.height();
    m.rowHeight = m.textHeight + 5 <= 15 ? 20 : m.textHeight + 5;
    m.textOffset = (m.rowHeight - m.textHeight) / 2;
    // Room for the longest label whatever face stands in for the window's: its blanks may be
    // wider than the letter "i" the column is measured with.
    m.labelWidth = std::max(metrics.horizontalAdvance(QStringLiteral("ActivitiesiRestrictedi")),
                            4 + metrics.horizontalAdvance(QStringLiteral("Activities Restricted")) + 4);
    m.columnWidth = std::max(metrics.horizontalAdvance(QStringLiteral("XXXXXX")), 46);
    m.days = days;
    return m;
}

SheetMetrics SheetMetrics::forSheet(const SheetPerson& person, const QDate& first, int days) {
    SheetMetrics m = measure(days);
    const QFontMetrics heading = sheet::measure(sheetFont(kSheetPoints));
    const QFontMetrics list = sheet::measure(sheetFont(kListPoints));
    const int headingWidth = nameLeft() + heading.horizontalAdvance(person.name) + kHeadingGap +
                             heading.horizontalAdvance(periodHeading(first, days)) + kTextInset;
    int labels = std::max(m.labelWidth, headingWidth - days * m.columnWidth);
    for (const QString& trigger : person.triggers)
        labels = std::max(labels, kTextInset + list.horizontalAdvance(triggerLabel(trigger)) + kTextInset);
    for (const SheetMedication& medication : person.medication)
        labels = std::max(labels, kTextInset + list.horizontalAdvance(medicationLabel(medication)) + kTextInset);
    m.labelWidth = labels;
    return m;
}

QString dayHeading(const QDate& date) { return QStringLiteral("%1/%2").arg(date.day()).arg(date.month()); }

QString weekdayHeading(const QDate& date) { return QLocale(QLocale::English).toString(date, QStringLiteral("ddd")); }

QString periodHeading(const QDate& first, int days) {
    const QLocale english(QLocale::English);
    const QString format = QStringLiteral("d MMMM yyyy");
    return english.toString(first, format) + " to " + english.toString(first.addDays(days - 1), format);
}

QString zoneLine(const SheetPerson& person) {
    return QStringLiteral("Peak Flow Best is %1    Yellow Zone is %2 to %3    Red Zone below %2")
        .arg(person.best)
        .arg(person.redLimit)
        .arg(person.yellowLimit);
}

QString triggerLabel(const QString& trigger) { return capitalised(trigger); }

QString medicationLabel(const SheetMedication& medication) {
    const QString category = medication.category.trimmed();
    const char* mark = category == store::kReliever ? "(R) " : category == store::kPreventer ? "(P) " : "(O) ";
    return QString::fromLatin1(mark) + capitalised(medication.name);
}

RecordSheet::RecordSheet(const SheetPerson& person, const QDate& first, int days)
    : metrics_(SheetMetrics::forSheet(person, first, days)),
      sheet_(output::RecordedPage::record(
          {metrics_.width(), sheetHeight(metrics_, person)},
          [&](QPainter& p) { drawSheet(p, metrics_, person, first, sheetHeight(metrics_, person)); })),
      heading_(output::RecordedPage::record(
          {metrics_.width(), headingHeight(metrics_)},
          [&](QPainter& p) { drawSheetHeading(p, metrics_, person, first, headingHeight(metrics_)); })),
      lists_(output::RecordedPage::record({metrics_.width(), listsHeight(metrics_, person)}, [&](QPainter& p) {
          drawLists(p, metrics_, person, listsHeight(metrics_, person));
      })) {}

std::vector<output::RecordedPage> RecordSheet::pages(bool separateLists) const {
    const QSize sheet = sheet_.size(), lists = lists_.size();
    if (!separateLists) {
        return {output::RecordedPage::record({sheet.width(), sheet.height() + lists.height()}, [&](QPainter& p) {
            p.drawPicture(0, 0, sheet_.picture());
            p.drawPicture(0, sheet.height(), lists_.picture());
        })};
    }
    const int top = heading_.size().height();
    const QSize second(sheet.width(), std::max(top + lists.height(), sheet.height()));
    return {sheet_, output::RecordedPage::record(second, [&](QPainter& p) {
                p.fillRect(QRect(QPoint(0, 0), second), Qt::white);
                p.drawPicture(0, 0, heading_.picture());
                p.drawPicture(0, top, lists_.picture());
            })};
}

output::ScreenLetter RecordSheet::letter() { return output::ScreenLetter::measure(measure(sheetFont(kSheetPoints))); }

}  // namespace pulmora::sheet
