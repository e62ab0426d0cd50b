#include "SheetJob.h"

#include "RecordSheet.h"

namespace pulmora::sheet {

output::PageSizing sheetSizing(const PageChoice& choice) {
    using output::Extent;
    const output::ScreenLetter letter = RecordSheet::letter();
    if (choice.automatic) return output::PageSizing::scaled(letter);
    if (choice.widthQuarters == 2 && choice.heightQuarters == 2)
        return output::PageSizing(Extent::inches(3), Extent::scaled().atMostInches(6), letter);
    return output::PageSizing(Extent::ofPrintable(choice.widthQuarters / 4.0),
                              Extent::ofPrintable(choice.heightQuarters / 4.0), letter);
}

output::PrintJob sheetJob(const std::vector<SheetPerson>& persons, const SheetOptions& options) {
    output::PrintJob job;
    job.orientation = QPageLayout::Portrait;
    job.leftMarginInches = 0.5;
    const output::PageSizing sizing = sheetSizing(options.size);
    for (const SheetPerson& person : persons) {
        const RecordSheet sheet(person, options.first, options.days);
        for (output::RecordedPage& page : sheet.pages(options.separateLists))
            job.pages.push_back({std::move(page), sizing});
    }
    return job;
}

}  // namespace pulmora::sheet
