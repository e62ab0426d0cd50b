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
    const std::string script =
        "import dbfread, glob, sys\n"
        "for p in sorted(glob.glob(sys.argv[1] + '/*.[dD][aA][tT]')):\n"
        "    t = dbfread.DBF(p, encoding='cp1252', char_decode_errors='strict')\n"
        "    list(t); list(t.deleted)\n";
    writeBytes(folder.file("check.py"), {script.begin(), script.end()});
    int status = 0;
    const std::string out = runCommand(std::string(kSystemPython) + " " + folder.file("check.py") + " " +
                                           folder.path().string() + " 2>&1",
                                       status);
    if (status == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << out;
}

}  // namespace pulmora::test
