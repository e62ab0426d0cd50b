#pragma once

#include "PersonId.h"

#include <QDate>
#include <QString>

#include <optional>

// Date keys, identifiers and the lookup texts the store seeks with.
namespace pulmora::store::keys {

// "YYYYMMDD".
QString dateKey(const QDate& date);
// The key of a date, blank for a null date (none).
QString dateKeyOrBlank(const QDate& date);
// The date of a key; nothing when the key is not a valid date.
std::optional<QDate> Get4Date(const QString& key);

QString padded(const QString& text, int width, QChar fill = QLatin1Char(' '));
// The person identifier, then the date key: 16 characters.
QString dayId(const PersonId& person, const QDate& date);

// Candidate identifiers for counter n (1, 2, ...): the caller takes the first one not in use.
// Person: two letters of the trimmed surname, two of the trimmed first name, hexadecimal
// digits; a missing or blank letter becomes "X".
QString personIdCandidate(const QString& surname, const QString& firstName, quint32 n);
// Medication: up to four characters of the trimmed name, then hexadecimal digits.
QString medIdCandidate(const QString& name, quint32 n);

}  // namespace pulmora::store::keys
