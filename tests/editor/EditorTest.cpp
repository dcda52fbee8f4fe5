#include "EditorFixture.h"

namespace {

using namespace editortest;

// The views draw the edges of the triangles in use, none to a vertex past the table or not finite, and circle
// the selected vertex. Resized, the window lays out its parts, which draw anew at once, before the loop's next
// frame. Then the pointer picks and drags in views of 300 x 200 pixels.
TEST_F(EditorTest, ResizingLaysOutAndDrawsAnewAndThePointerPicksAndDrags)
{
    // XY: an edge along y = -1; YZ: an edge through the centre; XZ: an edge along z = 0.5.
    SetTriangle(Car(), 0, {0, 1, 2}, 0, {{-1, -1, 0.5f}, {1, -1, 0.5f}, {0, 1, -0.5f}});
    SetTriangle(Car(), 1, {0, 3, 4}, 0, {{-1, -1, 0.5f}, {NaN, 0, 0}, {std::numeric_limits<float>::infinity(), 1e30f, 0}});
    SetTriangle(Car(), 2, {2, 1, 200});
    Car().PolyPointCount = 255;
    Open();
    view.resize(700, 500);
    auto *xy = Control<WireView>("picXY"), *yz = Control<WireView>("picYZ"), *xz = Control<WireView>("picXZ");
    EXPECT_TRUE(Ink(xy, 0, -1) && Ink(xy, 0.5, 0) && Ink(xy, -0.5, 0) && !Ink(xy, 0, -0.9));
    EXPECT_TRUE(Ink(yz, 0, 0) && Ink(xz, 0.5, 0.5) && !Ink(xz, 0, 0.3));
    for (const int selected : {1, 45, -1}) {
        view.SelectedVertex = selected;
        view.RenderFrame();
        EXPECT_EQ(Ink(xy, 1, -1, {0, 10}) && Ink(xy, 1, -1, {-10, 0}) && !Ink(xy, 1, -1, {5, 5}), selected == 1);
    }
    // The right-hand column is one pixel wider than the left; the preview's viewport counts device pixels.
    for (const auto& [name, at] : {std::pair{"picToolBox", QRect(0, 0, 83, 500)}, {"picCont", QRect(83, 0, 617, 500)},
                                   {"picXY", QRect(0, 0, 308, 250)}, {"picYZ", QRect(308, 0, 309, 250)},
                                   {"picXZ", QRect(0, 250, 308, 250)}, {"picPreview", QRect(308, 250, 309, 250)}})
        EXPECT_EQ(Control(name)->geometry(), at) << name;
    const double ratio = view.devicePixelRatioF();
    EXPECT_EQ(Viewport(), QRect(0, 0, std::lrint(309 * ratio), std::lrint(250 * ratio)));
    // Wider, the preview draws the selected triangle at its new shape, its
    // middle row narrower. Its view is sized in its own context.
    NoneCurrent();
    view.resize(1000, 390);
    const int middle = Viewport().width() / 2, outside = middle + static_cast<int>(30 * ratio);
    EXPECT_TRUE(Near(Pixel(middle), Blue) && !Near(Pixel(outside), Blue));

    // The corner met last within the radius is picked, not the nearest: the pointer at (175, 90) is the
    // model point (0.5, -0.2), the corners 0.14, 0.35 (too far) and 0.2 away from it.
    view.resize(683, 400);
    ASSERT_EQ(xy->size(), QSize(300, 200));
    Car() = EmptyCar();
    SetTriangle(Car(), 0, {0, 1, 2}, 0, {{0.6f, -0.1f, 3}, {0.5f, 0.15f, 0}, {0.3f, -0.2f, 0}});
    QList<int> picked;
    const auto hover = [&](QPoint at) { Mouse(MouseMove, xy, at), picked << view.SelectedVertex; };
    Car().PolyPointCount = 0, hover({175, 90}), Car().PolyPointCount = 3, hover({175, 91});
    // A later triangle decides; corners past the vertex table are skipped.
    SetTriangle(Car(), 1, {2, 0, 1}), SetTriangle(Car(), 2, {200, 31, 255});
    Car().PolyPointCount = 255, hover({176, 90}), hover({10, 10});
    EXPECT_EQ(picked, QList<int>({-1, 2, 0, -1}));

    // A left drag moves the vertex in the view's two coordinates; a press with
    // nothing picked arms none, even when the pointer then finds a vertex.
    Car() = EmptyCar();
    const Vector& vertex = Car().Vertices[0];
    SetTriangle(Car(), 0, {0, 0, 0}, 0, {{0.5f, 7, -0.2f}});
    Mouse(MousePress, xz, {20, 20}), Mouse(MouseMove, xz, {175, 90}), Mouse(MouseMove, xz, {174, 90});
    EXPECT_EQ(std::make_pair(view.SelectedVertex, vertex.X), std::make_pair(0, 0.5f));
    Mouse(MouseRelease, xz, {174, 90}), Mouse(MousePress, xz, {175, 90}), Mouse(MouseMove, xz, {150, 150});
    EXPECT_EQ(std::make_tuple(vertex.X, vertex.Y, vertex.Z), std::make_tuple(0.0f, 7.0f, 1.0f));
    // The pressed view keeps the pointer beyond its edges; its size at the moment of the move counts.
    Mouse(MouseMove, xz, {-50, 300});
    EXPECT_EQ(std::make_pair(vertex.X, vertex.Z), std::make_pair(-4.0f, 4.0f));
    view.resize(883, 400), Mouse(MouseMove, xz, {225, 50});
    EXPECT_EQ(std::make_pair(vertex.X, vertex.Z), std::make_pair(0.5f, -1.0f));
    // Another button stops the drag; the pointer picks again.
    Mouse(MousePress, xz, {225, 50}, Qt::MiddleButton), Mouse(MouseMove, xz, {230, 55});
    EXPECT_EQ(std::make_tuple(vertex.X, vertex.Z, view.SelectedVertex), std::make_tuple(0.5f, -1.0f, 0));
    Mouse(MouseRelease, xz, {230, 55}, Qt::MiddleButton), Mouse(MouseRelease, xz, {230, 55});

    // Smaller than the toolbox: the drawing areas shrink to nothing.
    view.resize(40, 10);
    EXPECT_EQ(std::make_pair(Control("picToolBox")->width(), Control("picCont")->width()), std::make_pair(83, 0));
}

// The toolbox sets colours, normals and the head, and imports and exports;
// reopened, the editor sets it afresh but keeps its own fields.
TEST_F(EditorTest, TheToolboxEditsImportsAndExportsAndReopeningSetsItAfresh)
{
    for (int p = 0; p < modLoad::MaxPolys; ++p) SetTriangle(Car(), p, {0, 1, 2}, static_cast<std::uint8_t>(p + 100));
    Car().HeadHidden = 7;
    Car().Normals[12] = {1.5f, -0.0f, NaN};
    Open();
    auto* slider = Control<QSlider>("sPolys");
    auto* colour = Control<QLineEdit>("txtColour");
    auto* head = Control<QCheckBox>("chkHeadVisible");
    EXPECT_EQ(std::make_tuple(slider->minimum(), slider->maximum(), head->isChecked()), std::make_tuple(0, 39, false));
    slider->setValue(12);
    EXPECT_EQ(colour->text(), "112");
    // Emptied, not a number, out of range: the colour stays; rounded as the value prompt rounds.
    for (const auto& [typed, stored] : {std::pair{"15", 15}, {"", 15}, {"abc", 15}, {"256", 15}, {"-1", 15}, {"2.5", 2},
                                        {"255", 255}, {"-0.4", 0}}) {
        colour->setText(typed);
        EXPECT_EQ(Car().PolyColour[12], stored) << typed;
    }
    // Typed key by key, 300 stores 3, then 30; Enter, or leaving the box, shows what is stored.
    colour->selectAll(), QTest::keyClicks(colour, "300"), QTest::keyClick(colour, Qt::Key_Return);
    EXPECT_EQ(colour->text() + " " + QString::number(Car().PolyColour[12]), "30 30");
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    colour->selectAll(), QTest::keyClicks(colour, "x"), QApplication::sendEvent(colour, &leave);
    EXPECT_EQ(colour->text(), "30");
    // Flip negates every part of the normal of the triangle's number; none past the normal table.
    const CarRecord before = Car();
    Click("cmdFlipPoly");
    const Vector flipped = Car().Normals[12];
    EXPECT_EQ(std::make_tuple(flipped.X, std::signbit(flipped.Y), std::signbit(flipped.Z)), std::make_tuple(-1.5f, false, true));
    Click("cmdFlipPoly");
    slider->setValue(35);
    Click("cmdFlipPoly");
    EXPECT_EQ(testlib::Encoded(Car()), testlib::Encoded(before));
    Click("chkHeadVisible"), Click("chkHeadVisible");
    EXPECT_EQ(Car().HeadHidden, 1);

    // A cancelled choice, a model too big and a file not written change nothing; an export imports back.
    CarRecord expected = Car();
    QTemporaryDir folder;
    const QString round = folder.filePath("round.obj"), wedge = testlib::Sample(folder.path(), "wedge-lf.obj");
    const QString quads = testlib::WriteFile(folder.filePath("quads.obj"), "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n" +
                                                                           QByteArray("f 1 2 3 4\n").repeated(21));
    dialogs << "" << quads << "Ok" << "" << folder.filePath("no/car.obj") << "Ok";
    for (const char* button : {"cmdImport", "cmdImport", "cmdExport", "cmdExport"}) Click(button);
    EXPECT_EQ(testlib::Encoded(Car()), testlib::Encoded(expected));
    dialogs << wedge << round << round;
    Click("cmdImport"), Click("cmdExport");
    Car().Vertices[0] = {9, 9, 9};
    Click("cmdImport");
    ASSERT_TRUE(modOBJ::ImportOBJ(wedge, expected));
    EXPECT_EQ(testlib::Encoded(Car()), testlib::Encoded(expected));
    // Replacing a file is asked first; a pipe is refused before it is opened, though a reader holds it.
    const QString pipe = folder.filePath("pipe.obj");
    ASSERT_EQ(0, mkfifo(qPrintable(pipe), 0600));
    const int reader = open(qPrintable(pipe), O_RDONLY | O_NONBLOCK);
    dialogs << round << "No" << "" << pipe << "Ok";
    Click("cmdExport"), Click("cmdExport");
    char byte;
    EXPECT_LE(read(reader, &byte, 1), 0);  // nothing written
    close(reader);
    EXPECT_EQ(dialogs.messages().mid(2), (QStringList{"round.obj already exists.\nDo you want to replace it?",
                                                      "Cannot write \"" + pipe + "\": it is a named pipe, not a file."}));
    // Every file is offered for an import, OBJ for an export.
    EXPECT_EQ(dialogs.shown.at(0).text + '|' + dialogs.shown.at(3).text, "|Wavefront OBJ (*.obj)|*.obj");

    // Closed during a drag: the release never comes, so the drag ends with the window.
    view.SelectedVertex = 3, view.RotX = 12.5f, view.DragButton = 1;
    view.close();
    const int dragAfterClose = view.DragButton;
    // Reopened on no triangles, a head value the editor itself never writes,
    // and without a context: the views still draw, circling the kept vertex.
    Car().PolyPointCount = 0, Car().PolyColour[0] = 9, Car().HeadHidden = 7;
    FailingGLPlatform failing({"create"});
    dialogs << "Ok";
    Open();
    EXPECT_EQ(std::make_tuple(slider->minimum(), slider->maximum(), colour->text(), head->isChecked(), view.SelectedVertex,
                              view.RotX, dragAfterClose, int{Car().HeadHidden}), std::make_tuple(0, 0, QString("9"), false, 3, 12.5f, 0, 7));
    EXPECT_EQ(dialogs.messages().last(), "Can't Create A GL Rendering Context.");
    const Vector& kept = Car().Vertices[3];
    EXPECT_TRUE(Ink(Control<WireView>("picXY"), kept.X, kept.Y, {0, 10}) && !Preview()->isVisible());
    Click("chkHeadVisible");
    EXPECT_EQ(Car().HeadHidden, 0);
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
        {1, [&] { Click("chkHeadVisible"); }},
        {1, [&] { Mouse(MouseMove, xy, corner(0)); }},  // picked
        {0, [&] { Mouse(MouseMove, xy, corner(2)); }},  // still the same vertex
        {1, [&] { Mouse(MousePress, xy, corner(2)), Mouse(MouseMove, xy, corner(30)); }},  // dragged
        {0, [&] { Mouse(MouseRelease, xy, corner(30)); }},
        {1, [&] { Mouse(MousePress, Preview(), {20, 20}), Mouse(MouseMove, Preview(), {25, 20}); }},  // turned
        {0, [&] { Mouse(MouseRelease, Preview(), {25, 20}); }},
        {1, [&] { QTest::keyClick(Preview(), Qt::Key_Left); }},
        {1, [&] { QTest::keyClick(xy, Qt::Key_PageDown); }},
        {1, [&] { view.resize(600, 420); }},
    };
    // The opening draws one frame, and none follows while nothing changes.
    QList<int> drawn, expected = {1};
    int before = 0, next = 0;
    bool rescued = false;
    QTimer step;
    step.callOnTimeout([&] {
        drawn << platform.frames - std::exchange(before, platform.frames);
        if (next == static_cast<int>(steps.size())) return step.stop(), QCoreApplication::quit();
        expected << steps[next].first;
        steps[next++].second();
    });
    QTimer::singleShot(0, &view, [&] { step.start(200), view.Run(); });
    // Ends the loop if quitting did not.
    QTimer::singleShot(10000, &view, [&] { rescued = StopRender = true; });
    QApplication::exec();
    EXPECT_EQ(drawn, expected);
    EXPECT_FALSE(rescued || view.isVisible());
}

