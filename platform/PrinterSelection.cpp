#include "PrinterSelection.h"

#include "Printer.h"
#include "RuntimeError.h"

#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>

namespace platform {

void PrinterSelection::ShowPrinter(QWidget* owner) {
    // A printer of the selection's own, primed with the device and the setting; the
    // current printer changes only when the caller takes the choice over.
    QPrinter printer(QPrinter::HighResolution);
    if (DeviceName == Printer::PdfDeviceName()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(Port);
    } else {
        printer.setPrinterName(DeviceName);
    }
    printer.setPageOrientation(Orientation_ == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);

    QPointer<QPrintDialog> dialog = new QPrintDialog(&printer, owner);
    QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintToFile |
                                                       QAbstractPrintDialog::PrintShowPageSize |
                                                       QAbstractPrintDialog::PrintCollateCopies;
    if (!(Flags & PD_NOSELECTION))
        options |= QAbstractPrintDialog::PrintSelection;
    if (!(Flags & PD_NOPAGENUMS))
        options |= QAbstractPrintDialog::PrintPageRange;
    dialog->setOptions(options);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    delete dialog; // null when the owner went away meanwhile
    if (!accepted) {
        if (CancelError)
            throw RuntimeError(SelectionCancelled, QStringLiteral("PrinterSelection"),
                               QStringLiteral("Cancel was selected."));
        return;
    }

    if (printer.outputFormat() == QPrinter::PdfFormat) {
        DeviceName = Printer::PdfDeviceName();
        Port = printer.outputFileName();
        Printer::SetPdfPort(Port);
    } else {
        DeviceName = printer.printerName();
    }
    Copies_ = int16_t(std::clamp(printer.copyCount(), 1, 9999));
    Orientation_ = printer.pageLayout().orientation() == QPageLayout::Landscape ? 2 : 1;
    PaperSize_ = int16_t(printer.pageLayout().pageSize().id());
    ColorMode_ = printer.colorMode() == QPrinter::GrayScale ? 1 : 2;
    Duplex_ = printer.duplex() == QPrinter::DuplexLongSide    ? 2
              : printer.duplex() == QPrinter::DuplexShortSide ? 3
                                                              : 1;
    PrintQuality_ = int16_t(printer.resolution());
}

} // namespace platform
