#include "FileIo.h"

#include "SeamedCalls.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

namespace pulmora::files {

namespace seamed {

bool allowed(faults::Operation operation) {
    if (faults::allows(operation)) return true;
    errno = EIO;
    return false;
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

bool syncData(int fd) { return allowed(faults::Operation::Sync) && ::fdatasync(fd) == 0; }
bool syncAll(int fd) { return allowed(faults::Operation::Sync) && ::fsync(fd) == 0; }

bool renameOver(const std::string& from, const std::string& to) {
    return allowed(faults::Operation::Rename) && ::rename(from.c_str(), to.c_str()) == 0;
}

bool linkAs(int fd, const std::string& to) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    return allowed(faults::Operation::Rename) &&
           ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, to.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

int openFolderOf(const std::string& path) { return ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); }

bool syncFolder(int folder) { return syncAll(folder) || errno == EINVAL; }

bool syncFolderOf(const std::string& path) {
    const int dir = openFolderOf(path);
    if (dir < 0) return false;
    const bool synced = syncFolder(dir);
    const int error = errno;
    ::close(dir);
    errno = error;
    return synced;
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : path.substr(0, slash + 1);
}

std::string describe(const char* what, const std::string& path) {
    return std::string(what) + " " + path + ": " + std::strerror(errno);
}

std::string danglingLink(const std::string& path) {
    char target[PATH_MAX];
    const ssize_t n = ::readlink(path.c_str(), target, sizeof target - 1);
    const std::string to = n > 0 ? std::string(target, size_t(n)) : std::string("a missing file");
    return path + " is a link to " + to + ", which does not exist";
}

}  // namespace seamed

using seamed::describe;

int openExisting(const std::string& path, bool writable, std::string& error, bool& missing) {
    missing = false;
    const int fd = ::open(path.c_str(), (writable ? O_RDWR : O_RDONLY) | O_CLOEXEC);
    if (fd < 0) {
        struct stat entry {};
        if (errno != ENOENT)
            error = describe("cannot open", path);
        else if (::lstat(path.c_str(), &entry) == 0)
            error = seamed::danglingLink(path);
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
    uint64_t size = 0;
    return readStart(fd, SIZE_MAX, bytes, size, error);
}

bool readStart(int fd, size_t most, std::vector<char>& bytes, uint64_t& fileSize, std::string& error) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        error = std::string("cannot read the file size: ") + std::strerror(errno);
        return false;
    }
    fileSize = uint64_t(st.st_size);
    bytes.resize(std::min(size_t(st.st_size), most));
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
    if (seamed::writeFully(fd, data, size, offset)) return true;
    error = std::string("cannot write: ") + std::strerror(errno);
    return false;
}

bool sync(int fd, std::string& error) {
    if (seamed::syncData(fd)) return true;
    error = std::string("cannot write to disk: ") + std::strerror(errno);
    return false;
}

void close(int fd) {
    if (fd >= 0) ::close(fd);
}

bool readFile(const std::string& path, std::vector<char>& bytes, std::string& error, Links links) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | (links == Links::NotFollowed ? O_NOFOLLOW : 0));
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
    if (!seamed::renameOver(from, to)) {
        error = describe("cannot rename", from) + " to " + to;
        return false;
    }
    if (!seamed::syncFolderOf(to) || (seamed::folderOf(from) != seamed::folderOf(to) && !seamed::syncFolderOf(from))) {
        error = describe("cannot write to disk the rename of", from) + " to " + to;
        return false;
    }
    return true;
}

bool makeFolder(const std::string& path, std::string& error) {
    if (::mkdir(path.c_str(), 0700) != 0) {
        struct stat status {};
        if (errno == EEXIST && ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) return true;
        error = describe("cannot make the folder", path);
        return false;
    }
    if (!seamed::syncFolderOf(path)) {
        error = describe("cannot write to disk the new folder", path);
        return false;
    }
    return true;
}

bool removeDurably(const std::string& path, std::string& error) {
    if (::unlink(path.c_str()) != 0) {
        if (errno == ENOENT) return true;
        error = describe("cannot remove", path);
        return false;
    }
    if (!seamed::syncFolderOf(path)) {
        error = describe("cannot write to disk the removal of", path);
        return false;
    }
    return true;
}

}  // namespace pulmora::files
