#include "Printer.h"

#include "output/PrintTarget.h"

#include <QAbstractPrintDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace pulmora::output {
namespace {

class Printer : public PrintTarget {
public:
    explicit Printer(QPrinter& printer) : printer_(printer) {
        printer_.setDocName(QString::fromLatin1(kPrintJobTitle));
        printer_.setFullPage(false);  // the painter's origin is the corner of the margins
    }
    QPagedPaintDevice& device() override { return printer_; }
    QString name() const override {
        if (!printer_.outputFileName().isEmpty()) return printer_.outputFileName();
        if (!printer_.printerName().isEmpty()) return printer_.printerName();
        return QStringLiteral("the default printer");
    }
    void abort() override { printer_.abort(); }
    bool failed() const override { return printer_.printerState() == QPrinter::Error; }
    // Printing into a PDF file rather than on paper.
    bool toPdfFile() const {
        return printer_.outputFormat() == QPrinter::PdfFormat && !printer_.outputFileName().isEmpty();
    }

private:
    QPrinter& printer_;
};

}  // namespace

PrintOutcome print(QPrinter& printer, const PrintJob& job) {
    Printer target(printer);
    if (!target.toPdfFile()) return print(target, job);
    // The printer is set up as for paper, so that it shows the job's orientation as it would.
    if (const QString fault = printFault(job); !fault.isEmpty()) return PrintOutcome::failed(fault);
    if (const QString fault = prepareTarget(target, job); !fault.isEmpty()) return PrintOutcome::failed(fault);
    return printToPdf(printer.outputFileName(), job, printer.pageLayout().pageSize());
}

PrintOutcome printWithDialog(QPrinter& printer, const PrintJob& job, QWidget* parent,
                             const std::function<void()>& printing) {
    if (const QString fault = printFault(job); !fault.isEmpty()) return PrintOutcome::failed(fault);
    // The dialog shows the job's title and orientation; the job prints all its pages.
    Printer target(printer);
    if (const QString fault = prepareTarget(target, job); !fault.isEmpty()) return PrintOutcome::failed(fault);
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    if (dialog.exec() != QDialog::Accepted) return PrintOutcome::cancelled();
    if (printing) printing();
    return print(printer, job);
}

}  // namespace pulmora::output
