#include "Schema.h"

#include <QtGlobal>

namespace pulmora::store {
namespace {

using engine::FieldSpec;
using engine::FieldType;
using engine::TagSpec;

constexpr auto C = FieldType::Character;
constexpr auto D = FieldType::Date;
constexpr bool kUnique = true;
constexpr bool kDescending = true;

template <class Id>
struct FieldEntry {
    Id id;
    FieldSpec definition;
};
template <class Id>
struct TagEntry {
    Id id;
    TagSpec definition;
};

// The entries are written next to their enum values so that the two cannot drift apart
// unnoticed: a definition out of step with its enum stops the program at once.
template <TableId Table>
TableDefinition define(const char* fileName,
                       std::initializer_list<FieldEntry<typename Columns<Table>::Field>> fields,
                       std::initializer_list<TagEntry<typename Columns<Table>::Tag>> tags) {
    TableDefinition d{Table, fileName, {}, {}};
    for (const auto& f : fields) {
        if (size_t(f.id) != d.fields.size()) qFatal("%s: field %s is out of order", fileName, f.definition.name.c_str());
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
    return {{
        define<TableId::Personal>(
            "Personal.dat",
            {{P::Asid, {"Asid", C, 8}}, {P::WhoI, {"WhoI", C, 30}}, {P::LNam, {"LNam", C, 30}},
             {P::FNam, {"FNam", C, 30}}, {P::Gend, {"Gend", C, 6}}, {P::DofB, {"DofB", D, 8}},
             {P::Titl, {"Titl", C, 15}}, {P::Ocup, {"Ocup", C, 30}}, {P::Hlth, {"Hlth", C, 30}},
             {P::Best, {"Best", C, 3}}, {P::Pred, {"Pred", C, 3}}, {P::ZYel, {"ZYel", C, 3}},
             {P::ZRed, {"ZRed", C, 3}}},
            {{PersonalTag::piASID, {"piASID", "AsID", kUnique, false}},
             {PersonalTag::piWhoI, {"piWhoI", "WhoI", false, false}}}),
        define<TableId::Daily>(
            "Daily.dat",
            {{Y::DyID, {"DyID", C, 16}}, {Y::Asid, {"Asid", C, 8}}, {Y::AsDt, {"AsDt", D, 8}},
             {Y::Morn, {"Morn", C, 3}}, {Y::Even, {"Even", C, 3}}, {Y::CogD, {"CogD", C, 1}},
             {Y::BrtD, {"BrtD", C, 1}}, {Y::WhzD, {"WhzD", C, 1}}, {Y::ChsD, {"ChsD", C, 1}},
             {Y::CogN, {"CogN", C, 1}}, {Y::BrtN, {"BrtN", C, 1}}, {Y::WhzN, {"WhzN", C, 1}},
             {Y::ChsN, {"ChsN", C, 1}}, {Y::ActN, {"ActN", C, 1}}, {Y::ActS, {"ActS", C, 1}},
             {Y::Miss, {"Miss", C, 1}}, {Y::Nrel, {"Nrel", C, 2}}, {Y::Nprv, {"Nprv", C, 2}},
             {Y::Rate, {"Rate", C, 1}}},
            {{DailyTag::diDyID, {"diDyID", "DyID", kUnique, kDescending}},
             {DailyTag::diASID, {"diASID", "AsID", false, false}},
             {DailyTag::diASDT, {"diASDT", "AsDt", false, false}}}),
        define<TableId::PerTrig>("PerTrig.dat", {{PT::Asid, {"Asid", C, 8}}, {PT::Trig, {"Trig", C, 25}}},
                                 {{PerTrigTag::ptiASID, {"ptiASID", "AsID", false, false}},
                                  {PerTrigTag::ptiTRIG, {"ptiTRIG", "AsID+Trig", kUnique, false}}}),
        define<TableId::PerMed>(
            "PerMed.dat",
            {{PM::MdID, {"MdID", C, 8}}, {PM::Asid, {"Asid", C, 8}}, {PM::ANam, {"ANam", C, 20}},
             {PM::Inst, {"Inst", C, 30}}, {PM::PrBy, {"PrBy", C, 20}}, {PM::PrDt, {"PrDt", D, 8}},
             {PM::MdUs, {"MdUs", C, 3}}, {PM::Ctgy, {"Ctgy", C, 9}}},
            {{PerMedTag::pmiMDID, {"pmiMDID", "MDID", kUnique, false}},
             {PerMedTag::pmiASID, {"pmiASID", "AsID", false, false}},
             {PerMedTag::pmiName, {"pmiName", "ANam", false, false}}}),
        define<TableId::RefTrig>("RefTrig.dat", {{RefTrigField::Trig, {"Trig", C, 25}}},
                                 {{RefTrigTag::rtiTRIG, {"rtiTRIG", "Trig", kUnique, false}}}),
        define<TableId::DlyTrig>(
            "DlyTrig.dat",
            {{DT::DyID, {"DyID", C, 16}}, {DT::Asid, {"Asid", C, 8}}, {DT::Trig, {"Trig", C, 25}},
             {DT::AsDt, {"AsDt", D, 8}}},
            {{DlyTrigTag::dtiDYID, {"dtiDYID", "DyID", false, false}},
             {DlyTrigTag::dtiTRIG, {"dtiTRIG", "Trig", false, false}},
             {DlyTrigTag::dtiKEY, {"dtiKEY", "dyid+trig", kUnique, false}}}),
        define<TableId::DlyMed>(
            "DlyMed.dat",
            {{DM::DyID, {"DyID", C, 16}}, {DM::Asid, {"Asid", C, 8}}, {DM::MdID, {"MdID", C, 8}},
             {DM::ANam, {"ANam", C, 20}}, {DM::TmUs, {"TmUs", C, 2}}, {DM::Ctgy, {"Ctgy", C, 9}},
             {DM::AsDt, {"AsDt", D, 8}}},
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

}  // namespace pulmora::store
