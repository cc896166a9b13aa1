#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

class QPainter;
class QPrinter;

namespace platform {

// A printing device as the system lists it. Besides the installed printers there is
// always the device that prints to a PDF file; its port is the file's path.
struct PrinterDevice {
    QString DeviceName;
    QString DriverName;
    QString Port;
};

// The system's printer object: the current printer, its settings, and pages drawn on it
// in the printer's pixels. The first drawing starts a document; NewPage ends the page
// (the next drawing begins a new one); EndDoc ends the document. Failures raise
// RuntimeError 482 ("Printer error").
class Printer {
public:
    static Printer& Current();
    ~Printer();

    // The installed printers, then the PDF file device.
    static QList<PrinterDevice> Printers();
    static QString PdfDeviceName() { return QStringLiteral("Print to File (PDF)"); }
    // The PDF device's file: the one last chosen for it in a printer selection.
    static void SetPdfPort(const QString& path);
    static QString PdfPort();

    // Makes the device the current printer, with its default settings.
    void Select(const PrinterDevice& device);
    QString DeviceName() const { return Device.DeviceName; }
    QString DriverName() const { return Device.DriverName; }
    QString Port() const;

    // Settings. Orientation 1 portrait, 2 landscape; PaperSize a page size of Qt's list;
    // ColorMode 1 monochrome, 2 colour; Duplex 1 simplex, 2 long edge, 3 short edge;
    // PrintQuality the resolution in dots per inch. The program paints every copy
    // itself, so the device is told one copy of each page whatever Copies says.
    int16_t Copies = 1;
    int16_t Orientation() const;
    void SetOrientation(int16_t value);
    int16_t PaperSize() const;
    void SetPaperSize(int16_t value);
    int16_t ColorMode() const;
    void SetColorMode(int16_t value);
    int16_t Duplex() const;
    void SetDuplex(int16_t value);
    int16_t PrintQuality() const;
    void SetPrintQuality(int16_t value);

    // Only pixels (3) are kept; the printable area in the printer's pixels.
    int ScaleMode = 3;
    double ScaleWidth() const;
    double ScaleHeight() const;

    void PaintPicture(const QImage& picture, double x, double y, double width, double height);
    void NewPage();
    void EndDoc();
    // Abandons the document begun, after a failure.
    void KillDoc();

private:
    Printer();
    QPrinter& Page() const { return *Job; }
    void StartDoc();

    PrinterDevice Device;
    std::unique_ptr<QPrinter> Job;
    std::unique_ptr<QPainter> Painter;
    bool PageEnded = false;
};

} // namespace platform
