#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace pulmora::test {

// A fresh folder under the system's temporary directory, removed with everything in it when
// the test ends. Every test works in one of these, never in a real diary folder.
class TempFolder {
public:
    TempFolder() : TempFolder(std::filesystem::temp_directory_path()) {}
    // Under the given folder instead.
    explicit TempFolder(const std::filesystem::path& root) {
        std::random_device seed;
        path_ = root / ("pulmora-test-" + std::to_string(seed()) + "-" + std::to_string(seed()));
        std::filesystem::create_directories(path_);
    }
    // In memory where the machine has a memory file system, so that a test making thousands of
    // durable writes does not wait for a disk; otherwise as the default.
    static std::filesystem::path memoryRoot() {
        std::error_code ignored;
        const std::filesystem::path shm = "/dev/shm";
        return std::filesystem::is_directory(shm, ignored) ? shm : std::filesystem::temp_directory_path();
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline std::vector<char> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::string& path, const std::vector<char>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

// The permission bits of the file a path names (through a link); -1 when there is none.
int modeOf(const std::string& path);
// The names in a folder, sorted, so a test sees every file a write left behind.
std::vector<std::string> namesIn(const std::filesystem::path& folder);

// Runs a command and returns its standard output and error; `status` receives the exit status.
std::string runCommand(const std::string& command, int& status);

// Runs a Python script with Debian's Python, which has the python3-dbfread and python3-dbf
// packages (another python3 may come first on the PATH). The script is written into the folder.
std::string runSystemPython(const TempFolder& folder, const std::string& script, const std::string& arguments,
                            int& status);

// A script for runSystemPython that reads every record file in the folder given as its
// argument with dbfread, live and deleted records alike, failing on any it cannot read.
extern const char* const kReadAllWithDbfread;

}  // namespace pulmora::test
