#pragma once

#include "engine/Table.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pulmora::test {

// A small table of people with one ascending, one descending and one compound tag.
class EngineTest : public ::testing::Test {
protected:
    const std::vector<engine::FieldDefinition> fields = {
        {"Name", engine::FieldType::Character, 6},
        {"Town", engine::FieldType::Character, 4},
        {"Born", engine::FieldType::Date, 8},
        {"Score", engine::FieldType::Character, 3},
    };
    const std::vector<engine::TagDefinition> tags = {
        {"byName", "Name", true, false},
        {"byTownDown", "Town", false, true},
        {"byTownName", "Town+name", true, false},
    };

    engine::Table* create() {
        auto r = engine.create(path(), fields, tags);
        EXPECT_TRUE(r.table) << r.reason;
        return r.table;
    }
    engine::Table* reopen() {
        engine.closeAll();
        auto r = engine.open(path(), tags);
        EXPECT_TRUE(r.table) << r.reason;
        return r.table;
    }
    static engine::Status add(engine::Table* t, const std::string& name, const std::string& town,
                              const std::string& score = "1") {
        t->appendStart();
        t->field("name")->assign(name);
        t->field("TOWN")->assign(town);
        t->field("born")->assign("20000229");
        t->field("score")->assign(score);
        return t->append();
    }
    // The names met on a walk of the selected tag, deleted ones marked with '*'.
    static std::vector<std::string> walk(engine::Table* t) {
        std::vector<std::string> names;
        for (t->goBof(); !t->eof(); t->skip()) {
            std::string name = t->field("Name")->str();
            name.erase(name.find_last_not_of(' ') + 1);
            names.push_back((t->isDeleted() ? "*" : "") + name);
        }
        return names;
    }
    std::string path() const { return folder.file("people.dbf"); }

    TempFolder folder;
    engine::Engine engine;
};

}  // namespace pulmora::test
