#include "EditorFixture.h"

#include "frmPalette.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>

namespace {

using namespace editortest;

const QRgb SphereInk = qRgb(64, 64, 64);

class WorkflowTest : public EditorTest {
protected:
    // Views of 250 x 200 pixels, so that model points fall on whole pixels.
    void OpenEven() { Open({583, 400}); }
    void Trigger(const char* action) { view.findChild<QAction*>(action)->trigger(); }
    QString LastStep() const { return history.text(history.index() - 1); }
    // A left drag in a view from one model point to another, as (h, v) pairs.
    void Drag(const char* name, QPointF from, QPointF to)
    {
        auto* on = Control<WireView>(name);
        const auto at = [&](QPointF p) { return (p * 50 + QPointF(on->width(), on->height()) / 2).toPoint(); };
        Mouse(MouseMove, on, at(from)), Mouse(MousePress, on, at(from));
        Mouse(MouseMove, on, at(to)), Mouse(MouseRelease, on, at(to));
    }
};

// Spheres, unchecked at every opening, draws the wheels and the head in the flat views; their centres are then
// hovered, marked and dragged as vertices, a drag one step named after the wheel. Mirror X moves the other wheel
// of the axle, or the vertex at the mirror image, with it. Unchecked again, the views and the preview are as before.
TEST_F(WorkflowTest, SpheresAndMirrorXDragCentresAndVerticesOneStepADrag)
{
    Car().Name = modLoad::StoredName("Mudlark");
    SetTriangle(Car(), 0, {0, 1, 2}, 50, {{0.5f, 0.2f, 0.3f}, {-0.5f, 0.2005f, 0.3f}, {0, -1, 0}});
    Car().SpherePos[0] = {1, 0.5f, 1}, Car().SpherePos[1] = {-1, 0.5f, 1}, Car().Parameters[0] = 0.4f;
    Car().SpherePos[2] = {0, 0, 2}, Car().Parameters[2] = 0.3f, Car().SpherePos[4] = {0, -0.5f, 1.5f};
    const CarRecord start = Car();
    OpenEven();
    auto *spheres = Control<QCheckBox>("chkSpheres"), *mirror = Control<QCheckBox>("chkMirror");
    auto* xy = Control<WireView>("picXY");
    const auto pictures = [&] {
        view.RenderFrame();
        return QList<QImage>{xy->Picture(), Control<WireView>("picYZ")->Picture(), Control<WireView>("picXZ")->Picture(),
                             Preview()->Picture()};
    };
    const QList<QImage> before = pictures();
    Drag("picXY", {1, 0.5}, {1.5, 0});
    EXPECT_EQ(std::make_tuple(view.SelectedSphere, Car().SpherePos[0].X, history.count()), std::make_tuple(-1, 1.0f, 0));

    Click("chkSpheres"), view.RenderFrame();
    EXPECT_TRUE(Ink(xy, 1.4, 0.5, {}, SphereInk) && Ink(xy, 0.35, -0.5, {}, SphereInk) && !Ink(xy, 1.3, 0.5, {}, SphereInk));
    // The wheel at the preview's middle, wrapped in the red marker once hovered.
    EXPECT_TRUE(Near(Pixel(), Black));
    Mouse(MouseMove, xy, {125, 100}), view.RenderFrame();
    EXPECT_EQ(std::make_pair(view.SelectedSphere, Pixel()), std::make_pair(2, QColor(255, 0, 0)));
    Drag("picXY", {1, 0.5}, {1.5, 0}), view.RenderFrame();
    EXPECT_TRUE(Ink(xy, 1.5, 0, {0, 10}));
    EXPECT_EQ(std::make_tuple(Car().SpherePos[0].X, Car().SpherePos[0].Y, Car().SpherePos[1].X, LastStep()),
              std::make_tuple(1.5f, 0.0f, -1.0f, QString("Move Right Front Wheel of Mudlark")));

    Click("chkMirror");
    Drag("picXY", {1.5, 0}, {2, -0.5});
    EXPECT_EQ(std::make_tuple(Car().SpherePos[1].X, Car().SpherePos[1].Y, Car().SpherePos[1].Z, LastStep()),
              std::make_tuple(-2.0f, -0.5f, 1.0f, QString("Move Front Wheels of Mudlark")));
    Drag("picXZ", {0.5, 0.3}, {0.8, -0.6});
    const Vector& image = Car().Vertices[1];
    EXPECT_EQ(std::make_tuple(image.X, image.Y, image.Z, LastStep(), history.count()),
              std::make_tuple(-0.8f, 0.2005f, -0.6f, QString("Move Vertices 0 and 1 of Mudlark"), 3));
    while (history.canUndo()) Trigger("actUndo");
    EXPECT_EQ(testlib::Encoded(Car()), testlib::Encoded(start));

    Click("chkSpheres"), view.SelectedVertex = -1;
    EXPECT_EQ(std::make_pair(view.SelectedSphere, pictures()), std::make_pair(-1, before));
    view.close(), Open();
    EXPECT_FALSE(spheres->isChecked() || mirror->isChecked());
}

// Palette opens a window of the 192 colours, buttons named for screen readers, the triangle's colour framed. A
// swatch sets the colour as the box does, one step a swatch; the arrows move among the swatches. The window
// closes with the editor.
TEST_F(WorkflowTest, ThePaletteWindowFramesAndSetsTheColourAndClosesWithTheEditor)
{
    SetTriangle(Car(), 0, {0, 1, 2}, 7), SetTriangle(Car(), 1, {0, 1, 2}, 200);
    Open();
    Click("cmdPalette");
    auto* palette = view.findChild<frmPalette*>();
    ASSERT_TRUE(palette && QTest::qWaitForWindowExposed(palette));
    const QList<QAbstractButton*> swatches = palette->findChildren<QAbstractButton*>();
    ASSERT_EQ(swatches.size(), 192);
    QAccessibleInterface* last = QAccessible::queryAccessibleInterface(swatches[191]);
    const modLoad::ColourRGB& rgb = modLoad::Palette[191];
    EXPECT_EQ(std::make_tuple(last->role(), last->text(QAccessible::Name), swatches[191]->toolTip()),
              std::make_tuple(QAccessible::Button, QString("Colour 191"),
                              QString("Red %1, green %2, blue %3").arg(rgb.Red).arg(rgb.Green).arg(rgb.Blue)));
    EXPECT_TRUE(QGuiApplication::platformName() == "wayland" || !palette->frameGeometry().intersects(view.frameGeometry()));
    const auto framed = [&] {
        QList<int> numbers;
        for (int n = 0; n < 192; ++n)
            if (swatches[n]->property("framed").toBool()) numbers << n;
        return numbers;
    };
    // Framed in black, and first to take the keys.
    const auto edge = [](QWidget* swatch) { const QImage image = swatch->grab().toImage(); return image.pixelColor(1, image.height() / 2); };
    EXPECT_EQ(std::make_tuple(framed(), edge(swatches[7]), edge(swatches[8]) == PaletteColour(8), palette->focusWidget()),
              std::make_tuple(QList<int>{7}, QColor(Qt::black), true, swatches[7]));
    Control<QSlider>("sPolys")->setValue(1);
    EXPECT_EQ(framed(), QList<int>{});
    QTest::mouseClick(swatches[12], Qt::LeftButton), QTest::mouseClick(swatches[13], Qt::LeftButton);
    EXPECT_EQ(std::make_tuple(int{Car().PolyColour[1]}, Control<QLineEdit>("txtColour")->text(), framed(), history.count()),
              std::make_tuple(13, QString("13"), QList<int>{13}, 2));
    Trigger("actUndo");
    EXPECT_EQ(std::make_tuple(int{Car().PolyColour[1]}, Control<QLineEdit>("txtColour")->text(), framed()),
              std::make_tuple(12, QString("12"), QList<int>{12}));
    Control<QLineEdit>("txtColour")->setText("40");
    EXPECT_EQ(framed(), QList<int>{40});

    QApplication::setActiveWindow(palette), swatches[40]->setFocus();
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Right, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up})
        QTest::keyClick(palette->focusWidget(), key);
    EXPECT_EQ(palette->focusWidget(), swatches[9]);
    view.close();
    EXPECT_FALSE(palette->isVisible());
}

