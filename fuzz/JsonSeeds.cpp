// Writes the seeds of the JSON fuzz target: each car of the given libraries
// dumped as a library of its own, into the folder named first.
#include "LibraryJson.h"
#include "modLoad.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: json-seeds FOLDER LIB...\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    for (int i = 2; i < argc; ++i) {
        const QString library = QString::fromLocal8Bit(argv[i]);
        modLoad::CarTable cars;
        if (const modLoad::FileResult loaded = modLoad::LoadCars(library, cars); !loaded) {
            std::fprintf(stderr, "json-seeds: %s\n", qPrintable(loaded.message));
            return 1;
        }
        for (std::size_t k = 0; k < cars.size(); ++k) {
            const QString name = QStringLiteral("%1-%2.json").arg(QFileInfo(library).baseName()).arg(k);
            if (!modLoad::SaveFile(folder.filePath(name), cli::DumpJson({cars[k]}))) {
                std::fprintf(stderr, "json-seeds: cannot write %s\n", qPrintable(folder.filePath(name)));
                return 1;
            }
        }
    }
    return 0;
}
