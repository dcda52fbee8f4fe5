#pragma once

#include <QString>

class QMimeData;
class frmMain;

namespace app {

// What every window shares, set once the application object is made: the
// name untitled message boxes show, the program's icon, the desktop entry by
// which a Wayland compositor finds that icon, and what screen readers need.
void SetUpApplication();

// Opens the library once the main window is on the screen and placed by the
// window manager, so that a message about the file opens over the window.
void OpenWhenShown(frmMain& window, const QString& library);

// The one local .car file a drag onto the main window carries, or nothing.
QString DroppedLibrary(const QMimeData* data);

}  // namespace app
