#include "Records.h"

#include "Cp1252.h"
#include "Keys.h"

namespace pulmora::store::records {
namespace {
std::string bytes(const QString& value) { return cp1252::encode(value).value_or(std::string()); }
}  // namespace

QString text(engine::Table* table, std::string_view field) {
    return cp1252::decode(table->field(field)->str());
}

QString trimmed(engine::Table* table, std::string_view field) { return text(table, field).trimmed(); }

int number(engine::Table* table, std::string_view field) {
    bool ok = false;
    const int value = trimmed(table, field).toInt(&ok);
    return ok ? value : 0;
}

void assign(engine::Table* table, std::string_view field, const QString& value) {
    table->field(field)->assign(bytes(value));
}

void select(engine::Table* table, std::string_view tag) { table->selectTag(table->tag(tag)); }

bool seek(engine::Table* table, std::string_view tag, const QString& key) {
    select(table, tag);
    return table->seek(bytes(key));
}

bool seekPerson(engine::Table* personal, const QString& id) {
    return keys::isPersonId(id) && seek(personal, "piAsID", keys::padded(id, width::kPersonId));
}

Result fromStatus(const engine::Status& status) {
    return status ? Result::done() : Result::refused(QString::fromStdString(status.reason));
}

Result notOpen(TableId id) {
    return Result::refused(QStringLiteral("%1 is not open, so nothing was saved.")
                               .arg(QString::fromStdString(definition(id).fileName)));
}

}  // namespace pulmora::store::records