// The middle pixel case by case; then a drag over the preview turns the model a degree a pixel.
TEST_F(EditorTest, ThePreviewShowsWhatTheRecordAndTheSelectionSayAndTurnsWithTheMouse)
{
    const std::vector<std::tuple<const char*, std::function<void()>, QColor>> cases = {
        {"nothing", [] {}, Grey},
        {"a palette colour", [&] { Middle(Car(), 0, 50); }, PaletteColour(50)},
        {"the selected triangle", [&] { Middle(Car(), 0, 50), view.SelectedPoly = 0; }, Blue},
        // 205 sets no colour: the colour set last stays.
        {"205 after a coloured one, far right", [&] {
             SetTriangle(Car(), 0, {10, 11, 12}, 60, {{2, 0, 0}, {2.2f, 0, 0}, {2.1f, 0.2f, 0}}), Middle(Car(), 1, 205);
         }, PaletteColour(60)},
        {"205 first, the head shown", [&] { Middle(Car(), 0, 205); }, PaletteColour(4)},
        {"205 first, the head hidden", [&] { Middle(Car(), 0, 205), Car().HeadHidden = 1; }, Black},
        {"a colour past the palette", [&] { Middle(Car(), 0, 192); }, QColor(255, 0, 255)},
        {"a corner past the vertex table", [&] { Middle(Car(), 0, 50), Car().Polys[0].C = 30; }, Grey},
        {"triangle 39 of a count past 40", [&] { Middle(Car(), 39, 50), Car().PolyPointCount = 255; }, PaletteColour(50)},
        {"the head", [&] { Car().SpherePos[4] = {0, 0, 0}; }, PaletteColour(4)},
        {"the head hidden by 7", [&] { Car().SpherePos[4] = {0, 0, 0}, Car().HeadHidden = 7; }, Grey},
        {"a wheel", [&] { Car().SpherePos[2] = {0, 0, 0}, Car().Parameters[2] = 0.5f; }, Black},
        {"the selected vertex", [&] { Car().Vertices[3] = {0, 0, 1}, view.SelectedVertex = 3; }, QColor(255, 0, 0)},
        {"a selected vertex past the table", [&] { Middle(Car(), 0, 50), view.SelectedVertex = 30; }, PaletteColour(50)},
    };
    Open();
    for (const auto& [what, setUp, expected] : cases) {
        // No triangle selected: the slider never gives 40.
        Car() = EmptyCar(), view.SelectedPoly = 40, view.SelectedVertex = -1;
        setUp(), NoneCurrent(), view.RenderFrame();
        EXPECT_TRUE(Near(Pixel(), expected)) << what << ": " << qPrintable(Pixel().name());
    }

    // Right of the middle, and after half a turn about Y as far to the left.
    Car() = EmptyCar();
    SetTriangle(Car(), 0, {0, 1, 2}, 50, {{1.5f, -0.5f, 0}, {2.5f, -0.5f, 0}, {2, 0.5f, 0}});
    const int left = Viewport().width() / 2 - Viewport().width() / 3;
    Mouse(MousePress, Preview(), {200, 60}), Mouse(MouseMove, Preview(), {110, 90}), Mouse(MouseMove, Preview(), {20, 90});
    // Without a button held the pointer turns nothing.
    Mouse(MouseRelease, Preview(), {20, 90}), Mouse(MouseMove, Preview(), {150, 150});
    EXPECT_EQ(std::make_pair(view.RotX, view.RotY), std::make_pair(-30.0f, 180.0f));
    view.RenderFrame();
    EXPECT_TRUE(Near(Pixel(left), PaletteColour(50)));
}

