#include "frmView.h"

#include "CarHistory.h"
#include "FailingGLPlatform.h"
#include "GLSurface.h"
#include "OnModal.h"
#include "Palette.h"
#include "QtGLPlatform.h"
#include "ScriptedDialogs.h"
#include "TestLibrary.h"
#include "WireView.h"
#include "modOBJ.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QLocale>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <GL/gl.h>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace {

using modLoad::CarRecord;
using modLoad::Vector;
using enum QTest::MouseAction;

const float NaN = std::numeric_limits<float>::quiet_NaN();

// A car with no triangles, every vertex at the origin and the wheels and the
// head far out of sight; tests add what they draw.
CarRecord EmptyCar()
{
    CarRecord car{};
    car.Name = modLoad::StoredName(QStringLiteral("Test"));
    car.SpherePos.fill({0.0f, 0.0f, 50.0f});
    return car;
}

// Triangle p in use, its corners moved to the points given if any.
void SetTriangle(CarRecord& car, int p, modLoad::Poly corners, std::uint8_t colour = 0, std::initializer_list<Vector> at = {})
{
    car.Polys[p] = corners;
    car.PolyColour[p] = colour;
    car.PolyPointCount = static_cast<std::uint8_t>(std::max<int>(car.PolyPointCount, 3 * (p + 1)));
    for (std::size_t k = 0; const Vector& v : at)
        car.Vertices[std::array{corners.A, corners.B, corners.C}[k++]] = v;
}

// Qt's contexts, counting the frames presented.
struct CountingGLPlatform : OGLUtils::QtGLPlatform {
    CountingGLPlatform() { OGLUtils::SetGLPlatform(this); }
    ~CountingGLPlatform() override { OGLUtils::SetGLPlatform(nullptr); }
    void SwapBuffers(GLSurface& surface, OGLUtils::GLHandle context) override
    {
        ++frames;
        QtGLPlatform::SwapBuffers(surface, context);
    }
    int frames = 0;
};

// The model editor on the only car of a library, opened without its render
// loop so tests draw frames one at a time.
class EditorTest : public testing::Test {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale::c());
        modLoad::BuildPalette();
        modLoad::Cars = modLoad::CarTable{EmptyCar()};
        SelectedCar = 0;
    }
    void TearDown() override
    {
        view.close();
        EXPECT_EQ(OGLUtils::GLContext, 0u);
        modLoad::Cars.reset();
    }

    // Opens the editor at the given inner size and draws the first frame.
    void Open(QSize size = {544, 390})
    {
        view.resize(size);
        view.Load();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
        view.RenderFrame();
    }
    GLSurface* Preview() const { return Control<GLSurface>("picPreview"); }
    template <typename T = QWidget> T* Control(const char* name) const { return view.findChild<T*>(name); }
    CarRecord& Car() const { return (*modLoad::Cars)[0]; }
    // Through the editor's window, as the window system delivers it: to the
    // widget under the pointer, or to the one a button went down on.
    void Mouse(QTest::MouseAction action, QWidget* on, QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseEvent(action, view.windowHandle(), button, {}, on->mapTo(&view, at));
    }
    // Another context current, as after the window composed a frame.
    void ElsewhereCurrent()
    {
        if (!other.isValid()) {
            elsewhere.create();
            other.create();
        }
        other.makeCurrent(&elsewhere);
    }
    QRect Viewport() const
    {
        Preview()->makeCurrent();
        GLint v[4];
        glGetIntegerv(GL_VIEWPORT, v);
        return QRect(v[0], v[1], v[2], v[3]);
    }
    // A pixel of the middle row of the preview's picture; by default the middle one.
    QColor Pixel(int x = -1) const
    {
        const QRect viewport = Viewport();
        GLubyte rgba[4] = {};
        glReadPixels(x < 0 ? viewport.width() / 2 : x, viewport.height() / 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return QColor(rgba[0], rgba[1], rgba[2]);
    }

    ScriptedDialogs dialogs;
    CountingGLPlatform platform;
    history::CarHistory history;
    frmView view{history};
    QOffscreenSurface elsewhere;
    QOpenGLContext other;
};

