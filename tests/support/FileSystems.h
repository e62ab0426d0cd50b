#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace pulmora::test {

// A small file system of its own, mounted over a test's empty folder, so that a test can fill
// it up or make it read-only. Mounting needs a right a test machine may not grant: a test checks
// mounted() and skips with why() otherwise.
class ScratchFileSystem {
public:
    ScratchFileSystem(const std::filesystem::path& folder, size_t bytes);
    // Detaches it, even while files on it are still open.
    ~ScratchFileSystem();
    ScratchFileSystem(const ScratchFileSystem&) = delete;
    ScratchFileSystem& operator=(const ScratchFileSystem&) = delete;

    bool mounted() const { return mounted_; }
    const std::string& why() const { return why_; }
    // Takes all free space with one file, so the next write that needs space fails.
    bool fill();
    // Mounts it again for reading only: no write succeeds, not even the superuser's.
    bool makeReadOnly();

private:
    std::filesystem::path folder_;
    bool mounted_ = false;
    std::string why_;
};

// Makes a test's folder read-only once the test has written what it needs there. Permissions do
// that for an ordinary user; the superuser writes regardless, so for it the folder becomes a file
// system of its own (made at construction, before anything is written) mounted read-only later.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const std::filesystem::path& folder);
    // Writable again.
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    bool usable() const { return !scratch_ || scratch_->mounted(); }
    std::string why() const { return scratch_ ? scratch_->why() : std::string(); }
    bool apply();

private:
    std::filesystem::path folder_;
    std::unique_ptr<ScratchFileSystem> scratch_;
    bool applied_ = false;
};

// Runs `work` in a child process as an ordinary user: started by the superuser, the child first
// becomes "nobody", for whom permissions hold as they do for anyone else. Answers what the child
// wrote to its output.
std::string asOrdinaryUser(const std::function<std::string()>& work);

}  // namespace pulmora::test
