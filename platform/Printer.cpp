#include "Printer.h"

#include "RuntimeError.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace platform {
namespace {
constexpr int32_t PrinterError = 482;

[[noreturn]] void Raise() {
    throw RuntimeError(PrinterError, QStringLiteral("Printer"), QStringLiteral("Printer error"));
}

QString& PdfFile() {
    static QString path;
    return path;
}

PrinterDevice PdfDevice() {
    return {Printer::PdfDeviceName(), QStringLiteral("PDF"), PdfFile()};
}

PrinterDevice DeviceOf(const QPrinterInfo& info) {
    return {info.printerName(), info.makeAndModel(), info.location()};
}
} // namespace

Printer& Printer::Current() {
    static Printer printer;
    return printer;
}

Printer::Printer() {
    const QPrinterInfo installed = QPrinterInfo::defaultPrinter();
    Select(installed.isNull() ? PdfDevice() : DeviceOf(installed));
}

Printer::~Printer() = default;

QList<PrinterDevice> Printer::Printers() {
    QList<PrinterDevice> devices;
    for (const QPrinterInfo& info : QPrinterInfo::availablePrinters())
        devices.append(DeviceOf(info));
    devices.append(PdfDevice());
    return devices;
}

void Printer::SetPdfPort(const QString& path) {
    PdfFile() = path;
}

QString Printer::PdfPort() {
    return PdfFile();
}

void Printer::Select(const PrinterDevice& device) {
    Painter.reset();
    Job = std::make_unique<QPrinter>(QPrinter::HighResolution);
    Device = device;
    if (device.DeviceName == PdfDeviceName())
        Job->setOutputFormat(QPrinter::PdfFormat);
    else
        Job->setPrinterName(device.DeviceName);
    Copies = 1;
    PageEnded = false;
}

QString Printer::Port() const {
    return Device.DeviceName == PdfDeviceName() ? PdfFile() : Device.Port;
}

int16_t Printer::Orientation() const {
    return Page().pageLayout().orientation() == QPageLayout::Landscape ? 2 : 1;
}

void Printer::SetOrientation(int16_t value) {
    Page().setPageOrientation(value == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
}

int16_t Printer::PaperSize() const {
    return int16_t(Page().pageLayout().pageSize().id());
}

void Printer::SetPaperSize(int16_t value) {
    if (value >= 0 && value < QPageSize::LastPageSize && value != QPageSize::Custom)
        Page().setPageSize(QPageSize(QPageSize::PageSizeId(value)));
}

int16_t Printer::ColorMode() const {
    return Page().colorMode() == QPrinter::GrayScale ? 1 : 2;
}

void Printer::SetColorMode(int16_t value) {
    Page().setColorMode(value == 1 ? QPrinter::GrayScale : QPrinter::Color);
}

int16_t Printer::Duplex() const {
    switch (Page().duplex()) {
    case QPrinter::DuplexLongSide:
        return 2;
    case QPrinter::DuplexShortSide:
        return 3;
    default:
        return 1;
    }
}

void Printer::SetDuplex(int16_t value) {
    Page().setDuplex(value == 2   ? QPrinter::DuplexLongSide
                     : value == 3 ? QPrinter::DuplexShortSide
                                  : QPrinter::DuplexNone);
}

int16_t Printer::PrintQuality() const {
    return int16_t(Page().resolution());
}

void Printer::SetPrintQuality(int16_t value) {
    if (value > 0 && !Painter)
        Page().setResolution(value);
}

double Printer::ScaleWidth() const {
    return Page().pageRect(QPrinter::DevicePixel).width();
}

double Printer::ScaleHeight() const {
    return Page().pageRect(QPrinter::DevicePixel).height();
}

void Printer::StartDoc() {
    if (Painter)
        return;
    if (Job->outputFormat() == QPrinter::PdfFormat) {
        if (PdfFile().isEmpty())
            Raise();
        Job->setOutputFileName(PdfFile());
    }
    Job->setCopyCount(1);
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(Job.get()))
        Raise();
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    Painter = std::move(painter);
    PageEnded = false;
}

void Printer::PaintPicture(const QImage& picture, double x, double y, double width, double height) {
    StartDoc();
    if (PageEnded && !Job->newPage())
        Raise();
    PageEnded = false;
    Painter->drawImage(QRectF(x, y, width, height), picture);
}

void Printer::NewPage() {
    StartDoc();
    // Two page ends in a row leave an empty page between them.
    if (PageEnded && !Job->newPage())
        Raise();
    PageEnded = true;
}

void Printer::EndDoc() {
    if (!Painter)
        return;
    const bool ended = Painter->end();
    Painter.reset();
    PageEnded = false;
    if (!ended)
        Raise();
}

void Printer::KillDoc() {
    if (!Painter)
        return;
    Job->abort();
    Painter->end();
    Painter.reset();
    PageEnded = false;
}

} // namespace platform
