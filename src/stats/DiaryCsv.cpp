#include "DiaryCsv.h"

#include "Figures.h"
#include "Rating.h"
#include "files/Replacement.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <map>

namespace pulmora::stats {
namespace {

// Every stored day lies between these two.
const QDate kFirstDay(1, 1, 1);
const QDate kLastDay(9999, 12, 31);

const QStringList kHeader = {"Date",
                             "Morning Peak Flow",
                             "Evening Peak Flow",
                             "Morning % of Best",
                             "Evening % of Best",
                             "Diurnal Variation %",
                             "Cough by Day",
                             "Breathless by Day",
                             "Wheeze by Day",
                             "Chest Tight by Day",
                             "Cough at Night",
                             "Breathless at Night",
                             "Wheeze at Night",
                             "Chest Tight at Night",
                             "Normal Activity Restricted",
                             "Sport Restricted",
                             "Off Work or School",
                             "Reliever Doses",
                             "Preventer Doses",
                             "Rating",
                             "Triggers",
                             "Medication"};

const QString kListSeparator = QStringLiteral("; ");

QString field(const QString& text) {
    static const QString needsQuotes = QStringLiteral(",\"\r\n");
    if (std::none_of(text.begin(), text.end(), [](QChar c) { return needsQuotes.contains(c); })) return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return '"' + quoted + '"';
}

// Text the user typed, as a cell no spreadsheet takes for a formula: one that begins with a
// character that starts a formula (or that a spreadsheet would swallow) gets an apostrophe
// in front, which spreadsheets show the text after and never run.
QString textCell(const QString& text) {
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    return !text.isEmpty() && formulaStarts.contains(text.front()) ? QLatin1Char('\'') + text : text;
}

// A reading of 0 was not taken: its cell stays empty, as do the figures it would make.
QString reading(int value) { return value > 0 ? QString::number(value) : QString(); }
QString percentOfBest(int value, int best) {
    return value > 0 && best > 0 ? QString::number(PercentOfBest(value, best)) : QString();
}
QString flag(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }

QStringList row(const store::DayRecord& day, int best, const QStringList& triggers, const QStringList& medication) {
    const store::DayValues& v = day.values;
    const bool both = v.morning > 0 && v.evening > 0;
    return {day.date.toString(Qt::ISODate),
            reading(v.morning),
            reading(v.evening),
            percentOfBest(v.morning, best),
            percentOfBest(v.evening, best),
            both ? QString::number(DiurnalVariation(v.morning, v.evening)) : QString(),
            flag(v.coughDay),
            flag(v.breathDay),
            flag(v.wheezeDay),
            flag(v.chestDay),
            flag(v.coughNight),
            flag(v.breathNight),
            flag(v.wheezeNight),
            flag(v.chestNight),
            flag(v.activityRestricted),
            flag(v.sportRestricted),
            flag(v.offWork),
            QString::number(v.relievers),
            QString::number(v.preventers),
            ratingText(v.rating),
            textCell(triggers.join(kListSeparator)),
            textCell(medication.join(kListSeparator))};
}

QByteArray line(const QStringList& fields) {
    QStringList quoted;
    for (const QString& f : fields) quoted << field(f);
    return quoted.join(QLatin1Char(',')).toUtf8() + "\r\n";
}

}  // namespace

DiaryCsv ExportDiaryCsv(store::ReportCursors& cursors, const store::PersonId& person) {
    DiaryCsv csv;
    csv.bytes = QByteArray("\xEF\xBB\xBF") + line(kHeader);
    // The best as the reports take it: the stored one, raised by any higher reading.
    const store::PersonPeriod diary = cursors.GetRPer(person, kFirstDay, kLastDay);
    if (diary.days.empty()) return csv;

    std::map<QDate, QStringList> triggers, medication;
    for (const auto& t : cursors.triggersBetween(person, kFirstDay, kLastDay)) triggers[t.date] << t.trigger.trimmed();
    for (const auto& m : cursors.medicationBetween(person, kFirstDay, kLastDay))
        medication[m.date] << QStringLiteral("%1 (%2)").arg(m.name.trimmed()).arg(m.timesUsed);
    for (const store::DayRecord& day : diary.days)
        csv.bytes += line(row(day, diary.person.best, triggers[day.date], medication[day.date]));
    csv.days = int(diary.days.size());
    return csv;
}

QString SaveDiaryCsv(const DiaryCsv& csv, const QString& path) {
    // The diary is health data: a new file is for its owner only; one replaced keeps its access.
    files::Replacement file(QFile::encodeName(path).toStdString(), files::kUserFile);
    if (file.replaceBy(csv.bytes.constData(), size_t(csv.bytes.size()))) return {};
    return QStringLiteral("%1 could not be written (%2)")
        .arg(QDir::toNativeSeparators(path), QString::fromStdString(file.reason()));
}

}  // namespace pulmora::stats
