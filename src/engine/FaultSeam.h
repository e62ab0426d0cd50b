#pragma once

#include "files/FaultSeam.h"

// The engine writes its files through the files module, so its writes stop at that module's seam.
namespace pulmora::engine {
namespace faults = files::faults;
}