// A triangle across the middle of the preview, and a small one far to its right.
void Middle(CarRecord& car, int p, std::uint8_t colour)
{
    SetTriangle(car, p, {0, 1, 2}, colour, {{-1, -1, 0}, {1, -1, 0}, {0, 1, 0}});
}

void Aside(CarRecord& car, int p, std::uint8_t colour)
{
    SetTriangle(car, p, {10, 11, 12}, colour, {{2.0f, 0, 0}, {2.2f, 0, 0}, {2.1f, 0.2f, 0}});
}

// Black within a device pixel of the model point (h, v) of a view: 50
// pixels a unit about the view's centre.
bool Ink(const WireView* view, double h, double v, QPointF offset = {})
{
    const QImage& picture = view->Picture();
    const QPointF at = (QPointF(h * 50 + view->width() / 2.0, v * 50 + view->height() / 2.0) + offset) *
                       picture.devicePixelRatio();
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const QPoint p(static_cast<int>(std::floor(at.x())) + dx, static_cast<int>(std::floor(at.y())) + dy);
            if (picture.rect().contains(p) && picture.pixel(p) == qRgb(0, 0, 0))
                return true;
        }
    return false;
}

QColor PaletteColour(int number)
{
    const modLoad::ColourRGB& c = modLoad::Palette[number];
    return QColor(c.Red, c.Green, c.Blue);
}

bool Near(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) <= 2 && std::abs(a.green() - b.green()) <= 2 && std::abs(a.blue() - b.blue()) <= 2;
}

