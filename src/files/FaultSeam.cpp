#include "FaultSeam.h"

namespace pulmora::files::faults {
namespace {
Hook& hook() {
    static Hook installed;
    return installed;
}
}  // namespace

void setHook(Hook h) { hook() = std::move(h); }

bool allows(Operation operation) { return !hook() || hook()(operation); }

}  // namespace pulmora::files::faults
