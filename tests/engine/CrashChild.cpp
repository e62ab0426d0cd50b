// Saves records in a loop until it is killed, telling the parent after each flush that returned.
// Every tenth round it packs, so the kill can also land inside a whole-file replacement.
#include "engine/Table.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    using namespace pulmora::engine;
    const std::vector<TagDefinition> tags = {{"key", "Key", true, true}};
    Engine engine;
    auto opened = engine.open(argv[1], tags);
    if (!opened.table)
        opened = engine.create(argv[1], {{"Key", FieldType::Character, 8}, {"Value", FieldType::Character, 8}}, tags);
    Table* t = opened.table;
    if (!t) return 3;
    t->selectTag(t->tag("key"));
    for (unsigned i = t->recordCount();; ++i) {
        char key[16];
        std::snprintf(key, sizeof key, "%08u", i);
        t->appendStart();
        t->field("Key")->assign(key);
        t->field("Value")->assign("new");
        if (!t->append()) return 4;
        // Overwrite the value, as a second save of the same day does.
        t->field("Value")->assign(key);
        if (!t->flush()) return 5;
        if (i % 10 == 9 && !t->pack()) return 6;
        std::printf("%s\n", key);
        std::fflush(stdout);
    }
}