// The views draw the edges of the triangles in use, but none that end at a
// vertex past the table or at a point that is not finite, and circle the
// selected vertex.
TEST_F(EditorTest, TheWireFrameKeepsItsScaleAboutTheViewCentresAsTheWindowResizes)
{
    // XY: a triangle with an edge along y = -1; YZ: an edge through the
    // centre; XZ: an edge along z = 0.5.
    SetTriangle(Car(), 0, {0, 1, 2}, 0, {{-1, -1, 0.5f}, {1, -1, 0.5f}, {0, 1, -0.5f}});
    SetTriangle(Car(), 1, {0, 3, 4}, 0, {{-1, -1, 0.5f}, {NaN, 0, 0}, {std::numeric_limits<float>::infinity(), 1e30f, 0}});
    SetTriangle(Car(), 2, {2, 1, 200});
    Car().PolyPointCount = 255;
    Open();
    auto *xy = Control<WireView>("picXY"), *yz = Control<WireView>("picYZ"), *xz = Control<WireView>("picXZ");
    // Resized, the views draw at once, before the loop's next frame.
    for (const QSize size : {QSize(544, 390), QSize(700, 500)}) {
        view.resize(size);
        EXPECT_TRUE(Ink(xy, 0, -1) && Ink(xy, 0.5, 0) && Ink(xy, -0.5, 0) && !Ink(xy, 0, -0.9));
        EXPECT_TRUE(Ink(yz, 0, 0) && Ink(xz, 0.5, 0.5) && !Ink(xz, 0, 0.3));
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
    const double ratio = view.devicePixelRatioF();
    EXPECT_EQ(Viewport(), QRect(0, 0, std::lrint(309 * ratio), std::lrint(250 * ratio)));
    // Wider, the preview draws itself at its new shape before any frame: the
    // middle row of the triangle is half as wide. Its view is sized in its own context.
    Middle(Car(), 0, 50);
    ElsewhereCurrent();
    view.resize(1000, 390);
    const int middle = Viewport().width() / 2, outside = middle + static_cast<int>(30 * ratio);
    EXPECT_TRUE(Near(Pixel(middle), QColor(0, 0, 255)) && !Near(Pixel(outside), QColor(0, 0, 255)))
        << qPrintable(Pixel(middle).name()) << " " << qPrintable(Pixel(outside).name());
    // Smaller than the toolbox: the drawing areas shrink to nothing.
    view.resize(40, 10);
    EXPECT_EQ(std::make_pair(Control("picToolBox")->width(), Control("picCont")->width()), std::make_pair(83, 0));
}

TEST_F(EditorTest, TheToolboxSetsColoursNormalsAndTheHeadOfTheRecord)
{
    for (int p = 0; p < modLoad::MaxPolys; ++p)
        SetTriangle(Car(), p, {0, 1, 2}, static_cast<std::uint8_t>(p + 100));
    Car().HeadHidden = 7;
    Car().Normals[12] = {1.5f, -0.0f, NaN};
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
                                        {"3.5", 4}, {"255", 255}, {"-0.4", 0}, {"2.5000001", 3}}) {
        colour->setText(typed);
        EXPECT_EQ(Car().PolyColour[12], stored) << typed;
    }
    // Flip negates every part of the normal of the triangle's number, and
    // none for a triangle past the normal table.
    const CarRecord before = Car();
    auto* flip = Control<QPushButton>("cmdFlipPoly");
    QTest::mouseClick(flip, Qt::LeftButton);
    const Vector flipped = Car().Normals[12];
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
// read or written change nothing; a model chosen in the real file dialog
// replaces the mesh. Exported through the real save dialog, a name without
// an extension gets ".obj", and importing the file gives the model back.
TEST_F(EditorTest, ImportAndExportThroughTheFileDialogsAndRefusalsChangeNothing)
{
    for (int p = 0; p < modLoad::MaxPolys; ++p)
        SetTriangle(Car(), p, {0, 1, 2}, static_cast<std::uint8_t>(p + 1));
    Open();
    const CarRecord before = Car();
    QTemporaryDir folder;
    const QString quads = folder.filePath("quads.obj");
    testlib::WriteFile(quads, "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n" + QByteArray("f 1 2 3 4\n").repeated(21));
    auto* import = Control<QPushButton>("cmdImport");
    auto* exporter = Control<QPushButton>("cmdExport");
    dialogs << "" << quads << "Ok" << folder.filePath("gone.obj") << "Ok" << "" << folder.filePath("no/car.obj") << "Ok";
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(import, Qt::LeftButton);
    for (int i = 0; i < 2; ++i)
        QTest::mouseClick(exporter, Qt::LeftButton);
    EXPECT_EQ(dialogs.shown.at(0).text, "") << "every file is offered";
    EXPECT_EQ(dialogs.shown.at(5).text, "Wavefront OBJ (*.obj)|*.obj");
    const QStringList messages = dialogs.messages();
    EXPECT_TRUE(messages.size() == 3 && messages[0].contains("21 faces make 42 triangles") &&
                messages[1].contains("gone.obj") && messages[2].contains("no/car.obj\": No such file or directory"))
        << qPrintable(messages.join('\n'));
    EXPECT_EQ(testlib::Encoded(Car()), testlib::Encoded(before));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{"quads.obj"});

    // Chosen and accepted with the dialog's own button: keyboard focus may be
    // with another window on the display.
    ui::SetDialogProvider(nullptr);
    const auto choose = [&](QPushButton* button, const QString& path) {
        OnModal<QFileDialog>([&](QFileDialog* dialog) {
            dialog->selectFile(path);
            auto* buttons = dialog->findChild<QDialogButtonBox*>();
            QTest::mouseClick(buttons->button(dialog->acceptMode() == QFileDialog::AcceptSave ? QDialogButtonBox::Save
                                                                                              : QDialogButtonBox::Open),
                              Qt::LeftButton);
        }, [&] { QTest::mouseClick(button, Qt::LeftButton); });
    };
    const QString wedge = QStringLiteral(VELMAR_SOURCE_DIR "/samples/wedge-lf.obj");
    choose(import, wedge);
    CarRecord expected = before;
    ASSERT_TRUE(modOBJ::ImportOBJ(wedge, expected));
    EXPECT_EQ(testlib::Encoded(Car()), testlib::Encoded(expected));
    // The slider keeps the range it had when the editor opened.
    EXPECT_EQ(Control<QSlider>("sPolys")->maximum(), 39);

    choose(exporter, folder.filePath("round"));
    Car().Vertices[0] = {9, 9, 9};
    Car().Polys[0] = {2, 1, 0};
    choose(import, folder.filePath("round.obj"));
    ui::SetDialogProvider(&dialogs);
    EXPECT_EQ(testlib::Encoded(Car()), testlib::Encoded(expected));
}