// A left click on the preview picks the frontmost triangle under the pointer; a drag turns the model and picks
// none, nor does a click where no triangle shows. After an import, its undo and its redo the slider runs over the
// triangles in use, keeping the number while it exists.
TEST_F(WorkflowTest, AClickOnThePreviewPicksATriangleAndTheSliderFollowsTheCount)
{
    SetTriangle(Car(), 0, {3, 4, 5}, 50, {{1.5f, -0.5f, 0}, {2.5f, -0.5f, 0}, {2, 0.5f, 0}});
    Middle(Car(), 1, 60);
    SetTriangle(Car(), 2, {6, 7, 8}, 70, {{-1, -1, -1}, {1, -1, -1}, {0, 1, -1}});
    Open();
    auto* slider = Control<QSlider>("sPolys");
    const QPoint middle(Preview()->width() / 2, Preview()->height() / 2), nudge(2, 0), away(10, 0);
    Mouse(MousePress, Preview(), middle), Mouse(MouseMove, Preview(), middle + nudge), Mouse(MouseRelease, Preview(), middle + nudge);
    view.RenderFrame();
    EXPECT_EQ(std::make_tuple(slider->value(), view.SelectedPoly, view.RotY, Near(Pixel(), Blue)), std::make_tuple(1, 1, -2.0f, true));
    slider->setValue(0);
    Mouse(MousePress, Preview(), {2, 2}), Mouse(MouseRelease, Preview(), {2, 2});
    Mouse(MousePress, Preview(), middle), Mouse(MouseMove, Preview(), middle + away), Mouse(MouseMove, Preview(), middle);
    Mouse(MouseRelease, Preview(), middle);
    Mouse(MousePress, Preview(), middle, Qt::RightButton), Mouse(MouseRelease, Preview(), middle, Qt::RightButton);
    EXPECT_EQ(std::make_pair(slider->value(), view.RotY), std::make_pair(0, -2.0f));

    QTemporaryDir folder;
    dialogs << testlib::WriteFile(folder.filePath("five.obj"), "v 0 0 0\nv 1 0 0\nv 1 1 0\n" + QByteArray("f 1 2 3\n").repeated(5));
    QList<std::pair<int, int>> ranges;  // the slider's maximum and value after each
    const auto range = [&] { ranges << std::pair(slider->maximum(), slider->value()); };
    slider->setValue(2), Click("cmdImport"), range(), slider->setValue(4), Trigger("actUndo"), range(), Trigger("actRedo"), range();
    EXPECT_EQ(ranges, (QList<std::pair<int, int>>{{4, 2}, {2, 2}, {4, 2}}));
}

}  // namespace
