#include "Mapping.h"

#include "Fields.h"
#include "Keys.h"

namespace pulmora::store::mapping {

using fields::assign;
using fields::number;
using fields::on;
using fields::storedNumber;
using fields::text;

namespace {

const QString kInUse = QStringLiteral("Yes");
const QString kNotInUse = QStringLiteral("No");

QString flag(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }

// The day's identifier and its person, as every record of a person's day holds them.
template <TableId Id>
void assignDay(const Bound<Id>& t, const PersonId& person, const QDate& date) {
    using F = typename Bound<Id>::FieldId;
    assign(t[F::DyID], keys::dayId(person, date));
    assign(t[F::Asid], person.text());
    assign(t[F::AsDt], date);
}

}  // namespace

// ---- Personal.dat ------------------------------------------------------------------------

std::optional<PersonRecord> readPerson(const PersonalTable& t) {
    using F = PersonalField;
    const std::optional<PersonId> id = PersonId::of(text(t[F::Asid]));
    if (!id) return std::nullopt;
    return PersonRecord{*id,
                        text(t[F::WhoI]),
                        text(t[F::LNam]),
                        text(t[F::FNam]),
                        text(t[F::Gend]),
                        text(t[F::DofB]),
                        text(t[F::Titl]),
                        text(t[F::Ocup]),
                        text(t[F::Hlth]),
                        storedNumber(t[F::Best]),
                        storedNumber(t[F::Pred]),
                        storedNumber(t[F::ZYel]),
                        storedNumber(t[F::ZRed])};
}

void writePerson(const PersonalTable& t, const PersonRecord& r) {
    using F = PersonalField;
    assign(t[F::Asid], r.id.text());
    assign(t[F::WhoI], r.nickname);
    assign(t[F::LNam], r.surname);
    assign(t[F::FNam], r.firstName);
    assign(t[F::Gend], r.gender);
    assign(t[F::DofB], r.birthDate);
    assign(t[F::Titl], r.title);
    assign(t[F::Ocup], r.occupation);
    assign(t[F::Hlth], r.healthNumber);
    assign(t[F::Best], r.best);
    assign(t[F::Pred], r.predicted);
    assign(t[F::ZYel], r.zoneYellow);
    assign(t[F::ZRed], r.zoneRed);
}

// ---- PerTrig.dat -------------------------------------------------------------------------

PersonTriggerRecord readPersonTrigger(const PerTrigTable& t) {
    return {text(t[PerTrigField::Asid]), text(t[PerTrigField::Trig])};
}

void writePersonTrigger(const PerTrigTable& t, const PersonTriggerRecord& r) {
    assign(t[PerTrigField::Asid], r.person);
    assign(t[PerTrigField::Trig], r.trigger);
}

// ---- PerMed.dat --------------------------------------------------------------------------

PersonMedRecord readPersonMed(const PerMedTable& t) {
    using F = PerMedField;
    return {text(t[F::MdID]),
            text(t[F::Asid]),
            text(t[F::ANam]),
            text(t[F::Inst]),
            text(t[F::PrBy]),
            text(t[F::PrDt]),
            text(t[F::MdUs]).trimmed() == kInUse,
            text(t[F::Ctgy])};
}

void writePersonMed(const PerMedTable& t, const PersonMedRecord& r) {
    using F = PerMedField;
    assign(t[F::MdID], r.medId);
    assign(t[F::Asid], r.person);
    assign(t[F::ANam], r.name);
    assign(t[F::Inst], r.instructions);
    assign(t[F::PrBy], r.prescribedBy);
    assign(t[F::PrDt], r.prescribedDate);
    assign(t[F::MdUs], r.inUse ? kInUse : kNotInUse);
    assign(t[F::Ctgy], r.category);
}

// ---- RefTrig.dat -------------------------------------------------------------------------

RefTriggerRecord readRefTrigger(const RefTrigTable& t) { return {text(t[RefTrigField::Trig])}; }

void writeRefTrigger(const RefTrigTable& t, const RefTriggerRecord& r) { assign(t[RefTrigField::Trig], r.trigger); }

// ---- Daily.dat ---------------------------------------------------------------------------

DayRecord readDay(const DailyTable& t) {
    using F = DailyField;
    DayRecord r{fields::date(t[F::AsDt]), {}};
    DayValues& v = r.values;
    v.morning = number(t[F::Morn]);
    v.evening = number(t[F::Even]);
    v.coughDay = on(t[F::CogD]);
    v.breathDay = on(t[F::BrtD]);
    v.wheezeDay = on(t[F::WhzD]);
    v.chestDay = on(t[F::ChsD]);
    v.coughNight = on(t[F::CogN]);
    v.breathNight = on(t[F::BrtN]);
    v.wheezeNight = on(t[F::WhzN]);
    v.chestNight = on(t[F::ChsN]);
    v.activityRestricted = on(t[F::ActN]);
    v.sportRestricted = on(t[F::ActS]);
    v.offWork = on(t[F::Miss]);
    v.relievers = number(t[F::Nrel]);
    v.preventers = number(t[F::Nprv]);
    v.rating = number(t[F::Rate]);
    return r;
}

int readRating(const DailyTable& t) { return number(t[DailyField::Rate]); }

void writeDay(const DailyTable& t, const PersonId& person, const DayRecord& r) {
    using F = DailyField;
    const DayValues& v = r.values;
    assignDay(t, person, r.date);
    assign(t[F::Morn], v.morning);
    assign(t[F::Even], v.evening);
    assign(t[F::CogD], flag(v.coughDay));
    assign(t[F::BrtD], flag(v.breathDay));
    assign(t[F::WhzD], flag(v.wheezeDay));
    assign(t[F::ChsD], flag(v.chestDay));
    assign(t[F::CogN], flag(v.coughNight));
    assign(t[F::BrtN], flag(v.breathNight));
    assign(t[F::WhzN], flag(v.wheezeNight));
    assign(t[F::ChsN], flag(v.chestNight));
    assign(t[F::ActN], flag(v.activityRestricted));
    assign(t[F::ActS], flag(v.sportRestricted));
    assign(t[F::Miss], flag(v.offWork));
    assign(t[F::Nrel], v.relievers);
    assign(t[F::Nprv], v.preventers);
    assign(t[F::Rate], v.rating);
}

// ---- DlyTrig.dat -------------------------------------------------------------------------

DayTriggerItem readDayTrigger(const DlyTrigTable& t) {
    return {fields::date(t[DlyTrigField::AsDt]), text(t[DlyTrigField::Trig])};
}

void writeDayTrigger(const DlyTrigTable& t, const PersonId& person, const DayTriggerItem& r) {
    assignDay(t, person, r.date);
    assign(t[DlyTrigField::Trig], r.trigger);
}

// ---- DlyMed.dat --------------------------------------------------------------------------

DayMedItem readDayMed(const DlyMedTable& t) {
    using F = DlyMedField;
    return {fields::date(t[F::AsDt]), text(t[F::MdID]), text(t[F::ANam]), number(t[F::TmUs]), text(t[F::Ctgy])};
}

void writeDayMed(const DlyMedTable& t, const PersonId& person, const DayMedItem& r) {
    using F = DlyMedField;
    assignDay(t, person, r.date);
    assign(t[F::MdID], r.medId);
    assign(t[F::ANam], r.name);
    assign(t[F::TmUs], r.timesUsed);
    assign(t[F::Ctgy], r.category);
}

}  // namespace pulmora::store::mapping
