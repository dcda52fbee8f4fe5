#include "frmMain.h"

#include "modLoad.h"

frmMain::frmMain(QWidget* parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Velmar Car Editor v0.9"));
    InitTables();
}

void frmMain::InitTables()
{
    modLoad::FillParameterNames();
    modLoad::BuildPalette();
}
