#include "ReportCursors.h"

#include "Bound.h"
#include "Fields.h"
#include "Keys.h"
#include "Lookups.h"
#include "Mapping.h"
#include "Rounding.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
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
// identifier disagrees with its fields. Only the rows of the person are mapped. The store's
// listeners are told of the read.
template <TableId Id, class Read>
auto readPeriod(DiaryStore& store, typename Columns<Id>::Tag tag, const PersonId& person, const QDate& first,
                const QDate& last, Read read) {
    using Row = decltype(read(std::declval<const Bound<Id>&>()));
    using Field = typename Columns<Id>::Field;
    std::vector<Located<Row>> rows;
    const Bound<Id> t(store);
    if (!t || !first.isValid() || !last.isValid() || last < first) return rows;
    const std::string who = fields::bytes(person.text());
    const std::string low = fields::bytes(keys::dayId(person, first));
    const std::string high = fields::bytes(keys::dayId(person, last));
    engine::Tag* order = t.tag(tag);
    const bool descending = order->descending();
    t->selectTag(order);
    (void)t->seek(descending ? high : low);
    for (; !t->eof(); (void)t->skip()) {
        const std::string_view day = t[Field::DyID].view();
        if (descending ? day < low : day > high) break;
        if (!fields::holds(t[Field::Asid], who)) continue;
        Row row = read(t);
        if (row.date.isValid() && first <= row.date && row.date <= last)
            rows.push_back({t->recordNumber(), std::move(row)});
    }
    emit store.tableRead(Id);
    return rows;
}

template <class Row>
std::vector<Row> rowsOf(std::vector<Located<Row>> located) {
    std::vector<Row> rows;
    rows.reserve(located.size());
    for (auto& l : located) rows.push_back(std::move(l.row));
    return rows;
}

// Numbers each row with its place in the order of a tag on the field alone: the field as stored,
// equal ones in record order.
template <class Row>
std::vector<Located<Row>> numberedBy(std::vector<Located<Row>> rows, QString Row::*field, int width) {
    struct Keyed {
        std::string key;
        quint32 record;
        Row* row;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(rows.size());
    for (auto& r : rows) {
        std::string key = fields::bytes(r.row.*field);
        key.resize(size_t(std::max(width, int(key.size()))), ' ');  // as the field holds it
        keyed.push_back({std::move(key), r.record, &r.row});
    }
    std::sort(keyed.begin(), keyed.end(),
              [](const Keyed& a, const Keyed& b) { return std::tie(a.key, a.record) < std::tie(b.key, b.record); });
    for (size_t place = 0; place < keyed.size(); ++place) keyed[place].row->listed = int(place);
    return rows;
}

void fillComparison(const DayValues& v, CompareRecord& into) {
    into.found = 1;
    into.morning = v.morning;
    into.evening = v.evening;
    into.diurnal = diurnalVariation(v.morning, v.evening);
    into.daySymptoms = v.daySymptoms();
    into.nightSymptoms = v.nightSymptoms();
    into.relievers = v.relievers;
}

// The person's figures that follow from the period's days: whether there is any day and any
// reading, and the card's best raised to the highest reading.
void addDayFigures(PersonPeriod& period) {
    RepPerson& p = period.person;
    p.best = p.cardBest;
    p.anyReading = p.reportAvailable = 0;
    for (const DayRecord& day : period.days) {
        const DayValues& v = day.values;
        p.reportAvailable = 1;
        if (v.morning > 0 || v.evening > 0) p.anyReading = 1;
        p.best = std::max({p.best, v.evening, v.morning});
    }
}

}  // namespace

int diurnalVariation(int morning, int evening) {
    if (morning == 0 || evening == 0) return 0;
    // |evening - morning| / ((evening + morning) / 2) x 100, as one fraction of whole numbers.
    return RoundHalfEven(200LL * std::abs(evening - morning), (long long)evening + morning);
}

// ---- previous day ------------------------------------------------------------------------

