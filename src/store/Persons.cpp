#include "Persons.h"

#include "Checks.h"
#include "Cp1252.h"
#include "Keys.h"
#include "Records.h"

namespace pulmora::store {

using namespace records;
namespace w = width;

namespace {

Result packed(engine::Table* table) { return fromStatus(table->pack()); }
Result flushed(engine::Table* table) { return fromStatus(table->flush()); }
Result appended(engine::Table* table) { return fromStatus(table->append()); }

QString refTriggerKey(const QString& name) { return keys::padded(keys::triggerName(name), w::kTrigger); }

QString personTriggerKey(const QString& person, const QString& name) {
    return keys::padded(person + keys::triggerName(name), w::kPersonId + w::kTrigger);
}

}  // namespace

// ---- persons -----------------------------------------------------------------------------

QString Persons::newPersonId(engine::Table* personal, const PersonDetails& d) {
    // Only the last four hexadecimal digits survive in the identifier, so more than 65535
    // people with the same four letters cannot be told apart.
    for (quint32 n = 1; n <= 0xFFFF; ++n) {
        const QString id = keys::personIdCandidate(d.surname, d.firstName, n);
        if (!seekPerson(personal, id)) return id;
    }
    return {};
}

Outcome<PersonRef> Persons::AddPer(const QString& id, const PersonDetails& d) {
    Outcome<PersonRef> out;
    Checks checks;
    checks.open(store_, TableId::Personal)
        .text(d.nickname.trimmed(), w::kNickname, "nickname")
        .text(d.surname, w::kName, "surname")
        .text(d.firstName, w::kName, "first name")
        .optionalOneOf(d.gender, {"Female", "Male"}, "gender")
        .optionalDate(d.birthDate, "date of birth")
        .text(d.title, w::kTitle, "title")
        .text(d.occupation, w::kName, "occupation")
        .text(d.healthNumber, w::kName, "health number")
        .digits(d.zoneYellow, w::kZone, "first zone boundary")
        .digits(d.zoneRed, w::kZone, "second zone boundary")
        .digits(d.best, w::kPeakFlow, "best peak flow")
        .digits(d.predicted, w::kPeakFlow, "predicted peak flow");
    if (id != keys::kNoPerson) checks.person(id);
    if (out.result = checks.result(); !out) return out;

    auto* t = store_.table(TableId::Personal);
    QString stored = id;
    const bool isNew = !seekPerson(t, id);
    if (isNew) {
        stored = newPersonId(t, d);
        if (stored.isEmpty()) {
            out.result = Result::refused("No free identifier is left for these names.");
            return out;
        }
        t->appendStart();
        assign(t, "Asid", stored);
    }
    assign(t, "WhoI", d.nickname.trimmed());
    assign(t, "LNam", d.surname);
    assign(t, "FNam", d.firstName);
    assign(t, "Gend", d.gender);
    assign(t, "DofB", d.birthDate);
    assign(t, "Titl", d.title);
    assign(t, "Ocup", d.occupation);
    assign(t, "Hlth", d.healthNumber);
    assign(t, "ZYel", d.zoneYellow.trimmed());
    assign(t, "ZRed", d.zoneRed.trimmed());
    assign(t, "Best", d.best.trimmed());
    assign(t, "Pred", d.predicted.trimmed());
    out.result = isNew ? appended(t) : flushed(t);
    if (out) out.value = {stored, trimmed(t, "WhoI")};
    store_.ShowFState();
    return out;
}

Result Persons::markPersonRecords(TableId id, const char* tag, const QString& person) {
    auto* t = store_.table(id);
    if (!t) return Result::done();
    select(t, tag);
    for (t->goBof(); !t->eof(); t->skip())
        if (trimmed(t, "Asid") == person) t->markDeleted();
    return packed(t);
}

Result Persons::DelPer(const QString& id) {
    if (const Result r = Checks().writable(store_).person(id).result(); !r) return r;
    Result result = markPersonRecords(TableId::Daily, "diDyID", id);
    if (auto* t = store_.table(TableId::Personal); t && result) {
        if (seekPerson(t, id)) t->markDeleted();
        result = packed(t);
    }
    if (result) result = markPersonRecords(TableId::DlyTrig, "dTiTRIG", id);
    if (result) result = markPersonRecords(TableId::DlyMed, "dmiDyID", id);
    if (result) result = markPersonRecords(TableId::PerMed, "pmiAsID", id);
    if (result && store_.has(TableId::PerTrig)) {
        result = DelPerTrg(id);
        if (result) result = PackPerTrg();
    }
    store_.ShowFState();
    return result;
}

std::optional<PersonCard> Persons::GetPerCrd(const QString& id) {
    auto* t = store_.table(TableId::Personal);
    if (!t || !seekPerson(t, id)) return std::nullopt;
    PersonCard card;
    card.nickname = trimmed(t, "WhoI");
    card.header = QStringLiteral("  Updating for ") + card.nickname;
    card.surname = trimmed(t, "LNam");
    card.firstName = trimmed(t, "FNam");
    card.occupation = trimmed(t, "Ocup");
    card.healthNumber = trimmed(t, "Hlth");
    card.best = trimmed(t, "Best");
    card.predicted = trimmed(t, "Pred");
    // A gender never chosen stays unchosen, so saving the card again does not invent one.
    const QString gender = trimmed(t, "Gend");
    card.genderItem = gender.isEmpty() ? -1 : gender == QLatin1String("Male") ? 1 : 0;
    card.birthDate = trimmed(t, "DofB");
    card.titleItem = int(kTitles.indexOf(trimmed(t, "Titl")));
    card.zoneYellow = number(t, "ZYel");
    card.zoneRed = number(t, "ZRed");
    return card;
}

std::optional<PersonRef> Persons::GetPerDly(Step step, const QString& current) {
    auto* t = store_.table(TableId::Personal);
    if (!t) return std::nullopt;
    // Step from the current person's own record, so that whatever walk ran last on the table
    // cannot make "next" skip or repeat someone.
    const bool fromCurrent = step == Step::Next && seekPerson(t, current);
    select(t, "piWhoI");
    if (fromCurrent) {
        if (!t->skip()) t->top();
    } else if (!t->top()) {
        return std::nullopt;
    }
    return PersonRef{trimmed(t, "Asid"), trimmed(t, "WhoI")};
}

bool Persons::ChkPerNick(const QString& id, const QString& nickname) {
    auto* t = store_.table(TableId::Personal);
    if (!t) return false;
    select(t, "piAsID");
    for (t->goBof(); !t->eof(); t->skip())
        if (trimmed(t, "WhoI") == nickname && trimmed(t, "Asid") != id) return true;
    return false;
}

// ---- medication --------------------------------------------------------------------------

std::vector<PersonMedRow> Persons::ListMed(const QString& id) {
    std::vector<PersonMedRow> rows;
    auto* t = store_.table(TableId::PerMed);
    if (!t) return rows;
    select(t, "pmiNAME");
    for (t->goBof(); !t->eof() && rows.size() < 10; t->skip()) {
        if (trimmed(t, "Asid") != id || trimmed(t, "MdUs") == QLatin1String("No")) continue;
        rows.push_back({text(t, "MdID"), trimmed(t, "ANam"), trimmed(t, "Ctgy"), trimmed(t, "Inst"),
                        trimmed(t, "PrBy"), trimmed(t, "PrDt")});
    }
    return rows;
}

Result Persons::SetPerMed(const QString& id, const QString& inUse) {
    if (const Result r = Checks().open(store_, TableId::PerMed).person(id).oneOf(inUse, {"Yes", "No"}, "in-use value").result(); !r)
        return r;
    auto* t = store_.table(TableId::PerMed);
    select(t, "pmiMDID");
    for (t->goBof(); !t->eof(); t->skip())
        if (trimmed(t, "Asid") == id) assign(t, "MdUs", inUse);
    return flushed(t);
}

QString Persons::newMedId(engine::Table* perMed, const QString& name) {
    const quint32 last = name.trimmed().size() >= 4 ? 0xFFFF : 0xFFFFFF;
    for (quint32 n = 1; n <= last; ++n) {
        const QString id = keys::medIdCandidate(name, n);
        if (!seek(perMed, "pmiMDID", id)) return id;
    }
    return {};
}

Outcome<QString> Persons::AddMed(const MedicationDetails& m) {
    Outcome<QString> out;
    out.result = Checks()
                     .open(store_, TableId::PerMed)
                     .person(m.person)
                     .text(m.medId, w::kMedId, "medication identifier")
                     .text(m.name.trimmed(), w::kMedName, "medication name")
                     .required(m.name, "medication name")
                     .text(m.instructions, w::kInstructions, "instructions")
                     .text(m.prescribedBy, w::kPrescribedBy, "prescriber")
                     .optionalDate(m.prescribedDate, "date prescribed")
                     .oneOf(m.category, {"Reliever", "Preventer", "Protector", "Combined", "Other"}, "category")
                     .oneOf(m.inUse, {"Yes", "No"}, "in-use value")
                     .result();
    if (!out) return out;
    auto* t = store_.table(TableId::PerMed);
    QString id = m.medId;
    const bool found = !id.isEmpty() && seek(t, "pmiMDID", keys::padded(id, w::kMedId, QLatin1Char('0')));
    if (found) {
        id = text(t, "MdID");
    } else {
        id = newMedId(t, m.name);
        if (id.isEmpty()) {
            out.result = Result::refused("No free identifier is left for this medication name.");
            return out;
        }
        t->appendStart();
    }
    assign(t, "MdID", id);
    assign(t, "Asid", m.person);
    assign(t, "ANam", m.name.trimmed());
    assign(t, "Inst", m.instructions);
    assign(t, "PrBy", m.prescribedBy);
    assign(t, "PrDt", m.prescribedDate);
    assign(t, "Ctgy", m.category);
    assign(t, "MdUs", m.inUse);
    out.result = found ? flushed(t) : appended(t);
    if (out) out.value = id;
    store_.ShowFState();
    return out;
}

// ---- reference triggers ------------------------------------------------------------------

QStringList Persons::ListTrg(const QString&) {
    QStringList names;
    auto* t = store_.table(TableId::RefTrig);
    if (!t) return names;
    select(t, "rtiTRIG");
    for (t->goBof(); !t->eof(); t->skip()) names << trimmed(t, "Trig");
    return names;
}

Outcome<bool> Persons::AddTrg(const QString& oldName, const QString& newName) {
    Outcome<bool> out;
    const QString name = keys::triggerName(newName);
    out.result = Checks().open(store_, TableId::RefTrig).text(name, w::kTrigger, "trigger name").required(name, "trigger name").result();
    if (!out) return out;
    auto* t = store_.table(TableId::RefTrig);
    const bool newListed = seek(t, "rtiTRIG", refTriggerKey(name));
    const bool oldListed = !oldName.trimmed().isEmpty() && cp1252::canEncode(oldName) &&
                           seek(t, "rtiTRIG", refTriggerKey(oldName));
    if (oldListed && keys::triggerName(oldName) != name) {
        if (newListed) {
            t->markDeleted();  // renaming onto a listed name: the two become one
            out.result = packed(t);
        } else {
            assign(t, "Trig", name);
            out.result = flushed(t);
        }
        out.value = out.ok();
    } else if (!oldListed && !newListed) {
        t->appendStart();
        assign(t, "Trig", name);
        out.result = appended(t);
        out.value = out.ok();
    }
    store_.ShowFState();
    return out;
}

Outcome<bool> Persons::DelTrg(const QString& name) {
    Outcome<bool> out;
    out.result = Checks().open(store_, TableId::RefTrig).text(name, w::kTrigger, "trigger name").result();
    if (!out) return out;
    auto* t = store_.table(TableId::RefTrig);
    if (seek(t, "rtiTRIG", refTriggerKey(name))) {
        t->markDeleted();
        out.result = packed(t);
        out.value = out.ok();
    }
    store_.ShowFState();
    return out;
}

// ---- person triggers ---------------------------------------------------------------------

QStringList Persons::ListPerTrg(const QString& id) {
    QStringList names;
    auto* t = store_.table(TableId::PerTrig);
    if (!t || !keys::isPersonId(id)) return names;
    for (bool more = seek(t, "ptiTRIG", id); more && trimmed(t, "Asid") == id; more = t->skip())
        names << trimmed(t, "Trig");
    return names;
}

Result Persons::AddPerTrg(const QString& id, const QString& trigger) {
    const QString name = keys::triggerName(trigger);
    if (const Result r = Checks()
                             .open(store_, TableId::PerTrig)
                             .person(id)
                             .text(name, w::kTrigger, "trigger name")
                             .required(name, "trigger name")
                             .result();
        !r)
        return r;
    auto* t = store_.table(TableId::PerTrig);
    Result result = Result::done();
    if (seek(t, "ptiTRIG", personTriggerKey(id, name))) {
        t->recall();
        result = flushed(t);
    } else {
        t->appendStart();
        assign(t, "Asid", id);
        assign(t, "Trig", name);
        result = appended(t);
    }
    store_.ShowFState();
    return result;
}

Result Persons::DelPerTrg(const QString& id) {
    if (const Result r = Checks().open(store_, TableId::PerTrig).person(id).result(); !r) return r;
    auto* t = store_.table(TableId::PerTrig);
    for (bool more = seek(t, "ptiTRIG", id); more && trimmed(t, "Asid") == id; more = t->skip())
        t->markDeleted();
    return flushed(t);
}

Result Persons::PackPerTrg() {
    if (const Result r = Checks().open(store_, TableId::PerTrig).result(); !r) return r;
    return packed(store_.table(TableId::PerTrig));
}

}  // namespace pulmora::store
