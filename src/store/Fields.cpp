#include "Fields.h"

#include "Cp1252.h"

namespace pulmora::store::fields {

QString text(const engine::Field& field) {
    std::string stored = field.str();
    const size_t end = stored.find_last_not_of(std::string_view(" \0", 2));
    stored.resize(end == std::string::npos ? 0 : end + 1);
    return cp1252::decode(stored);
}

int number(const engine::Field& field) {
    bool ok = false;
    const int value = text(field).trimmed().toInt(&ok);
    return ok ? value : 0;
}

bool on(const engine::Field& field) { return number(field) == 1; }

std::string bytes(const QString& text) { return cp1252::encodeRead(text); }

void assign(engine::Field& field, const QString& value) { field.assign(bytes(value)); }

bool seek(engine::Table& table, engine::Tag* tag, const QString& key) {
    table.selectTag(tag);
    return table.seek(bytes(key));
}

Result notOpen(TableId id) {
    return Result::refused(QStringLiteral("%1 is not open, so nothing was saved.")
                               .arg(QString::fromStdString(definition(id).fileName)));
}

}  // namespace pulmora::store::fields
