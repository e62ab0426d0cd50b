#include "StopPoints.h"

#include <sys/wait.h>
#include <unistd.h>

namespace pulmora::test {
namespace {
constexpr int kStoppedStatus = 42;
}

Stop runStoppedBefore(int n, const std::function<bool()>& work) {
    const pid_t child = ::fork();
    if (child == 0) {
        int count = 0;
        files::faults::setHook([&count, n](files::faults::Operation) {
            if (++count == n) ::_exit(kStoppedStatus);
            return true;
        });
        ::_exit(work() ? 0 : 1);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return Stop::Failed;
    switch (WEXITSTATUS(status)) {
    case kStoppedStatus: return Stop::Stopped;
    case 0: return Stop::Finished;
    default: return Stop::Failed;
    }
}

std::vector<files::faults::Operation> operationsOf(const std::function<void()>& work) {
    std::vector<files::faults::Operation> seen;
    files::faults::setHook([&seen](files::faults::Operation op) {
        seen.push_back(op);
        return true;
    });
    work();
    files::faults::setHook({});
    return seen;
}

void copyFiles(const std::filesystem::path& from, const std::filesystem::path& to) {
    namespace fs = std::filesystem;
    for (const auto& entry : fs::directory_iterator(to)) fs::remove_all(entry.path());
    for (const auto& entry : fs::directory_iterator(from))
        if (entry.is_regular_file()) fs::copy_file(entry.path(), to / entry.path().filename());
}

}  // namespace pulmora::test
