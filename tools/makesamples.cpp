// Writes the demo car library and the sample OBJ model into a folder, by
// default the repository's samples folder.
#include "DemoLibrary.h"

#include <QDir>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char** argv)
{
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(VELMAR_SAMPLES_DIR));
    const modLoad::FileResult saved = modLoad::SaveCars(folder.filePath("demo.car"), samples::DemoLibrary());
    if (!saved) {
        std::fprintf(stderr, "%s\n", qPrintable(saved.message));
        return 1;
    }
    QSaveFile obj(folder.filePath("wedge.obj"));
    const QByteArray text = samples::WedgeObj();
    if (!obj.open(QIODevice::WriteOnly) || obj.write(text) != text.size() || !obj.commit()) {
        std::fprintf(stderr, "Cannot write %s: %s\n", qPrintable(obj.fileName()), qPrintable(obj.errorString()));
        return 1;
    }
    return 0;
}
