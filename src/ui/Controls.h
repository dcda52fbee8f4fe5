#pragma once

class QComboBox;
class QPainter;
class QWidget;

namespace ui {

// A drop-down list without typing that stays quick with tens of thousands of
// items: it is sized for `visibleCharacters`, never by measuring every item,
// and its drop-down lays its rows out without asking each one for its size.
// Feed it with addItems, in one go.
QComboBox* NewLongComboBox(const char* objectName, int visibleCharacters, QWidget* parent);

// For a drawing area that takes the keyboard: a frame in the highlight colour
// along its edge while it has the focus, drawn last.
void DrawFocusFrame(QPainter& painter, const QWidget& widget);

}  // namespace ui
