#pragma once

#include <QString>
#include <cstdint>
#include <stdexcept>

// The run-time error a cFileDialog raises when the user cancels and CancelError is set.
class cFileDialogError : public std::runtime_error {
public:
    // The number raised for a cancel.
    static constexpr int32_t CancelNumber = 32755;

    cFileDialogError(int32_t number, const QString& description, const QString& source)
        : std::runtime_error(description.toStdString()), Number_(number), Description_(description),
          Source_(source) {}

    int32_t Number() const { return Number_; }
    QString Description() const { return Description_; }
    QString Source() const { return Source_; }

private:
    int32_t Number_;
    QString Description_;
    QString Source_;
};
