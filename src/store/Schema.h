#pragma once

#include "engine/Table.h"

#include <array>
#include <string>
#include <vector>

namespace pulmora::store {

// The seven record files, in the order the store opens them.
enum class TableId { Personal, Daily, PerTrig, PerMed, RefTrig, DlyTrig, DlyMed };
constexpr int kTableCount = 7;
constexpr std::array<TableId, kTableCount> kAllTables = {
    TableId::Personal, TableId::Daily,   TableId::PerTrig, TableId::PerMed,
    TableId::RefTrig,  TableId::DlyTrig, TableId::DlyMed};

struct TableDefinition {
    TableId id;
    std::string fileName;
    std::vector<engine::FieldSpec> fields;
    std::vector<engine::TagSpec> tags;
};

const TableDefinition& definition(TableId id);

// Field widths the store checks values against before it writes.
namespace width {
constexpr int kPersonId = 8;
constexpr int kMedId = 8;
constexpr int kDateKey = 8;
constexpr int kDayId = 16;
constexpr int kNickname = 30;
constexpr int kName = 30;
constexpr int kGender = 6;
constexpr int kTitle = 15;
constexpr int kPeakFlow = 3;
constexpr int kZone = 3;
constexpr int kDoses = 2;
constexpr int kTrigger = 25;
constexpr int kMedName = 20;
constexpr int kInstructions = 30;
constexpr int kPrescribedBy = 20;
constexpr int kInUse = 3;
constexpr int kCategory = 9;
constexpr int kTimesUsed = 2;
}  // namespace width

}  // namespace pulmora::store