void ReportCursors::previousDay(const PersonId& person, const QDate& before, CompareRecord& into) {
    into = {};
    const PersonalTable personal(store_);
    const DailyTable daily(store_);
    const std::optional<PersonRecord> p = findPerson(personal, person);
    if (!p || !daily) return;
    into.personBest = p->best.value_or(0);
    into.personPred = p->predicted.value_or(0);

    // Descending day identifiers: from the day (or where it would stand) on, the person's days
    // follow from the latest to the earliest.
    if (fields::seek(daily.table(), daily.tag(DailyTag::diDyID), keys::dayId(person, before)) && !daily->skip()) return;
    const std::string who = fields::bytes(person.text());
    for (; !daily->eof(); (void)daily->skip()) {
        if (!fields::holds(daily[DailyField::Asid], who)) return;
        const DayRecord day = mapping::readDay(daily);
        if (!day.date.isValid() || day.date >= before) continue;  // a record whose identifier and date disagree
        fillComparison(day.values, into);
        return;
    }
}

const CompareRecord& ReportCursors::GetRepDly(const PersonId& person, const QDate& date) {
    previousDay(person, date, comparison_);
    return comparison_;
}

const CompareRecord& ReportCursors::GetRPrvDly(const PersonId& person, const QDate& date) {
    previousDay(person, date, prevDay_);
    prevDay_.relievers = qint16(prevDay_.relievers);
    return prevDay_;
}

// ---- a person's period -------------------------------------------------------------------

const PersonPeriod& ReportCursors::GetRPer(const PersonId& person, const QDate& first, const QDate& last) {
    repPeriod_ = {};
    repPeriod_.days = daysBetween(person, first, last);
    const PersonalTable personal(store_);
    const std::optional<PersonRecord> stored = findPerson(personal, person);
    if (!stored) return repPeriod_;
    const PersonRecord& r = *stored;
    RepPerson& p = repPeriod_.person;
    p.surname = r.surname.leftJustified(width::kName);
    p.firstName = r.firstName.leftJustified(width::kName);
    p.gender = r.gender.leftJustified(width::kGender);
    p.birthDate = r.birthDate.leftJustified(width::kDateKey);
    p.occupation = r.occupation.leftJustified(width::kOccupation);
    p.title = r.title.leftJustified(width::kTitle);
    p.healthNumber = r.healthNumber.leftJustified(width::kHealthNumber);
    p.cardBest = r.best.value_or(0);
    p.predicted = r.predicted.value_or(0);
    p.zoneYellow = r.zoneYellow.value_or(0);
    p.zoneRed = r.zoneRed.value_or(0);
    repPeriod_.personFound = true;
    addDayFigures(repPeriod_);
    return repPeriod_;
}

PersonPeriod periodWithin(const PersonPeriod& read, const QDate& first, const QDate& last) {
    PersonPeriod within{read.person, {}, read.personFound};
    std::copy_if(read.days.begin(), read.days.end(), std::back_inserter(within.days),
                 [&](const DayRecord& day) { return day.date >= first && day.date <= last; });
    if (within.personFound) addDayFigures(within);
    return within;
}

// ---- period reads ------------------------------------------------------------------------

std::vector<DayRecord> ReportCursors::daysBetween(const PersonId& person, const QDate& first, const QDate& last) const {
    auto days = rowsOf(readPeriod<TableId::Daily>(store_, DailyTag::diDyID, person, first, last,
                                                  [](const DailyTable& t) { return mapping::readDay(t); }));
    std::reverse(days.begin(), days.end());  // the tag runs from the latest day
    return days;
}

std::vector<DayTriggerItem> ReportCursors::triggersBetween(const PersonId& person, const QDate& first,
                                                           const QDate& last) const {
    return rowsOf(
        numberedBy(readPeriod<TableId::DlyTrig>(store_, DlyTrigTag::dtiKEY, person, first, last,
                                                [](const DlyTrigTable& t) { return mapping::readDayTrigger(t); }),
                   &DayTriggerItem::trigger, width::kTrigger));
}

std::vector<DayMedItem> ReportCursors::medicationBetween(const PersonId& person, const QDate& first,
                                                         const QDate& last) const {
    return rowsOf(numberedBy(readPeriod<TableId::DlyMed>(store_, DlyMedTag::dmiKEY, person, first, last,
                                                         [](const DlyMedTable& t) { return mapping::readDayMed(t); }),
                             &DayMedItem::medId, width::kMedId));
}

}  // namespace pulmora::store
