#include "FileIo.h"

#include "FaultSeam.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pulmora::engine::io {
namespace {

std::string describe(const char* what, const std::string& path) {
    return std::string(what) + " " + path + ": " + std::strerror(errno);
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : path.substr(0, slash + 1);
}

std::string danglingLink(const std::string& path) {
    char target[PATH_MAX];
    const ssize_t n = ::readlink(path.c_str(), target, sizeof target - 1);
    const std::string to = n > 0 ? std::string(target, size_t(n)) : std::string("a missing file");
    return path + " is a link to " + to + ", which does not exist";
}

// A refusal by the test seam looks to the caller exactly like a failing disk.
bool allowed(faults::Operation operation) {
    if (faults::allows(operation)) return true;
    errno = EIO;
    return false;
}

bool syncData(int fd) { return allowed(faults::Operation::Sync) && ::fdatasync(fd) == 0; }
bool syncAll(int fd) { return allowed(faults::Operation::Sync) && ::fsync(fd) == 0; }
bool renameOver(const std::string& from, const std::string& to) {
    return allowed(faults::Operation::Rename) && ::rename(from.c_str(), to.c_str()) == 0;
}

bool writeFully(int fd, const char* data, size_t size, long long offset) {
    if (!allowed(faults::Operation::Write)) return false;
    while (size > 0) {
        const ssize_t n = ::pwrite(fd, data, size, offset);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= size_t(n);
        offset += n;
    }
    return true;
}

// The file a replacement writes: the path itself, or the final target of a link, so the link
// and its target stay one file.
struct Target {
    std::string path;
    bool exists = false;
    struct stat status {};
};

bool resolve(const std::string& path, Target& target, std::string& error) {
    struct stat entry {};
    if (::lstat(path.c_str(), &entry) != 0) {
        if (errno != ENOENT) {
            error = describe("cannot examine", path);
            return false;
        }
        target.path = path;
        return true;
    }
    target.path = path;
    if (S_ISLNK(entry.st_mode)) {
        char* real = ::realpath(path.c_str(), nullptr);
        if (!real) {
            error = errno == ENOENT ? danglingLink(path) : describe("cannot follow the link", path);
            return false;
        }
        target.path = real;
        std::free(real);
    }
    if (::stat(target.path.c_str(), &target.status) != 0) {
        error = describe("cannot examine", target.path);
        return false;
    }
    if (!S_ISREG(target.status.st_mode)) {
        error = path + " is not a plain file";
        return false;
    }
    target.exists = true;
    return true;
}

// The new file takes the old one's owner, group and permission bits. Where the owner or group
// cannot be kept, the group and others lose their access rather than gain that of another group.
bool keepAccess(int fd, const struct stat& old) {
    mode_t mode = old.st_mode & 07777;
    struct stat made {};
    if (::fstat(fd, &made) != 0) return false;
    if ((made.st_uid != old.st_uid || made.st_gid != old.st_gid) && ::fchown(fd, old.st_uid, old.st_gid) != 0)
        mode &= S_IRWXU;
    return ::fchmod(fd, mode) == 0;
}

bool writeNewFile(int fd, const Target& target, const std::string& temp, const std::vector<char>& bytes,
                  std::string& error) {
    if (target.exists && !keepAccess(fd, target.status)) {
        error = describe("cannot set the permissions of", temp);
        return false;
    }
    if (!writeFully(fd, bytes.data(), bytes.size(), 0)) {
        error = describe("cannot write", temp);
        return false;
    }
    if (!syncAll(fd)) {
        error = describe("cannot write to disk", temp);
        return false;
    }
    return true;
}

// A folder's entries reach the disk only when the folder itself is synced. Some file systems
// cannot sync a folder; what was done is in place either way, so that is not a failure.
void syncFolderOf(const std::string& path) {
    const int dir = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) return;
    syncAll(dir);
    ::close(dir);
}

}  // namespace

int openExisting(const std::string& path, bool writable, std::string& error, bool& missing) {
    missing = false;
    const int fd = ::open(path.c_str(), (writable ? O_RDWR : O_RDONLY) | O_CLOEXEC);
    if (fd < 0) {
        struct stat entry {};
        if (errno != ENOENT)
            error = describe("cannot open", path);
        else if (::lstat(path.c_str(), &entry) == 0)
            error = danglingLink(path);
        else
            missing = true;
        return -1;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        error = path + " is not a plain file";
        ::close(fd);
        return -1;
    }
    return fd;
}

bool readAll(int fd, std::vector<char>& bytes, std::string& error) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        error = std::string("cannot read the file size: ") + std::strerror(errno);
        return false;
    }
    bytes.resize(size_t(st.st_size));
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pread(fd, bytes.data() + done, bytes.size() - done, off_t(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error = std::string("cannot read the file: ") + (n < 0 ? std::strerror(errno) : "short read");
            return false;
        }
        done += size_t(n);
    }
    return true;
}

bool writeAt(int fd, long long offset, const char* data, size_t size, std::string& error) {
    if (writeFully(fd, data, size, offset)) return true;
    error = std::string("cannot write: ") + std::strerror(errno);
    return false;
}

bool sync(int fd, std::string& error) {
    if (syncData(fd)) return true;
    error = std::string("cannot write to disk: ") + std::strerror(errno);
    return false;
}

bool replaceWhole(const std::string& path, const std::vector<char>& bytes, std::string& error) {
    Target target;
    if (!resolve(path, target, error)) return false;
    const std::string temp = target.path + ".new";
    // A file of that name is the leftover of a replacement that was cut short.
    if (::unlink(temp.c_str()) != 0 && errno != ENOENT) {
        error = describe("cannot remove the unfinished", temp);
        return false;
    }
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        error = describe("cannot create", temp);
        return false;
    }
    bool written = writeNewFile(fd, target, temp, bytes, error);
    if (::close(fd) != 0 && written) {
        error = describe("cannot write", temp);
        written = false;
    }
    if (!written || !renameOver(temp, target.path)) {
        if (written) error = describe("cannot replace", target.path);
        ::unlink(temp.c_str());
        return false;
    }
    // The rename itself must reach the disk, or a crash could bring the old file back.
    syncFolderOf(target.path);
    return true;
}

void close(int fd) {
    if (fd >= 0) ::close(fd);
}

bool readFile(const std::string& path, std::vector<char>& bytes, std::string& error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = describe("cannot open", path);
        return false;
    }
    const bool read = readAll(fd, bytes, error);
    ::close(fd);
    if (!read) error = path + ": " + error;
    return read;
}

bool renameDurably(const std::string& from, const std::string& to, std::string& error) {
    if (!renameOver(from, to)) {
        error = describe("cannot rename", from) + " to " + to;
        return false;
    }
    syncFolderOf(to);
    if (folderOf(from) != folderOf(to)) syncFolderOf(from);
    return true;
}

bool makeFolder(const std::string& path, std::string& error) {
    if (::mkdir(path.c_str(), 0700) != 0) {
        struct stat status {};
        if (errno == EEXIST && ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) return true;
        error = describe("cannot make the folder", path);
        return false;
    }
    syncFolderOf(path);
    return true;
}

bool removeDurably(const std::string& path, std::string& error) {
    if (::unlink(path.c_str()) != 0) {
        if (errno == ENOENT) return true;
        error = describe("cannot remove", path);
        return false;
    }
    syncFolderOf(path);
    return true;
}

}  // namespace pulmora::engine::io
