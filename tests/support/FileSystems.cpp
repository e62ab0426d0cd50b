#include "FileSystems.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace pulmora::test {

ScratchFileSystem::ScratchFileSystem(const std::filesystem::path& folder, size_t bytes) : folder_(folder) {
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0700";
    mounted_ = ::mount("pulmora-test", folder.c_str(), "tmpfs", 0, options.c_str()) == 0;
    if (!mounted_)
        why_ = "a scratch file system cannot be mounted here (" + std::string(std::strerror(errno)) +
               "); this test needs the right to mount one";
}

ScratchFileSystem::~ScratchFileSystem() {
    if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
}

bool ScratchFileSystem::fill() {
    const std::string path = (folder_ / "filler").string();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    const std::string block(4096, 'x');
    ssize_t n = 0;
    while ((n = ::write(fd, block.data(), block.size())) > 0) {
    }
    const bool full = n < 0 && errno == ENOSPC;
    ::close(fd);
    return full;
}

bool ScratchFileSystem::makeReadOnly() {
    return mounted_ && ::mount(nullptr, folder_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

ReadOnlyFolder::ReadOnlyFolder(const std::filesystem::path& folder) : folder_(folder) {
    if (::geteuid() == 0) scratch_ = std::make_unique<ScratchFileSystem>(folder, 16u << 20);
}

ReadOnlyFolder::~ReadOnlyFolder() {
    if (applied_ && !scratch_) ::chmod(folder_.c_str(), 0700);
}

bool ReadOnlyFolder::apply() {
    applied_ = scratch_ ? scratch_->makeReadOnly() : ::chmod(folder_.c_str(), 0555) == 0;
    return applied_;
}

std::string asOrdinaryUser(const std::function<std::string()>& work) {
    int channel[2];
    if (::pipe(channel) != 0) return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        constexpr uid_t kNobody = 65534;
        std::string said = "could not become nobody";
        if (::geteuid() != 0 || (::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0))
            said = work();
        const ssize_t ignored = ::write(channel[1], said.data(), said.size());
        (void)ignored;
        ::_exit(0);
    }
    ::close(channel[1]);
    std::string heard;
    char buffer[256];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;) heard.append(buffer, size_t(n));
    ::close(channel[0]);
    ::waitpid(child, nullptr, 0);
    return heard;
}

}  // namespace pulmora::test