TEST_F(EditorTest, WithoutAContextTheViewsStillDrawAndTheEditorEditsAndCloses)
{
    Middle(Car(), 0, 50);
    FailingGLPlatform failing({"create"});
    dialogs << "Ok";
    bool shown = false, drawn = false;
    QTimer::singleShot(100, &view, [&] {
        shown = view.isVisible() && view.isModal() && !Preview()->isVisible();
        drawn = Ink(Control<WireView>("picXY"), 0, -1);
        QTest::mouseClick(Control<QCheckBox>("chkHeadVisible"), Qt::LeftButton);
        view.close();
    });
    view.Run();
    EXPECT_TRUE(shown && drawn);
    EXPECT_EQ(dialogs.messages(), QStringList{"Can't Create A GL Rendering Context."});
    EXPECT_EQ(Car().HeadHidden, 1);
}

// The loop runs as the user leaves it: a frame after each change of what it
// shows, none while nothing changes, and it ends when the application quits.
TEST_F(EditorTest, TheLoopDrawsOneFrameAfterEachChangeAndNoneWhileNothingChanges)
{
    Middle(Car(), 0, 50);
    auto* xy = Control<WireView>("picXY");
    // Vertex 0 at (-1, -1) in the XY view.
    const auto corner = [&](int dx) { return QPoint(xy->width() / 2 - 50 + dx, xy->height() / 2 - 50); };
    // Each change with the frames it must bring.
    const std::vector<std::pair<int, std::function<void()>>> steps = {
        {0, [] {}},
        {1, [&] { QTest::mouseClick(Control<QCheckBox>("chkHeadVisible"), Qt::LeftButton); }},
        {1, [&] { Mouse(MouseMove, xy, corner(0)); }},  // picked
        {0, [&] { Mouse(MouseMove, xy, corner(2)); }},  // still the same vertex
        {1, [&] { Mouse(MousePress, xy, corner(2)), Mouse(MouseMove, xy, corner(30)); }},  // dragged
        {0, [&] { Mouse(MouseRelease, xy, corner(30)); }},
        {1, [&] {  // the preview turned
            Mouse(MousePress, Preview(), {20, 20}), Mouse(MouseMove, Preview(), {25, 20});
            Mouse(MouseRelease, Preview(), {25, 20});
        }},
        {1, [&] { view.resize(600, 420); }},
    };
    QList<int> drawn, expected;
    int before = 0;
    std::size_t next = 0;
    bool returned = false;
    QTimer step;
    step.callOnTimeout([&] {
        if (next > 0)
            drawn << platform.frames - before;
        if (next == steps.size()) {
            step.stop();
            QCoreApplication::quit();
            return;
        }
        before = platform.frames;
        expected << steps[next].first;
        steps[next++].second();
    });
    QTimer::singleShot(0, &view, [&] {
        step.start(200);
        view.Run();
        returned = true;
    });
    // Rescue the test if quitting left the editor open.
    QTimer::singleShot(10000, &view, &QWidget::close);
    QApplication::exec();
    EXPECT_EQ(drawn, expected);
    EXPECT_TRUE(returned && !view.isVisible());
}

