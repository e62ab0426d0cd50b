#pragma once

#include <array>
#include <string>

namespace pulmora::store {

// The seven record files, in the order the store opens them.
enum class TableId { Personal, Daily, PerTrig, PerMed, RefTrig, DlyTrig, DlyMed };
constexpr int kTableCount = 7;
constexpr std::array<TableId, kTableCount> kAllTables = {TableId::Personal, TableId::Daily,   TableId::PerTrig,
                                                         TableId::PerMed,   TableId::RefTrig, TableId::DlyTrig,
                                                         TableId::DlyMed};

// The fields and tags of each file, in the order of its definition. The store reaches a field
// or tag only through these, by handles looked up once when the file opens.
enum class PersonalField { Asid, WhoI, LNam, FNam, Gend, DofB, Titl, Ocup, Hlth, Best, Pred, ZYel, ZRed };
enum class PersonalTag { piASID, piWhoI };
enum class DailyField {
    DyID,
    Asid,
    AsDt,
    Morn,
    Even,
    CogD,
    BrtD,
    WhzD,
    ChsD,
    CogN,
    BrtN,
    WhzN,
    ChsN,
    ActN,
    ActS,
    Miss,
    Nrel,
    Nprv,
    Rate
};
enum class DailyTag { diDyID, diASID, diASDT };
enum class PerTrigField { Asid, Trig };
enum class PerTrigTag { ptiASID, ptiTRIG };
enum class PerMedField { MdID, Asid, ANam, Inst, PrBy, PrDt, MdUs, Ctgy };
enum class PerMedTag { pmiMDID, pmiASID, pmiName };
enum class RefTrigField { Trig };
enum class RefTrigTag { rtiTRIG };
enum class DlyTrigField { DyID, Asid, Trig, AsDt };
enum class DlyTrigTag { dtiDYID, dtiTRIG, dtiKEY };
enum class DlyMedField { DyID, Asid, MdID, ANam, TmUs, Ctgy, AsDt };
enum class DlyMedTag { dmiDYID, dmiMDID, dmiKEY, dmiRep };

template <TableId>
struct Columns;
template <>
struct Columns<TableId::Personal> {
    using Field = PersonalField;
    using Tag = PersonalTag;
};
template <>
struct Columns<TableId::Daily> {
    using Field = DailyField;
    using Tag = DailyTag;
};
template <>
struct Columns<TableId::PerTrig> {
    using Field = PerTrigField;
    using Tag = PerTrigTag;
};
template <>
struct Columns<TableId::PerMed> {
    using Field = PerMedField;
    using Tag = PerMedTag;
};
template <>
struct Columns<TableId::RefTrig> {
    using Field = RefTrigField;
    using Tag = RefTrigTag;
};
template <>
struct Columns<TableId::DlyTrig> {
    using Field = DlyTrigField;
    using Tag = DlyTrigTag;
};
template <>
struct Columns<TableId::DlyMed> {
    using Field = DlyMedField;
    using Tag = DlyMedTag;
};

// The record file's name, as the store creates it.
const std::string& fileName(TableId id);

// The width of every field, which the definitions use and the store checks values against
// before it writes.
namespace width {
constexpr int kPersonId = 8;
constexpr int kMedId = 8;
constexpr int kDateKey = 8;
constexpr int kDayId = kPersonId + kDateKey;
constexpr int kNickname = 30;
constexpr int kName = 30;
constexpr int kGender = 6;
constexpr int kTitle = 15;
constexpr int kOccupation = 30;
constexpr int kHealthNumber = 30;
constexpr int kPeakFlow = 3;
constexpr int kZone = 3;
constexpr int kFlag = 1;
constexpr int kDoses = 2;
constexpr int kRating = 1;
constexpr int kTrigger = 25;
constexpr int kMedName = 20;
constexpr int kInstructions = 30;
constexpr int kPrescribedBy = 20;
constexpr int kInUse = 3;
constexpr int kCategory = 9;
constexpr int kTimesUsed = 2;
}  // namespace width

}  // namespace pulmora::store
