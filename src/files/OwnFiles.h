#pragma once

#include <memory>
#include <string>
#include <vector>

namespace pulmora::files {

// The open diary's own files, which no file a user names may replace: each module that keeps
// files in the diary folder claims them for as long as it keeps them (the store its record files
// and backups while the diary is open, the program its settings file, lock and help pages), and
// every replacement under the rules for a user's file asks `ownFileRefusal` first. A claim is of
// names; their real paths are looked up when a target is judged, so a link, a folder reached by
// another way or a second hard link is recognised whenever it was made.
class OwnFiles {
public:
    OwnFiles() = default;
    // Claims the files and everything under the folders, for as long as this claim lives.
    OwnFiles(std::vector<std::string> files, std::vector<std::string> folders);
    ~OwnFiles();
    OwnFiles(OwnFiles&& other) noexcept;
    OwnFiles& operator=(OwnFiles&& other) noexcept;
    OwnFiles(const OwnFiles&) = delete;
    OwnFiles& operator=(const OwnFiles&) = delete;

    struct Claim {
        std::vector<std::string> files;
        std::vector<std::string> folders;
    };

private:
    std::unique_ptr<Claim> claim_;
};

// Why a file the user names may not be written at `path`, in words to follow "cannot write
// PATH: ": the file is one claimed, or lies in a claimed folder, once every link is resolved.
// Empty when it may be written.
std::string ownFileRefusal(const std::string& path);

}  // namespace pulmora::files
