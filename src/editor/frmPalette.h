#pragma once

#include <QList>
#include <QWidget>

class QAbstractButton;

// The palette beside the model editor: the 192 colours as a grid of swatches,
// 16 a row, each a button named for screen readers "Colour N" with its red,
// green and blue in a tooltip. The colour of the editor's triangle is framed
// and has the keyboard when the window opens. It waits for clicks, never for time, so
// open it costs no processor time. The arrow keys move among the swatches.
class frmPalette : public QWidget {
    Q_OBJECT

public:
    explicit frmPalette(QWidget* editor);

    // Frames the swatch of `colour`; none past the palette.
    void Frame(int colour);

    // Shows the window beside the editor, to its right where the screen has
    // room, else to its left, and brings it forward.
    void ShowBeside(const QWidget& editor);

signals:
    // A swatch was clicked.
    void Choose(int colour);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QList<QAbstractButton*> swatches;
    int framed = -1;
};
