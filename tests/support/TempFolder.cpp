#include "TempFolder.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <algorithm>
#include <cstdio>

namespace pulmora::test {

int modeOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

std::vector<std::string> namesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string runCommand(const std::string& command, int& status) {
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) {
        status = -1;
        return output;
    }
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
    const int raw = ::pclose(pipe);
    status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return output;
}

std::string runSystemPython(const TempFolder& folder, const std::string& script, const std::string& arguments,
                            int& status) {
    const std::string file = folder.file("script.py");
    writeBytes(file, {script.begin(), script.end()});
    return runCommand("/usr/bin/python3 " + file + " " + arguments + " 2>&1", status);
}

const char* const kReadAllWithDbfread =
    "import dbfread, glob, sys\n"
    "for p in sorted(glob.glob(sys.argv[1] + '/*.[dD][aA][tT]')):\n"
    "    t = dbfread.DBF(p, encoding='cp1252', char_decode_errors='strict')\n"
    "    list(t); list(t.deleted)\n";

}  // namespace pulmora::test
