#include "EditorFixture.h"

#include "TestLibrary.h"

#include "FailingGLPlatform.h"
#include "OnModal.h"
#include "WireView.h"
#include "modOBJ.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>

#include <GL/gl.h>

#include <cmath>
#include <ctime>
#include <limits>

namespace {

// Black within a pixel of the model point (h, v) of a view: 50 pixels a unit
// about the view's centre.
bool Ink(const WireView* view, double h, double v, QPointF offset = {})
{
    const QPointF at = QPointF(h * 50 + view->width() / 2.0, v * 50 + view->height() / 2.0) + offset;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const QPoint p(static_cast<int>(std::floor(at.x())) + dx, static_cast<int>(std::floor(at.y())) + dy);
            if (view->Picture().rect().contains(p) && view->Picture().pixel(p) == qRgb(0, 0, 0))
                return true;
        }
    return false;
}

// The views draw the edges of the triangles in use, but none that end at a
// vertex past the table or at a point that is not finite, and circle the
// selected vertex.
TEST_F(EditorTest, TheWireFrameKeepsItsScaleAboutTheViewCentresAsTheWindowResizes)
{
    // XY: a triangle with an edge along y = -1; YZ: an edge through the
    // centre; XZ: an edge along z = 0.5.
    Car().Vertices[0] = {-1, -1, 0.5f};
    Car().Vertices[1] = {1, -1, 0.5f};
    Car().Vertices[2] = {0, 1, -0.5f};
    Car().Vertices[3] = {std::numeric_limits<float>::quiet_NaN(), 0, 0};
    Car().Vertices[4] = {std::numeric_limits<float>::infinity(), 1e30f, 0};
    SetTriangle(Car(), 0, {0, 1, 2});
    SetTriangle(Car(), 1, {0, 3, 4});
    SetTriangle(Car(), 2, {2, 1, 200});
    Car().PolyPointCount = 255;
    Open();
    auto* xy = Control<WireView>("picXY");
    auto* yz = Control<WireView>("picYZ");
    auto* xz = Control<WireView>("picXZ");
    for (const QSize size : {QSize(544, 390), QSize(700, 500)}) {
        view.resize(size);
        view.RenderFrame();
        EXPECT_TRUE(Ink(xy, 0, -1) && Ink(xy, 0.5, 0) && Ink(xy, -0.5, 0) && !Ink(xy, 0, -0.9));
        EXPECT_TRUE(Ink(yz, 0, 0));
        EXPECT_TRUE(Ink(xz, 0.5, 0.5) && !Ink(xz, 0, 0.3));
    }
    EXPECT_FALSE(Ink(xy, 1, -1, {0, 10}));
    view.SelectedVertex = 1;
    view.RenderFrame();
    EXPECT_TRUE(Ink(xy, 1, -1, {0, 10}) && Ink(xy, 1, -1, {-10, 0}) && !Ink(xy, 1, -1, {5, 5}));
    view.SelectedVertex = 45;
    view.RenderFrame();
    EXPECT_FALSE(Ink(xy, 1, -1, {0, 10}));
}

TEST_F(EditorTest, ResizingLaysOutTheToolboxTheViewsAndThePreview)
{
    Open({700, 500});
    // The right-hand column is one pixel wider than the left; the preview's
    // viewport counts the device pixels.
    EXPECT_EQ(Control("picToolBox")->geometry(), QRect(0, 0, 83, 500));
    EXPECT_EQ(Control("picCont")->geometry(), QRect(83, 0, 617, 500));
    EXPECT_EQ(Control("picXY")->geometry(), QRect(0, 0, 308, 250));
    EXPECT_EQ(Control("picYZ")->geometry(), QRect(308, 0, 309, 250));
    EXPECT_EQ(Control("picXZ")->geometry(), QRect(0, 250, 308, 250));
    EXPECT_EQ(Control("picPreview")->geometry(), QRect(308, 250, 309, 250));
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    const double ratio = view.devicePixelRatioF();
    EXPECT_EQ(QRect(viewport[0], viewport[1], viewport[2], viewport[3]),
              QRect(0, 0, std::lrint(309 * ratio), std::lrint(250 * ratio)));
    // Smaller than the toolbox: the drawing areas shrink to nothing.
    view.resize(40, 10);
    EXPECT_EQ(std::make_pair(Control("picToolBox")->width(), Control("picCont")->width()), std::make_pair(83, 0));
}

