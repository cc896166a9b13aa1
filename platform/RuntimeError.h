#pragma once

#include <QString>
#include <cstdint>
#include <stdexcept>
#include <utility>

// A numbered run-time error as the program's classes and modules raise it: the number,
// the source (the program's name followed by the raising class or module) and the
// description. Callers trap it where the error is expected.
class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int32_t number, QString source, QString description)
        : std::runtime_error(description.toStdString()), Number_(number),
          Source_(std::move(source)), Description_(std::move(description)) {}

    int32_t Number() const { return Number_; }
    QString Source() const { return Source_; }
    QString Description() const { return Description_; }

private:
    int32_t Number_;
    QString Source_;
    QString Description_;
};
