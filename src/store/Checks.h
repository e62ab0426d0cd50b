#pragma once

#include "DiaryStore.h"
#include "Result.h"

#include <QDate>
#include <QString>

namespace pulmora::store {

// Collects the checks a write makes on its arguments before it touches a file; the first one
// that fails is the result.
class Checks {
public:
    // A text that fits its field and can be stored in the files' encoding.
    Checks& text(const QString& value, int width, const char* label);
    Checks& required(const QString& value, const char* label);
    // Decimal digits that fit the field; empty counts as 0.
    Checks& digits(const QString& value, int width, const char* label);
    Checks& range(int value, int min, int max, const char* label);
    // A trigger name as stored (see triggerName): not empty, and fits its field.
    Checks& trigger(const QString& name);
    // A date whose key fits its field: the years 1 to 9999.
    Checks& date(const QDate& date, const char* label);
    // Such a date, or a null one (none).
    Checks& optionalDate(const QDate& date, const char* label);
    Checks& oneOf(const QString& value, const QStringList& allowed, const char* label);
    // One of the allowed values or empty (nothing chosen).
    Checks& optionalOneOf(const QString& value, const QStringList& allowed, const char* label);
    // The diary takes writes and the table is open.
    Checks& open(const DiaryStore& store, TableId id);
    // The diary takes writes, for an operation on tables that may be absent.
    Checks& writable(const DiaryStore& store);

    Result result() const { return failure_.isEmpty() ? Result::done() : Result::refused(failure_); }

private:
    Checks& fail(const QString& why);
    QString failure_;
};

}  // namespace pulmora::store
