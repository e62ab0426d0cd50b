#pragma once

#include "output/Printing.h"

#include <functional>

class QPrinter;
class QWidget;

// Printing on a printer the user chooses: the window side of printing, apart from the pages and
// files above so that they need no widgets.
namespace pulmora::output {

// Prints the job on a printer already chosen, as print() on any target; a printer set to print
// into a PDF file writes the file as printToPdf does, on the printer's paper.
[[nodiscard]] PrintOutcome print(QPrinter& printer, const PrintJob& job);

// Lets the user choose the printer (or a PDF file) in the platform's print dialog, then prints
// the job there. Closing the dialog without printing is Cancelled, and nothing is printed.
// `printing`, when given, runs once the printer is chosen, just before the pages are drawn.
[[nodiscard]] PrintOutcome printWithDialog(QPrinter& printer, const PrintJob& job, QWidget* parent,
                                           const std::function<void()>& printing = {});

}  // namespace pulmora::output
