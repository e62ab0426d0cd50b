#include "Checks.h"

#include "Cp1252.h"
#include "Definitions.h"
#include "Fields.h"

namespace pulmora::store {

Checks& Checks::fail(const QString& why) {
    if (failure_.isEmpty()) failure_ = why;
    return *this;
}

Checks& Checks::text(const QString& value, int width, const char* label) {
    if (const QString bad = cp1252::firstUnstorable(value); !bad.isEmpty())
        return fail(QStringLiteral("The %1 contains \"%2\", which cannot be stored.").arg(label, bad));
    if (value.size() > width) return fail(QStringLiteral("The %1 is longer than %2 characters.").arg(label).arg(width));
    return *this;
}

Checks& Checks::required(const QString& value, const char* label) {
    if (value.trimmed().isEmpty()) return fail(QStringLiteral("The %1 is required.").arg(label));
    return *this;
}

Checks& Checks::digits(const QString& value, int width, const char* label) {
    const QString v = value.trimmed();
    for (QChar c : v)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return fail(QStringLiteral("The %1 must be a whole number.").arg(label));
    if (v.size() > width) return fail(QStringLiteral("The %1 must have at most %2 digits.").arg(label).arg(width));
    return *this;
}

Checks& Checks::range(int value, int min, int max, const char* label) {
    if (value < min || value > max)
        return fail(QStringLiteral("The %1 must be from %2 to %3.").arg(label).arg(min).arg(max));
    return *this;
}

Checks& Checks::trigger(const QString& name) {
    return text(name, width::kTrigger, "trigger name").required(name, "trigger name");
}

Checks& Checks::date(const QDate& date, const char* label) {
    if (!date.isValid() || date.year() < 1 || date.year() > 9999)
        return fail(QStringLiteral("The %1 must be a date from the year 1 to 9999.").arg(label));
    return *this;
}

Checks& Checks::optionalDate(const QDate& date, const char* label) {
    return date.isNull() ? *this : this->date(date, label);
}

Checks& Checks::oneOf(const QString& value, const QStringList& allowed, const char* label) {
    if (!allowed.contains(value))
        return fail(QStringLiteral("The %1 must be one of %2.").arg(label, allowed.join(", ")));
    return *this;
}

Checks& Checks::optionalOneOf(const QString& value, const QStringList& allowed, const char* label) {
    return value.isEmpty() ? *this : oneOf(value, allowed, label);
}

Checks& Checks::open(const DiaryStore& store, TableId id) {
    writable(store);
    if (!store.has(id)) fail(fields::notOpen(id).error());
    if (const QString why = store.unwritableReason(id); !why.isEmpty())
        fail(QStringLiteral("%1 can be read but not written (%2), so nothing was saved.")
                 .arg(QString::fromStdString(definition(id).fileName), why));
    return *this;
}

Checks& Checks::writable(const DiaryStore& store) {
    if (store.readOnly())
        return fail(QStringLiteral("The diary is open for reading only (%1), so nothing was saved.")
                        .arg(store.readOnlyReason()));
    return *this;
}

}  // namespace pulmora::store
