#pragma once

#include "Schema.h"
#include "engine/Table.h"

#include <string>
#include <vector>

namespace pulmora::store {

// A record file's layout as the engine creates and checks it.
struct TableDefinition {
    TableId id;
    std::string fileName;
    std::vector<engine::FieldDefinition> fields;  // field i is the field of enum value i
    std::vector<engine::TagDefinition> tags;      // likewise for the tags
};

const TableDefinition& definition(TableId id);

}  // namespace pulmora::store
