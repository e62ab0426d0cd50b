#pragma once

#include "FileIo.h"

#include <sys/stat.h>
#include <string>
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

// The one way a whole file is replaced. The new content is written into a new file in the
// target's folder, synced, given the old file's owner, group and permissions (for its owner only
// when there was no file) and put in its place, and the folder is synced: a stop at any moment
// leaves the old file or the new one, never a mixture, and a failure leaves the old file exactly
// as it was and no new one. The new file never takes a name that could be anyone else's: where
// the file system allows it is made without a name (O_TMPFILE) and linked under the target's
// name only when complete, so a stop leaves nothing behind; an old file is replaced by linking
// the new one under a hidden name of this class's own and renaming that over it. Elsewhere the
// new file gets such a hidden, unique name from the start (mkstemp). Either way the name is
// short, so a target of any legal length can be replaced, and a hidden name left by a stop is
// removed by the next replacement in that folder (see removeUnfinished).
class Replacement {
public:
    explicit Replacement(std::string path, ReplaceRules rules = {});
    // Removes the new file unless it was committed.
    ~Replacement();
    Replacement(const Replacement&) = delete;
    Replacement& operator=(const Replacement&) = delete;

    // Finds the file to replace under the rules and makes the new, empty file beside it.
    bool begin();
    // A name that opens the new file, for a writer that opens files by name.
    const std::string& newPath() const { return newPath_; }
    // Appends to the new file.
    bool write(const char* data, size_t size);
    // A descriptor of its own for the new file, open for reading and writing, that stays valid
    // once the file is put in place; -1 when there is none to be had.
    int openCopy();
    // Puts the new file in place as described above.
    bool commit();
    // Whether the new file stands under the target's name: after a commit, even one that failed
    // at its last step (the folder's sync), when the file in place is the new one.
    bool inPlace() const { return committed_; }
    // All of it at once: begin, write the bytes, commit.
    bool replaceBy(const char* data, size_t size);

    // What failed, naming the file: "cannot write the new /a/b.pdf: No space left on device".
    const std::string& error() const { return error_; }
    // Why, in the system's words where it has them: "No space left on device".
    const std::string& reason() const { return reason_; }

private:
    bool resolve();
    bool fail(const std::string& what, const std::string& path);
    bool failBecause(std::string error, std::string reason);
    bool keepAccess();
    bool makeNamed(const std::string& folder);
    bool putInPlace();

    std::string path_;
    ReplaceRules rules_;
    std::string target_;  // the file replaced: the path, or the file a followed link names
    bool targetExists_ = false;
    struct stat old_ {};
    std::string newPath_;
    std::string hiddenName_;  // the new file's name in the folder while it has one, before commit
    bool unnamed_ = false;    // made without a name
    int fd_ = -1;
    long long written_ = 0;
    bool committed_ = false;
    std::string error_;
    std::string reason_;
};

// Removes what replacements stopped part-way left in the folder: the hidden files of this
// class's own naming that no running replacement holds. Each start does it in the diary folder.
bool removeUnfinished(const std::string& folder, std::string& error);

// Replaces the file's whole content by `bytes` through a Replacement.
bool replaceWhole(const std::string& path, const std::vector<char>& bytes, std::string& error, ReplaceRules rules = {});

}  // namespace pulmora::files
