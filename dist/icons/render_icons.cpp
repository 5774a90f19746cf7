// Build-time tool: draws the window's clock icon into the hicolor icon
// theme, as PNGs at the sizes a desktop asks for and as one SVG, so the
// installed icons are the window icon and cannot drift from it.
//
//   render_icons <folder> <n>...   writes <folder>/<n>x<n>/apps/dalvimo.png
//                                  for each size n, and
//                                  <folder>/scalable/apps/dalvimo.svg

#include "toolkit/pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>

namespace {

constexpr qreal kDrawingSize = 32; // the box pictures::paintClock draws in

bool makeFolderFor(const QString &file)
{
    return QDir().mkpath(QFileInfo(file).absolutePath());
}

bool writePng(const QString &file, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.scale(size / kDrawingSize, size / kDrawingSize);
    pictures::paintClock(p);
    p.end();
    return makeFolderFor(file) && image.save(file, "PNG");
}

bool writeSvg(const QString &file)
{
    if (!makeFolderFor(file))
        return false;
    QSvgGenerator svg;
    svg.setFileName(file);
    svg.setSize(QSize(int(kDrawingSize), int(kDrawingSize)));
    svg.setViewBox(QRectF(0, 0, kDrawingSize, kDrawingSize));
    svg.setTitle(QStringLiteral("Dalvimo"));
    svg.setDescription(QStringLiteral("Dalvimo: a clock with its alarm hand"));
    QPainter p;
    if (!p.begin(&svg))
        return false;
    pictures::paintClock(p);
    return p.end();
}

} // namespace

int main(int argc, char *argv[])
{
    // Drawing needs no display; a build machine may have none.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() < 3) {
        std::fputs("usage: render_icons <folder> <size>...\n", stderr);
        return 64;
    }
    const QDir out(args.at(1));
    for (const QString &arg : args.mid(2)) {
        const int size = arg.toInt();
        const QString file = out.filePath(QStringLiteral("%1x%1/apps/dalvimo.png").arg(size));
        if (size <= 0 || !writePng(file, size)) {
            std::fprintf(stderr, "render_icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    const QString svg = out.filePath(QStringLiteral("scalable/apps/dalvimo.svg"));
    if (!writeSvg(svg)) {
        std::fprintf(stderr, "render_icons: cannot write %s\n", qPrintable(svg));
        return 1;
    }
    return 0;
}
