#include "Definitions.h"

#include <QtGlobal>

namespace pulmora::store {
namespace {

using engine::FieldDefinition;
using engine::FieldType;
using engine::TagDefinition;

constexpr auto C = FieldType::Character;
constexpr auto D = FieldType::Date;
constexpr bool kUnique = true;
constexpr bool kDescending = true;

template <class Id>
struct FieldEntry {
    Id id;
    FieldDefinition definition;
};
template <class Id>
struct TagEntry {
    Id id;
    TagDefinition definition;
};

// The entries are written next to their enum values so that the two cannot drift apart
// unnoticed: a definition out of step with its enum stops the program at once.
template <TableId Table>
TableDefinition define(const char* fileName, std::initializer_list<FieldEntry<typename Columns<Table>::Field>> fields,
                       std::initializer_list<TagEntry<typename Columns<Table>::Tag>> tags) {
    TableDefinition d{Table, fileName, {}, {}};
    for (const auto& f : fields) {
        if (size_t(f.id) != d.fields.size())
            qFatal("%s: field %s is out of order", fileName, f.definition.name.c_str());
        d.fields.push_back(f.definition);
    }
    for (const auto& t : tags) {
        if (size_t(t.id) != d.tags.size()) qFatal("%s: tag %s is out of order", fileName, t.definition.name.c_str());
        d.tags.push_back(t.definition);
    }
    return d;
}

std::array<TableDefinition, kTableCount> makeDefinitions() {
    using P = PersonalField;
    using Y = DailyField;
    using PT = PerTrigField;
    using PM = PerMedField;
    using DT = DlyTrigField;
    using DM = DlyMedField;
    using namespace width;
    auto dateField = [&](const char* name) { return FieldDefinition{name, D, kDateKey}; };
    return {{
        define<TableId::Personal>("Personal.dat",
                                  {{P::Asid, {"Asid", C, kPersonId}},
                                   {P::WhoI, {"WhoI", C, kNickname}},
                                   {P::LNam, {"LNam", C, kName}},
                                   {P::FNam, {"FNam", C, kName}},
                                   {P::Gend, {"Gend", C, kGender}},
                                   {P::DofB, dateField("DofB")},
                                   {P::Titl, {"Titl", C, kTitle}},
                                   {P::Ocup, {"Ocup", C, kOccupation}},
                                   {P::Hlth, {"Hlth", C, kHealthNumber}},
                                   {P::Best, {"Best", C, kPeakFlow}},
                                   {P::Pred, {"Pred", C, kPeakFlow}},
                                   {P::ZYel, {"ZYel", C, kZone}},
                                   {P::ZRed, {"ZRed", C, kZone}}},
                                  {{PersonalTag::piASID, {"piASID", "AsID", kUnique, false}},
                                   {PersonalTag::piWhoI, {"piWhoI", "WhoI", false, false}}}),
        define<TableId::Daily>("Daily.dat",
                               {{Y::DyID, {"DyID", C, kDayId}},
                                {Y::Asid, {"Asid", C, kPersonId}},
                                {Y::AsDt, dateField("AsDt")},
                                {Y::Morn, {"Morn", C, kPeakFlow}},
                                {Y::Even, {"Even", C, kPeakFlow}},
                                {Y::CogD, {"CogD", C, kFlag}},
                                {Y::BrtD, {"BrtD", C, kFlag}},
                                {Y::WhzD, {"WhzD", C, kFlag}},
                                {Y::ChsD, {"ChsD", C, kFlag}},
                                {Y::CogN, {"CogN", C, kFlag}},
                                {Y::BrtN, {"BrtN", C, kFlag}},
                                {Y::WhzN, {"WhzN", C, kFlag}},
                                {Y::ChsN, {"ChsN", C, kFlag}},
                                {Y::ActN, {"ActN", C, kFlag}},
                                {Y::ActS, {"ActS", C, kFlag}},
                                {Y::Miss, {"Miss", C, kFlag}},
                                {Y::Nrel, {"Nrel", C, kDoses}},
                                {Y::Nprv, {"Nprv", C, kDoses}},
                                {Y::Rate, {"Rate", C, kRating}}},
                               {{DailyTag::diDyID, {"diDyID", "DyID", kUnique, kDescending}},
                                {DailyTag::diASID, {"diASID", "AsID", false, false}},
                                {DailyTag::diASDT, {"diASDT", "AsDt", false, false}}}),
        define<TableId::PerTrig>("PerTrig.dat", {{PT::Asid, {"Asid", C, kPersonId}}, {PT::Trig, {"Trig", C, kTrigger}}},
                                 {{PerTrigTag::ptiASID, {"ptiASID", "AsID", false, false}},
                                  {PerTrigTag::ptiTRIG, {"ptiTRIG", "AsID+Trig", kUnique, false}}}),
        define<TableId::PerMed>("PerMed.dat",
                                {{PM::MdID, {"MdID", C, kMedId}},
                                 {PM::Asid, {"Asid", C, kPersonId}},
                                 {PM::ANam, {"ANam", C, kMedName}},
                                 {PM::Inst, {"Inst", C, kInstructions}},
                                 {PM::PrBy, {"PrBy", C, kPrescribedBy}},
                                 {PM::PrDt, dateField("PrDt")},
                                 {PM::MdUs, {"MdUs", C, kInUse}},
                                 {PM::Ctgy, {"Ctgy", C, kCategory}}},
                                {{PerMedTag::pmiMDID, {"pmiMDID", "MDID", kUnique, false}},
                                 {PerMedTag::pmiASID, {"pmiASID", "AsID", false, false}},
                                 {PerMedTag::pmiName, {"pmiName", "ANam", false, false}}}),
        define<TableId::RefTrig>("RefTrig.dat", {{RefTrigField::Trig, {"Trig", C, kTrigger}}},
                                 {{RefTrigTag::rtiTRIG, {"rtiTRIG", "Trig", kUnique, false}}}),
        define<TableId::DlyTrig>("DlyTrig.dat",
                                 {{DT::DyID, {"DyID", C, kDayId}},
                                  {DT::Asid, {"Asid", C, kPersonId}},
                                  {DT::Trig, {"Trig", C, kTrigger}},
                                  {DT::AsDt, dateField("AsDt")}},
                                 {{DlyTrigTag::dtiDYID, {"dtiDYID", "DyID", false, false}},
                                  {DlyTrigTag::dtiTRIG, {"dtiTRIG", "Trig", false, false}},
                                  {DlyTrigTag::dtiKEY, {"dtiKEY", "dyid+trig", kUnique, false}}}),
        define<TableId::DlyMed>("DlyMed.dat",
                                {{DM::DyID, {"DyID", C, kDayId}},
                                 {DM::Asid, {"Asid", C, kPersonId}},
                                 {DM::MdID, {"MdID", C, kMedId}},
                                 {DM::ANam, {"ANam", C, kMedName}},
                                 {DM::TmUs, {"TmUs", C, kTimesUsed}},
                                 {DM::Ctgy, {"Ctgy", C, kCategory}},
                                 {DM::AsDt, dateField("AsDt")}},
                                {{DlyMedTag::dmiDYID, {"dmiDYID", "DyID", false, false}},
                                 {DlyMedTag::dmiMDID, {"dmiMDID", "MDID", false, false}},
                                 {DlyMedTag::dmiKEY, {"dmiKEY", "dyid+MDID", kUnique, false}},
                                 {DlyMedTag::dmiRep, {"dmiRep", "MdID", false, false}}}),
    }};
}

}  // namespace

const TableDefinition& definition(TableId id) {
    static const auto definitions = makeDefinitions();
    return definitions[size_t(id)];
}

const std::string& fileName(TableId id) { return definition(id).fileName; }

}  // namespace pulmora::store
