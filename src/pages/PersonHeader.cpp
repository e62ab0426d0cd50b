#include "PersonHeader.h"

#include "reports/ReportCanvas.h"
#include "store/Clock.h"

#include <QPainter>

#include <algorithm>

namespace pulmora::reports {

PageMetrics PageMetrics::measure() {
    const QFontMetrics metrics = reports::measure(reportFont());
    return {metrics.height(), metrics.horizontalAdvance(QStringLiteral(" Margin "))};
}

QString reportTitle(ReportKind kind) {
    switch (kind) {
    case ReportKind::Weekly: return QStringLiteral("Weekly Comparison Report");
    case ReportKind::MonthlyBasic: return QStringLiteral("Monthly Basic Report");
    case ReportKind::MonthlyAdditional: return QStringLiteral("Monthly Additional Report");
    case ReportKind::ControlSummary: return QStringLiteral("Control Summary");
    case ReportKind::PeakFlowGraph:
    case ReportKind::GeneralGraph: break;
    }
    return {};
}

QString birthDateText(const QString& stored, const QDate& today) {
    const QString key = stored.trimmed();
    bool digits = key.size() == 8;
    for (QChar c : key) digits = digits && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    if (!digits) return stored;
    const int year = key.left(4).toInt(), month = key.mid(4, 2).toInt(), day = key.mid(6, 2).toInt();
    const QDate date = day == 0 ? today : QDate(year == 0 ? 2000 : year, month, day);
    return date.isValid() ? date.toString(QStringLiteral("d-MMM-yyyy")) : stored;
}

namespace {

constexpr int kColumnGap = 8;     // at least between the end of a value and the column to its right
constexpr int kLabelGap = 3;      // between a column's widest label and its values, where they line up there
constexpr int kSmallestText = 6;  // pixels; a value set smaller than this could not be read on paper

// Where the header's values and its right-hand column stand.
struct HeaderColumns {
    int leftValue = 0;
    int rightLabel = 0;
    int rightValue = 0;
};

struct ColumnWidths {
    int labels = 0;  // the widest label, in bold
    int values = 0;  // the widest value with its ": "
};

// In the header's usual layout the values line up on the width of the bold title and the
// right-hand column starts half way across. Where a value would then run into the right-hand column or off the header
// (long names on the narrow weekly page), each column's values line up just after its widest
// label instead, and the right-hand column moves as near to half way as lets both columns' values
// stand whole. A value that still does not fit is set smaller.
HeaderColumns placeColumns(int width, int titleWidth, ColumnWidths left, ColumnWidths right) {
    const int half = width / 2;
    const HeaderColumns designed{titleWidth + 5, half, titleWidth + half};
    if (designed.leftValue + left.values + kColumnGap <= half && designed.rightValue + right.values <= width)
        return designed;
    HeaderColumns compact{5 + left.labels + kLabelGap, half, 0};
    const int earliest = compact.leftValue + left.values + kColumnGap;   // the left values end before it
    const int latest = width - right.labels - kLabelGap - right.values;  // the right values end by the edge
    if (earliest <= latest) compact.rightLabel = std::clamp(half, earliest, latest);
    compact.rightValue = compact.rightLabel + right.labels + kLabelGap;
    return compact;
}

// A value as stored, without the blanks that fill its field.
QString shownValue(const QString& stored) {
    qsizetype end = stored.size();
    while (end > 0 && stored[end - 1] == QLatin1Char(' ')) --end;
    return ": " + stored.left(end);
}

QFont bold(QFont font) {
    font.setBold(true);
    return font;
}

int widthOf(const QString& text, const QFont& font) { return measure(font).horizontalAdvance(text); }

int widest(const QString* texts, const QFont& font) {
    return std::max({widthOf(texts[0], font), widthOf(texts[1], font), widthOf(texts[2], font)});
}

// The text at (x, top) in the font, set smaller until it is no wider than `room`, on the baseline
// it would have had.
HeaderText fitted(const QString& text, int x, int top, int room, QFont font) {
    const int baseline = top + measure(font).ascent();
    while (widthOf(text, font) > room && font.pixelSize() > kSmallestText) font.setPixelSize(font.pixelSize() - 1);
    const QFontMetrics metrics = measure(font);
    return {text, QRect(x, baseline - metrics.ascent(), metrics.horizontalAdvance(text), metrics.height()), font};
}

}  // namespace

std::vector<HeaderText> layOutPersonHeader(int width, const QString& title, const store::RepPerson& person) {
    const QFont normal = reportFont(), heading = bold(normal);
    const int LH = measure(normal).height();
    const auto line = [LH](int row) { return int((1.5 + row % 3) * LH); };
    const QString labels[] = {"Surname", "First Names", "Gender/Title", "Health No", "Date of Birth", "Occupation"};
    const QString values[] = {shownValue(person.surname),
                              shownValue(person.firstName),
                              shownValue(person.gender + " / " + person.title),
                              shownValue(person.healthNumber),
                              shownValue(birthDateText(person.birthDate, store::clock::today())),
                              shownValue(person.occupation)};
    const HeaderColumns columns =
        placeColumns(width, widthOf(title, heading), {widest(labels, heading), widest(values, normal)},
                     {widest(labels + 3, heading), widest(values + 3, normal)});

    std::vector<HeaderText> texts = {fitted(title, 0, 0, width, heading)};
    for (int i = 0; i < 6; ++i)
        texts.push_back(fitted(labels[i], i < 3 ? 5 : columns.rightLabel, line(i), width, heading));
    for (int i = 0; i < 6; ++i) {
        const int x = i < 3 ? columns.leftValue : columns.rightValue;
        const int end = i < 3 ? columns.rightLabel - kColumnGap : width;
        texts.push_back(fitted(values[i], x, line(i), end - x, normal));
    }
    return texts;
}

void DrawPersonHeader(QPainter& painter, int width, const QString& title, const store::RepPerson& person) {
    painter.save();
    ReportCanvas c(painter, width);
    const int LH = c.textHeight();
    painter.setClipRect(QRect(0, 0, width, 5 * LH), Qt::IntersectClip);
    c.hLine(0, width, LH + 2);
    painter.setPen(Qt::black);
    for (const HeaderText& t : layOutPersonHeader(width, title, person)) {
        painter.setFont(t.font);
        painter.drawText(QPoint(t.rect.left(), t.rect.top() + measure(t.font).ascent()), t.text);
    }
    painter.restore();
}

}  // namespace pulmora::reports
