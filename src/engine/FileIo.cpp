#include "FileIo.h"

#include "FaultSeam.h"

#include <cerrno>
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

// A refusal by the test seam looks to the caller exactly like a failing disk.
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

}  // namespace

int openReadWrite(const std::string& path, std::string& error, bool& missing) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    missing = fd < 0 && errno == ENOENT;
    if (fd < 0 && !missing) error = describe("cannot open", path);
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
    const std::string temp = path + ".new";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = describe("cannot create", temp);
        return false;
    }
    const bool written = writeFully(fd, bytes.data(), bytes.size(), 0) && syncAll(fd);
    if (!written) error = describe("cannot write", temp);
    ::close(fd);
    if (!written || !renameOver(temp, path)) {
        if (written) error = describe("cannot replace", path);
        ::unlink(temp.c_str());
        return false;
    }
    // The rename itself must reach the disk, or a crash could bring the old file back.
    const int dir = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        syncAll(dir);
        ::close(dir);
    }
    return true;
}

void close(int fd) {
    if (fd >= 0) ::close(fd);
}

}  // namespace pulmora::engine::io
