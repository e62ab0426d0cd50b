#pragma once

#include "SheetPerson.h"

#include "output/PageSizing.h"
#include "output/Printing.h"

#include <QDate>

#include <vector>

namespace pulmora::sheet {

// How large a sheet prints: chosen automatically, or as quarters (2, 3 or 4) of the printable
// width and height. Two quarters each way is the small "Filofax" size.
struct PageChoice {
    bool automatic = true;
    int widthQuarters = 2;
    int heightQuarters = 2;
};

// What the user chose for the sheets of one print.
struct SheetOptions {
    QDate first;
    int days = 7;                // 7 or 14
    bool separateLists = false;  // triggers and medication on a second page
    PageChoice size;
};

// The printed size of every page of a sheet:
//   automatic: by the letter "H" of the sheet's font against the printer's;
//   two quarters each way: 3 inches wide, and as high as by the letter but at most 6 inches;
//   otherwise: the chosen quarters of the printable width and height.
output::PageSizing sheetSizing(const PageChoice& choice);

// One job for all the persons' sheets, in order, each starting on a new page: portrait, with a
// left margin of half an inch and the printer's own margins elsewhere.
output::PrintJob sheetJob(const std::vector<SheetPerson>& persons, const SheetOptions& options);

}  // namespace pulmora::sheet
