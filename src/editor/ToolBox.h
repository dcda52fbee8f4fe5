#pragma once

#include <QWidget>

class frmPalette;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QToolButton;

// The model editor's toolbox, top to bottom: Import, Export, the triangle
// slider, "Colour:" with its box, Palette, Flip Poly, Head Vis., Spheres and
// Mirror X, named for screen readers. Palette opens a window of swatches that
// sets colours too, and closes with the editor. The colour box leaves the keys
// of Undo and Redo to the window, so that they take back the colour typed as
// one step.
class ToolBox : public QWidget {
    Q_OBJECT

public:
    explicit ToolBox(QWidget* parent);

    // The colour of the editor's triangle, framed in the palette window.
    void FrameColour(int colour);
    void ClosePalette();

    QPushButton* const cmdImport;
    QPushButton* const cmdExport;
    QSlider* const sPolys;
    QLabel* const lblColour;
    QLineEdit* const txtColour;
    // A tool button: it opens a tool window beside the editor.
    QToolButton* const cmdPalette;
    QPushButton* const cmdFlipPoly;
    // Made before Head Vis., which they stand below, so that Tab still goes
    // from Head Vis. to the views, as it did before they came.
    QCheckBox* const chkSpheres;
    QCheckBox* const chkMirror;
    QCheckBox* const chkHeadVisible;

signals:
    // A swatch of the palette window was clicked.
    void ChooseColour(int colour);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Palette opens the window beside the editor, made at its first click.
    void cmdPalette_Click();

    frmPalette* palette = nullptr;
    int framed = -1;
};
