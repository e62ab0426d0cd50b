#pragma once

#include "DiaryStore.h"
#include "engine/Table.h"

namespace pulmora::store {

// The engine's table behind an open record file, for the tests that look at or plant the
// records themselves. The program reaches the files only through the store's operations.
struct TableAccess {
    // The open table, or nullptr when it is absent.
    static engine::Table* table(const DiaryStore& store, TableId id) { return store.table(id); }
};

}  // namespace pulmora::store
