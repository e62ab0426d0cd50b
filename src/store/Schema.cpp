#include "Schema.h"

namespace pulmora::store {
namespace {

using engine::FieldSpec;
using engine::FieldType;
using engine::TagSpec;

constexpr auto C = FieldType::Character;
constexpr auto D = FieldType::Date;
constexpr bool kUnique = true;
constexpr bool kDescending = true;

std::array<TableDefinition, kTableCount> makeDefinitions() {
    return {{
        {TableId::Personal,
         "Personal.dat",
         {{"Asid", C, 8}, {"WhoI", C, 30}, {"LNam", C, 30}, {"FNam", C, 30}, {"Gend", C, 6},
          {"DofB", D, 8}, {"Titl", C, 15}, {"Ocup", C, 30}, {"Hlth", C, 30}, {"Best", C, 3},
          {"Pred", C, 3}, {"ZYel", C, 3}, {"ZRed", C, 3}},
         {{"piASID", "AsID", kUnique, false}, {"piWhoI", "WhoI", false, false}}},
        {TableId::Daily,
         "Daily.dat",
         {{"DyID", C, 16}, {"Asid", C, 8}, {"AsDt", D, 8}, {"Morn", C, 3}, {"Even", C, 3},
          {"CogD", C, 1}, {"BrtD", C, 1}, {"WhzD", C, 1}, {"ChsD", C, 1}, {"CogN", C, 1},
          {"BrtN", C, 1}, {"WhzN", C, 1}, {"ChsN", C, 1}, {"ActN", C, 1}, {"ActS", C, 1},
          {"Miss", C, 1}, {"Nrel", C, 2}, {"Nprv", C, 2}, {"Rate", C, 1}},
         {{"diDyID", "DyID", kUnique, kDescending},
          {"diASID", "AsID", false, false},
          {"diASDT", "AsDt", false, false}}},
        {TableId::PerTrig,
         "PerTrig.dat",
         {{"Asid", C, 8}, {"Trig", C, 25}},
         {{"ptiASID", "AsID", false, false}, {"ptiTRIG", "AsID+Trig", kUnique, false}}},
        {TableId::PerMed,
         "PerMed.dat",
         {{"MdID", C, 8}, {"Asid", C, 8}, {"ANam", C, 20}, {"Inst", C, 30}, {"PrBy", C, 20},
          {"PrDt", D, 8}, {"MdUs", C, 3}, {"Ctgy", C, 9}},
         {{"pmiMDID", "MDID", kUnique, false},
          {"pmiASID", "AsID", false, false},
          {"pmiName", "ANam", false, false}}},
        {TableId::RefTrig, "RefTrig.dat", {{"Trig", C, 25}}, {{"rtiTRIG", "Trig", kUnique, false}}},
        {TableId::DlyTrig,
         "DlyTrig.dat",
         {{"DyID", C, 16}, {"Asid", C, 8}, {"Trig", C, 25}, {"AsDt", D, 8}},
         {{"dtiDYID", "DyID", false, false},
          {"dtiTRIG", "Trig", false, false},
          {"dtiKEY", "dyid+trig", kUnique, false}}},
        {TableId::DlyMed,
         "DlyMed.dat",
         {{"DyID", C, 16}, {"Asid", C, 8}, {"MdID", C, 8}, {"ANam", C, 20}, {"TmUs", C, 2},
          {"Ctgy", C, 9}, {"AsDt", D, 8}},
         {{"dmiDYID", "DyID", false, false},
          {"dmiMDID", "MDID", false, false},
          {"dmiKEY", "dyid+MDID", kUnique, false},
          {"dmiRep", "MdID", false, false}}},
    }};
}

}  // namespace

const TableDefinition& definition(TableId id) {
    static const auto definitions = makeDefinitions();
    return definitions[size_t(id)];
}

}  // namespace pulmora::store
