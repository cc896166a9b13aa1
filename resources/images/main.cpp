// Draws the program's pictures (button bitmaps, cursors and the pictures of the window
// designs) into an output folder, from our SVG drawings and from fixed-seed grain.
//
//   crayvex_imagegen <output folder> <folder of the SVG drawings>
#include "Brushes.h"
#include "Bubbles.h"
#include "Buttons.h"
#include "Cursors.h"
#include "Designs.h"
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

void SaveDesign(const QString& name, const QImage& image) {
    Save(QStringLiteral("design"), name, image);
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
        SaveDesign(QStringLiteral("pBr0"), brushes::Crayon());
        SaveDesign(QStringLiteral("pBr1"), brushes::Paintbrush());
        SaveDesign(QStringLiteral("pBr2"), brushes::Pencil());
        const std::vector<QImage> palette = bubbles::Palette();
        for (size_t i = 0; i < palette.size(); ++i)
            SaveDesign(QStringLiteral("pCC%1").arg(i), palette[i]);
        const std::vector<QImage> picker = bubbles::Picker();
        for (size_t i = 0; i < picker.size(); ++i)
            SaveDesign(QStringLiteral("pickerCC%1").arg(i), picker[i]);
        static const char* const functions[] = {"quit", "save", "print", "about", "options"};
        for (int i = 0; i < 5; ++i) {
            // Saving and printing wait for a picture: their buttons start greyed out,
            // and the enabled pictures are kept aside.
            const QString drawing = QStringLiteral("func-") + QLatin1String(functions[i]);
            SaveDesign(QStringLiteral("pFunc%1").arg(i),
                       designs::FunctionButton(drawing, i != 1 && i != 2));
            if (i == 1 || i == 2)
                SaveDesign(QStringLiteral("pE%1").arg(i - 1),
                           designs::FunctionButton(drawing, true));
        }
        SaveDesign(QStringLiteral("comboUp"), designs::ComboButton(false));
        SaveDesign(QStringLiteral("comboDown"), designs::ComboButton(true));
        SaveDesign(QStringLiteral("options"), designs::OptionsBackground());
        SaveDesign(QStringLiteral("splash"), designs::SplashBackground());
        SaveDesign(QStringLiteral("icon"), designs::ProgramIcon());
        for (const buttons::Bitmap& bitmap : buttons::All())
            Save(QStringLiteral("bitmap"), QString::number(bitmap.id), bitmap.image);
        for (const cursors::Cursor& cursor : cursors::All())
            Save(QStringLiteral("cursor"), QString::number(cursor.id), cursor.image);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "crayvex_imagegen: %s\n", error.what());
        return 1;
    }
    return 0;
}
