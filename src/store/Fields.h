#pragma once

#include "DiaryStore.h"
#include "Result.h"

#include <QString>

#include <string>

// Field values as program text (Windows-1252 in the files), and the store's lookups.
namespace pulmora::store::fields {

// The value as stored, without the padding: trailing blanks (and NULs, which some writers pad
// with) removed. Written back, it gives the same bytes.
QString text(const engine::Field& field);
// A stored number; anything that does not read as one (a file written elsewhere) reads as 0.
int number(const engine::Field& field);
// A flag: "1" is on.
bool on(const engine::Field& field);
// The text must have been checked as storable (see Checks) or have been read from a field.
void assign(engine::Field& field, const QString& value);
std::string bytes(const QString& text);
// Selects the tag and seeks the key; answers whether a key begins with it.
bool seek(engine::Table& table, engine::Tag* tag, const QString& key);

// "Daily.dat is not open, so nothing was saved."
Result notOpen(TableId id);

}  // namespace pulmora::store::fields
