#pragma once

#include "DiaryStore.h"
#include "Result.h"
#include "Values.h"

#include <QDate>
#include <QString>

#include <string>
#include <string_view>

// Field values as program values (Windows-1252 text in the files), and the store's lookups.
// Each reads the field's bytes where they lie; nothing is copied on the way.
namespace pulmora::store::fields {

// The value as stored, without the padding: trailing blanks (and NULs, which some writers pad
// with) removed. Written back, it gives the same bytes.
QString text(const engine::Field& field);
// A stored whole number, read as the text would read trimmed: none when blank or no number.
StoredNumber storedNumber(const engine::Field& field);
// The same where anything that does not read as a number (blank, or a file written elsewhere)
// counts as 0.
int number(const engine::Field& field);
// A flag: "1" is on.
bool on(const engine::Field& field);
// A date field's day; a null date when it holds none.
QDate date(const engine::Field& field);
// Whether the field holds exactly these bytes.
bool holds(const engine::Field& field, std::string_view bytes);

// The text must have been checked as storable (see Checks) or have been read from a field.
void assign(engine::Field& field, const QString& value);
// A number as decimal digits; none leaves the field blank.
void assign(engine::Field& field, int value);
void assign(engine::Field& field, StoredNumber value);
void assign(engine::Field& field, const QDate& date);
std::string bytes(const QString& text);
// Selects the tag and seeks the key; answers whether a key begins with it. The store's tables
// hide the records marked deleted (by a removal that was stopped, or another program): every
// read sees what a pack would leave.
bool seek(engine::Table& table, engine::Tag* tag, const QString& key);
// The same finding a marked record too, for the writes that recall what they find, and for the
// identifiers made new, which no record in the file may hold.
bool seekIncludingMarked(engine::Table& table, engine::Tag* tag, const QString& key);

// "Daily.dat is not open, so nothing was saved."
Result notOpen(TableId id);

}  // namespace pulmora::store::fields
