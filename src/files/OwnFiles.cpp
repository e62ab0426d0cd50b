#include "OwnFiles.h"

#include <sys/stat.h>
#include <algorithm>
#include <cstdlib>

namespace pulmora::files {

namespace {

std::vector<const OwnFiles::Claim*>& claims() {
    static std::vector<const OwnFiles::Claim*> all;
    return all;
}

std::string resolved(const std::string& path) {
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real) return {};
    std::string text = real;
    std::free(real);
    return text;
}

// The path with every link resolved. A name not there yet is its real folder and the name, so a
// new file is judged by where it would be made; empty when not even the folder is found.
std::string realPath(const std::string& path) {
    if (std::string real = resolved(path); !real.empty()) return real;
    const size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::string realFolder = resolved(folder);
    if (realFolder.empty() || name.empty() || name == "." || name == "..") return {};
    return realFolder == "/" ? "/" + name : realFolder + "/" + name;
}

// The same file under another name: a second hard link, or a mount of the same folder elsewhere.
bool sameFile(const std::string& a, const std::string& b) {
    struct stat x {
    }, y{};
    return ::stat(a.c_str(), &x) == 0 && ::stat(b.c_str(), &y) == 0 && x.st_dev == y.st_dev && x.st_ino == y.st_ino;
}

bool under(const std::string& real, const std::string& folder) {
    const std::string root = realPath(folder);
    return !root.empty() && real.size() > root.size() && real.compare(0, root.size(), root) == 0 &&
           (root.back() == '/' || real[root.size()] == '/');
}

std::string nameOf(const std::string& path) {
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
    const size_t slash = trimmed.find_last_of('/');
    return slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
}

}  // namespace

OwnFiles::OwnFiles(std::vector<std::string> files, std::vector<std::string> folders)
    : claim_(std::make_unique<Claim>(Claim{std::move(files), std::move(folders)})) {
    claims().push_back(claim_.get());
}

OwnFiles::~OwnFiles() {
    if (claim_) std::erase(claims(), claim_.get());
}

OwnFiles::OwnFiles(OwnFiles&& other) noexcept = default;

OwnFiles& OwnFiles::operator=(OwnFiles&& other) noexcept {
    if (this != &other) {
        if (claim_) std::erase(claims(), claim_.get());
        claim_ = std::move(other.claim_);
    }
    return *this;
}

std::string ownFileRefusal(const std::string& path) {
    const std::string real = realPath(path);
    if (real.empty()) return {};
    for (const OwnFiles::Claim* claim : claims()) {
        for (const std::string& file : claim->files)
            if (realPath(file) == real || sameFile(file, path))
                return "it is the diary's own file " + nameOf(file) + ", which only the program writes";
        for (const std::string& folder : claim->folders)
            if (under(real, folder))
                return "it lies in the diary's own folder " + nameOf(folder) + ", which only the program writes";
    }
    return {};
}

}  // namespace pulmora::files