TEST_F(EditorTest, TheMiddleOfThePreviewShowsWhatTheRecordAndTheSelectionSay)
{
    const QColor grey(128, 128, 128), black(0, 0, 0), blue(0, 0, 255), red(255, 0, 0);
    const struct {
        const char* what;
        std::function<void(CarRecord&, frmView&)> setUp;
        QColor expected;
    } cases[] = {
        {"nothing", [](CarRecord&, frmView&) {}, grey},
        {"a palette colour", [](CarRecord& c, frmView&) { Middle(c, 0, 50); }, PaletteColour(50)},
        {"the selected triangle", [](CarRecord& c, frmView& v) { Middle(c, 0, 50), v.SelectedPoly = 0; }, blue},
        // 205 sets no colour: the colour set last stays.
        {"205 after the selected one", [](CarRecord& c, frmView& v) { Aside(c, 0, 50), Middle(c, 1, 205), v.SelectedPoly = 0; }, blue},
        {"205 after a coloured one", [](CarRecord& c, frmView&) { Aside(c, 0, 60), Middle(c, 1, 205); }, PaletteColour(60)},
        {"205 first, the head shown", [](CarRecord& c, frmView&) { Middle(c, 0, 205); }, PaletteColour(4)},
        {"205 first, the head hidden", [](CarRecord& c, frmView&) { Middle(c, 0, 205), c.HeadHidden = 1; }, black},
        {"a colour past the palette", [](CarRecord& c, frmView&) { Middle(c, 0, 200); }, QColor(255, 0, 255)},
        {"a corner past the vertex table", [](CarRecord& c, frmView&) { Middle(c, 0, 50), c.Polys[0].C = 30; }, grey},
        {"triangle 39 of a count past 40", [](CarRecord& c, frmView&) { Middle(c, 39, 50), c.PolyPointCount = 255; }, PaletteColour(50)},
        {"the head", [](CarRecord& c, frmView&) { c.SpherePos[4] = {0, 0, 0}; }, PaletteColour(4)},
        {"the head hidden by 7", [](CarRecord& c, frmView&) { c.SpherePos[4] = {0, 0, 0}, c.HeadHidden = 7; }, grey},
        {"a wheel", [](CarRecord& c, frmView&) { c.SpherePos[2] = {0, 0, 0}, c.Parameters[2] = 0.5f; }, black},
        {"the selected vertex", [](CarRecord& c, frmView& v) { c.Vertices[3] = {0, 0, 1}, v.SelectedVertex = 3; }, red},
        {"a selected vertex past the table", [](CarRecord& c, frmView& v) { Middle(c, 0, 50), v.SelectedVertex = 30; }, PaletteColour(50)},
    };
    Open();
    for (const auto& c : cases) {
        Car() = EmptyCar();
        // No triangle selected: the slider never gives 40.
        view.SelectedPoly = 40;
        view.SelectedVertex = -1;
        c.setUp(Car(), view);
        ElsewhereCurrent();
        view.RenderFrame();
        EXPECT_TRUE(Near(Pixel(), c.expected)) << c.what << ": " << qPrintable(Pixel().name());
    }
}

TEST_F(EditorTest, DraggingOverThePreviewTurnsTheModelADegreeAPixel)
{
    SetTriangle(Car(), 0, {0, 1, 2}, 50, {{1.5f, -0.5f, 0}, {2.5f, -0.5f, 0}, {2, 0.5f, 0}});
    Open();
    view.SelectedPoly = 40;
    // Where the triangle's middle lies before and after half a turn about Y.
    const int right = Viewport().width() / 2 + static_cast<int>(Viewport().width() * 0.34);
    const int left = Viewport().width() - 1 - right;
    view.RenderFrame();
    EXPECT_TRUE(Near(Pixel(right), PaletteColour(50)) && !Near(Pixel(left), PaletteColour(50)));
    Mouse(MousePress, Preview(), {200, 60});
    Mouse(MouseMove, Preview(), {110, 90});
    Mouse(MouseMove, Preview(), {20, 90});
    Mouse(MouseRelease, Preview(), {20, 90});
    // Without a button held the pointer turns nothing.
    Mouse(MouseMove, Preview(), {150, 150});
    EXPECT_EQ(std::make_pair(view.RotX, view.RotY), std::make_pair(-30.0f, 180.0f));
    view.RenderFrame();
    EXPECT_TRUE(Near(Pixel(left), PaletteColour(50)) && !Near(Pixel(right), PaletteColour(50)));
}

