#pragma once

#include <QPoint>
#include <QString>

class QComboBox;
class QPainter;
class QWidget;

namespace ui {

// A drop-down list without typing that stays quick with tens of thousands of
// items: it is sized for `visibleCharacters`, never by measuring every item,
// and its drop-down lays its rows out without asking each one for its size.
// Feed it with addItems, in one go. A screen reader names it by
// `accessibleName`, where one is given.
QComboBox* NewLongComboBox(const char* objectName, int visibleCharacters, QWidget* parent,
                           const QString& accessibleName = {});

// For a drawing area that takes the keyboard: a frame in the highlight colour
// along its edge while it has the focus, drawn last.
void DrawFocusFrame(QPainter& painter, const QWidget& widget);

// The step on the screen an arrow key gives, x to the right and y downwards;
// none for any other key.
QPoint ArrowStep(int key);

// Moves a window that is not shown yet so that it opens centred over
// `owner`, within the owner's screen. Wayland leaves the place to the
// compositor.
void PlaceOver(QWidget& window, const QWidget& owner);

}  // namespace ui