TEST_F(EditorTest, TheToolboxSetsColoursNormalsAndTheHeadOfTheRecord)
{
    for (int p = 0; p < modLoad::MaxPolys; ++p)
        SetTriangle(Car(), p, {0, 1, 2}, static_cast<std::uint8_t>(p + 100));
    Car().HeadHidden = 7;
    Car().Normals[12] = {1.5f, -0.0f, std::numeric_limits<float>::quiet_NaN()};
    Open();
    auto* slider = Control<QSlider>("sPolys");
    auto* colour = Control<QLineEdit>("txtColour");
    auto* head = Control<QCheckBox>("chkHeadVisible");
    EXPECT_EQ(std::make_tuple(slider->minimum(), slider->maximum(), head->isChecked()), std::make_tuple(0, 39, false));
    slider->setValue(12);
    EXPECT_EQ(colour->text(), "112");
    colour->clear();
    QTest::keyClicks(colour, "15");
    EXPECT_EQ(Car().PolyColour[12], 15);
    // Emptied, not a number, out of range: the colour stays; halves go to even.
    for (const auto& [typed, stored] : {std::pair{"", 15}, {"abc", 15}, {"256", 15}, {"-1", 15}, {"2.5", 2},
                                        {"3.5", 4}, {"255", 255}, {"-0.4", 0}}) {
        colour->setText(typed);
        EXPECT_EQ(Car().PolyColour[12], stored) << typed;
    }
    // Flip negates every part of the normal of the triangle's number, and
    // none for a triangle past the normal table.
    const modLoad::CarRecord before = Car();
    auto* flip = Control<QPushButton>("cmdFlipPoly");
    QTest::mouseClick(flip, Qt::LeftButton);
    const modLoad::Vector flipped = Car().Normals[12];
    EXPECT_EQ(std::make_tuple(flipped.X, std::signbit(flipped.Y), std::signbit(flipped.Z)),
              std::make_tuple(-1.5f, false, true));
    QTest::mouseClick(flip, Qt::LeftButton);
    slider->setValue(35);
    QTest::mouseClick(flip, Qt::LeftButton);
    EXPECT_EQ(testlib::Encoded(Car()), testlib::Encoded(before));
    QTest::mouseClick(head, Qt::LeftButton);
    EXPECT_EQ(Car().HeadHidden, 0);
    QTest::mouseClick(head, Qt::LeftButton);
    EXPECT_EQ(Car().HeadHidden, 1);
}

TEST_F(EditorTest, ReopeningSetsTheToolboxAfreshButKeepsTheWindowFieldsAndTheStoredHeadValue)
{
    SetTriangle(Car(), 39, {0, 1, 2});
    Open();
    view.SelectedVertex = 3;
    view.RotX = 12.5f;
    // Closed during a drag: the release never comes, so the drag ends with the window.
    view.DragButton = 1;
    view.close();
    // No triangles now, and a head value the editor itself never writes.
    Car().PolyPointCount = 0;
    Car().PolyColour[0] = 9;
    Car().HeadHidden = 7;
    Open();
    auto* slider = Control<QSlider>("sPolys");
    EXPECT_EQ(std::make_pair(slider->minimum(), slider->maximum()), std::make_pair(0, 0));
    EXPECT_EQ(Control<QLineEdit>("txtColour")->text(), "9");
    EXPECT_FALSE(Control<QCheckBox>("chkHeadVisible")->isChecked());
    EXPECT_EQ(std::make_tuple(view.SelectedVertex, view.RotX, view.DragButton, int{Car().HeadHidden}),
              std::make_tuple(3, 12.5f, 0, 7));
}

