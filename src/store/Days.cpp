#include "Days.h"

#include "Checks.h"
#include "Clock.h"
#include "Keys.h"
#include "Records.h"

#include <algorithm>

namespace pulmora::store {

using namespace records;
namespace w = width;

namespace {

QString flag(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }

void countCategory(DayMedication& m, const QString& category) {
    if (category == QLatin1String("Reliever")) ++m.relieverRows;
    if (category == QLatin1String("Preventer")) ++m.preventerRows;
}

Checks dayChecks(const DiaryStore& store, TableId table, const QString& person, const QString& date) {
    Checks checks;
    checks.open(store, table).person(person).date(date, "date");
    return checks;
}

bool readsOn(engine::Table* t, std::string_view field) { return number(t, field) == 1; }

}  // namespace

// ---- days --------------------------------------------------------------------------------

Result Days::AddDly(const QString& person, const QString& date, const DayValues& v) {
    if (const Result r = dayChecks(store_, TableId::Daily, person, date)
                             .range(v.morning, 0, 999, "morning peak flow")
                             .range(v.evening, 0, 999, "evening peak flow")
                             .range(v.relievers, 0, 99, "number of reliever doses")
                             .range(v.preventers, 0, 99, "number of preventer doses")
                             .range(v.rating, 0, 3, "rating")
                             .result();
        !r)
        return r;
    auto* t = store_.table(TableId::Daily);
    const QString id = keys::dayId(person, date);
    const bool found = seek(t, "diDyID", id);
    if (!found) t->appendStart();
    assign(t, "DyID", id);
    assign(t, "Asid", person);
    assign(t, "AsDt", date);
    assign(t, "Morn", QString::number(v.morning));
    assign(t, "Even", QString::number(v.evening));
    assign(t, "CogD", flag(v.coughDay));
    assign(t, "BrtD", flag(v.breathDay));
    assign(t, "WhzD", flag(v.wheezeDay));
    assign(t, "ChsD", flag(v.chestDay));
    assign(t, "CogN", flag(v.coughNight));
    assign(t, "BrtN", flag(v.breathNight));
    assign(t, "WhzN", flag(v.wheezeNight));
    assign(t, "ChsN", flag(v.chestNight));
    assign(t, "ActN", flag(v.activityRestricted));
    assign(t, "ActS", flag(v.sportRestricted));
    assign(t, "Miss", flag(v.offWork));
    assign(t, "Nrel", QString::number(v.relievers));
    assign(t, "Nprv", QString::number(v.preventers));
    assign(t, "Rate", QString::number(v.rating));
    Result result = fromStatus(found ? t->flush() : t->append());
    if (result) result = raiseBest(person, v);
    store_.ShowFState();
    return result;
}

Result Days::raiseBest(const QString& person, const DayValues& v) {
    auto* t = store_.table(TableId::Personal);
    if (!t || !seekPerson(t, person)) return Result::done();
    const int highest = std::max(v.morning, v.evening);
    if (number(t, "Best") >= highest) return Result::done();
    assign(t, "Best", QString::number(highest));
    return fromStatus(t->flush());
}

DayCard Days::GetDly(const QString& person, const QString& date) {
    DayCard card;
    auto* t = store_.table(TableId::Daily);
    if (!t || !keys::isPersonId(person)) return card;
    if (!seek(t, "diDyID", keys::dayId(person, date))) {
        for (const QString& name : persons_.ListPerTrg(person)) card.triggers.push_back({name, false});
        card.medication = ListNewDlyMed(person);
        return card;
    }
    card.found = true;
    DayValues& v = card.values;
    v.morning = number(t, "Morn");
    v.evening = number(t, "Even");
    v.coughDay = readsOn(t, "CogD");
    v.breathDay = readsOn(t, "BrtD");
    v.wheezeDay = readsOn(t, "WhzD");
    v.chestDay = readsOn(t, "ChsD");
    v.coughNight = readsOn(t, "CogN");
    v.breathNight = readsOn(t, "BrtN");
    v.wheezeNight = readsOn(t, "WhzN");
    v.chestNight = readsOn(t, "ChsN");
    v.activityRestricted = readsOn(t, "ActN");
    v.sportRestricted = readsOn(t, "ActS");
    v.offWork = readsOn(t, "Miss");
    v.relievers = number(t, "Nrel");
    v.preventers = number(t, "Nprv");
    const int rating = number(t, "Rate");
    v.rating = rating >= 1 && rating <= 3 ? rating : 0;

    card.triggers = ListDlyTrg(person, date);
    card.medication = ListDlyMed(person, date);
    if (date == keys::dateKey(clock::today())) {
        card.medication = AddNewDlyMed(person, card.medication);
        card.triggers = AddNewDlyTrg(person, card.triggers);
    }
    return card;
}

int Days::ChkDly(const QString& person, const QString& date) {
    auto* t = store_.table(TableId::Daily);
    if (!t || !keys::isPersonId(person)) return -1;
    const int rating = seek(t, "diDyID", keys::dayId(person, date)) ? number(t, "Rate") : -1;
    if (store_.monitorVisible()) store_.ShowFState();
    return rating;
}

Result Days::DelDly(const QString& person, const QString& date) {
    if (const Result r = dayChecks(store_, TableId::Daily, person, date).result(); !r) return r;
    auto* t = store_.table(TableId::Daily);
    Result result = Result::done();
    if (seek(t, "diDyID", keys::dayId(person, date))) {
        t->markDeleted();
        result = fromStatus(t->pack());
        if (result && store_.has(TableId::DlyTrig)) result = DelDlyTrg(person, date);
        if (result && store_.has(TableId::DlyTrig)) result = PackDlyTrg();
        if (result && store_.has(TableId::DlyMed)) result = DelDlyMed(person, date);
        if (result && store_.has(TableId::DlyMed)) result = PackDlyMed();
    }
    store_.ShowFState();
    return result;
}

// Marks every record of the day; the day's records stand together in the day-identifier tag.
Result Days::markDayRecords(TableId id, const char* tag, const QString& person, const QString& date) {
    if (const Result r = dayChecks(store_, id, person, date).result(); !r) return r;
    auto* t = store_.table(id);
    const QString day = keys::dayId(person, date);
    for (bool more = seek(t, tag, day); more && text(t, "DyID") == day; more = t->skip()) t->markDeleted();
    return fromStatus(t->flush());
}

// ---- triggers of a day -------------------------------------------------------------------

Result Days::AddDlyTrg(const QString& person, const QString& trigger, const QString& date) {
    const QString name = keys::triggerName(trigger);
    if (const Result r = dayChecks(store_, TableId::DlyTrig, person, date)
                             .text(name, w::kTrigger, "trigger name")
                             .required(name, "trigger name")
                             .result();
        !r)
        return r;
    auto* t = store_.table(TableId::DlyTrig);
    const QString day = keys::dayId(person, date);
    Result result = Result::done();
    if (seek(t, "dTiKEY", keys::padded(day + name, w::kDayId + w::kTrigger))) {
        t->recall();
        result = fromStatus(t->flush());
    } else {
        t->appendStart();
        assign(t, "DyID", day);
        assign(t, "Asid", person);
        assign(t, "Trig", name);
        assign(t, "AsDt", date);
        result = fromStatus(t->append());
    }
    store_.ShowFState();
    return result;
}

Result Days::DelDlyTrg(const QString& person, const QString& date) {
    return markDayRecords(TableId::DlyTrig, "dTiKEY", person, date);
}

Result Days::PackDlyTrg() {
    if (const Result r = Checks().open(store_, TableId::DlyTrig).result(); !r) return r;
    return fromStatus(store_.table(TableId::DlyTrig)->pack());
}

std::vector<TriggerLine> Days::ListDlyTrg(const QString& person, const QString& date) {
    std::vector<TriggerLine> lines;
    auto* t = store_.table(TableId::DlyTrig);
    if (!t || !keys::isPersonId(person)) return lines;
    // In dtiKEY the day's records stand together, in trigger-name order.
    const QString day = keys::dayId(person, date);
    for (bool more = seek(t, "dTiKEY", day); more && text(t, "DyID") == day; more = t->skip())
        lines.push_back({trimmed(t, "Trig"), true});
    return lines;
}

std::vector<TriggerLine> Days::AddNewDlyTrg(const QString& person, std::vector<TriggerLine> lines) {
    for (const QString& name : persons_.ListPerTrg(person)) {
        const bool listed = std::any_of(lines.begin(), lines.end(),
                                        [&](const TriggerLine& l) { return l.name.trimmed() == name; });
        if (!listed) lines.push_back({name, false});
    }
    return lines;
}

// ---- medication of a day -----------------------------------------------------------------

Result Days::AddDlyMed(const QString& person, const QString& date, const QString& medId, int timesUsed,
                       const QString& name, const QString& category) {
    if (const Result r = dayChecks(store_, TableId::DlyMed, person, date)
                             .required(medId, "medication identifier")
                             .text(medId, w::kMedId, "medication identifier")
                             .range(timesUsed, 0, 99, "times used")
                             .text(name, w::kMedName, "medication name")
                             .text(category, w::kCategory, "category")
                             .result();
        !r)
        return r;
    auto* t = store_.table(TableId::DlyMed);
    const QString day = keys::dayId(person, date);
    Result result = Result::done();
    if (seek(t, "dmiKEY", day + keys::padded(medId, w::kMedId))) {
        t->recall();
        assign(t, "TmUs", QString::number(timesUsed));
        result = fromStatus(t->flush());
    } else {
        t->appendStart();
        assign(t, "DyID", day);
        assign(t, "Asid", person);
        assign(t, "MdID", medId);
        assign(t, "AsDt", date);
        assign(t, "TmUs", QString::number(timesUsed));
        assign(t, "ANam", name);
        assign(t, "Ctgy", category);
        result = fromStatus(t->append());
    }
    store_.ShowFState();
    return result;
}

Result Days::DelDlyMed(const QString& person, const QString& date) {
    return markDayRecords(TableId::DlyMed, "dmiDyID", person, date);
}

Result Days::PackDlyMed() {
    if (const Result r = Checks().open(store_, TableId::DlyMed).result(); !r) return r;
    return fromStatus(store_.table(TableId::DlyMed)->pack());
}

DayMedication Days::ListDlyMed(const QString& person, const QString& date) {
    DayMedication m;
    auto* t = store_.table(TableId::DlyMed);
    if (!t || !keys::isPersonId(person)) return m;
    const QString day = keys::dayId(person, date);
    int filled = 0;
    for (bool more = seek(t, "dmiDyID", day); more && filled < kDayMedRows && text(t, "DyID") == day;
         more = t->skip()) {
        const QString category = trimmed(t, "Ctgy");
        m.rows[size_t(filled++)] = {trimmed(t, "ANam"), category, trimmed(t, "MdID"), number(t, "TmUs")};
        countCategory(m, category);
    }
    return m;
}

DayMedication Days::ListNewDlyMed(const QString& person) { return AddNewDlyMed(person, DayMedication{}); }

DayMedication Days::AddNewDlyMed(const QString& person, DayMedication m) {
    auto* t = store_.table(TableId::PerMed);
    if (!t || !keys::isPersonId(person)) return m;
    auto freeRow = std::find_if(m.rows.begin(), m.rows.end(), [](const DayMedRow& r) { return r.isFree(); });
    for (bool more = seek(t, "pmiAsID", person); more && freeRow != m.rows.end() && text(t, "Asid") == person;
         more = t->skip()) {
        if (trimmed(t, "MdUs") != QLatin1String("Yes")) continue;
        const QString id = trimmed(t, "MdID");
        if (std::any_of(m.rows.begin(), m.rows.end(), [&](const DayMedRow& r) { return r.medId == id; }))
            continue;
        const QString category = trimmed(t, "Ctgy");
        *freeRow = {trimmed(t, "ANam"), category, id, 0};
        countCategory(m, category);
        freeRow = std::find_if(freeRow, m.rows.end(), [](const DayMedRow& r) { return r.isFree(); });
    }
    return m;
}

}  // namespace pulmora::store
