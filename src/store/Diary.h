#pragma once

#include "Days.h"
#include "DiaryStore.h"
#include "Persons.h"
#include "ReportCursors.h"

namespace pulmora::store {

// Everything the windows use of the store: the open record files and the operations on them.
struct Diary {
    DiaryStore files;
    Persons persons{files};
    Days days{files, persons};
    ReportCursors reports{files};
};

}  // namespace pulmora::store
