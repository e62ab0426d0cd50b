#pragma once

#include "DiaryStore.h"
#include "Values.h"

#include <QDate>

namespace pulmora::store {

// Read-only access for the comparison picture and the reports. Each operation clears and fills
// one record that the store keeps (and also returns it); callers read it before the next call.
class ReportCursors {
public:
    explicit ReportCursors(DiaryStore& store) : store_(store) {}

    // The person's latest recorded day strictly before the date.
    const CompareRecord& GetRepDly(const QString& person, const QString& date);
    const CompareRecord& GetRPrvDly(const QString& person, const QString& date);
    const RepDay& GetRDly(const QString& person, const QString& date);
    // The person's details, with the best raised to the highest reading of the period.
    const RepPerson& GetRPer(const QString& person, const QDate& first, const QDate& last);

    // Cursors over the person's medication (by identifier) and triggers (by name) recorded in
    // the 31 days up to the date. No other operation may use those tables between steps.
    const RepMed& GetRMedBeg(const QString& person, const QString& date);
    const RepMed& GetRMedNxt(const QString& person, const QString& date);
    const RepTrg& GetRTrgBeg(const QString& person, const QString& date);
    const RepTrg& GetRTrgNxt(const QString& person, const QString& date);

    // Whether the record date lies within the 30 days before the date, or on it.
    static bool InRMdDt(const QString& date, const QString& recordDate);

    const CompareRecord& comparison() const { return comparison_; }
    const CompareRecord& prevDay() const { return prevDay_; }
    const RepDay& repDay() const { return repDay_; }
    const RepPerson& repPerson() const { return repPerson_; }
    const RepMed& repMed() const { return repMed_; }
    const RepTrg& repTrg() const { return repTrg_; }

private:
    void previousDay(const QString& person, const QString& date, CompareRecord& into);
    void ClearRMed();
    void PushRMed();
    void ClearRTrg();
    void PushRTrg();
    void findMed(const QString& person, const QString& date);
    void findTrg(const QString& person, const QString& date);

    DiaryStore& store_;
    CompareRecord comparison_;
    CompareRecord prevDay_;
    RepDay repDay_;
    RepPerson repPerson_;
    RepMed repMed_;
    RepTrg repTrg_;
};

// 0 when either reading is 0; otherwise |even - morning| over their mean, in percent, rounded
// half to even.
int diurnalVariation(int morning, int evening);

}  // namespace pulmora::store
