#pragma once

#include "Definitions.h"
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
    // A record a list wants, looked up by its key: one found live is left as it is, one found
    // marked (by a removal that was stopped) is recalled, and a new one is appended as `fill`
    // assigns it. Answers its record number.
    template <class Fill>
    Outcome<quint32> keep(TableId id, bool found, Fill fill) {
        engine::Table& t = *store_.table(id);
        Outcome<quint32> out;
        if (!found) {
            t.appendStart();
            fill();
        }
        if (!found || t.isDeleted()) out.result = save(id, !found);
        out.value = t.recordNumber();
        return out;
    }
    // Removes the given records (1-based record numbers) by marking them deleted in place, one
    // byte each and one wait for the disk for the file; every read passes over them from then
    // on. With none given the file is left alone. The file keeps their bytes until the next
    // start packs it (see packMarked).
    Result remove(TableId id, const std::vector<quint32>& records);
    // Packs the file when enough of its records are marked deleted that a complete new file
    // without them is worth writing; otherwise leaves it alone.
    Result packMarked(TableId id);

private:
    Result outcome(TableId id, const engine::Status& status);
    DiaryStore& store_;
};

}  // namespace pulmora::store
