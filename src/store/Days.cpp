#include "Days.h"

#include "Bound.h"
#include "Checks.h"
#include "Clock.h"
#include "Fields.h"
#include "Keys.h"
#include "Lookups.h"
#include "Mapping.h"
#include "Names.h"
#include "Writes.h"

#include <algorithm>
#include <set>

namespace pulmora::store {

namespace w = width;

namespace {

void countCategory(DayMedication& m, const QString& category) {
    if (category == kReliever) ++m.relieverRows;
    if (category == kPreventer) ++m.preventerRows;
}

Checks dayChecks(const DiaryStore& store, TableId table, const QDate& date) {
    Checks checks;
    checks.open(store, table).date(date, "date");
    return checks;
}

Checks& valueChecks(Checks& checks, const DayValues& v) {
    return checks.range(v.morning, 0, 999, "morning peak flow")
        .range(v.evening, 0, 999, "evening peak flow")
        .range(v.relievers, 0, 99, "number of reliever doses")
        .range(v.preventers, 0, 99, "number of preventer doses")
        .range(v.rating, 0, 3, "rating");
}

Checks& medicationChecks(Checks& checks, const DayMedRow& row) {
    return checks.required(row.medId, "medication identifier")
        .text(row.medId, w::kMedId, "medication identifier")
        .range(row.timesUsed, 0, 99, "times used")
        .text(row.name, w::kMedName, "medication name")
        .text(row.category, w::kCategory, "category");
}

// The card keeps a medication row when it names a medication that was taken that day.
bool kept(const DayMedRow& row) { return !row.isFree() && row.timesUsed != 0; }

// Calls `use` on each of the day's records of the trigger or medication file, positioned on it,
// until one fails: they stand together at the start of the file's day-and-key tag.
template <class Use>
Result forEachOfDay(const DiaryStore& store, TableId id, const QString& day, Use use) {
    const std::string dayBytes = fields::bytes(day);
    auto walk = [&](const auto& t, auto keyTag, auto dayField) {
        for (bool more = fields::seek(t.table(), t.tag(keyTag), day); more && fields::holds(t[dayField], dayBytes);
             more = t->skip())
            if (const Result r = use(t.table()); !r) return r;
        return Result::done();
    };
    if (id == TableId::DlyTrig) return walk(DlyTrigTable(store), DlyTrigTag::dtiKEY, DlyTrigField::DyID);
    return walk(DlyMedTable(store), DlyMedTag::dmiKEY, DlyMedField::DyID);
}

bool contains(const std::vector<quint32>& records, quint32 record) {
    return std::find(records.begin(), records.end(), record) != records.end();
}

}  // namespace

Writes Days::writes() const { return Writes(store_); }

// ---- the day's save ----------------------------------------------------------------------

Result Days::saveDay(const PersonId& person, const QDate& date, const DayValues& values,
                     const QStringList& tickedTriggers, std::span<const DayMedRow> medication, RaiseBest raise) {
    Checks checks = dayChecks(store_, TableId::Daily, date);
    // A list with nothing to store leaves a file that could not be opened alone.
    for (TableId list : unsavableLists(tickedTriggers, medication)) checks.open(store_, list);
    valueChecks(checks, values);
    QStringList triggers;
    for (const QString& ticked : tickedTriggers) {
        const QString name = triggerName(ticked);
        checks.trigger(name);
        if (!triggers.contains(name)) triggers << name;
    }
    for (const DayMedRow& row : medication)
        if (kept(row)) medicationChecks(checks, row);
    // A list file that may only be read refuses the save before anything is written, when the
    // save would change its list.
    if (checks.result() && changesList(person, date, TableId::DlyTrig, triggers, medication))
        checks.open(store_, TableId::DlyTrig);
    if (checks.result() && changesList(person, date, TableId::DlyMed, triggers, medication))
        checks.open(store_, TableId::DlyMed);
    if (const Result r = checks.result(); !r) return r;

    if (const Result r = writeDay(person, date, values, raise); !r) return r;

    std::vector<quint32> wanted;
    for (const QString& name : triggers) {
        const auto added = addTrigger(person, name, date);
        if (!added) return added.result;
        wanted.push_back(added.value);
    }
    if (store_.has(TableId::DlyTrig))
        if (const Result r = removeDayExcept(TableId::DlyTrig, person, date, wanted); !r) return r;
    if (!store_.has(TableId::DlyMed)) return Result::done();

    wanted.clear();
    for (const DayMedRow& row : medication) {
        if (!kept(row)) continue;
        const auto added = addMedication(person, date, row);
        if (!added) return added.result;
        wanted.push_back(added.value);
    }
    return removeDayExcept(TableId::DlyMed, person, date, wanted);
}

bool Days::changesList(const PersonId& person, const QDate& date, TableId list, const QStringList& triggers,
                       std::span<const DayMedRow> medication) {
    if (store_.unwritableReason(list).isEmpty()) return false;
    if (list == TableId::DlyTrig) {
        QStringList stored;
        for (const TriggerLine& line : ListDlyTrg(person, date)) stored << line.name;
        QStringList wanted = triggers;
        stored.sort();
        wanted.sort();
        return stored != wanted;
    }
    std::set<std::pair<QString, int>> stored, wanted;
    for (const DayMedRow& row : ListDlyMed(person, date).rows)
        if (kept(row)) stored.insert({row.medId, row.timesUsed});
    for (const DayMedRow& row : medication)
        if (kept(row)) wanted.insert({row.medId.trimmed(), row.timesUsed});
    return stored != wanted;
}

std::vector<TableId> Days::unsavableLists(const QStringList& tickedTriggers,
                                          std::span<const DayMedRow> medication) const {
    std::vector<TableId> lists;
    if (!tickedTriggers.isEmpty() && !store_.has(TableId::DlyTrig)) lists.push_back(TableId::DlyTrig);
    if (std::any_of(medication.begin(), medication.end(), kept) && !store_.has(TableId::DlyMed))
        lists.push_back(TableId::DlyMed);
    return lists;
}

// ---- days --------------------------------------------------------------------------------

Result Days::writeDay(const PersonId& person, const QDate& date, const DayValues& v, RaiseBest raise) {
    const DailyTable t(store_);
    const bool found = fields::seekIncludingMarked(t.table(), t.tag(DailyTag::diDyID), keys::dayId(person, date));
    if (!found) t->appendStart();
    mapping::writeDay(t, person, {date, v});
    if (const Result r = writes().save(TableId::Daily, !found); !r) return r;
    return raise == RaiseBest::WhenExceeded ? raiseBest(person, v) : Result::done();
}

Result Days::raiseBest(const PersonId& person, const DayValues& v) {
    const PersonalTable t(store_);
    std::optional<PersonRecord> row = findPerson(t, person);
    const int highest = std::max(v.morning, v.evening);
    if (!row || row->best.value_or(0) >= highest) return Result::done();
    row->best = highest;
    mapping::writePerson(t, *row);
    return writes().save(TableId::Personal, false);
}

DayCard Days::GetDly(const PersonId& person, const QDate& date) {
    DayCard card;
    const DailyTable t(store_);
    if (!t || !date.isValid()) return card;
    if (!fields::seek(t.table(), t.tag(DailyTag::diDyID), keys::dayId(person, date))) {
        for (const QString& name : persons_.ListPerTrg(person)) card.triggers.push_back({name, false});
        card.medication = ListNewDlyMed(person);
        return card;
    }
    card.found = true;
    card.values = mapping::readDay(t).values;
    if (card.values.rating < 1 || card.values.rating > 3) card.values.rating = 0;

    card.triggers = ListDlyTrg(person, date);
    card.medication = ListDlyMed(person, date);
    if (date == clock::today()) {
        card.medication = AddNewDlyMed(person, card.medication);
        card.triggers = AddNewDlyTrg(person, card.triggers);
    }
    return card;
}

int Days::ChkDly(const PersonId& person, const QDate& date) {
    const DailyTable t(store_);
    if (!t || !date.isValid()) return -1;
    const bool found = fields::seek(t.table(), t.tag(DailyTag::diDyID), keys::dayId(person, date));
    const int rating = found ? mapping::readRating(t) : -1;
    emit store_.tableRead(TableId::Daily);
    return rating;
}

Result Days::DelDly(const PersonId& person, const QDate& date) {
    Checks checks = dayChecks(store_, TableId::Daily, date);
    // Rows left in a file that cannot be read now would come back with the day if it is recorded again.
    checks.open(store_, TableId::DlyTrig).open(store_, TableId::DlyMed);
    if (const Result r = checks.result(); !r) return r;
    // The day's triggers and medication are marked first and the day record last, each file with
    // one wait for the disk: a deletion stopped part-way leaves the day listed, and deleting it
    // again finishes it.
    Result result = removeDayExcept(TableId::DlyTrig, person, date, {});
    if (result) result = removeDayExcept(TableId::DlyMed, person, date, {});
    const DailyTable t(store_);
    if (result && fields::seek(t.table(), t.tag(DailyTag::diDyID), keys::dayId(person, date)))
        result = writes().remove(TableId::Daily, {t->recordNumber()});
    return result;
}

Result Days::removeDayExcept(TableId id, const PersonId& person, const QDate& date, const std::vector<quint32>& keep) {
    std::vector<quint32> records;
    const Result walked = forEachOfDay(store_, id, keys::dayId(person, date), [&](const engine::Table& t) {
        if (!contains(keep, t.recordNumber())) records.push_back(t.recordNumber());
        return Result::done();
    });
    return walked ? writes().remove(id, records) : walked;
}

// ---- triggers of a day -------------------------------------------------------------------

Outcome<quint32> Days::addTrigger(const PersonId& person, const QString& name, const QDate& date) {
    const DlyTrigTable t(store_);
    const QString key = keys::padded(keys::dayId(person, date) + name, w::kDayId + w::kTrigger);
    const bool found = fields::seekIncludingMarked(t.table(), t.tag(DlyTrigTag::dtiKEY), key);
    return writes().keep(TableId::DlyTrig, found, [&] { mapping::writeDayTrigger(t, person, {date, name}); });
}

std::vector<TriggerLine> Days::ListDlyTrg(const PersonId& person, const QDate& date) {
    std::vector<TriggerLine> lines;
    const DlyTrigTable t(store_);
    if (!t) return lines;
    // In dtiKEY the day's records stand together, in trigger-name order.
    const QString day = keys::dayId(person, date);
    const std::string dayBytes = fields::bytes(day);
    for (bool more = fields::seek(t.table(), t.tag(DlyTrigTag::dtiKEY), day);
         more && fields::holds(t[DlyTrigField::DyID], dayBytes); more = t->skip())
        lines.push_back({mapping::readDayTrigger(t).trigger.trimmed(), true});
    return lines;
}

std::vector<TriggerLine> Days::AddNewDlyTrg(const PersonId& person, std::vector<TriggerLine> lines) {
    for (const QString& name : persons_.ListPerTrg(person)) {
        const bool listed =
            std::any_of(lines.begin(), lines.end(), [&](const TriggerLine& l) { return l.name.trimmed() == name; });
        if (!listed) lines.push_back({name, false});
    }
    return lines;
}

// ---- medication of a day -----------------------------------------------------------------

Outcome<quint32> Days::addMedication(const PersonId& person, const QDate& date, const DayMedRow& row) {
    const DlyMedTable t(store_);
    const QString key = keys::dayId(person, date) + keys::padded(row.medId, w::kMedId);
    const bool found = fields::seekIncludingMarked(t.table(), t.tag(DlyMedTag::dmiKEY), key);
    Outcome<quint32> out;
    if (found) {
        // Name and category stay as they were recorded that day.
        DayMedItem item = mapping::readDayMed(t);
        if (item.timesUsed == row.timesUsed && !t->isDeleted()) {
            out.value = t->recordNumber();
            return out;
        }
        item.date = date;
        item.timesUsed = row.timesUsed;
        mapping::writeDayMed(t, person, item);
    } else {
        t->appendStart();
        mapping::writeDayMed(t, person, {date, row.medId, row.name, row.timesUsed, row.category});
    }
    out.result = writes().save(TableId::DlyMed, !found);
    out.value = t->recordNumber();
    return out;
}

DayMedication Days::ListDlyMed(const PersonId& person, const QDate& date) {
    DayMedication m;
    const DlyMedTable t(store_);
    if (!t) return m;
    const QString day = keys::dayId(person, date);
    const std::string dayBytes = fields::bytes(day);
    int filled = 0;
    for (bool more = fields::seek(t.table(), t.tag(DlyMedTag::dmiDYID), day);
         more && fields::holds(t[DlyMedField::DyID], dayBytes) && filled < kDayMedRows; more = t->skip()) {
        const DayMedItem item = mapping::readDayMed(t);
        const QString category = item.category.trimmed();
        m.rows[size_t(filled++)] = {item.name.trimmed(), category, item.medId.trimmed(), item.timesUsed};
        countCategory(m, category);
    }
    return m;
}

DayMedication Days::ListNewDlyMed(const PersonId& person) { return AddNewDlyMed(person, DayMedication{}); }

DayMedication Days::AddNewDlyMed(const PersonId& person, DayMedication m) {
    const PerMedTable t(store_);
    if (!t) return m;
    auto freeRow = std::find_if(m.rows.begin(), m.rows.end(), [](const DayMedRow& r) { return r.isFree(); });
    for (bool more = fields::seek(t.table(), t.tag(PerMedTag::pmiASID), person.text()); more && freeRow != m.rows.end();
         more = t->skip()) {
        const PersonMedRecord med = mapping::readPersonMed(t);
        if (med.person != person.text()) break;
        if (!med.inUse) continue;
        const QString id = med.medId.trimmed();
        const QString name = med.name.trimmed();
        // A medication changed since the day was recorded is on it already, as the version taken
        // then: the version now in use would be a second row of the same name.
        if (std::any_of(m.rows.begin(), m.rows.end(),
                        [&](const DayMedRow& r) { return r.medId == id || (!r.isFree() && r.name == name); }))
            continue;
        const QString category = med.category.trimmed();
        *freeRow = {name, category, id, 0};
        countCategory(m, category);
        freeRow = std::find_if(freeRow, m.rows.end(), [](const DayMedRow& r) { return r.isFree(); });
    }
    return m;
}

}  // namespace pulmora::store
