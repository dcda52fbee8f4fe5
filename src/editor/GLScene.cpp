#include "GLScene.h"

#include "Handles.h"
#include "ModelLimits.h"
#include "Palette.h"
#include "PreviewPick.h"

#include <algorithm>
#include <cmath>

#include <GL/gl.h>
#include <GL/glu.h>

namespace editor {

namespace {

constexpr double MarkerRadius = 0.2;
constexpr double MarkerMargin = 0.01;
constexpr GLint SphereDetail = 10;
constexpr int HeadColour = 4;
// A triangle of this colour number keeps the colour set last.
constexpr std::uint8_t NoColour = 205;

void camera(const SceneView& view)
{
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -EyeDistance);
    glRotatef(view.rotX, 1.0f, 0.0f, 0.0f);
    glRotatef(view.rotY, 0.0f, 1.0f, 0.0f);
}

void sphere(GLUquadric* quadric, const modLoad::Vector& centre, double radius)
{
    glTranslatef(centre.X, centre.Y, centre.Z);
    if (quadric)
        gluSphere(quadric, radius, SphereDetail, SphereDetail);
}

void paletteColour(std::uint8_t number)
{
    // Numbers past the palette show in magenta, the usual colour of a missing one.
    if (number >= modLoad::PaletteSize) {
        glColor3f(1.0f, 0.0f, 1.0f);
        return;
    }
    const modLoad::ColourRGB& c = modLoad::Palette[number];
    glColor3ub(c.Red, c.Green, c.Blue);
}

}  // namespace

void DrawCarScene(const modLoad::CarRecord& car, const SceneView& view)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    GLUquadric* quadric = gluNewQuadric();
    glColor3f(0.0f, 0.0f, 0.0f);

    for (int i = 0; i < modLoad::SphereCount; ++i) {
        if (!SphereShown(car, i))
            continue;
        camera(view);
        if (i == HeadSphere)
            paletteColour(HeadColour);
        else
            glColor3f(0.0f, 0.0f, 0.0f);
        sphere(quadric, car.SpherePos[i], SphereRadius(car, i));
    }

    camera(view);
    glBegin(GL_TRIANGLES);
    const int used = modLoad::UsedPolys(car);
    for (int p = 0; p < used; ++p) {
        const modLoad::Poly& poly = car.Polys[p];
        if (!modLoad::PolyInModel(poly))
            continue;
        if (p == view.selectedPoly)
            glColor3f(0.0f, 0.0f, 1.0f);
        else if (car.PolyColour[p] != NoColour)
            paletteColour(car.PolyColour[p]);
        for (const std::uint8_t index : {poly.A, poly.B, poly.C}) {
            const modLoad::Vector& n = car.Normals[index];
            const modLoad::Vector& v = car.Vertices[index];
            glNormal3f(n.X, n.Y, n.Z);
            glVertex3f(v.X, v.Y, v.Z);
        }
    }
    glEnd();

    const bool vertex = modLoad::VertexInModel(view.selectedVertex);
    const modLoad::Vector* marked = HandlePoint(car, {view.selectedVertex, view.selectedSphere});
    if (marked) {
        camera(view);
        glColor3f(1.0f, 0.0f, 0.0f);
        // A picked wheel or head is wrapped in the marker, which its own sphere would hide.
        const double around = vertex ? 0.0 : std::abs(SphereRadius(car, view.selectedSphere)) + MarkerMargin;
        sphere(quadric, *marked, std::max(MarkerRadius, around));
    }
    if (quadric)
        gluDeleteQuadric(quadric);
}

}  // namespace editor
