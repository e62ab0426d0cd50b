#include "DiaryFixture.h"

#include "store/Records.h"

namespace pulmora::test {

std::vector<QString> DiaryTest::column(store::TableId id, const char* field) {
    std::vector<QString> values;
    auto* t = table(id);
    t->selectTag(nullptr);
    for (t->goBof(); !t->eof(); t->skip()) values.push_back(store::records::trimmed(t, field));
    return values;
}

::testing::AssertionResult DiaryTest::readableByDbfread() {
    int status = 0;
    const std::string out = runSystemPython(folder, kReadAllWithDbfread, folder.path().string(), status);
    if (status == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << out;
}

}  // namespace pulmora::test
