#include "ReportCursors.h"

#include "Bound.h"
#include "Fields.h"
#include "Keys.h"
#include "Lookups.h"
#include "Mapping.h"
#include "Rounding.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>

namespace pulmora::store {

namespace {

template <class Row>
struct Located {
    quint32 record;
    Row row;
};

// The person's records with day identifiers from the first to the last day, in the order of a
// tag that begins with the day identifier. The identifier bounds the walk; each row must also
// name the person and a date of the period itself, so the answer never holds a record whose
// identifier disagrees with its fields.
template <TableId Id, class Read>
auto readPeriod(const DiaryStore& store, typename Columns<Id>::Tag tag, typename Columns<Id>::Field dayField,
                const QString& person, const QString& first, const QString& last, Read read) {
    using Row = decltype(read(std::declval<const Bound<Id>&>()));
    std::vector<Located<Row>> rows;
    const Bound<Id> t(store);
    if (!t || !keys::isPersonId(person) || !keys::isDateKey(first) || !keys::isDateKey(last) || last < first)
        return rows;
    const std::string low = fields::bytes(keys::dayId(person, first));
    const std::string high = fields::bytes(keys::dayId(person, last));
    engine::Tag* order = t.tag(tag);
    const bool descending = order->descending();
    t->selectTag(order);
    (void)t->seek(descending ? high : low);
    for (; !t->eof(); (void)t->skip()) {
        const std::string day = t[dayField].str();
        if (descending ? day < low : day > high) break;
        Row row = read(t);
        if (row.person == person && keys::isDateKey(row.date) && first <= row.date && row.date <= last)
            rows.push_back({t->recordNumber(), std::move(row)});
    }
    return rows;
}

template <class Row>
std::vector<Row> rowsOf(std::vector<Located<Row>> located) {
    std::vector<Row> rows;
    rows.reserve(located.size());
    for (auto& l : located) rows.push_back(std::move(l.row));
    return rows;
}

// The cursors' order: their tag's field as stored, equal ones in record order.
template <class Row, class Item>
std::vector<Item> inStoredOrder(const std::vector<Located<Row>>& rows, QString Row::*field, int width,
                                Item (*itemOf)(const Row&)) {
    struct Keyed {
        std::string key;
        quint32 record;
        const Row* row;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(rows.size());
    for (const auto& r : rows) keyed.push_back({fields::bytes((r.row.*field).leftJustified(width)), r.record, &r.row});
    std::sort(keyed.begin(), keyed.end(),
              [](const Keyed& a, const Keyed& b) { return std::tie(a.key, a.record) < std::tie(b.key, b.record); });
    std::vector<Item> items;
    items.reserve(keyed.size());
    for (const auto& k : keyed) items.push_back(itemOf(*k.row));
    return items;
}

int symptoms(bool a, bool b, bool c, bool d) { return int(a) + int(b) + int(c) + int(d); }

void fillComparison(const DayRecord& day, CompareRecord& into) {
    const DayValues& v = day.values;
    into.found = 1;
    into.morning = v.morning;
    into.evening = v.evening;
    into.diurnal = diurnalVariation(v.morning, v.evening);
    into.daySymptoms = symptoms(v.coughDay, v.breathDay, v.wheezeDay, v.chestDay);
    into.nightSymptoms = symptoms(v.coughNight, v.breathNight, v.wheezeNight, v.chestNight);
    into.relievers = v.relievers;
}

RepMed repMedOf(const DayMedItem& m) {
    return {m.person.leftJustified(width::kPersonId), m.medId.leftJustified(width::kMedId), m.name.trimmed(),
            QString::number(m.timesUsed), m.category.trimmed(), m.date.leftJustified(width::kDateKey)};
}

RepTrg repTrgOf(const DayTriggerItem& t) {
    return {t.person.leftJustified(width::kPersonId), keys::triggerName(t.trigger),
            t.date.leftJustified(width::kDateKey)};
}

// The first day of the 31 that end on the date; empty when the date is not one.
QString monthStart(const QString& date) {
    const auto day = keys::Get4Date(date);
    return day ? keys::dateKey(day->addDays(-30)) : QString();
}

}  // namespace

int diurnalVariation(int morning, int evening) {
    if (morning == 0 || evening == 0) return 0;
    // |evening - morning| / ((evening + morning) / 2) x 100, as one fraction of whole numbers.
    return RoundHalfEven(200LL * std::abs(evening - morning), (long long)evening + morning);
}

RepDay repDayOf(const DayRecord& day) {
    const DayValues& v = day.values;
    return {1,         v.morning,     v.evening,   v.coughDay,  v.breathDay,         v.wheezeDay,
            v.chestDay, v.coughNight, v.breathNight, v.wheezeNight, v.chestNight, v.activityRestricted,
            v.sportRestricted, v.offWork, qint16(v.relievers), qint16(v.preventers), qint16(v.rating)};
}

bool ReportCursors::InRMdDt(const QString& date, const QString& recordDate) {
    const auto day = keys::Get4Date(date);
    // A blank or invalid stored date cannot belong to any period: the record is passed over.
    if (!day || !keys::isDateKey(recordDate)) return false;
    const int low = keys::dateKey(day->addDays(-30)).toInt();
    const int value = recordDate.toInt();
    return low <= value && value <= date.toInt();
}

// ---- previous day ------------------------------------------------------------------------

void ReportCursors::previousDay(const QString& person, const QString& date, CompareRecord& into) {
    into = {};
    const PersonalTable personal(store_);
    const DailyTable daily(store_);
    if (!personal || !daily || !seekPerson(personal, person)) return;
    const PersonRecord p = mapping::readPerson(personal);
    into.personBest = p.best.trimmed().toInt();
    into.personPred = p.predicted.trimmed().toInt();

    // Descending day identifiers: from the day (or where it would stand) on, the person's days
    // follow from the latest to the earliest.
    if (fields::seek(daily.table(), daily.tag(DailyTag::diDyID), keys::dayId(person, date)) && !daily->skip())
        return;
    for (; !daily->eof(); (void)daily->skip()) {
        const DayRecord day = mapping::readDay(daily);
        if (day.person.trimmed() != person) return;
        if (day.date >= date) continue;  // a record whose identifier and date disagree
        fillComparison(day, into);
        return;
    }
}

const CompareRecord& ReportCursors::GetRepDly(const QString& person, const QString& date) {
    previousDay(person, date, comparison_);
    return comparison_;
}

const CompareRecord& ReportCursors::GetRPrvDly(const QString& person, const QString& date) {
    previousDay(person, date, prevDay_);
    prevDay_.relievers = qint16(prevDay_.relievers);
    return prevDay_;
}

// ---- one day, one person -----------------------------------------------------------------

const RepDay& ReportCursors::GetRDly(const QString& person, const QString& date) {
    repDay_ = {};
    const DailyTable t(store_);
    if (!t || !keys::isPersonId(person) ||
        !fields::seek(t.table(), t.tag(DailyTag::diDyID), keys::dayId(person, date)))
        return repDay_;
    repDay_ = repDayOf(mapping::readDay(t));
    return repDay_;
}

const RepPerson& ReportCursors::GetRPer(const QString& person, const QDate& first, const QDate& last) {
    repPerson_ = {};
    const PersonalTable personal(store_);
    if (!personal || !seekPerson(personal, person)) return repPerson_;
    const PersonRecord r = mapping::readPerson(personal);
    RepPerson& p = repPerson_;
    p.surname = r.surname.leftJustified(width::kName);
    p.firstName = r.firstName.leftJustified(width::kName);
    p.gender = r.gender.leftJustified(width::kGender);
    p.birthDate = r.birthDate.leftJustified(width::kDateKey);
    p.occupation = r.occupation.leftJustified(width::kName);
    p.title = r.title.leftJustified(width::kTitle);
    p.healthNumber = r.healthNumber.leftJustified(width::kName);
    p.best = r.best.trimmed().toInt();
    p.predicted = r.predicted.trimmed().toInt();
    p.zoneYellow = r.zoneYellow.trimmed().toInt();
    p.zoneRed = r.zoneRed.trimmed().toInt();

    const DailyTable daily(store_);
    if (!daily || !first.isValid() || !last.isValid()) return p;
    for (QDate d = first; d <= last; d = d.addDays(1)) {
        if (!fields::seek(daily.table(), daily.tag(DailyTag::diDyID), keys::dayId(person, keys::dateKey(d))))
            continue;
        const DayValues v = mapping::readDay(daily).values;
        p.reportAvailable = 1;
        if (v.morning > 0 || v.evening > 0) p.anyReading = 1;
        p.best = std::max({p.best, v.evening, v.morning});
    }
    return p;
}

// ---- period reads ------------------------------------------------------------------------

std::vector<DayRecord> ReportCursors::daysBetween(const QString& person, const QString& first,
                                                  const QString& last) const {
    auto days = rowsOf(readPeriod<TableId::Daily>(store_, DailyTag::diDyID, DailyField::DyID, person, first, last,
                                                  [](const DailyTable& t) { return mapping::readDay(t); }));
    std::reverse(days.begin(), days.end());  // the tag runs from the latest day
    return days;
}

std::vector<DayTriggerItem> ReportCursors::triggersBetween(const QString& person, const QString& first,
                                                           const QString& last) const {
    return rowsOf(readPeriod<TableId::DlyTrig>(store_, DlyTrigTag::dtiKEY, DlyTrigField::DyID, person, first, last,
                                               [](const DlyTrigTable& t) { return mapping::readDayTrigger(t); }));
}

std::vector<DayMedItem> ReportCursors::medicationBetween(const QString& person, const QString& first,
                                                         const QString& last) const {
    return rowsOf(readPeriod<TableId::DlyMed>(store_, DlyMedTag::dmiKEY, DlyMedField::DyID, person, first, last,
                                              [](const DlyMedTable& t) { return mapping::readDayMed(t); }));
}

// ---- medication and trigger cursors ------------------------------------------------------

// The medication item keeps its date when it is emptied.
void ReportCursors::ClearRMed() {
    const QString date = repMed_.date;
    repMed_ = RepMed{};
    repMed_.date = date;
}

void ReportCursors::ClearRTrg() { repTrg_ = RepTrg{}; }

const RepMed& ReportCursors::GetRMedBeg(const QString& person, const QString& date) {
    auto rows = readPeriod<TableId::DlyMed>(store_, DlyMedTag::dmiKEY, DlyMedField::DyID, person, monthStart(date),
                                            date, [](const DlyMedTable& t) { return mapping::readDayMed(t); });
    medItems_ = inStoredOrder(rows, &DayMedItem::medId, width::kMedId, &repMedOf);
    nextMed_ = 0;
    return GetRMedNxt(person, date);
}

const RepMed& ReportCursors::GetRMedNxt(const QString&, const QString&) {
    ClearRMed();
    if (nextMed_ < medItems_.size()) repMed_ = medItems_[nextMed_++];
    return repMed_;
}

const RepTrg& ReportCursors::GetRTrgBeg(const QString& person, const QString& date) {
    auto rows = readPeriod<TableId::DlyTrig>(store_, DlyTrigTag::dtiKEY, DlyTrigField::DyID, person, monthStart(date),
                                             date, [](const DlyTrigTable& t) { return mapping::readDayTrigger(t); });
    trgItems_ = inStoredOrder(rows, &DayTriggerItem::trigger, width::kTrigger, &repTrgOf);
    nextTrg_ = 0;
    return GetRTrgNxt(person, date);
}

const RepTrg& ReportCursors::GetRTrgNxt(const QString&, const QString&) {
    ClearRTrg();
    if (nextTrg_ < trgItems_.size()) repTrg_ = trgItems_[nextTrg_++];
    return repTrg_;
}

}  // namespace pulmora::store