// A cancelled choice, a file that does not fit a car and one that cannot be
// read change nothing; a model chosen in the real file dialog replaces the mesh.
TEST_F(EditorTest, ImportThroughTheFileDialogReplacesTheMeshAndARefusedFileChangesNothing)
{
    for (int p = 0; p < modLoad::MaxPolys; ++p)
        SetTriangle(Car(), p, {0, 1, 2}, static_cast<std::uint8_t>(p + 1));
    Open();
    const modLoad::CarRecord before = Car();
    QTemporaryDir folder;
    const QString quads = folder.filePath("quads.obj");
    testlib::WriteFile(quads, "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nf 1 2 3 4\n");
    auto* import = Control<QPushButton>("cmdImport");
    dialogs << "" << quads << "Ok" << folder.filePath("gone.obj") << "Ok";
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(import, Qt::LeftButton);
    EXPECT_EQ(dialogs.shown.at(0).text, "") << "every file is offered";
    ASSERT_EQ(dialogs.messages().size(), 2);
    EXPECT_TRUE(dialogs.messages()[0].contains("triangles")) << qPrintable(dialogs.messages()[0]);
    EXPECT_TRUE(dialogs.messages()[1].contains("gone.obj")) << qPrintable(dialogs.messages()[1]);
    EXPECT_EQ(testlib::Encoded(Car()), testlib::Encoded(before));

    const QString wedge = QStringLiteral(VELMAR_SOURCE_DIR "/samples/wedge-lf.obj");
    ui::SetDialogProvider(nullptr);
    // Chosen and opened with the dialog's own button: keyboard focus may be
    // with another window on the display.
    OnModal<QFileDialog>([&](QFileDialog* dialog) {
        dialog->selectFile(wedge);
        QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open), Qt::LeftButton);
    }, [&] { QTest::mouseClick(import, Qt::LeftButton); });
    ui::SetDialogProvider(&dialogs);
    modLoad::CarRecord expected = before;
    ASSERT_TRUE(modOBJ::ImportOBJ(wedge, expected));
    EXPECT_EQ(std::make_pair(int{expected.VertexCount}, int{expected.PolyPointCount}), std::make_pair(6, 24));
    EXPECT_EQ(testlib::Encoded(Car()), testlib::Encoded(expected));
    // The slider keeps the range it had when the editor opened.
    EXPECT_EQ(Control<QSlider>("sPolys")->maximum(), 39);
}

TEST_F(EditorTest, WithoutAContextTheEditorStillEditsAndCloses)
{
    FailingGLPlatform platform({"create"});
    dialogs << "Ok";
    bool shown = false;
    QTimer::singleShot(100, &view, [&] {
        shown = view.isVisible() && view.isModal();
        QTest::mouseClick(Control<QCheckBox>("chkHeadVisible"), Qt::LeftButton);
        view.close();
    });
    view.Run();
    EXPECT_TRUE(shown);
    EXPECT_EQ(dialogs.messages(), QStringList{"Can't Create A GL Rendering Context."});
    EXPECT_EQ(Car().HeadHidden, 1);
    EXPECT_EQ(platform.swaps, 0);
}

// Hidden, the preview's window is not exposed, as when the editor is
// minimised; the process time is read while the loop itself runs.
TEST_F(EditorTest, TheLoopWaitsWhileNobodySeesThePreviewAndEndsWhenTheApplicationQuits)
{
    std::clock_t start = 0, end = 0;
    bool returned = false;
    QTimer::singleShot(0, &view, [&] {
        view.Run();
        returned = true;
    });
    QTimer::singleShot(200, &view, [&] {
        Control("picPreview")->hide();
        start = std::clock();
    });
    QTimer::singleShot(700, &view, [&] { end = std::clock(); });
    QTimer::singleShot(750, qApp, &QCoreApplication::quit);
    // Rescue the test if quitting left the editor open.
    QTimer::singleShot(5000, &view, &QWidget::close);
    QApplication::exec();
    EXPECT_LT(static_cast<double>(end - start) / CLOCKS_PER_SEC, 0.1);
    EXPECT_TRUE(returned && !view.isVisible());
}

}  // namespace
