#pragma once

#include <functional>

// A seam in the program's file access for tests that must see what a failing disk or a process
// killed half-way leaves behind: every write, disk sync and rename of the record files, the
// settings file, the backups and the files a user saves goes past it. The program never sets a
// hook, and without one every operation proceeds.
namespace pulmora::files::faults {

enum class Operation { Write, Sync, Rename };

// Asked before every write, disk sync and rename. Answering false makes that operation fail as
// an input/output error would; a hook may also end the process right there.
using Hook = std::function<bool(Operation)>;

void setHook(Hook hook);

// Whether the operation may go ahead (the file access asks).
bool allows(Operation operation);

}  // namespace pulmora::files::faults