// Owned by a window, the editor opens centred over it (no window manager moves it here) as its transient (of a
// dialog's type: Qt gives X no WM_TRANSIENT_FOR for a plain window), on Wayland its child, drawn as an ordinary window, not through GL, which Qt 6.4 leaves without a frame on Wayland:
// there it keeps the frame Qt draws. The close request that its title bar's button sends ends it, as Escape does.
TEST_F(EditorTest, OwnedItOpensFramedOverItsWindowAndClosesFromItsCloseButtonOrEscape)
{
    QWidget owner;
    owner.setGeometry(100, 80, 400, 300), owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    frmView owned(history, &owner);
    const bool wayland = QGuiApplication::platformName() == "wayland";
    const std::function<void()> closes[] = {[&] { owned.windowHandle()->close(); },
                                            [&] { QApplication::setActiveWindow(&owned), QTest::keyClick(&owned, Qt::Key_Escape); }};
    for (const auto& close : closes) {
        bool rescued = false, drawn = false, framed = false, over = false;
        QTimer::singleShot(0, &owned, [&] {
            drawn = QTest::qWaitForWindowExposed(&owned) && OGLUtils::GLContext && owned.findChild<GLSurface*>("picPreview")->isVisible();
            QWindow* window = owned.windowHandle();
            framed = window->transientParent() == owner.windowHandle() && window->type() == Qt::Dialog &&
                     window->surfaceType() == QSurface::RasterSurface &&
                     (!wayland || window->frameMargins().top() > 0);
            over = wayland || (owned.frameGeometry().center() - owner.frameGeometry().center()).manhattanLength() <= 2;
            close();
        });
        QTimer::singleShot(10000, &owned, [&] { rescued = StopRender = true; });
        owned.Run();
        EXPECT_EQ(std::make_tuple(drawn, framed, over, rescued, owned.isVisible(), OGLUtils::GLContext),
                  std::make_tuple(true, true, true, false, false, 0u));
    }
}

