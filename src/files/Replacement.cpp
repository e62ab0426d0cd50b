#include "Replacement.h"

#include "OwnFiles.h"
#include "SeamedCalls.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace pulmora::files {

Replacement::Replacement(std::string path, ReplaceRules rules) : path_(std::move(path)), rules_(rules) {}

Replacement::~Replacement() {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_ && !newPath_.empty()) ::unlink(newPath_.c_str());
}

bool Replacement::fail(const char* what, const std::string& path) {
    return failBecause(seamed::describe(what, path), std::strerror(errno));
}

bool Replacement::failBecause(std::string error, std::string reason) {
    error_ = std::move(error);
    reason_ = std::move(reason);
    return false;
}

bool Replacement::resolve() {
    target_ = path_;
    if (rules_.refuseOwnFiles)
        if (std::string why = ownFileRefusal(path_); !why.empty())
            return failBecause("cannot write " + path_ + ": " + why, why);
    struct stat entry {};
    if (::lstat(path_.c_str(), &entry) != 0) {
        if (errno != ENOENT) return fail("cannot examine", path_);
        return true;
    }
    if (S_ISLNK(entry.st_mode)) {
        if (rules_.links == Links::NotFollowed) return true;
        char* real = ::realpath(path_.c_str(), nullptr);
        if (!real) {
            if (errno != ENOENT) return fail("cannot follow the link", path_);
            const std::string dangling = seamed::danglingLink(path_);
            return failBecause(dangling, "it" + dangling.substr(path_.size()));
        }
        target_ = real;
        std::free(real);
    }
    if (::stat(target_.c_str(), &old_) != 0) return fail("cannot examine", target_);
    if (!S_ISREG(old_.st_mode)) return failBecause(path_ + " is not a plain file", "it is not a plain file");
    if (rules_.refuseUnwritable && ::faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) != 0)
        return fail("may not write", target_);
    targetExists_ = true;
    return true;
}

bool Replacement::begin() {
    if (!resolve()) return false;
    const std::string name = target_ + ".new";
    // A file of that name is the leftover of a replacement that was cut short.
    if (::unlink(name.c_str()) != 0 && errno != ENOENT) return fail("cannot remove the unfinished", name);
    fd_ = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd_ < 0) return fail("cannot create", name);
    newPath_ = name;
    return true;
}

bool Replacement::write(const char* data, size_t size) {
    if (!seamed::writeFully(fd_, data, size, written_)) return fail("cannot write", newPath_);
    written_ += (long long)size;
    return true;
}

int Replacement::openCopy() {
    const int copy = ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
    if (copy < 0) fail("cannot open", newPath_);
    return copy;
}

// The new file takes the old one's owner, group and permission bits. Where the owner or group
// cannot be kept, the group and others lose their access rather than gain that of another group.
bool Replacement::keepAccess() {
    if (!targetExists_) return true;
    mode_t mode = old_.st_mode & 07777;
    struct stat made {};
    if (::fstat(fd_, &made) != 0) return false;
    if ((made.st_uid != old_.st_uid || made.st_gid != old_.st_gid) && ::fchown(fd_, old_.st_uid, old_.st_gid) != 0)
        mode &= S_IRWXU;
    return ::fchmod(fd_, mode) == 0;
}

bool Replacement::commit() {
    if (!keepAccess()) return fail("cannot set the permissions of", newPath_);
    // Each step is checked: a write can be accepted into the cache and fail only when it is
    // synced or closed, and renaming an incomplete file over the old one would lose the old one.
    if (!seamed::syncAll(fd_)) return fail("cannot write to disk", newPath_);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) return fail("cannot write", newPath_);
    if (!seamed::renameOver(newPath_, target_)) return fail("cannot replace", target_);
    committed_ = true;
    // The rename itself must reach the disk, or a crash could bring the old file back.
    seamed::syncFolderOf(target_);
    return true;
}

bool Replacement::replaceBy(const char* data, size_t size) { return begin() && write(data, size) && commit(); }

bool replaceWhole(const std::string& path, const std::vector<char>& bytes, std::string& error, ReplaceRules rules) {
    Replacement replacement(path, rules);
    if (replacement.replaceBy(bytes.data(), bytes.size())) return true;
    error = replacement.error();
    return false;
}

}  // namespace pulmora::files
