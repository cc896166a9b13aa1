// Makes the pages of the built-in book "The Crayvex" from our SVG drawings.
//
//   crayvex_bookgen <book folder> <drawing.svg> <page name> [<drawing.svg> <page name> ...]
//
// Each page is written as GIF or BMP, as its name says. The build fails when a page is
// not pure black and white or when an outline the drawing marks as closed has a gap.
// Pictures in the folder that are not in the list, and the thumbnails of the pages
// written, are removed so that the chooser shows what was just made.
#include "GifWriter.h"
#include "LineArt.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSet>
#include <cstdio>

namespace {
constexpr QSize PageSize(750, 480);
constexpr int MinRegionArea = 40;

bool MakePage(const QString& source, const QString& target) {
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: cannot read\n", qPrintable(source));
        return false;
    }
    const QByteArray svg = file.readAll();
    const QImage page = LineArt::Render(svg, PageSize, MinRegionArea);
    if (page.isNull()) {
        std::fprintf(stderr, "%s: not a drawing\n", qPrintable(source));
        return false;
    }
    const QStringList problems = LineArt::Problems(page, LineArt::RegionSeeds(svg));
    for (const QString& problem : problems)
        std::fprintf(stderr, "%s: %s\n", qPrintable(source), qPrintable(problem));
    if (!problems.isEmpty())
        return false;

    QFile::remove(target + QStringLiteral(".qrv"));
    bool written = false;
    if (target.endsWith(QStringLiteral(".gif"), Qt::CaseInsensitive))
        written = GifWriter::Write(page, target);
    else
        written =
            page.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither).save(target, "BMP");
    if (!written)
        std::fprintf(stderr, "%s: cannot write\n", qPrintable(target));
    return written;
}
} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4 || args.size() % 2 != 0) {
        std::fprintf(stderr,
                     "usage: crayvex_bookgen <book folder> <drawing.svg> <page name> ...\n");
        return 2;
    }
    QDir book(args[1]);
    if (!book.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "%s: cannot make the folder\n", qPrintable(args[1]));
        return 1;
    }
    QSet<QString> pages;
    bool ok = true;
    for (int i = 2; i < args.size(); i += 2) {
        pages.insert(args[i + 1].toLower());
        ok = MakePage(args[i], book.filePath(args[i + 1])) && ok;
    }
    const QStringList pictures{QStringLiteral("*.gif"), QStringLiteral("*.bmp"),
                               QStringLiteral("*.jpg")};
    for (const QString& old : book.entryList(pictures, QDir::Files)) {
        if (!pages.contains(old.toLower())) {
            book.remove(old);
            book.remove(old + QStringLiteral(".qrv"));
        }
    }
    return ok ? 0 : 1;
}
