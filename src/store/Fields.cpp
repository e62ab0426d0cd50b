#include "Fields.h"

#include "Cp1252.h"
#include "Definitions.h"
#include "Keys.h"

#include <limits>

namespace pulmora::store::fields {
namespace {

std::string_view withoutPadding(std::string_view stored) {
    const size_t end = stored.find_last_not_of(std::string_view(" \0", 2));
    return stored.substr(0, end == std::string_view::npos ? 0 : end + 1);
}

// What a trimmed text leaves out at either end: the blanks of Windows-1252 (the ASCII ones and
// the no-break space).
bool isBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r') || c == '\xA0'; }

}  // namespace

QString text(const engine::Field& field) { return cp1252::decode(withoutPadding(field.view())); }

StoredNumber storedNumber(const engine::Field& field) {
    std::string_view s = field.view();
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && (isBlank(s.back()) || s.back() == '\0')) s.remove_suffix(1);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty()) return std::nullopt;
    long long value = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<int>::max() + (negative ? 1LL : 0LL)) return std::nullopt;
    }
    return int(negative ? -value : value);
}

int number(const engine::Field& field) { return storedNumber(field).value_or(0); }

bool on(const engine::Field& field) { return number(field) == 1; }

QDate date(const engine::Field& field) {
    // "YYYYMMDD", eight digits making a valid day.
    const std::string_view s = field.view();
    int digits[8];
    for (size_t i = 0; i < 8; ++i) {
        if (i >= s.size() || s[i] < '0' || s[i] > '9') return {};
        digits[i] = s[i] - '0';
    }
    const QDate day(digits[0] * 1000 + digits[1] * 100 + digits[2] * 10 + digits[3], digits[4] * 10 + digits[5],
                    digits[6] * 10 + digits[7]);
    return day.isValid() ? day : QDate();
}

bool holds(const engine::Field& field, std::string_view bytes) { return field.view() == bytes; }

std::string bytes(const QString& text) { return cp1252::encodeRead(text); }

void assign(engine::Field& field, const QString& value) { field.assign(bytes(value)); }

void assign(engine::Field& field, int value) { field.assign(std::to_string(value)); }

void assign(engine::Field& field, StoredNumber value) {
    if (value) return assign(field, *value);
    field.assign({});
}

void assign(engine::Field& field, const QDate& date) { field.assign(bytes(keys::dateKey(date))); }

bool seek(engine::Table& table, engine::Tag* tag, const QString& key) {
    table.selectTag(tag);
    return table.seek(bytes(key));
}

bool seekIncludingMarked(engine::Table& table, engine::Tag* tag, const QString& key) {
    table.selectTag(tag);
    return table.seekIncludingMarked(bytes(key));
}

Result notOpen(TableId id) {
    return Result::refused(
        QStringLiteral("%1 is not open, so nothing was saved.").arg(QString::fromStdString(definition(id).fileName)));
}

}  // namespace pulmora::store::fields
