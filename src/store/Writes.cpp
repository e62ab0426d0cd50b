#include "Writes.h"

namespace pulmora::store {

Result Writes::outcome(TableId id, const engine::Status& status) {
    if (!status) {
        return Result::refused(QStringLiteral("%1: %2").arg(QString::fromStdString(definition(id).fileName),
                                                            QString::fromStdString(status.reason)));
    }
    emit store_.tableChanged(id);
    return Result::done();
}

Result Writes::save(TableId id, bool isNew) {
    engine::Table& t = *store_.table(id);
    if (isNew) return outcome(id, t.append());
    if (t.isDeleted()) t.recall();
    return outcome(id, t.flush());
}

Result Writes::remove(TableId id, const std::vector<quint32>& records) {
    if (records.empty()) return Result::done();
    return outcome(id, store_.table(id)->markRemoved(records));
}

namespace {

// A file is packed once more than one record in kPackShare is marked deleted. Marked records
// cost a walk a skip each and the file their bytes; a pack costs writing and syncing the whole
// file once. At one in ten the walks are at most a tenth longer and the disk holds at most a
// ninth more than it must, while a big file is rewritten only after thousands of removals
// from it, not at every start.
constexpr quint32 kPackShare = 10;

bool worthPacking(const engine::Table& t) {
    return t.markedCount() > 0 && quint64(t.markedCount()) * kPackShare > t.recordCount();
}

}  // namespace

Result Writes::packMarked(TableId id) {
    engine::Table* t = store_.table(id);
    if (!t || t->readOnly() || !worthPacking(*t)) return Result::done();
    return outcome(id, t->pack());
}

}  // namespace pulmora::store
