// Draws the windows' icon from its SVG, at each size given, into <folder>/<size>.rgba:
// the pixels as bytes, red, green, blue and alpha, row by row. The editor builds
// them in, and shows its icon without loading Qt's SVG library or an image reader.
#include "SaveFile.h"

#include <QImage>
#include <QImageReader>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc < 4) {
        std::fprintf(stderr, "Usage: %s ICON.svg FOLDER SIZE...\n", argv[0]);
        return 2;
    }
    const QString svg = QString::fromLocal8Bit(argv[1]);
    const QString folder = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        QImageReader reader(svg, "svg");
        reader.setScaledSize(QSize(size, size));
        const QImage image = reader.read().convertToFormat(QImage::Format_RGBA8888);
        if (image.isNull()) {
            std::fprintf(stderr, "%s: %s\n", argv[1], qPrintable(reader.errorString()));
            return 1;
        }
        const QByteArray pixels(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
        const modLoad::FileResult saved = modLoad::SaveFile(QStringLiteral("%1/%2.rgba").arg(folder).arg(size), pixels);
        if (!saved) {
            std::fprintf(stderr, "%s\n", qPrintable(saved.message));
            return 1;
        }
    }
    return 0;
}
