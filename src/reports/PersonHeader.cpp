#include "PersonHeader.h"

#include "ReportCanvas.h"
#include "store/Clock.h"

#include <QPainter>

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

void DrawPersonHeader(QPainter& painter, int width, const QString& title, const store::RepPerson& person) {
    painter.save();
    ReportCanvas c(painter, width);
    const int LH = c.textHeight();
    painter.setClipRect(QRect(0, 0, width, 5 * LH), Qt::IntersectClip);
    const auto line = [LH](double lines) { return int(lines * LH); };

    c.setBold(true);
    c.text(0, 0, title);
    const int titleWidth = c.textWidth(title);
    c.hLine(0, width, LH + 2);
    const int half = width / 2;
    const std::pair<int, const char*> labels[] = {{5, "Surname"},   {5, "First Names"},   {5, "Gender/Title"},
                                                  {half, "Health No"}, {half, "Date of Birth"}, {half, "Occupation"}};
    for (int i = 0; i < 6; ++i) c.text(labels[i].first, line(1.5 + i % 3), QString::fromLatin1(labels[i].second));

    c.setBold(false);
    const QString values[] = {person.surname,
                              person.firstName,
                              person.gender + " / " + person.title,
                              person.healthNumber,
                              birthDateText(person.birthDate, store::clock::today()),
                              person.occupation};
    for (int i = 0; i < 6; ++i)
        c.text(i < 3 ? titleWidth + 5 : titleWidth + half, line(1.5 + i % 3), ": " + values[i]);
    painter.restore();
}

}  // namespace pulmora::reports
