#pragma once

#include "DiaryStore.h"
#include "Result.h"
#include "Values.h"

#include <optional>
#include <span>

namespace pulmora::store {

class Writes;

// Persons, their medication and triggers, and the shared reference list of trigger names.
class Persons {
public:
    explicit Persons(DiaryStore& store) : store_(store) {}

    // Stores the person under the identifier, or as a new person without one or with one not on
    // file. Answers, when done, the identifier stored and the trimmed nickname.
    Outcome<std::optional<PersonRef>> AddPer(const std::optional<PersonId>& id, const PersonDetails& details);
    // Removes the person and every day, trigger and medication of theirs; refused while any of
    // those files is not open.
    Result DelPer(const PersonId& id);
    std::optional<PersonCard> GetPerCrd(const PersonId& id);

    enum class Step { First, Next };
    // The first person in nickname order, or the one after `current` (wrapping after the last).
    std::optional<PersonRef> GetPerDly(Step step, const std::optional<PersonId>& current = {});
    // Whether a person other than `id` (anyone, for a person not stored yet) has the nickname.
    bool ChkPerNick(const std::optional<PersonId>& id, const QString& nickname);
    // Every person in identifier order, as stored.
    std::vector<PersonRecord> ListPer();

    // The personal card's lists in one call: the person's triggers, and their current
    // medication (the rows with a name; a row without identifier is stored as a new
    // medication). The files end as marking all of the person's triggers, recalling or
    // appending each one given and packing, then storing each row in use and taking the
    // person's other medication out of use, would leave them. What is wanted is written before
    // anything else is removed or taken out of use, and the other triggers are then marked
    // deleted in place with one wait for the disk, so a save stopped or failing at any moment
    // leaves each list as before, as after or between the two, never less than either.
    // Everything is checked before anything is written.
    Result savePersonLists(const PersonId& id, const QStringList& triggers, std::span<const PersonMedRow> medication);

    // The person's current medication in name order, at most kCurrentMedications.
    std::vector<PersonMedRow> ListMed(const PersonId& id);
    // The person's medication in use in the order it was stored.
    std::vector<PersonMedRow> ListMedInUse(const PersonId& id);

    // Every reference trigger, alphabetically; the filter is accepted and lists them all.
    QStringList ListTrg(const QString& filter = QStringLiteral("All"));
    // Adds `newName`, or renames `oldName` to it. A name already listed is not added twice;
    // renaming onto a listed name merges the two. The value says whether the list changed.
    Outcome<bool> AddTrg(const QString& oldName, const QString& newName);
    // The value says whether the name was in the list.
    Outcome<bool> DelTrg(const QString& name);

    // The person's triggers in name order.
    QStringList ListPerTrg(const PersonId& id);
    // The person's triggers in the order they were stored, trimmed.
    QStringList ListPerTrgAsStored(const PersonId& id);

private:
    std::optional<PersonId> newPersonId(const PersonDetails& details);
    // The person's trigger names, trimmed, walked in the order of `order`.
    QStringList personTriggers(PerTrigTag order, const PersonId& id);
    QString newMedId(const QString& name);
    // A medication as the personal card keeps it, in use.
    struct Medication {
        QString medId;  // "" or unknown for a new medication
        QString person, name, instructions, prescribedBy, prescribedDate /* date key */, category;
    };
    // The steps of savePersonLists. They answer the record number they wrote (and the
    // medication's identifier).
    Outcome<quint32> addPersonTrigger(const PersonId& id, const QString& name);
    struct StoredMed {
        QString id;
        quint32 record = 0;
    };
    Outcome<StoredMed> addMedication(const Medication& m);
    // Takes the person's medication out of use except the given records.
    Result setOutOfUseExcept(const PersonId& id, const std::vector<quint32>& keep);

    Writes writes() const;

    DiaryStore& store_;
};

}  // namespace pulmora::store
