#pragma once

#include "CarRecord.h"
#include "CarSteps.h"
#include "Handles.h"

#include <QWidget>

#include <cstdint>
#include <optional>

class GLSurface;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QSlider;
class EditorSteps;
class ToolBox;
class ViewPanel;
class WireView;

// The index in Cars of the car the model editor works on; set by the main
// window just before the editor opens.
extern std::int16_t SelectedCar;

// True ends the model editor's render loop.
extern bool StopRender;

// The model editor: three flat views and a 3D preview of one car's model,
// with a toolbox for colours, the palette, normals, the head, the wheels, both
// sides at once and OBJ import. A click on the preview picks a triangle. Every edit is
// made at once in the car's record in Cars, as a step of the library's undo
// stack; the editor undoes and redoes the steps that change its car in place.
// Made once and kept, so its fields carry over from one opening to the next.
class frmView : public QWidget {
    Q_OBJECT

public:
    explicit frmView(history::CarHistory& undoStack, QWidget* parent = nullptr);

    // Opens the editor modally on Cars[SelectedCar] and, until it closes,
    // draws a frame whenever the picture may have changed.
    void Run();

    // The opening steps before the first frame: show, lay out, make the GL
    // context, set the toolbox from the car.
    void Load();

    // One frame: the preview, the three views, then the swap.
    void RenderFrame();
    void DrawGLScene();
    void DrawWireFrame();

    // Pixels per model unit in each flat view.
    float ScaleXY = 0.0f;
    float ScaleYZ = 0.0f;
    float ScaleXZ = 0.0f;
    // The mouse button pressed over the selected vertex or centre; 0 for none.
    int DragButton = 0;
    // The vertex under the pointer or being dragged; -1 for none.
    int SelectedVertex = -1;
    // The wheel or head whose centre is under the pointer or being dragged,
    // while the spheres show; -1 for none.
    int SelectedSphere = -1;
    int SelectedPoly = 0;
    // The preview's turn in degrees, and the pointer at the last press or step.
    float RotX = 0.0f;
    float RotY = 0.0f;
    float LastX = 0.0f;
    float LastY = 0.0f;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    // Named after their control and event, as the main window's handlers are.
private slots:
    void cmdImport_Click();
    void cmdExport_Click();
    void sPolys_Change();
    void txtColour_Change();
    void txtColour_Finished();
    void cmdFlipPoly_Click();
    void chkHeadVisible_Click();
    void chkSpheres_Click();
    void Palette_Choose(int colour);
    void View_MouseDown(WireView* view, int button);
    void View_MouseUp(WireView* view, int button);
    void View_MouseMove(WireView* view, QPointF position);
    void View_PickStep(WireView* view, int step);
    void View_Nudge(WireView* view, QPoint pixels);
    void UndoStack_IndexChanged();

private:
    void BuildControls();
    void BuildUndoActions();
    void ShowRecord();
    void TakeStep(bool back);
    void Record(const modLoad::CarRecord& after, const QString& text, int mergeKey = history::ChangeCar::NoMerge);
    void EndDrag();
    void SetColour(std::uint8_t colour, int mergeKey);
    editor::Handle Selected() const { return {SelectedVertex, SelectedSphere}; }
    editor::Handle Partner() const;
    QString CarName() const;
    void Form_Resize();
    void RequestFrame();
    void TrackVertex(const WireView& view, QPointF position, float scale);
    float ScaleOf(const WireView& view) const { return &view == picXY ? ScaleXY : &view == picYZ ? ScaleYZ : ScaleXZ; }
    void picPreview_Paint();
    void picPreview_MouseDown(QPointF position);
    void picPreview_MouseMove(Qt::MouseButtons buttons, QPointF position);
    void picPreview_Click(QPointF position);
    void picPreview_KeyDown(QPoint step);
    modLoad::CarRecord& Car() const;

    ToolBox* picToolBox;
    QPushButton* cmdImport;
    QPushButton* cmdExport;
    QSlider* sPolys;
    QLineEdit* txtColour;
    QPushButton* cmdFlipPoly;
    QCheckBox* chkHeadVisible;
    QCheckBox* chkSpheres;
    QCheckBox* chkMirror;
    ViewPanel* picCont;
    WireView* picXY;
    WireView* picYZ;
    WireView* picXZ;
    GLSurface* picPreview;
    EditorSteps* steps;
    history::CarHistory& undoStack;
    // The record as it was before the drag in progress first moved its vertex or centre.
    std::optional<modLoad::CarRecord> dragStart;
    // What moves with the dragged handle, found at the press.
    editor::Handle dragPartner;
    // Where the pointer last moved over a view, to pick anew after an undo.
    WireView* pointerView = nullptr;
    QPointF pointerAt;
    // The picture may have changed since the last frame.
    bool frameDue = false;
};
