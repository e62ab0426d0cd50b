#pragma once

#include "store/Diary.h"

#include <QDate>
#include <QString>

#include <initializer_list>
#include <utility>

namespace pulmora::test {

// Appends a record to one of the files of a person's days behind the store's back, as a file
// written elsewhere may hold it: the day's identifier, the person and the date, then the given
// fields. Answers whether the record was written.
bool appendDayRecord(store::Diary& diary, store::TableId id, const store::PersonId& person, const QDate& day,
                     std::initializer_list<std::pair<const char*, QString>> values);

}  // namespace pulmora::test
