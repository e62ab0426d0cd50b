#include "ReportCursors.h"

#include "Cp1252.h"
#include "Keys.h"
#include "Records.h"

#include <cmath>

namespace pulmora::store {

using namespace records;

namespace {

int countOn(engine::Table* t, std::initializer_list<const char*> fields) {
    int count = 0;
    for (const char* f : fields) count += number(t, f) == 1 ? 1 : 0;
    return count;
}

int flagOf(engine::Table* t, const char* field) { return number(t, field) == 1 ? 1 : 0; }

// Walks on from the current record to the first of the person dated within the 31 days up to
// the date. The cursors pass over the whole table, so the person is compared as stored bytes
// before any date is read.
bool skipToPersonInMonth(engine::Table* t, const QString& person, const QString& date) {
    const std::string stored = cp1252::encode(keys::padded(person, width::kPersonId)).value_or(std::string());
    const engine::Field* asid = t->field("Asid");
    const engine::Field* asdt = t->field("AsDt");
    for (; !t->eof(); t->skip()) {
        if (asid->str() == stored && ReportCursors::InRMdDt(date, QString::fromStdString(asdt->str())))
            return true;
    }
    return false;
}

}  // namespace

int diurnalVariation(int morning, int evening) {
    if (morning == 0 || evening == 0) return 0;
    // In extended precision, as every rounded figure of the reports: a half stays a half more often.
    const long double percent = std::fabs((long double)(evening - morning) / ((evening + morning) * 0.5L) * 100.0L);
    return int(std::nearbyint(percent));  // the default rounding mode sends halves to even
}

bool ReportCursors::InRMdDt(const QString& date, const QString& recordDate) {
    const auto day = keys::Get4Date(date);
    // A blank or invalid stored date cannot belong to any period: the record is passed over.
    if (!day || !keys::isDateKey(recordDate)) return false;
    const int low = keys::dateKey(day->addDays(-30)).toInt();
    const int value = recordDate.toInt();
    return low <= value && value <= date.toInt();
}

// ---- previous day ------------------------------------------------------------------------

void ReportCursors::previousDay(const QString& person, const QString& date, CompareRecord& into) {
    into = {};
    auto* personal = store_.table(TableId::Personal);
    auto* daily = store_.table(TableId::Daily);
    if (!personal || !daily || !seekPerson(personal, person)) return;
    into.personBest = number(personal, "Best");
    into.personPred = number(personal, "Pred");

    // Descending day identifiers: from the day (or where it would stand) on, the person's days
    // follow from the latest to the earliest.
    if (seek(daily, "diDyID", keys::dayId(person, date)) && !daily->skip()) return;
    for (; !daily->eof() && trimmed(daily, "Asid") == person; daily->skip()) {
        if (text(daily, "AsDt") >= date) continue;  // a record whose identifier and date disagree
        into.found = 1;
        into.morning = number(daily, "Morn");
        into.evening = number(daily, "Even");
        into.diurnal = diurnalVariation(into.morning, into.evening);
        into.daySymptoms = countOn(daily, {"CogD", "BrtD", "WhzD", "ChsD"});
        into.nightSymptoms = countOn(daily, {"CogN", "BrtN", "WhzN", "ChsN"});
        into.relievers = number(daily, "Nrel");
        return;
    }
}

const CompareRecord& ReportCursors::GetRepDly(const QString& person, const QString& date) {
    previousDay(person, date, comparison_);
    return comparison_;
}

const CompareRecord& ReportCursors::GetRPrvDly(const QString& person, const QString& date) {
    previousDay(person, date, prevDay_);
    prevDay_.relievers = qint16(prevDay_.relievers);
    return prevDay_;
}

// ---- one day, one person -----------------------------------------------------------------

const RepDay& ReportCursors::GetRDly(const QString& person, const QString& date) {
    repDay_ = {};
    auto* t = store_.table(TableId::Daily);
    if (!t || !keys::isPersonId(person) || !seek(t, "diDyID", keys::dayId(person, date))) return repDay_;
    repDay_.found = 1;
    repDay_.morning = number(t, "Morn");
    repDay_.evening = number(t, "Even");
    repDay_.cogD = flagOf(t, "CogD");
    repDay_.brtD = flagOf(t, "BrtD");
    repDay_.whzD = flagOf(t, "WhzD");
    repDay_.chsD = flagOf(t, "ChsD");
    repDay_.cogN = flagOf(t, "CogN");
    repDay_.brtN = flagOf(t, "BrtN");
    repDay_.whzN = flagOf(t, "WhzN");
    repDay_.chsN = flagOf(t, "ChsN");
    repDay_.actN = flagOf(t, "ActN");
    repDay_.actS = flagOf(t, "ActS");
    repDay_.miss = flagOf(t, "Miss");
    repDay_.relievers = qint16(number(t, "Nrel"));
    repDay_.preventers = qint16(number(t, "Nprv"));
    repDay_.rating = qint16(number(t, "Rate"));
    return repDay_;
}

const RepPerson& ReportCursors::GetRPer(const QString& person, const QDate& first, const QDate& last) {
    repPerson_ = {};
    auto* personal = store_.table(TableId::Personal);
    if (!personal || !seekPerson(personal, person)) return repPerson_;
    RepPerson& p = repPerson_;
    p.surname = text(personal, "LNam");
    p.firstName = text(personal, "FNam");
    p.gender = text(personal, "Gend");
    p.birthDate = text(personal, "DofB");
    p.occupation = text(personal, "Ocup");
    p.title = text(personal, "Titl");
    p.healthNumber = text(personal, "Hlth");
    p.best = number(personal, "Best");
    p.predicted = number(personal, "Pred");
    p.zoneYellow = number(personal, "ZYel");
    p.zoneRed = number(personal, "ZRed");

    auto* daily = store_.table(TableId::Daily);
    if (!daily || !first.isValid() || !last.isValid()) return p;
    for (QDate d = first; d <= last; d = d.addDays(1)) {
        if (!seek(daily, "diDyID", keys::dayId(person, keys::dateKey(d)))) continue;
        p.reportAvailable = 1;
        const int morning = number(daily, "Morn");
        const int evening = number(daily, "Even");
        if (morning > 0 || evening > 0) p.anyReading = 1;
        p.best = std::max({p.best, evening, morning});
    }
    return p;
}

// ---- medication and trigger cursors ------------------------------------------------------

// The medication item keeps its date when it is emptied.
void ReportCursors::ClearRMed() {
    const QString date = repMed_.date;
    repMed_ = RepMed{};
    repMed_.date = date;
}

void ReportCursors::PushRMed() {
    auto* t = store_.table(TableId::DlyMed);
    repMed_ = {text(t, "Asid"), text(t, "MdID"), trimmed(t, "ANam"), trimmed(t, "TmUs"), trimmed(t, "Ctgy"),
               text(t, "AsDt")};
}

void ReportCursors::ClearRTrg() { repTrg_ = RepTrg{}; }

void ReportCursors::PushRTrg() {
    auto* t = store_.table(TableId::DlyTrig);
    repTrg_ = {text(t, "Asid"), keys::triggerName(text(t, "Trig")), text(t, "AsDt")};
}

void ReportCursors::findMed(const QString& person, const QString& date) {
    if (skipToPersonInMonth(store_.table(TableId::DlyMed), person, date)) PushRMed();
}

const RepMed& ReportCursors::GetRMedBeg(const QString& person, const QString& date) {
    ClearRMed();
    auto* t = store_.table(TableId::DlyMed);
    if (!t || !keys::isPersonId(person)) return repMed_;
    select(t, "dmiRep");
    t->goBof();
    findMed(person, date);
    return repMed_;
}

const RepMed& ReportCursors::GetRMedNxt(const QString& person, const QString& date) {
    ClearRMed();
    auto* t = store_.table(TableId::DlyMed);
    if (!t || !keys::isPersonId(person) || !t->skip()) return repMed_;
    findMed(person, date);
    return repMed_;
}

void ReportCursors::findTrg(const QString& person, const QString& date) {
    if (skipToPersonInMonth(store_.table(TableId::DlyTrig), person, date)) PushRTrg();
}

const RepTrg& ReportCursors::GetRTrgBeg(const QString& person, const QString& date) {
    ClearRTrg();
    auto* t = store_.table(TableId::DlyTrig);
    if (!t || !keys::isPersonId(person)) return repTrg_;
    select(t, "dTiTRIG");
    t->goBof();
    findTrg(person, date);
    return repTrg_;
}

const RepTrg& ReportCursors::GetRTrgNxt(const QString& person, const QString& date) {
    ClearRTrg();
    auto* t = store_.table(TableId::DlyTrig);
    if (!t || !keys::isPersonId(person) || !t->skip()) return repTrg_;
    findTrg(person, date);
    return repTrg_;
}

}  // namespace pulmora::store
