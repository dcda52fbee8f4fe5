#pragma once

namespace ui {

// What Qt's accessibility leaves out here, for screen readers. The program's
// own widgets made straight from QWidget are read as fillers: as windows they
// become frames, or dialogs while modal, and drawing areas that take the
// keyboard canvases. A drop-down list is named after its current item on
// Linux: one given an accessible name is named by it, the item its value.
// Installed once, after the application object is made.
void InstallAccessibility();

}  // namespace ui
