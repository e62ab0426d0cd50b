// libFuzzer target: arbitrary bytes as a record file, through the opener, the walks and seeks.
#include "engine/Table.h"

#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

using namespace pulmora::engine;

// In memory where the machine has a memory file system: every input is written and synced.
const std::string& scratchPath() {
    static const std::string folder = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    static const std::string path = folder + "/pulmora-fuzz-" + std::to_string(::getpid()) + ".dbf";
    return path;
}

void walk(Table* t) {
    for (t->goBof(); !t->eof(); t->skip()) {
        for (const Field& f : t->fields()) {
            (void)f.str();
            (void)f.toInt();
        }
        (void)t->isDeleted();
        (void)t->position();
        (void)t->recordNumber();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FILE* out = std::fopen(scratchPath().c_str(), "wb");
    if (!out) return 0;
    std::fwrite(data, 1, size, out);
    std::fclose(out);

    Engine engine;
    // Any file: record order only.
    if (auto opened = engine.open(scratchPath(), {}); opened.table) walk(opened.table);
    engine.closeAll();
    // Files shaped like the day file get its tags, walks in each order and seeks.
    const std::vector<TagDefinition> tags = {
        {"diDyID", "DyID", true, true}, {"diASID", "AsID", false, false}, {"key", "Asid+AsDt", false, false}};
    if (auto opened = engine.open(scratchPath(), tags); opened.table) {
        Table* t = opened.table;
        for (const auto& definition : tags) {
            t->selectTag(t->tag(definition.name));
            walk(t);
            std::string prefix(reinterpret_cast<const char*>(data), size < 12 ? size : 12);
            (void)t->seek(prefix);
            (void)t->seek("");
        }
        t->reindex();
    }
    engine.closeAll();
    return 0;
}
