#pragma once

#include <QDate>
#include <QString>

#include <optional>

// Date keys, identifiers and the lookup texts the store seeks with.
namespace pulmora::store::keys {

inline const QString kNoPerson = QStringLiteral("New");

// "YYYYMMDD".
QString dateKey(const QDate& date);
// The date of a key; nothing when the key is not a valid date.
std::optional<QDate> Get4Date(const QString& key);

QString padded(const QString& text, int width, QChar fill = QLatin1Char(' '));
// Person identifier padded to 8, then the date key: 16 characters.
QString dayId(const QString& person, const QString& dateKey);
// Capitals letter for letter: unlike QString::toUpper, "ß" stays one character, so a text keeps
// its length and still fits its field. A letter whose capital the record files cannot hold, as
// "µ" (Greek "Μ") or "ƒ", stays as typed.
QString upper(const QString& text);
// Trimmed and in capitals: how trigger names are stored and looked up.
QString triggerName(const QString& name);

// Candidate identifiers for counter n (1, 2, ...): the caller takes the first one not in use.
// Person: two letters of the trimmed surname, two of the trimmed first name, hexadecimal
// digits; a missing or blank letter becomes "X".
QString personIdCandidate(const QString& surname, const QString& firstName, quint32 n);
// Medication: up to four characters of the trimmed name, then hexadecimal digits.
QString medIdCandidate(const QString& name, quint32 n);

// A stored person identifier: 8 characters, no blank at either end, and not "New".
bool isPersonId(const QString& id);
bool isDateKey(const QString& key);

}  // namespace pulmora::store::keys
