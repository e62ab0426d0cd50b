#pragma once

#include "Printing.h"

#include <QString>

class QPagedPaintDevice;

namespace pulmora::output {

// What a job is printed on: a paged device (a printer, a PDF writer) and what it can tell of a
// job once the job has started.
class PrintTarget {
public:
    virtual ~PrintTarget() = default;
    virtual QPagedPaintDevice& device() = 0;
    // The printer or file, as a message names it.
    virtual QString name() const = 0;
    // Calls off a job that went wrong after it started, where the device can take back what it
    // was sent.
    virtual void abort() = 0;
    // Whether the device reports the job failed once the job ended.
    virtual bool failed() const = 0;
};

// Why the job cannot be printed at all (no page, a page without a size or a picture that cannot
// be read), found before anything starts; empty when it can be.
QString printFault(const PrintJob& job);

// Sets the device up for the job's first sheet: its orientation, and its margins on the device's
// paper. Empty when the device took them, else what it did not take.
QString prepareTarget(PrintTarget& target, const PrintJob& job);

// Prints the job on a target already chosen. Printed only once every page went out; a job that
// cannot start or a page that cannot be drawn aborts the job and fails, saying what went wrong.
[[nodiscard]] PrintOutcome print(PrintTarget& target, const PrintJob& job);

}  // namespace pulmora::output
