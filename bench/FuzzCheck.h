#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdio>
#include <cstdlib>

// Ends the fuzz run with a report when a property of the reader does not hold.
inline void FuzzCheck(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "fuzz: %s\n", what);
        std::abort();
    }
}

// The fuzzer's bytes as a file, for readers that take a path.
inline void FuzzWrite(const QString& path, const char* data, size_t size) {
    QFile file(path);
    FuzzCheck(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "cannot write the input");
    FuzzCheck(file.write(data, qint64(size)) == qint64(size), "cannot write the input");
}
