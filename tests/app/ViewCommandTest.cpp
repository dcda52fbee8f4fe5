#include "MainWindowFixture.h"

#include "DemoLibrary.h"
#include "HostileLibrary.h"
#include "OnModal.h"
#include "QtPrinters.h"
#include "WireView.h"
#include "frmView.h"
#include "modOBJ.h"

#include <QLineEdit>
#include <QSlider>
#include <QWindow>

namespace {

using modLoad::CarRecord;
using modLoad::CarTable;

class ViewCommandTest : public MainWindowTest {
protected:
    // Opens the editor with View, runs act in it, then closes it.
    template <typename Act>
    void InEditor(Act act)
    {
        OnModal<frmView>(act, [&] { Click("cmdView"); });
    }
};

TEST_F(ViewCommandTest, EditsReachTheLibraryAtOnceAndTheFileOnlyWhenSaved)
{
    CarTable cars = samples::DemoLibrary();
    const QString file = Write("library.car", cars);
    Load(file);
    ChooseCar(2);
    bool modal = false;
    QString shown;
    InEditor([&](frmView* editor) {
        modal = editor->isModal();
        auto* colour = editor->findChild<QLineEdit*>("txtColour");
        colour->clear();
        QTest::keyClicks(colour, "7");
    });
    EXPECT_TRUE(modal);
    EXPECT_EQ(testlib::ReadFile(file), testlib::LibraryFile(cars));
    InEditor([&](frmView* editor) { shown = editor->findChild<QLineEdit*>("txtColour")->text(); });
    EXPECT_EQ(shown, "7");
    cars[2].PolyColour[0] = 7;
    EXPECT_EQ(SaveAs("saved.car"), testlib::LibraryFile(cars));
}

// What the user does to each car: hover and drag in every view, turn the
// preview, recolour and flip the last triangle, import a model. Each change
// is made in `expected` as the editor must make it. Returns in how many views
// a vertex was picked and dragged.
int Exercise(frmView* editor, CarRecord& expected, const QString& model)
{
    int dragged = 0;
    QWindow* window = editor->windowHandle();
    editor->RenderFrame();
    for (const char* name : {"picXY", "picYZ", "picXZ"}) {
        auto* view = editor->findChild<WireView*>(name);
        const editor::ViewAxes axes = view->Axes();
        // A corner of a triangle in use, in the model and in sight.
        QPoint target = view->rect().center();
        for (int p = 0; p < modLoad::UsedPolys(expected); ++p) {
            const QPointF at = editor::MapToView(expected.Vertices[expected.Polys[p].A % 30], axes, 50, view->size());
            if (modLoad::PolyInModel(expected.Polys[p]) && view->rect().adjusted(10, 10, -10, -10).contains(at.toPoint())) {
                target = at.toPoint();
                break;
            }
        }
        QTest::mouseMove(window, view->mapTo(editor, target + QPoint(1, 0)));
        QTest::mouseMove(window, view->mapTo(editor, target));
        const int picked = editor->SelectedVertex;
        const QPoint to = target + QPoint(7, -4);
        QTest::mousePress(window, Qt::LeftButton, {}, view->mapTo(editor, target));
        QTest::mouseMove(window, view->mapTo(editor, to));
        QTest::mouseRelease(window, Qt::LeftButton, {}, view->mapTo(editor, to));
        if (picked >= 0) {
            ++dragged;
            modLoad::Vector& v = expected.Vertices[picked];
            editor::Coordinate(v, axes.H) = (static_cast<float>(to.x()) - view->width() / 2.0f) / 50.0f;
            editor::Coordinate(v, axes.V) = (static_cast<float>(to.y()) - view->height() / 2.0f) / 50.0f;
        }
        editor->RenderFrame();
    }
    QWindow* preview = window->findChild<QWindow*>("previewSurface");
    QTest::mousePress(preview, Qt::LeftButton, {}, {50, 50});
    QTest::mouseMove(preview, {90, 20});
    QTest::mouseRelease(preview, Qt::LeftButton, {}, {90, 20});
    editor->RenderFrame();

    auto* slider = editor->findChild<QSlider*>("sPolys");
    slider->setValue(slider->maximum());
    auto* colour = editor->findChild<QLineEdit*>("txtColour");
    colour->clear();
    QTest::keyClicks(colour, "9");
    expected.PolyColour[slider->value()] = 9;
    QTest::mouseClick(editor->findChild<QPushButton*>("cmdFlipPoly"), Qt::LeftButton);
    if (slider->value() < modLoad::MaxVertices) {
        modLoad::Vector& n = expected.Normals[slider->value()];
        n = {-n.X, -n.Y, -n.Z};
    }
    editor->RenderFrame();

    QTest::mouseClick(editor->findChild<QPushButton*>("cmdImport"), Qt::LeftButton);
    EXPECT_TRUE(modOBJ::ImportOBJ(model, expected));
    editor->RenderFrame();
    return dragged;
}

TEST_F(ViewCommandTest, RecordsOutsideTheModelAreEditedSafelyAndWrittenBackAsRead)
{
    CarTable expected = samples::HostileLibrary();
    Load(Write("hostile.car", expected));
    const QString model = QStringLiteral(VELMAR_SOURCE_DIR "/samples/kart.obj");
    for (int car = 0; car < static_cast<int>(expected.size()); ++car) {
        ChooseCar(car);
        dialogs << model;
        InEditor([&](frmView* editor) { EXPECT_GT(Exercise(editor, expected[car], model), 0) << "car " << car; });
    }
    EXPECT_EQ(SaveAs("saved.car"), testlib::LibraryFile(expected));
}

}  // namespace
