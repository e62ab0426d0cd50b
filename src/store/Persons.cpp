#include "Persons.h"

#include "Bound.h"
#include "Checks.h"
#include "Cp1252.h"
#include "Fields.h"
#include "Keys.h"
#include "Lookups.h"
#include "Mapping.h"
#include "Names.h"
#include "Writes.h"

#include <algorithm>
#include <utility>

namespace pulmora::store {

namespace w = width;

namespace {

QString refTriggerKey(const QString& name) { return keys::padded(triggerName(name), w::kTrigger); }

QString personTriggerKey(const PersonId& person, const QString& name) {
    return keys::padded(person.text() + triggerName(name), w::kPersonId + w::kTrigger);
}

// Digits as the personal card takes them (checked by Checks::digits): none when empty.
StoredNumber typedNumber(const QString& digits) {
    const QString text = digits.trimmed();
    return text.isEmpty() ? StoredNumber() : StoredNumber(text.toInt());
}

// A medication as the personal card's lists give it.
PersonMedRow medicationRow(const PersonMedRecord& m) {
    return {m.medId.leftJustified(w::kMedId),
            m.name.trimmed(),
            m.category.trimmed(),
            m.instructions.trimmed(),
            m.prescribedBy.trimmed(),
            keys::Get4Date(m.prescribedDate.trimmed()).value_or(QDate())};
}

bool contains(const std::vector<quint32>& records, quint32 record) {
    return std::find(records.begin(), records.end(), record) != records.end();
}

// The person's records of one file: they stand together at the start of the given tag, whose
// key begins with the person identifier.
template <TableId Id>
std::vector<quint32> personRecords(const Bound<Id>& t, typename Bound<Id>::TagId byPerson, const PersonId& id) {
    std::vector<quint32> records;
    for (bool more = fields::seek(t.table(), t.tag(byPerson), id.text());
         more && fields::text(t[Bound<Id>::FieldId::Asid]) == id.text(); more = t->skip())
        records.push_back(t->recordNumber());
    return records;
}

// Calls `visit` with each file that holds rows of a person and the tag that finds them, while it
// answers true: first the files whose rows hang off the person, the person file last.
template <class Visit>
bool forEachPersonFile(const DiaryStore& store, Visit visit) {
    return visit(DlyTrigTable(store), DlyTrigTag::dtiDYID) && visit(DlyMedTable(store), DlyMedTag::dmiDYID) &&
           visit(DailyTable(store), DailyTag::diASID) && visit(PerMedTable(store), PerMedTag::pmiASID) &&
           visit(PerTrigTable(store), PerTrigTag::ptiASID) && visit(PersonalTable(store), PersonalTag::piASID);
}

}  // namespace

Writes Persons::writes() const { return Writes(store_); }

// ---- persons -----------------------------------------------------------------------------

std::optional<PersonId> Persons::newPersonId(const PersonDetails& d) {
    // An identifier still held by a row in any file would give the new person that row, so the
    // counter moves past it. Only the last four hexadecimal digits survive in the identifier, so
    // more than 65535 people with the same four letters cannot be told apart.
    for (quint32 n = 1; n <= 0xFFFF; ++n) {
        const std::optional<PersonId> id = PersonId::of(keys::personIdCandidate(d.surname, d.firstName, n));
        const bool free = id && forEachPersonFile(store_, [&](const auto& t, auto byPerson) {
                              return !t || !fields::seekIncludingMarked(t.table(), t.tag(byPerson), id->text());
                          });
        if (free) return id;
    }
    return std::nullopt;
}

Outcome<std::optional<PersonRef>> Persons::AddPer(const std::optional<PersonId>& id, const PersonDetails& d) {
    Outcome<std::optional<PersonRef>> out;
    Checks checks;
    checks.open(store_, TableId::Personal)
        .text(d.nickname.trimmed(), w::kNickname, "nickname")
        .text(d.surname, w::kName, "surname")
        .text(d.firstName, w::kName, "first name")
        .optionalOneOf(d.gender, {"Female", "Male"}, "gender")
        .optionalDate(d.birthDate, "date of birth")
        .text(d.title, w::kTitle, "title")
        .text(d.occupation, w::kOccupation, "occupation")
        .text(d.healthNumber, w::kHealthNumber, "health number")
        .digits(d.zoneYellow, w::kZone, "first zone boundary")
        .digits(d.zoneRed, w::kZone, "second zone boundary")
        .digits(d.best, w::kPeakFlow, "best peak flow")
        .digits(d.predicted, w::kPeakFlow, "predicted peak flow");
    if (out.result = checks.result(); !out) return out;

    const PersonalTable t(store_);
    const bool isNew = !(id && seekPerson(t, *id));
    const std::optional<PersonId> storedId = isNew ? newPersonId(d) : id;
    if (!storedId) {
        out.result = Result::refused("No free identifier is left for these names.");
        return out;
    }
    if (isNew) t->appendStart();
    const PersonRecord row{*storedId,
                           d.nickname.trimmed(),
                           d.surname,
                           d.firstName,
                           d.gender,
                           keys::dateKeyOrBlank(d.birthDate),
                           d.title,
                           d.occupation,
                           d.healthNumber,
                           typedNumber(d.best),
                           typedNumber(d.predicted),
                           typedNumber(d.zoneYellow),
                           typedNumber(d.zoneRed)};
    mapping::writePerson(t, row);
    out.result = writes().save(TableId::Personal, isNew);
    if (out) out.value = PersonRef{row.id, row.nickname};
    return out;
}

Result Persons::DelPer(const PersonId& id) {
    Checks checks;
    checks.writable(store_);
    // Rows left in a file that cannot be read now would be found there again later, without
    // their person.
    forEachPersonFile(store_, [&](const auto& t, auto) {
        checks.open(store_, std::decay_t<decltype(t)>::kId);
        return true;
    });
    if (const Result r = checks.result(); !r) return r;
    // Each file's rows of the person are marked deleted with one wait for the disk, and the
    // person record goes last: a deletion stopped part-way leaves the person listed, and
    // deleting them again finishes it.
    Result result = Result::done();
    forEachPersonFile(store_, [&](const auto& t, auto byPerson) {
        result = writes().remove(std::decay_t<decltype(t)>::kId, personRecords(t, byPerson, id));
        return result.ok();
    });
    return result;
}

std::optional<PersonCard> Persons::GetPerCrd(const PersonId& id) {
    const std::optional<PersonRecord> row = findPerson(PersonalTable(store_), id);
    if (!row) return std::nullopt;
    PersonCard card;
    card.nickname = row->nickname.trimmed();
    card.surname = row->surname.trimmed();
    card.firstName = row->firstName.trimmed();
    card.occupation = row->occupation.trimmed();
    card.healthNumber = row->healthNumber.trimmed();
    auto shown = [](const StoredNumber& n) { return n ? QString::number(*n) : QString(); };
    card.best = shown(row->best);
    card.predicted = shown(row->predicted);
    card.gender = row->gender.trimmed();
    card.birthDate = keys::Get4Date(row->birthDate.trimmed()).value_or(QDate());
    card.title = row->title.trimmed();
    card.zoneYellow = row->zoneYellow.value_or(0);
    card.zoneRed = row->zoneRed.value_or(0);
    return card;
}

std::optional<PersonRef> Persons::GetPerDly(Step step, const std::optional<PersonId>& current) {
    const PersonalTable t(store_);
    if (!t) return std::nullopt;
    // Step from the current person's own record, so that whatever walk ran last on the table
    // cannot make "next" skip or repeat someone.
    const bool fromCurrent = step == Step::Next && current && seekPerson(t, *current);
    t->selectTag(t.tag(PersonalTag::piWhoI));
    const auto onward = [&t] { return t->skip() || t->top(); };  // past the last comes the first
    bool positioned = fromCurrent ? onward() : t->top();
    // A record without an identifier is no one's: it is passed over, once round at most.
    for (quint32 passed = 0; positioned && passed <= t->recordCount(); ++passed) {
        if (const std::optional<PersonRecord> row = mapping::readPerson(t))
            return PersonRef{row->id, row->nickname.trimmed()};
        positioned = onward();
    }
    return std::nullopt;
}

bool Persons::ChkPerNick(const std::optional<PersonId>& id, const QString& nickname) {
    const PersonalTable t(store_);
    if (!t) return false;
    t->selectTag(t.tag(PersonalTag::piASID));
    for (t->goBof(); !t->eof(); t->skip()) {
        // Every record's nickname counts, also one of a record without an identifier.
        if (fields::text(t[PersonalField::WhoI]).trimmed() != nickname) continue;
        const std::optional<PersonRecord> row = mapping::readPerson(t);
        if (!row || !id || row->id != *id) return true;
    }
    return false;
}

std::vector<PersonRecord> Persons::ListPer() {
    std::vector<PersonRecord> rows;
    const PersonalTable t(store_);
    if (!t) return rows;
    t->selectTag(t.tag(PersonalTag::piASID));
    for (t->goBof(); !t->eof(); t->skip())
        if (std::optional<PersonRecord> row = mapping::readPerson(t)) rows.push_back(std::move(*row));
    return rows;
}

// ---- the personal card's lists -----------------------------------------------------------

Result Persons::savePersonLists(const PersonId& id, const QStringList& triggers,
                                std::span<const PersonMedRow> medication) {
    Checks checks;
    checks.open(store_, TableId::PerTrig).open(store_, TableId::PerMed);
    QStringList names;
    for (const QString& trigger : triggers) {
        const QString name = triggerName(trigger);
        checks.trigger(name);
        if (!names.contains(name)) names << name;
    }
    std::vector<Medication> current;
    for (const PersonMedRow& row : medication) {
        if (row.name.trimmed().isEmpty()) continue;
        checks.optionalDate(row.prescribedDate, "date prescribed");
        const Medication m{row.medId.trimmed(), id.text(),        row.name,
                           row.instructions,    row.prescribedBy, keys::dateKeyOrBlank(row.prescribedDate),
                           row.category};
        checks.text(m.medId, w::kMedId, "medication identifier")
            .text(m.name.trimmed(), w::kMedName, "medication name")
            .text(m.instructions, w::kInstructions, "instructions")
            .text(m.prescribedBy, w::kPrescribedBy, "prescriber")
            .oneOf(m.category, kCategories, "category");
        current.push_back(m);
    }
    if (const Result r = checks.result(); !r) return r;

    std::vector<quint32> wanted;
    for (const QString& name : names) {
        const auto added = addPersonTrigger(id, name);
        if (!added) return added.result;
        wanted.push_back(added.value);
    }
    // The others are marked only once the wanted ones are written: a save that fails part-way
    // has taken none of the wanted triggers away.
    std::vector<quint32> others;
    for (quint32 record : personRecords(PerTrigTable(store_), PerTrigTag::ptiASID, id))
        if (!contains(wanted, record)) others.push_back(record);
    if (const Result r = writes().remove(TableId::PerTrig, others); !r) return r;

    wanted.clear();
    for (const Medication& m : current) {
        const auto added = addMedication(m);
        if (!added) return added.result;
        wanted.push_back(added.value.record);
    }
    return setOutOfUseExcept(id, wanted);
}

// ---- medication --------------------------------------------------------------------------

std::vector<PersonMedRow> Persons::ListMed(const PersonId& id) {
    std::vector<PersonMedRow> rows;
    const PerMedTable t(store_);
    if (!t) return rows;
    t->selectTag(t.tag(PerMedTag::pmiName));
    for (t->goBof(); !t->eof() && rows.size() < size_t(kCurrentMedications); t->skip()) {
        const PersonMedRecord m = mapping::readPersonMed(t);
        if (m.person.trimmed() == id.text() && m.inUse) rows.push_back(medicationRow(m));
    }
    return rows;
}

std::vector<PersonMedRow> Persons::ListMedInUse(const PersonId& id) {
    std::vector<PersonMedRow> rows;
    const PerMedTable t(store_);
    if (!t) return rows;
    for (bool more = fields::seek(t.table(), t.tag(PerMedTag::pmiASID), id.text()); more; more = t->skip()) {
        const PersonMedRecord m = mapping::readPersonMed(t);
        if (m.person.trimmed() != id.text()) break;
        if (m.inUse) rows.push_back(medicationRow(m));
    }
    return rows;
}

Result Persons::setOutOfUseExcept(const PersonId& id, const std::vector<quint32>& keep) {
    const PerMedTable t(store_);
    for (bool more = fields::seek(t.table(), t.tag(PerMedTag::pmiASID), id.text()); more; more = t->skip()) {
        PersonMedRecord m = mapping::readPersonMed(t);
        if (m.person != id.text()) break;
        if (!m.inUse || contains(keep, t->recordNumber())) continue;
        m.inUse = false;
        mapping::writePersonMed(t, m);
        if (const Result r = writes().save(TableId::PerMed, false); !r) return r;
    }
    return Result::done();
}

QString Persons::newMedId(const QString& name) {
    // An identifier still recorded on a day is not handed out again: that day would name the
    // new medication.
    const PerMedTable t(store_);
    const DlyMedTable days(store_);
    const quint32 last = name.trimmed().size() >= 4 ? 0xFFFF : 0xFFFFFF;
    for (quint32 n = 1; n <= last; ++n) {
        const QString id = keys::medIdCandidate(name, n);
        if (!fields::seekIncludingMarked(t.table(), t.tag(PerMedTag::pmiMDID), id) &&
            !(days && fields::seekIncludingMarked(days.table(), days.tag(DlyMedTag::dmiMDID), id)))
            return id;
    }
    return {};
}

Outcome<Persons::StoredMed> Persons::addMedication(const Medication& m) {
    Outcome<StoredMed> out;
    const PerMedTable t(store_);
    PersonMedRecord row;
    const bool found = !m.medId.isEmpty() && fields::seek(t.table(), t.tag(PerMedTag::pmiMDID),
                                                          keys::padded(m.medId, w::kMedId, QLatin1Char('0')));
    if (found) {
        row.medId = mapping::readPersonMed(t).medId;
    } else {
        row.medId = newMedId(m.name);
        if (row.medId.isEmpty()) {
            out.result = Result::refused("No free identifier is left for this medication name.");
            return out;
        }
        t->appendStart();
    }
    row.person = m.person;
    row.name = m.name.trimmed();
    row.instructions = m.instructions;
    row.prescribedBy = m.prescribedBy;
    row.prescribedDate = m.prescribedDate;
    row.category = m.category;
    row.inUse = true;
    mapping::writePersonMed(t, row);
    out.result = writes().save(TableId::PerMed, !found);
    if (out) out.value = {row.medId, t->recordNumber()};
    return out;
}

// ---- reference triggers ------------------------------------------------------------------

QStringList Persons::ListTrg(const QString&) {
    QStringList names;
    const RefTrigTable t(store_);
    if (!t) return names;
    t->selectTag(t.tag(RefTrigTag::rtiTRIG));
    for (t->goBof(); !t->eof(); t->skip()) names << mapping::readRefTrigger(t).trigger.trimmed();
    return names;
}

Outcome<bool> Persons::AddTrg(const QString& oldName, const QString& newName) {
    Outcome<bool> out;
    const QString name = triggerName(newName);
    Checks checks;
    out.result = checks.open(store_, TableId::RefTrig).trigger(name).result();
    if (!out) return out;
    const RefTrigTable t(store_);
    engine::Tag* byName = t.tag(RefTrigTag::rtiTRIG);
    // A record of the new name that is marked deleted is recalled: the name is unique in the file.
    const bool newStored = fields::seekIncludingMarked(t.table(), byName, refTriggerKey(name));
    const bool newMarked = newStored && t->isDeleted();
    if (newMarked) {
        if (out.result = writes().save(TableId::RefTrig, false); !out) return out;
        out.value = true;
    }
    const bool oldListed = !oldName.trimmed().isEmpty() && cp1252::canEncode(oldName) &&
                           fields::seek(t.table(), byName, refTriggerKey(oldName));
    if (oldListed && triggerName(oldName) != name) {
        if (newStored) {
            // Renaming onto a listed name: the two become one.
            out.result = writes().remove(TableId::RefTrig, {t->recordNumber()});
        } else {
            mapping::writeRefTrigger(t, {name});
            out.result = writes().save(TableId::RefTrig, false);
        }
        out.value = out.ok();
    } else if (!oldListed && !newStored) {
        t->appendStart();
        mapping::writeRefTrigger(t, {name});
        out.result = writes().save(TableId::RefTrig, true);
        out.value = out.ok();
    }
    return out;
}

Outcome<bool> Persons::DelTrg(const QString& name) {
    Outcome<bool> out;
    out.result = Checks().open(store_, TableId::RefTrig).text(name, w::kTrigger, "trigger name").result();
    if (!out) return out;
    const RefTrigTable t(store_);
    if (fields::seek(t.table(), t.tag(RefTrigTag::rtiTRIG), refTriggerKey(name))) {
        out.result = writes().remove(TableId::RefTrig, {t->recordNumber()});
        out.value = out.ok();
    }
    return out;
}

// ---- person triggers ---------------------------------------------------------------------

QStringList Persons::ListPerTrg(const PersonId& id) { return personTriggers(PerTrigTag::ptiTRIG, id); }

QStringList Persons::ListPerTrgAsStored(const PersonId& id) { return personTriggers(PerTrigTag::ptiASID, id); }

QStringList Persons::personTriggers(PerTrigTag order, const PersonId& id) {
    QStringList names;
    const PerTrigTable t(store_);
    if (!t) return names;
    for (bool more = fields::seek(t.table(), t.tag(order), id.text()); more; more = t->skip()) {
        const PersonTriggerRecord row = mapping::readPersonTrigger(t);
        if (row.person.trimmed() != id.text()) break;
        names << row.trigger.trimmed();
    }
    return names;
}

Outcome<quint32> Persons::addPersonTrigger(const PersonId& id, const QString& name) {
    const PerTrigTable t(store_);
    const bool found = fields::seekIncludingMarked(t.table(), t.tag(PerTrigTag::ptiTRIG), personTriggerKey(id, name));
    return writes().keep(TableId::PerTrig, found, [&] { mapping::writePersonTrigger(t, {id.text(), name}); });
}

}  // namespace pulmora::store
