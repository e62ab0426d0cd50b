#include "PlantedRecords.h"

#include "store/Keys.h"
#include "store/TableAccess.h"

namespace pulmora::test {

bool appendDayRecord(store::Diary& diary, store::TableId id, const QString& person, const QDate& day,
                     std::initializer_list<std::pair<const char*, QString>> values) {
    engine::Table* t = store::TableAccess::table(diary.files, id);
    if (!t) return false;
    const QString date = store::keys::dateKey(day);
    t->appendStart();
    t->field("DyID")->assign(store::keys::dayId(person, date).toStdString());
    t->field("Asid")->assign(person.toStdString());
    t->field("AsDt")->assign(date.toStdString());
    for (const auto& [field, value] : values) t->field(field)->assign(value.toStdString());
    return bool(t->append());
}

}  // namespace pulmora::test
