#include "ReportFigures.h"

#include <QJsonArray>

namespace pulmora::reports {
namespace {

QString isoDate(const QDate& date) { return date.toString(Qt::ISODate); }

QJsonObject personJson(const store::RepPerson& p) {
    return {{"Best", p.best},
            {"Pred", p.predicted},
            {"ZYel", p.zoneYellow},
            {"ZRed", p.zoneRed},
            {"ReportAvailable", p.reportAvailable != 0},
            {"AnyReading", p.anyReading != 0}};
}

QJsonObject periodJson(const PeriodFigures& figures) {
    QJsonObject o{{"caption", figures.caption},
                  {"first", isoDate(figures.period.first)},
                  {"last", isoDate(figures.period.last)}};
    for (const stats::PeriodField& f : stats::periodFields()) o.insert(QLatin1String(f.name), figures.stats.*f.value);
    return o;
}

QJsonValue viewportJson(const ReportResult& report) {
    if (!report.available) return QJsonValue::Null;
    QJsonObject o;
    for (const ViewportField& f : viewportFields()) o.insert(QLatin1String(f.name), report.viewport.*f.value);
    return o;
}

}  // namespace

QJsonObject figuresJson(const ReportResult& report) {
    QJsonArray periods;
    for (const PeriodFigures& p : report.periods) periods.append(periodJson(p));
    return {{"person", personJson(report.person)},
            {"periods", periods},
            {"viewport", viewportJson(report)},
            {"status", report.status},
            {"kind", QString(letter(report.kind))}};
}

}  // namespace pulmora::reports
