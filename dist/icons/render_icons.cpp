// Build-time tool: draws the window's clock icon into the hicolor icon
// theme, as PNGs at the sizes a desktop asks for and as one SVG, or into a
// Windows icon file, so the installed icons are the window icon and cannot
// drift from it.
//
//   render_icons <folder> <n>...   writes <folder>/<n>x<n>/apps/dalvimo.png
//                                  for each size n, and
//                                  <folder>/scalable/apps/dalvimo.svg
//   render_icons --ico <file> <n>... writes one .ico with each size n

#include "toolkit/pictures.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
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

QImage drawn(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.scale(size / kDrawingSize, size / kDrawingSize);
    pictures::paintClock(p);
    p.end();
    return image;
}

bool writePng(const QString &file, int size)
{
    return makeFolderFor(file) && drawn(size).save(file, "PNG");
}

void appendLittleEndian(QByteArray &out, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A Windows icon file: a directory of images, each a whole PNG file, which
// Windows reads since Vista. Sizes run from 1 to 256.
bool writeIco(const QString &file, const QList<int> &sizes)
{
    QList<QByteArray> pngs;
    for (int size : sizes) {
        QByteArray png;
        QBuffer buffer(&png);
        if (size < 1 || size > 256 || !buffer.open(QIODevice::WriteOnly) || !drawn(size).save(&buffer, "PNG"))
            return false;
        pngs.append(png);
    }
    QByteArray out;
    appendLittleEndian(out, 0, 2); // reserved
    appendLittleEndian(out, 1, 2); // an icon, not a cursor
    appendLittleEndian(out, quint32(sizes.size()), 2);
    quint32 offset = 6 + 16 * quint32(sizes.size());
    for (qsizetype i = 0; i < sizes.size(); ++i) {
        const quint32 side = sizes[i] == 256 ? 0 : quint32(sizes[i]); // 0 means 256
        appendLittleEndian(out, side, 1);
        appendLittleEndian(out, side, 1);
        appendLittleEndian(out, 0, 2); // no palette, reserved
        appendLittleEndian(out, 1, 2); // planes
        appendLittleEndian(out, 32, 2); // bits per pixel
        appendLittleEndian(out, quint32(pngs[i].size()), 4);
        appendLittleEndian(out, offset, 4);
        offset += quint32(pngs[i].size());
    }
    for (const QByteArray &png : std::as_const(pngs))
        out += png;
    QFile f(file);
    return makeFolderFor(file) && f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(out) == out.size();
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
    if (args.size() < 3 || (args.at(1) == u"--ico" && args.size() < 4)) {
        std::fputs("usage: render_icons <folder> <size>...\n"
                   "       render_icons --ico <file> <size>...\n", stderr);
        return 64;
    }
    if (args.at(1) == u"--ico") {
        QList<int> sizes;
        for (const QString &arg : args.mid(3))
            sizes.append(arg.toInt());
        if (!writeIco(args.at(2), sizes)) {
            std::fprintf(stderr, "render_icons: cannot write %s\n", qPrintable(args.at(2)));
            return 1;
        }
        return 0;
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
