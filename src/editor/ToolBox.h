#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

// The model editor's toolbox, top to bottom: Import, Export, the triangle
// slider, "Colour:" with its box, Flip Poly and Head Vis., named for screen
// readers. The colour box leaves the keys of Undo and Redo to the window, so
// that they take back the colour typed as one step.
class ToolBox : public QWidget {
    Q_OBJECT

public:
    explicit ToolBox(QWidget* parent);

    QPushButton* const cmdImport;
    QPushButton* const cmdExport;
    QSlider* const sPolys;
    QLabel* const lblColour;
    QLineEdit* const txtColour;
    QPushButton* const cmdFlipPoly;
    QCheckBox* const chkHeadVisible;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
