#include "EngineFixture.h"

namespace pulmora::test {
namespace {

// Another DBF reader must see exactly what the engine wrote: fields, values and deletion marks.
TEST_F(EngineTest, DbfreadReadsWhatTheEngineWrites) {
    auto* t = create();
    ASSERT_TRUE(add(t, "Alan", "Bath", "7"));
    ASSERT_TRUE(add(t,
                    "B\xe9"
                    "a",
                    "Ayr", "12"));  // é in Windows-1252
    ASSERT_TRUE(add(t, "Carol", "York"));
    t->selectTag(t->tag("byName"));
    ASSERT_TRUE(t->seek("Carol"));
    t->markDeleted();
    ASSERT_TRUE(t->flush());
    engine.closeAll();

    const std::string script =
        "import dbfread, sys\n"
        "t = dbfread.DBF(sys.argv[1], encoding='cp1252', char_decode_errors='strict')\n"
        "print([(f.name, f.type, f.length) for f in t.fields])\n"
        "for r in t: print('live', list(r.values()))\n"
        "for r in t.deleted: print('deleted', list(r.values()))\n";
    int status = 0;
    const std::string out = runSystemPython(folder, script, path(), status);
    ASSERT_EQ(status, 0) << out;
    EXPECT_EQ(out,
              "[('Name', 'C', 6), ('Town', 'C', 4), ('Born', 'D', 8), ('Score', 'C', 3)]\n"
              "live ['Alan', 'Bath', datetime.date(2000, 2, 29), '7']\n"
              "live ['B\xc3\xa9"
              "a', 'Ayr', datetime.date(2000, 2, 29), '12']\n"
              "deleted ['Carol', 'York', datetime.date(2000, 2, 29), '1']\n");
}

// A table written by another tool opens, is indexed and walks in key order.
TEST_F(EngineTest, OpensATableWrittenByPythonDbf) {
    const std::string script =
        "import dbf, sys, datetime\n"
        "t = dbf.Table(sys.argv[1], 'Name C(6); Town C(4); Born D; Score C(3)', dbf_type='db3',"
        " codepage='cp1252')\n"
        "t.open(mode=dbf.READ_WRITE)\n"
        "for n, w in (('Zoe','Kent'), ('Amy','Leek'), ('Max','Kent')):\n"
        "    t.append((n, w, datetime.date(1999, 1, 2), '5'))\n"
        "with t[1] as r: dbf.delete(r)\n"
        "t.close()\n";
    int status = 0;
    const std::string out = runSystemPython(folder, script, path(), status);
    ASSERT_EQ(status, 0) << out;

    auto opened = engine.open(path(), tags);
    ASSERT_TRUE(opened.table) << opened.reason;
    auto* t = opened.table;
    t->reindex();
    t->selectTag(t->tag("byTownName"));
    EXPECT_EQ(walk(t), (std::vector<std::string>{"Max", "Zoe", "*Amy"}));
    ASSERT_TRUE(t->seek("Leek"));
    EXPECT_EQ(t->field("Born")->str(), "19990102");
    t->recall();
    ASSERT_TRUE(t->flush());
    ASSERT_TRUE(add(t, "Ben", "Ayr"));
    EXPECT_EQ(walk(t), (std::vector<std::string>{"Ben", "Max", "Zoe", "Amy"}));
}

}  // namespace
}  // namespace pulmora::test
