#include "PlantedRecords.h"

#include "store/Keys.h"
#include "store/TableAccess.h"

namespace pulmora::test {

bool appendDayRecord(store::Diary& diary, store::TableId id, const store::PersonId& person, const QDate& day,
                     std::initializer_list<std::pair<const char*, QString>> values) {
    engine::Table* t = store::TableAccess::table(diary.files, id);
    if (!t) return false;
    t->appendStart();
    t->field("DyID")->assign(store::keys::dayId(person, day).toStdString());
    t->field("Asid")->assign(person.text().toStdString());
    t->field("AsDt")->assign(store::keys::dateKey(day).toStdString());
    for (const auto& [field, value] : values) t->field(field)->assign(value.toStdString());
    return bool(t->append());
}

}  // namespace pulmora::test
