#pragma once

#include "store/Values.h"

#include <QDate>

#include <array>

namespace pulmora::personal {

// What the boxes of the medication page hold.
struct MedicationBoxes {
    QString name, category, instructions, prescribedBy;
    QDate date;  // invalid: no date
    bool operator==(const MedicationBoxes&) const = default;
};

// The personal card's ten medication entries and the editing state of its medication page.
// A medication taken from the store and then changed is stored as a new version at the next
// save, so older days keep referring to what was taken then.
class MedicationEntries {
public:
    static constexpr int kEntries = store::kCurrentMedications;

    using Boxes = MedicationBoxes;

    // The card's state on opening: the person's current medication from the first entry on.
    void load(const std::vector<store::PersonMedRow>& rows);
    const std::array<store::PersonMedRow, kEntries>& entries() const { return entries_; }
    // Names of the entries that have one: the lines of the list. They stand in the order the
    // store lists a person's medication in (by name, as the record file holds it), so the list
    // reads alike while it is edited and when the card opens again.
    QStringList names() const;
    int editEntry() const { return editEntry_; }
    const QString& retrievedMedId() const { return retrievedMedId_; }
    bool newVersion() const { return newVersion_; }

    // Takes the entry with that name into the boxes; nothing when no entry has it.
    std::optional<Boxes> retrieve(const QString& name);
    // Starts a new entry in the last free place; false when all ten are used, and then no entry
    // is being edited, so that what is typed next replaces none of the ten.
    bool add();
    void cancel();
    // A box changed: a medication that came from the store becomes a new version.
    void boxChanged();
    // Confirms the boxes into the entry being edited (starting one when none is); answers the
    // refusal message, or an empty text.
    QString confirm(const Boxes& boxes);
    // Empties the entry with that name; false when none has it.
    bool remove(const QString& name);

private:
    std::array<store::PersonMedRow, kEntries> entries_;
    int editEntry_ = -1;
    QString retrievedMedId_;
    bool newVersion_ = false;
};

inline const QString kLimitMessage = QStringLiteral("LIMIT: Cannot Add Anymore Medication Entries");

}  // namespace pulmora::personal
