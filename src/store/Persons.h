#pragma once

#include "DiaryStore.h"
#include "Result.h"
#include "Values.h"

#include <optional>

namespace pulmora::store {

// Persons, their medication and triggers, and the shared reference list of trigger names.
class Persons {
public:
    explicit Persons(DiaryStore& store) : store_(store) {}

    // Stores the person under the identifier, or as a new person for "New" or an identifier
    // not on file. Answers the identifier stored and the trimmed nickname.
    Outcome<PersonRef> AddPer(const QString& id, const PersonDetails& details);
    // Removes the person and every day, trigger and medication of theirs.
    Result DelPer(const QString& id);
    std::optional<PersonCard> GetPerCrd(const QString& id);

    enum class Step { First, Next };
    // The first person in nickname order, or the one after `current` (wrapping after the last).
    std::optional<PersonRef> GetPerDly(Step step, const QString& current = {});
    // Whether another person already has the nickname.
    bool ChkPerNick(const QString& id, const QString& nickname);

    // The person's current medication in name order, at most ten.
    std::vector<PersonMedRow> ListMed(const QString& id);
    Result SetPerMed(const QString& id, const QString& inUse);
    // Answers the medication identifier stored (new or found).
    Outcome<QString> AddMed(const MedicationDetails& medication);

    // Every reference trigger, alphabetically; the filter is accepted and lists them all.
    QStringList ListTrg(const QString& filter = QStringLiteral("All"));
    // Adds `newName`, or renames `oldName` to it. A name already listed is not added twice;
    // renaming onto a listed name merges the two. The value says whether the list changed.
    Outcome<bool> AddTrg(const QString& oldName, const QString& newName);
    // The value says whether the name was in the list.
    Outcome<bool> DelTrg(const QString& name);

    // The person's triggers in name order.
    QStringList ListPerTrg(const QString& id);
    Result AddPerTrg(const QString& id, const QString& trigger);
    Result DelPerTrg(const QString& id);
    Result PackPerTrg();

private:
    QString newPersonId(engine::Table* personal, const PersonDetails& details);
    QString newMedId(engine::Table* perMed, const QString& name);
    Result markPersonRecords(TableId id, const char* tag, const QString& person);

    DiaryStore& store_;
};

}  // namespace pulmora::store
