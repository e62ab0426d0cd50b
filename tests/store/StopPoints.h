#pragma once

#include "files/FaultSeam.h"

#include <filesystem>
#include <functional>
#include <vector>

namespace pulmora::test {

enum class Stop { Stopped, Finished, Failed };

// Runs `work` in a child process that ends, as a kill would, just before its n-th write, disk
// sync or rename of a record file (counting from 1): nothing after that point happens, not
// even a destructor. Finished: the work came to its end without reaching that operation;
// Failed: it ended with `work` answering false, or not at all.
Stop runStoppedBefore(int n, const std::function<bool()>& work);

// The writes, syncs and renames `work` makes, in order, in this process.
std::vector<files::faults::Operation> operationsOf(const std::function<void()>& work);

// Replaces the files of `to` by copies of those of `from`.
void copyFiles(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace pulmora::test
