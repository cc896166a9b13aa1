#pragma once

#include <QString>
#include <cstdint>

class QWidget;

namespace platform {

// Flags of the printer selection, as the system's print dialog knows them.
constexpr int32_t PD_NOSELECTION = 0x4;
constexpr int32_t PD_NOPAGENUMS = 0x8;
constexpr int32_t PD_USEDEVMODECOPIESANDCOLLATE = 0x40000;
constexpr int32_t PD_HIDEPRINTTOFILE = 0x100000;

// The run-time error of a cancelled selection when CancelError is on.
constexpr int32_t SelectionCancelled = 32755;

// The printer-selection window: primed with a device and a setting, it lets the user
// choose a printer (or a PDF file), the number of copies and the page settings, and
// reports them. Qt's own print dialog, so that tests can drive it. Printing to a file
// always stays on offer, since it is a PDF file and the only choice on a machine with no
// printer.
class PrinterSelection {
public:
    void SetPrinterName(const QString& name) { DeviceName = name; }
    void SetDriverName(const QString& name) { DriverName = name; }
    void SetPort(const QString& port) { Port = port; }
    void SetOrientation(int16_t value) { Orientation_ = value; }
    void SetFlags(int32_t flags) { Flags = flags; }
    // With it a cancelled selection raises SelectionCancelled.
    void SetCancelError(bool on) { CancelError = on; }

    // Shows the window owned by `owner` (none when null) and waits for the choice. A PDF
    // file chosen becomes the PDF device's port.
    void ShowPrinter(QWidget* owner);

    // The choice: the device's name, the number of copies, and the settings in the
    // values of the printer object's.
    QString PrinterName() const { return DeviceName; }
    int16_t Copies() const { return Copies_; }
    int16_t Orientation() const { return Orientation_; }
    int16_t PaperSize() const { return PaperSize_; }
    int16_t ColorMode() const { return ColorMode_; }
    int16_t Duplex() const { return Duplex_; }
    int16_t PrintQuality() const { return PrintQuality_; }

private:
    QString DeviceName;
    QString DriverName;
    QString Port;
    int32_t Flags = 0;
    bool CancelError = false;
    int16_t Copies_ = 1;
    int16_t Orientation_ = 1;
    int16_t PaperSize_ = 0;
    int16_t ColorMode_ = 2;
    int16_t Duplex_ = 1;
    int16_t PrintQuality_ = 0;
};

} // namespace platform