// Views of 300 x 200 pixels (the right-hand column is one wider).
TEST_F(EditorTest, HoveringPicksTheLastCornerWithinTheRadiusNotTheNearest)
{
    Open({683, 400});
    // The pointer at (175, 90) of the XY view is the model point (0.5, -0.2).
    Car().Vertices[0] = {0.6f, -0.1f, 3};  // 0.14 away
    Car().Vertices[1] = {0.5f, 0.15f, 0};  // 0.35 away: too far
    Car().Vertices[2] = {0.3f, -0.2f, 0};  // 0.2 away
    auto* xy = Control<WireView>("picXY");
    ASSERT_EQ(xy->size(), QSize(300, 200));
    Mouse(MouseMove, xy, {175, 90});
    EXPECT_EQ(view.SelectedVertex, -1) << "no triangle in use";
    SetTriangle(Car(), 0, {0, 1, 2});
    Mouse(MouseMove, xy, {175, 91});
    EXPECT_EQ(view.SelectedVertex, 2);
    // A later triangle decides; corners past the vertex table are skipped.
    SetTriangle(Car(), 1, {2, 0, 1});
    SetTriangle(Car(), 2, {200, 31, 255});
    Car().PolyPointCount = 255;
    Mouse(MouseMove, xy, {176, 90});
    EXPECT_EQ(view.SelectedVertex, 0);
    Mouse(MouseMove, xy, {10, 10});
    EXPECT_EQ(view.SelectedVertex, -1);
}

TEST_F(EditorTest, ALeftDragMovesTheViewsTwoCoordinatesAlsoOutsideItAndAfterAResize)
{
    Open({683, 400});
    Vector& vertex = Car().Vertices[0];
    SetTriangle(Car(), 0, {0, 0, 0}, 0, {{0.5f, 7, -0.2f}});
    auto* xz = Control<WireView>("picXZ");
    // A press with nothing picked arms no drag, even when the pointer then finds a vertex.
    Mouse(MousePress, xz, {20, 20});
    Mouse(MouseMove, xz, {175, 90});
    EXPECT_EQ(view.SelectedVertex, 0);
    Mouse(MouseMove, xz, {174, 90});
    EXPECT_EQ(vertex.X, 0.5f);
    Mouse(MouseRelease, xz, {174, 90});

    Mouse(MousePress, xz, {175, 90});
    Mouse(MouseMove, xz, {150, 150});
    EXPECT_EQ(std::make_tuple(vertex.X, vertex.Y, vertex.Z), std::make_tuple(0.0f, 7.0f, 1.0f));
    // The pressed view keeps the pointer beyond its edges; its size at the
    // moment of the move counts.
    Mouse(MouseMove, xz, {-50, 300});
    EXPECT_EQ(std::make_pair(vertex.X, vertex.Z), std::make_pair(-4.0f, 4.0f));
    view.resize(883, 400);
    ASSERT_EQ(xz->width(), 400);
    Mouse(MouseMove, xz, {225, 50});
    EXPECT_EQ(std::make_pair(vertex.X, vertex.Z), std::make_pair(0.5f, -1.0f));
    // Another button stops the drag; the pointer picks again.
    Mouse(MousePress, xz, {225, 50}, Qt::MiddleButton);
    Mouse(MouseMove, xz, {230, 55});
    EXPECT_EQ(std::make_tuple(vertex.X, vertex.Z, view.SelectedVertex), std::make_tuple(0.5f, -1.0f, 0));
    Mouse(MouseRelease, xz, {230, 55}, Qt::MiddleButton);
    Mouse(MouseRelease, xz, {230, 55});
}

}  // namespace
