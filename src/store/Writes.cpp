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

Result Writes::pack(TableId id, const std::vector<quint32>& remove) {
    if (remove.empty()) return Result::done();
    return outcome(id, store_.table(id)->packRemoving(remove));
}

}  // namespace pulmora::store
