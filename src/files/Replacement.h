#pragma once

#include "FileIo.h"

#include <string>
#include <sys/stat.h>
#include <vector>

namespace pulmora::files {

// What a replacement does with what already stands under the name it is given.
struct ReplaceRules {
    // A symbolic link is followed: its target is replaced, in the target's own folder, and the
    // link stays (a link to a missing file is refused and left as it is). Not followed: the link
    // itself is replaced by the new file and its target is never touched.
    Links links = Links::Followed;
    // An existing file its user may not write is refused, not replaced.
    bool refuseUnwritable = false;
    // One of the open diary's own files, or a file in one of its own folders, is refused
    // (see OwnFiles), however the name reaches it.
    bool refuseOwnFiles = false;
};

// A file the user names for a report, a picture or an export: written through a link to the
// file it names, never in place of a file the user may not write, nor of the diary's own.
inline constexpr ReplaceRules kUserFile{Links::Followed, true, true};
// The settings file is only ever a plain file of its own: a link under its name is replaced.
inline constexpr ReplaceRules kPlainFileOnly{Links::NotFollowed, false};

// The one way a whole file is replaced. The new content is written under a new name beside the
// file (its name with ".new" added, a leftover of that name removed first), synced, given the
// old file's owner, group and permissions (for its owner only when there was no file) and
// renamed over it, and the rename is synced: a stop at any moment leaves the old file or the
// new one, never a mixture, and a failure leaves the old file exactly as it was and no new one.
class Replacement {
public:
    explicit Replacement(std::string path, ReplaceRules rules = {});
    // Removes the new file unless it was committed.
    ~Replacement();
    Replacement(const Replacement&) = delete;
    Replacement& operator=(const Replacement&) = delete;

    // Finds the file to replace under the rules and makes the new, empty file beside it.
    bool begin();
    // The new file, for a writer that opens files by name.
    const std::string& newPath() const { return newPath_; }
    // Appends to the new file.
    bool write(const char* data, size_t size);
    // A descriptor of its own for the new file, open for reading and writing, that stays valid
    // once the file is renamed into place; -1 when there is none to be had.
    int openCopy();
    // Puts the new file in place as described above.
    bool commit();
    // All of it at once: begin, write the bytes, commit.
    bool replaceBy(const char* data, size_t size);

    // What failed, naming the file: "cannot write /a/b.pdf.new: No space left on device".
    const std::string& error() const { return error_; }
    // Why, in the system's words where it has them: "No space left on device".
    const std::string& reason() const { return reason_; }

private:
    bool resolve();
    bool fail(const char* what, const std::string& path);
    bool failBecause(std::string error, std::string reason);
    bool keepAccess();

    std::string path_;
    ReplaceRules rules_;
    std::string target_;  // the file replaced: the path, or the file a followed link names
    bool targetExists_ = false;
    struct stat old_ {};
    std::string newPath_;
    int fd_ = -1;
    long long written_ = 0;
    bool committed_ = false;
    std::string error_;
    std::string reason_;
};

// Replaces the file's whole content by `bytes` through a Replacement.
bool replaceWhole(const std::string& path, const std::vector<char>& bytes, std::string& error, ReplaceRules rules = {});

}  // namespace pulmora::files
