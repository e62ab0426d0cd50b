#pragma once

#include <QString>

// How the store writes the names it keeps, for code that compares a name with a stored one.
namespace pulmora::store {

// Capitals letter for letter: unlike QString::toUpper, "ß" stays one character, so a text keeps
// its length and still fits its field. A letter whose capital the record files cannot hold, as
// "µ" (Greek "Μ") or "ƒ", stays as typed.
QString upper(const QString& text);
// Trimmed and in capitals: how trigger names are stored and looked up.
QString triggerName(const QString& name);

}  // namespace pulmora::store
