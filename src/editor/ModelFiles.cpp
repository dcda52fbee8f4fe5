#include "ModelFiles.h"

#include "CarHistory.h"
#include "Dialogs.h"
#include "modOBJ.h"

#include <QCoreApplication>

namespace editor {

std::optional<modLoad::CarRecord> ImportModel(QWidget* window, const modLoad::CarRecord& car, QString& fileName)
{
    fileName = ui::OpenFileDialog(window);
    if (fileName.isEmpty())
        return std::nullopt;
    modLoad::CarRecord after = car;
    if (const modLoad::FileResult result = modOBJ::ImportOBJ(fileName, after); !result) {
        ui::MsgBox(window, result.message);
        return std::nullopt;
    }
    return after;
}

void ExportModel(QWidget* window, const modLoad::CarRecord& car, std::int16_t index, history::CarHistory& stack)
{
    const QString fileName = ui::SaveFileDialog(window, QCoreApplication::translate("editor", "Wavefront OBJ (*.obj)|*.obj"), [&](const QString& name) {
        return ui::ReplaceQuestion(name, stack.IsLibraryFile(name));
    });
    if (fileName.isEmpty())
        return;
    const bool libraryFile = stack.IsLibraryFile(fileName);
    const QString title = QStringLiteral("%1, car %2").arg(modLoad::NameAsShown(car.Name)).arg(index);
    modLoad::FileResult result = modLoad::CheckRegularFile(fileName, modLoad::Use::Write);
    if (result)
        result = modOBJ::ExportOBJ(fileName, car, title);
    if (!result)
        ui::MsgBox(window, result.message);
    else if (libraryFile)
        stack.resetClean();
}

}  // namespace editor
