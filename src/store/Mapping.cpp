#include "Mapping.h"

#include "Fields.h"

namespace pulmora::store::mapping {

using fields::assign;
using fields::number;
using fields::on;
using fields::text;

namespace {
QString flag(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }
}  // namespace

// ---- Personal.dat ------------------------------------------------------------------------

PersonRecord readPerson(const PersonalTable& t) {
    using F = PersonalField;
    return {text(t[F::Asid]), text(t[F::WhoI]), text(t[F::LNam]), text(t[F::FNam]), text(t[F::Gend]),
            text(t[F::DofB]), text(t[F::Titl]), text(t[F::Ocup]), text(t[F::Hlth]), text(t[F::Best]),
            text(t[F::Pred]), text(t[F::ZYel]), text(t[F::ZRed])};
}

void writePerson(const PersonalTable& t, const PersonRecord& r) {
    using F = PersonalField;
    assign(t[F::Asid], r.id);
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
    return {text(t[F::MdID]), text(t[F::Asid]), text(t[F::ANam]), text(t[F::Inst]),
            text(t[F::PrBy]), text(t[F::PrDt]), text(t[F::MdUs]), text(t[F::Ctgy])};
}

void writePersonMed(const PerMedTable& t, const PersonMedRecord& r) {
    using F = PerMedField;
    assign(t[F::MdID], r.medId);
    assign(t[F::Asid], r.person);
    assign(t[F::ANam], r.name);
    assign(t[F::Inst], r.instructions);
    assign(t[F::PrBy], r.prescribedBy);
    assign(t[F::PrDt], r.prescribedDate);
    assign(t[F::MdUs], r.inUse);
    assign(t[F::Ctgy], r.category);
}

// ---- RefTrig.dat -------------------------------------------------------------------------

RefTriggerRecord readRefTrigger(const RefTrigTable& t) { return {text(t[RefTrigField::Trig])}; }

void writeRefTrigger(const RefTrigTable& t, const RefTriggerRecord& r) { assign(t[RefTrigField::Trig], r.trigger); }

// ---- Daily.dat ---------------------------------------------------------------------------

DayRecord readDay(const DailyTable& t) {
    using F = DailyField;
    DayRecord r{text(t[F::DyID]), text(t[F::Asid]), text(t[F::AsDt]), {}};
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

void writeDay(const DailyTable& t, const DayRecord& r) {
    using F = DailyField;
    const DayValues& v = r.values;
    assign(t[F::DyID], r.dayId);
    assign(t[F::Asid], r.person);
    assign(t[F::AsDt], r.date);
    assign(t[F::Morn], QString::number(v.morning));
    assign(t[F::Even], QString::number(v.evening));
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
    assign(t[F::Nrel], QString::number(v.relievers));
    assign(t[F::Nprv], QString::number(v.preventers));
    assign(t[F::Rate], QString::number(v.rating));
}

// ---- DlyTrig.dat -------------------------------------------------------------------------

DayTriggerItem readDayTrigger(const DlyTrigTable& t) {
    using F = DlyTrigField;
    return {text(t[F::DyID]), text(t[F::Asid]), text(t[F::Trig]), text(t[F::AsDt])};
}

void writeDayTrigger(const DlyTrigTable& t, const DayTriggerItem& r) {
    using F = DlyTrigField;
    assign(t[F::DyID], r.dayId);
    assign(t[F::Asid], r.person);
    assign(t[F::Trig], r.trigger);
    assign(t[F::AsDt], r.date);
}

// ---- DlyMed.dat --------------------------------------------------------------------------

DayMedItem readDayMed(const DlyMedTable& t) {
    using F = DlyMedField;
    return {text(t[F::DyID]),        text(t[F::Asid]), text(t[F::MdID]), text(t[F::ANam]),
            number(t[F::TmUs]), text(t[F::Ctgy]), text(t[F::AsDt])};
}

void writeDayMed(const DlyMedTable& t, const DayMedItem& r) {
    using F = DlyMedField;
    assign(t[F::DyID], r.dayId);
    assign(t[F::Asid], r.person);
    assign(t[F::MdID], r.medId);
    assign(t[F::ANam], r.name);
    assign(t[F::TmUs], QString::number(r.timesUsed));
    assign(t[F::Ctgy], r.category);
    assign(t[F::AsDt], r.date);
}

}  // namespace pulmora::store::mapping