// Tab visits the views and the preview after the toolbox, each framed while it has the keyboard. Page Down and
// Page Up pick what the pointer can pick, round in index order; the arrows move the picked vertex a pixel (0.02
// units) along the view's axes, a run of presses on one vertex one step, and turn the preview five degrees.
TEST_F(EditorTest, TheKeyboardReachesTheViewsAndThePreviewToPickMoveAndTurn)
{
    using enum Qt::Key;
    SetTriangle(Car(), 0, {4, 1, 200}), SetTriangle(Car(), 1, {1, 7, 4});
    Open(), QApplication::setActiveWindow(&view);
    Control("chkHeadVisible")->setFocus();
    const auto framed = [](QWidget* w) {
        const QImage picture = w->grab().toImage();
        return picture.pixelColor(QPoint(1, 1) * picture.devicePixelRatio()) == w->palette().color(QPalette::Highlight);
    };
    QStringList visited;
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(view.focusWidget(), Key_Tab);
        visited << view.focusWidget()->objectName() + (framed(view.focusWidget()) ? "" : " unframed");
    }
    EXPECT_EQ(visited, QStringList({"picXY", "picYZ", "picXZ", "picPreview", "cmdImport unframed"}));
    EXPECT_FALSE(framed(Control("picPreview")));
    const auto press = [&](const char* name, std::initializer_list<Qt::Key> keys) {
        for (const Qt::Key key : keys) QTest::keyClick(Control(name), key);
    };
    QList<int> picked;
    for (const Qt::Key key : {Key_PageDown, Key_PageDown, Key_PageDown, Key_PageDown, Key_PageUp, Key_PageUp})
        press("picXY", {key}), picked << view.SelectedVertex;
    EXPECT_EQ(picked, QList<int>({1, 4, 7, 1, 7, 4}));
    const CarRecord before = Car();
    const Vector& moved = (press("picXZ", {Key_Right, Key_Right, Key_Down}), Car().Vertices[4]);
    EXPECT_EQ(std::make_tuple(moved.X, moved.Y, moved.Z), std::make_tuple(0.02f + 0.02f, 0.0f, 0.02f));
    press("picXY", {Key_PageDown, Key_Up});
    EXPECT_EQ(std::make_pair(history.count(), Car().Vertices[7].Y), std::make_pair(2, -0.02f));
    history.undo(), history.undo();
    EXPECT_EQ(testlib::Encoded(Car()), testlib::Encoded(before));
    press("picPreview", {Key_Left, Key_Left, Key_Right, Key_Up});
    EXPECT_EQ(std::make_pair(view.RotX, view.RotY), std::make_pair(5.0f, 5.0f));
}

}  // namespace
