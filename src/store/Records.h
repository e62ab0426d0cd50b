#pragma once

#include "DiaryStore.h"
#include "Result.h"

#include <QString>

#include <string_view>

// Reading and writing record fields as program text (Windows-1252 in the files).
namespace pulmora::store::records {

QString text(engine::Table* table, std::string_view field);  // full width
QString trimmed(engine::Table* table, std::string_view field);
// A stored number; anything that does not read as one (a file written elsewhere) reads as 0.
int number(engine::Table* table, std::string_view field);
// The text must have been checked as storable; see Validation.
void assign(engine::Table* table, std::string_view field, const QString& value);
// Selects the tag and seeks the text; answers whether a key begins with it.
bool seek(engine::Table* table, std::string_view tag, const QString& key);
void select(engine::Table* table, std::string_view tag);

// Looks a person up by the whole identifier in piASID; never by a prefix.
bool seekPerson(engine::Table* personal, const QString& id);

// The engine's outcome as the store's.
Result fromStatus(const engine::Status& status);

// "Daily.dat is not open, so nothing was saved."
Result notOpen(TableId id);

}  // namespace pulmora::store::records
