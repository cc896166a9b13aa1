// Draws the program's pictures (button bitmaps, cursors and the pictures of the window
// designs) into an output folder, from our SVG drawings and from fixed-seed grain.
//
//   crayvex_imagegen <output folder> <folder of the SVG drawings>
#include "Brushes.h"
#include "Cursors.h"
#include "Svg.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>
#include <exception>

namespace {
QString output;

void Save(const QString& kind, const QString& name, const QImage& image) {
    const QString path =
        output + QLatin1Char('/') + kind + QLatin1Char('/') + name + QStringLiteral(".png");
    if (image.isNull() || !image.save(path, "PNG"))
        throw std::runtime_error("cannot write " + path.toStdString());
}

void SaveDesign(const char* name, const QImage& image) {
    Save(QStringLiteral("design"), QString::fromLatin1(name), image);
}
} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: crayvex_imagegen <output folder> <drawings folder>\n");
        return 2;
    }
    output = QString::fromLocal8Bit(argv[1]);
    svg::SetFolder(QString::fromLocal8Bit(argv[2]));
    try {
        for (const char* kind : {"bitmap", "cursor", "design"}) {
            if (!QDir().mkpath(output + QLatin1Char('/') + QLatin1String(kind)))
                throw std::runtime_error(std::string("cannot make the folder ") + kind);
        }
        SaveDesign("pBr0", brushes::Crayon());
        SaveDesign("pBr1", brushes::Paintbrush());
        SaveDesign("pBr2", brushes::Pencil());
        for (const cursors::Cursor& cursor : cursors::All())
            Save(QStringLiteral("cursor"), QString::number(cursor.id), cursor.image);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "crayvex_imagegen: %s\n", error.what());
        return 1;
    }
    return 0;
}
