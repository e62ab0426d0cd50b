#include "DiaryFixture.h"

#include "store/Cp1252.h"

namespace pulmora::test {

std::vector<QString> DiaryTest::column(store::TableId id, const char* field) {
    std::vector<QString> values;
    auto* t = table(id);
    t->selectTag(nullptr);
    for (t->goBof(); !t->eof(); t->skip()) values.push_back(store::cp1252::decode(t->field(field)->str()).trimmed());
    return values;
}

engine::Table* DiaryTest::dayRecord(const store::PersonId& person, const QDate& date) {
    auto* t = table(store::TableId::Daily);
    t->selectTag(t->tag("diDyID"));
    return t->seek(store::keys::dayId(person, date).toStdString()) ? t : nullptr;
}

::testing::AssertionResult DiaryTest::readableByDbfread() {
    int status = 0;
    const std::string out = runSystemPython(folder, kReadAllWithDbfread, folder.path().string(), status);
    if (status == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << out;
}

}  // namespace pulmora::test
