#include "ToolBox.h"

#include "frmPalette.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

template <typename Control>
Control* named(Control* control, const char* name)
{
    control->setObjectName(QLatin1String(name));
    return control;
}

}  // namespace

ToolBox::ToolBox(QWidget* parent)
    : QWidget(parent),
      cmdImport(named(new QPushButton(tr("Import"), this), "cmdImport")),
      cmdExport(named(new QPushButton(tr("Export"), this), "cmdExport")),
      sPolys(named(new QSlider(Qt::Horizontal, this), "sPolys")),
      lblColour(named(new QLabel(tr("Colour:"), this), "lblColour")),
      txtColour(named(new QLineEdit(this), "txtColour")),
      cmdPalette(named(new QToolButton(this), "cmdPalette")),
      cmdFlipPoly(named(new QPushButton(tr("Flip Poly"), this), "cmdFlipPoly")),
      chkSpheres(named(new QCheckBox(tr("Spheres"), this), "chkSpheres")),
      chkMirror(named(new QCheckBox(tr("Mirror X"), this), "chkMirror")),
      chkHeadVisible(named(new QCheckBox(tr("Head Vis."), this), "chkHeadVisible"))
{
    setObjectName(QStringLiteral("picToolBox"));
    lblColour->setBuddy(txtColour);
    cmdPalette->setText(tr("Palette..."));
    cmdPalette->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    txtColour->installEventFilter(this);
    setAccessibleName(tr("Toolbox"));
    sPolys->setAccessibleName(tr("Triangle"));
    sPolys->setAccessibleDescription(tr("The triangle, shown blue, whose colour the Colour box sets"));
    txtColour->setAccessibleName(tr("Colour"));
    txtColour->setAccessibleDescription(tr("The colour number of the triangle, 0 to 255"));
    cmdPalette->setAccessibleDescription(tr("Opens the palette beside the editor; a swatch sets the triangle's colour"));
    chkSpheres->setAccessibleDescription(tr("Shows the wheels and the head in the flat views; their centres are picked and moved as vertices"));
    chkMirror->setAccessibleDescription(tr("Moving a vertex or a wheel also moves its mirror image across X = 0"));

    auto* colourRow = new QHBoxLayout;
    colourRow->setSpacing(2);
    colourRow->addWidget(lblColour);
    colourRow->addWidget(txtColour, 1);
    auto* tools = new QVBoxLayout(this);
    tools->setContentsMargins(4, 4, 4, 4);
    tools->addWidget(cmdImport);
    tools->addWidget(cmdExport);
    tools->addWidget(sPolys);
    tools->addLayout(colourRow);
    tools->addWidget(cmdPalette);
    tools->addWidget(cmdFlipPoly);
    tools->addWidget(chkHeadVisible);
    tools->addWidget(chkSpheres);
    tools->addWidget(chkMirror);
    tools->addStretch(1);
    connect(cmdPalette, &QToolButton::clicked, this, &ToolBox::cmdPalette_Click);
}

void ToolBox::cmdPalette_Click()
{
    if (!palette) {
        palette = new frmPalette(window());
        connect(palette, &frmPalette::Choose, this, &ToolBox::ChooseColour);
        // From here on FrameColour keeps it framed.
        palette->Frame(framed);
    }
    palette->ShowBeside(*window());
}

void ToolBox::FrameColour(int colour)
{
    framed = colour;
    if (palette)
        palette->Frame(colour);
}

void ToolBox::ClosePalette()
{
    if (palette)
        palette->close();
}

bool ToolBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtColour && event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)) {
            event->ignore();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
