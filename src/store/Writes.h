#pragma once

#include "DiaryStore.h"
#include "Result.h"

#include <vector>

namespace pulmora::store {

// The store's only ways of writing a record file. Each has reached the disk when it answers,
// answers the engine's refusal as the store's, and tells the store's listeners of a change.
class Writes {
public:
    explicit Writes(DiaryStore& store) : store_(store) {}

    // The row assigned to the current record (see mapping): appended when it is new,
    // otherwise flushed. A row written is live, even if an interrupted removal had marked it.
    Result save(TableId id, bool isNew);
    // Marks the current record deleted.
    Result mark(TableId id);
    // Removes the marked records, and the given ones (1-based record numbers) with them.
    Result pack(TableId id, const std::vector<quint32>& alsoRemove = {});

private:
    Result outcome(TableId id, const engine::Status& status);
    DiaryStore& store_;
};

}  // namespace pulmora::store
