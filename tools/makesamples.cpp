// Writes the demo and hostile car libraries and the sample OBJ models into a
// folder, by default the repository's samples folder.
#include "DemoLibrary.h"
#include "HostileLibrary.h"
#include "ObjSamples.h"

#include <QDir>

#include <cstdio>
#include <utility>

int main(int argc, char** argv)
{
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(VELMAR_SAMPLES_DIR));
    const std::pair<const char*, modLoad::CarTable> libraries[] = {{"demo.car", samples::DemoLibrary()},
                                                                    {"hostile.car", samples::HostileLibrary()}};
    for (const auto& [name, cars] : libraries) {
        const modLoad::FileResult saved = modLoad::SaveCars(folder.filePath(name), cars);
        if (!saved) {
            std::fprintf(stderr, "%s\n", qPrintable(saved.message));
            return 1;
        }
    }
    const std::pair<const char*, QByteArray> models[] = {
        {"wedge.obj", samples::WedgeObj()}, {"wedge-lf.obj", samples::WedgeObjLF()}, {"kart.obj", samples::KartObj()}};
    for (const auto& [name, text] : models) {
        const modLoad::FileResult saved = modLoad::SaveFile(folder.filePath(name), text);
        if (!saved) {
            std::fprintf(stderr, "%s\n", qPrintable(saved.message));
            return 1;
        }
    }
    return 0;
}
