#include "MedicationEntries.h"

#include "store/Cp1252.h"

#include <algorithm>

namespace pulmora::personal {

void MedicationEntries::load(const std::vector<store::PersonMedRow>& rows) {
    entries_ = {};
    for (size_t i = 0; i < rows.size() && i < entries_.size(); ++i) entries_[i] = rows[i];
    cancel();
}

QStringList MedicationEntries::names() const {
    QStringList names;
    for (const auto& e : entries_)
        if (!e.name.trimmed().isEmpty()) names << e.name.trimmed();
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return store::cp1252::encodeRead(a) < store::cp1252::encodeRead(b);
    });
    return names;
}

std::optional<MedicationEntries::Boxes> MedicationEntries::retrieve(const QString& name) {
    for (int i = kEntries - 1; i >= 0; --i) {
        const auto& e = entries_[size_t(i)];
        if (e.name.trimmed().isEmpty() || e.name.trimmed() != name.trimmed()) continue;
        editEntry_ = i;
        newVersion_ = true;
        retrievedMedId_ = e.medId;
        return Boxes{e.name.trimmed(), e.category, e.instructions, e.prescribedBy, e.prescribedDate};
    }
    return std::nullopt;
}

bool MedicationEntries::add() {
    for (int i = kEntries - 1; i >= 0; --i) {
        if (!entries_[size_t(i)].name.trimmed().isEmpty()) continue;
        editEntry_ = i;
        retrievedMedId_.clear();
        newVersion_ = false;
        return true;
    }
    cancel();
    return false;
}

void MedicationEntries::cancel() {
    editEntry_ = -1;
    retrievedMedId_.clear();
    newVersion_ = false;
}

void MedicationEntries::boxChanged() {
    if (!retrievedMedId_.isEmpty()) newVersion_ = true;
}

QString MedicationEntries::confirm(const Boxes& boxes) {
    const QString name = boxes.name.trimmed();
    for (int i = 0; i < kEntries; ++i)
        if (i != editEntry_ && !name.isEmpty() && entries_[size_t(i)].name.trimmed() == name)
            return QStringLiteral("ADJUST: Medication Name Must Be Unique Please Amend");
    if (name.size() < 3) return QStringLiteral("ADJUST: Incorrect Medication Name Entered");
    // Typed without pressing "Add New Medication" first: it is a new entry all the same.
    if (editEntry_ < 0 && !add()) return kLimitMessage;
    auto& e = entries_[size_t(editEntry_)];
    if (newVersion_) e.medId.clear();
    newVersion_ = false;
    e.name = name;
    e.category = boxes.category.isEmpty() ? QStringLiteral("Other") : boxes.category;
    e.instructions = boxes.instructions.trimmed();
    e.prescribedBy = boxes.prescribedBy.trimmed();
    e.prescribedDate = boxes.date.isValid() ? boxes.date : QDate();
    return {};
}

bool MedicationEntries::remove(const QString& name) {
    for (int i = 0; i < kEntries; ++i) {
        auto& e = entries_[size_t(i)];
        if (e.name.trimmed().isEmpty() || e.name.trimmed() != name.trimmed()) continue;
        e = {};
        if (i == editEntry_) cancel();
        return true;
    }
    return false;
}

}  // namespace pulmora::personal
