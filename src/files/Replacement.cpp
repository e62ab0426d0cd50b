#include "Replacement.h"

#include "OwnFiles.h"
#include "SeamedCalls.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string_view>
#include <utility>

namespace pulmora::files {
namespace {

// The hidden names of unfinished replacements: this prefix and six letters or digits, as
// mkstemp and hiddenNameIn make them. 26 bytes, whatever the target's name.
constexpr std::string_view kHiddenPrefix = ".pulmora-unfinished-";
constexpr size_t kHiddenLetters = 6;
constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

bool isHiddenName(std::string_view name) {
    return name.size() == kHiddenPrefix.size() + kHiddenLetters && name.starts_with(kHiddenPrefix) &&
           name.find_first_not_of(kLetters, kHiddenPrefix.size()) == std::string_view::npos;
}

std::string folderPrefix(const std::string& folder) { return folder.ends_with('/') ? folder : folder + '/'; }

// A hidden name in the folder that was free a moment ago; the caller takes it with O_EXCL or link.
std::string hiddenNameIn(const std::string& folder) {
    static std::minstd_rand random{std::random_device{}()};
    std::uniform_int_distribution<size_t> letter(0, sizeof kLetters - 2);
    std::string name = folder + std::string(kHiddenPrefix);
    for (size_t i = 0; i < kHiddenLetters; ++i) name += kLetters[letter(random)];
    return name;
}

// A running replacement holds a lock on its new file, so removeUnfinished never takes it.
bool holdAgainstRemoval(int fd) { return ::flock(fd, LOCK_EX | LOCK_NB) == 0; }

}  // namespace

Replacement::Replacement(std::string path, ReplaceRules rules) : path_(std::move(path)), rules_(rules) {}

Replacement::~Replacement() {
    if (fd_ >= 0) ::close(fd_);
    // A file without a name went with its descriptor.
    if (!committed_ && !hiddenName_.empty()) ::unlink(hiddenName_.c_str());
}

bool Replacement::fail(const std::string& what, const std::string& path) {
    return failBecause(seamed::describe(what.c_str(), path), std::strerror(errno));
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
    const std::string folder = seamed::folderOf(target_);
    // Either road may leave a hidden name behind when stopped: what earlier stops left goes first.
    std::string error;
    if (!removeUnfinished(folder, error)) return failBecause(error, std::strerror(errno));
    fd_ = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd_ >= 0) {
        newPath_ = "/proc/self/fd/" + std::to_string(fd_);
        // Without that name the file could never be linked into place.
        if (::access(newPath_.c_str(), F_OK) == 0 && holdAgainstRemoval(fd_)) {
            unnamed_ = true;
            return true;
        }
        ::close(fd_);
        fd_ = -1;
    }
    return makeNamed(folder);
}

// The file system makes no file without a name: the new file takes a hidden one of its own.
bool Replacement::makeNamed(const std::string& folder) {
    std::string name = folder + std::string(kHiddenPrefix) + "XXXXXX";
    fd_ = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd_ < 0) return fail("cannot create a new file in", folder);
    hiddenName_ = newPath_ = name;
    if (!holdAgainstRemoval(fd_)) return fail("cannot lock", name);
    return true;
}

bool Replacement::write(const char* data, size_t size) {
    if (!seamed::writeFully(fd_, data, size, written_)) return fail("cannot write the new file for", target_);
    written_ += (long long)size;
    return true;
}

int Replacement::openCopy() {
    const int copy = ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
    if (copy < 0) fail("cannot open the new file again for", target_);
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
    if (!keepAccess()) return fail("cannot set the permissions of the new file for", target_);
    // Each step is checked: a write can be accepted into the cache and fail only when it is
    // synced or closed, and putting an incomplete file in place of the old one would lose it.
    if (!seamed::syncAll(fd_)) return fail("cannot write to disk the new file for", target_);
    // The new name must reach the disk, or a crash could bring the old file back. The folder is
    // opened first, so its sync needs nothing that could run out once the file is in place.
    const int folder = seamed::openFolderOf(target_);
    if (folder < 0) return fail("cannot open the folder of", target_);
    committed_ = putInPlace();
    const bool synced = committed_ && seamed::syncFolder(folder);
    const int error = errno;
    ::close(folder);
    errno = error;
    if (committed_ && !synced) return fail("cannot write to disk the new", target_);
    return synced;
}

bool Replacement::putInPlace() {
    const auto closeNew = [this] {
        const int fd = std::exchange(fd_, -1);
        return ::close(fd) == 0 || fail("cannot write the new file for", target_);
    };
    if (unnamed_ && !targetExists_) {
        // Nothing stands in the way: the complete file gets the target's name in one step.
        if (seamed::linkAs(fd_, target_)) {
            if (closeNew()) return true;
            if (::unlink(target_.c_str()) != 0) error_ += "; it stays incomplete";
            return false;
        }
        if (errno != EEXIST) return fail("cannot create", target_);
    }
    while (unnamed_ && hiddenName_.empty()) {
        const std::string name = hiddenNameIn(seamed::folderOf(target_));
        const std::string self = "/proc/self/fd/" + std::to_string(fd_);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
            hiddenName_ = name;
        else if (errno != EEXIST)
            return fail("cannot create the new file for", target_);
    }
    // The lock lasts while any descriptor of the file is open: a copy keeps it until the rename,
    // so that no other replacement takes the finished file for a leftover and removes it.
    const int hold = ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
    if (hold < 0) return fail("cannot keep the new file for", target_);
    const bool replaced = closeNew() && (seamed::renameOver(hiddenName_, target_) || fail("cannot replace", target_));
    const int error = errno;
    ::close(hold);
    errno = error;
    if (!replaced) return false;
    hiddenName_.clear();
    return true;
}

bool Replacement::replaceBy(const char* data, size_t size) { return begin() && write(data, size) && commit(); }

bool replaceWhole(const std::string& path, const std::vector<char>& bytes, std::string& error, ReplaceRules rules) {
    Replacement replacement(path, rules);
    if (replacement.replaceBy(bytes.data(), bytes.size())) return true;
    error = replacement.error();
    return false;
}

bool removeUnfinished(const std::string& folder, std::string& error) {
    const std::string prefix = folderPrefix(folder);
    DIR* dir = ::opendir(prefix.c_str());
    if (!dir) {
        error = seamed::describe("cannot read the folder", folder);
        return false;
    }
    bool removed = true;
    int failure = 0;  // the reason of the first removal that failed, for the caller's message
    while (const dirent* entry = ::readdir(dir)) {
        if (!isHiddenName(entry->d_name)) continue;
        const std::string path = prefix + entry->d_name;
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;  // gone already, or not a file this program could have made
        struct stat status {};
        // Only a plain file of this user's that no replacement holds; the lock is kept until it is gone.
        if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_uid == ::geteuid() &&
            holdAgainstRemoval(fd) && ::unlink(path.c_str()) != 0 && errno != ENOENT && removed) {
            failure = errno;
            error = seamed::describe("cannot remove the unfinished", path);
            removed = false;
        }
        ::close(fd);
    }
    ::closedir(dir);
    if (!removed) errno = failure;
    return removed;
}

}  // namespace pulmora::files
