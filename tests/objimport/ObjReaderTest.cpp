#include "QtPrinters.h"
#include "TestLibrary.h"
#include "modOBJ.h"

#include <QLocale>
#include <QTemporaryDir>

#include <algorithm>
#include <bit>
#include <limits>
#include <random>
#include <tuple>

#include <gtest/gtest.h>

using namespace modOBJ;

namespace {

using Bits = std::tuple<std::uint32_t, std::uint32_t, std::uint32_t>;
using Corners = std::array<std::int32_t, 3>;

Bits bits(const ObjVertex& v)
{
    return {std::bit_cast<std::uint32_t>(v.X), std::bit_cast<std::uint32_t>(v.Y), std::bit_cast<std::uint32_t>(v.Z)};
}

Bits bits(float x, float y, float z)
{
    return bits(ObjVertex{x, y, z, 0});
}

class ObjFiles : public testing::Test {
protected:
    modLoad::FileResult read(const QByteArray& text)
    {
        testlib::WriteFile(path, text);
        return ReadOBJ(path);
    }

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("model.obj"));
};

}  // namespace

TEST_F(ObjFiles, ReadsVerticesAndTrianglesInEveryLineStyle)
{
    // A decimal comma in the user's locale must not change how a file reads.
    QLocale::setDefault(QLocale(QLocale::German));
    const float z = -0.0f;
    const float tiny = std::numeric_limits<float>::denorm_min();
    const struct {
        const char* text;
        std::vector<Bits> vertices;
        std::vector<Corners> faces;
    } cases[] = {
        {"v 1.5 -2 0.25\r\nv 1 2 3 1\r\nf 1 2 3\r\n", {bits(1.5f, -2, 0.25f), bits(1, 2, 3)}, {{0, 1, 2}}},
        {"f 3//1 1//1 2//1\n\r\nv 1 2 3\nf 1/4/7 2/5/8 3/6/9", {bits(1, 2, 3)}, {{2, 0, 1}, {0, 1, 2}}},
        {"  v  1\t\t2   3 \n\tf 1 2 3 \r\n v\t4 5 6\r\n", {bits(1, 2, 3), bits(4, 5, 6)}, {{0, 1, 2}}},
        {"f 0 -5 32767\nf -32768 +2 007\n", {}, {{-1, -6, 32766}, {-32769, 1, 6}}},
        {"v +1 -0 1e-50\nv -1e-50 .5 5.\nv 1E2 1e+1 -2.5e-1\nv 8e-46 -7e-46 3.4028235e38\n",
         {bits(1, z, 0), bits(z, 0.5f, 5), bits(100, 10, -0.25f), bits(tiny, z, 3.4028235e38f)},
         {}},
        {"# v 1 2 3\nvt 0 0\nvn 0 0 1\ng body\nusemtl paint\ns off\nV 1 2 3\nF 1 2 3\nv1 2 3\nfo 1 2\n\n", {}, {}},
        {"", {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ASSERT_TRUE(read(c.text)) << qPrintable(read(c.text).message);
        std::vector<Bits> vertices;
        std::vector<Corners> faces;
        std::transform(ObjVertices.begin(), ObjVertices.end(), std::back_inserter(vertices), [](auto& v) { return bits(v); });
        std::transform(ObjFaces.begin(), ObjFaces.end(), std::back_inserter(faces), [](auto& f) { return f.Corners; });
        EXPECT_EQ(std::tie(vertices, faces), std::tie(c.vertices, c.faces));
    }
    QLocale::setDefault(QLocale::c());
}

TEST_F(ObjFiles, RefusesALineItCannotReadAndNamesIt)
{
    const struct {
        const char* text;
        const char* says;
    } cases[] = {
        {"v 1 2 3\nv 1 2\n", "fewer than three coordinates"},
        {"v 1,5 2 3", "\"1,5\" where a number"},
        {"v 1 nan 3", "\"nan\" where a number"},
        {"v inf 2 3", "\"inf\" where a number"},
        {"v 1e 2 3", "\"1e\" where a number"},
        {"v +-1 2 3", "\"+-1\" where a number"},
        {"v 1 2 3\rv 4 5 6\r\n", "\"3?v\" where a number"},
        {"v 1 2 3\n\r\nv 1 2 abcdefghijklmnopqrstuvwxyz\n", "Line 3 of"},
        {"v 1 2 abcdefghijklmnopqrstuvwxyz\n", "\"abcdefghijklmnopqrstuvwx...\" where"},
        {"v 1 2 3.5e38\n", "\"3.5e38\", a number too large"},
        {"v 1 2 -1e99999\n", "too large"},
        {"f 1 2 x", "face corner \"x\""},
        {"f 1 2 32768", "face corner \"32768\""},
        {"f 1 2 -32769", "face corner \"-32769\""},
        {"f /1 2 3", "face corner \"/1\""},
        {"f 1.0 2 3", "face corner \"1.0\""},
        {"f 1 2 3 4", "a face with 4 corners; the mesh must be made of triangles"},
        {"f\r\n", "a face with 0 corners"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ASSERT_TRUE(read("v 1 2 3\nf 1 1 1\n"));
        const modLoad::FileResult result = read(c.text);
        EXPECT_TRUE(!result && result.message.contains(c.says)) << qPrintable(result.message);
        EXPECT_TRUE(ObjVertices.empty() && ObjFaces.empty() && ObjNormals.empty());
    }
}

TEST_F(ObjFiles, RefusesAFileItCannotRead)
{
    EXPECT_TRUE(ReadOBJ(dir.filePath("missing.obj")).message.startsWith("Cannot open"));
    EXPECT_TRUE(ReadOBJ(QStringLiteral("/dev/zero")).message.contains("not a file that holds a model"));
    testlib::WriteFile(path, "v 1 2 3\n");
    QFile big(path);
    ASSERT_TRUE(big.resize(MaxFileSize + 1));
    EXPECT_TRUE(ReadOBJ(path).message.contains("too large for a model: it has 256 MB"));
}

// A face's normal points to where its corners run counter-clockwise; a face
// of no area and a vertex no face uses get (0, 0, 0); a face that names no
// vertex has no part in the normals; equal normals are stored once.
TEST_F(ObjFiles, NormalsOfFacesAndVertices)
{
    ASSERT_TRUE(read("v 0 0 0\nv 2 0 0\nv 0 2 0\nv 2 2 0\nv 0 0 0\nv 3 0 0\nv 0 3 0\nv 5 5 5\n"
                     "f 1 2 3\nf 2 4 3\nf 5 7 6\nf 1 2 2\nf 8 1 99\n"));
    ASSERT_EQ(ObjNormals.size(), 13u);
    for (const auto& [i, z] : {std::pair{0, 1.0f}, {1, -1.0f}, {2, 0.0f}})
        EXPECT_EQ(std::make_tuple(ObjNormals[i].X, ObjNormals[i].Y, ObjNormals[i].Z), std::make_tuple(0.0f, 0.0f, z));
    std::vector<std::int32_t> indices;
    for (const ObjFace& f : ObjFaces)
        indices.push_back(f.NormalIndex);
    for (const ObjVertex& v : ObjVertices)
        indices.push_back(v.NormalIndex);
    EXPECT_EQ(indices, (std::vector<std::int32_t>{0, 0, 1, 2, 0, /* vertices */ 0, 0, 0, 0, 1, 1, 1, 2}));
}

namespace {

// The normals as a search of all stored ones and a look at every face for
// every vertex would give them: slow, but plainly right.
void plainNormals(std::vector<ObjVertex>& vertices, std::vector<ObjFace>& faces, std::vector<ObjVertex>& normals)
{
    normals.assign(faces.size() + vertices.size(), ObjVertex{0, 0, 0, 0});
    std::int32_t stored = 0;
    const auto find = [&](const ObjVertex& n) {
        for (std::int32_t i = 0; i < stored; ++i) {
            if (normals[i].X == n.X && normals[i].Y == n.Y && normals[i].Z == n.Z)
                return i;
        }
        normals[stored] = n;
        return stored++;
    };
    const auto valid = [&](const ObjFace& f) {
        for (const std::int32_t c : f.Corners) {
            if (c < 0 || c >= static_cast<std::int32_t>(vertices.size()))
                return false;
        }
        return true;
    };
    for (ObjFace& f : faces) {
        f.NormalIndex = 0;
        if (!valid(f))
            continue;
        ObjVertex n = VecCross(VecSubtract(vertices[f.Corners[0]], vertices[f.Corners[1]]),
                               VecSubtract(vertices[f.Corners[1]], vertices[f.Corners[2]]));
        f.NormalIndex = find(VecNormalize(n));
    }
    for (std::int32_t v = 0; v < static_cast<std::int32_t>(vertices.size()); ++v) {
        ObjVertex s{0, 0, 0, 0};
        int k = 0;
        for (const ObjFace& f : faces) {
            if (!valid(f) || (f.Corners[0] != v && f.Corners[1] != v && f.Corners[2] != v))
                continue;
            const ObjVertex& n = normals[f.NormalIndex];
            s = {s.X + n.X, s.Y + n.Y, s.Z + n.Z, 0};
            ++k;
        }
        ObjVertex n{0, 0, 0, 0};
        if (k > 0) {
            VecDivide(s, k);
            n = VecNormalize(s);
        }
        vertices[v].NormalIndex = find(n);
    }
}

}  // namespace

TEST(ObjNormals, MatchThePlainSearchBitForBit)
{
    std::mt19937 random(7);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    // Few distinct values, so that normals repeat, with -0 and NaN among them.
    const float values[] = {0.0f, -0.0f, 1.0f, -1.0f, 2.0f, 0.5f, 3.0f, nan};
    for (int round = 0; round < 3000; ++round) {
        const int vertexCount = 1 + static_cast<int>(random() % 12);
        ObjVertices.assign(static_cast<std::size_t>(vertexCount), ObjVertex{});
        for (ObjVertex& v : ObjVertices) {
            const bool rare = random() % 20 == 0;
            v = {values[random() % (rare ? 8 : 7)], values[random() % 7], values[random() % 7], 0};
        }
        ObjFaces.assign(random() % 20, ObjFace{});
        for (ObjFace& f : ObjFaces) {
            for (std::int32_t& c : f.Corners)
                c = static_cast<std::int32_t>(random() % static_cast<unsigned>(vertexCount + 1)) - (random() % 30 == 0);
        }
        std::vector<ObjVertex> vertices = ObjVertices;
        std::vector<ObjFace> faces = ObjFaces;
        std::vector<ObjVertex> normals;
        plainNormals(vertices, faces, normals);

        ComputeNormals();

        ASSERT_EQ(ObjNormals.size(), normals.size());
        for (std::size_t i = 0; i < normals.size(); ++i)
            ASSERT_EQ(bits(ObjNormals[i]), bits(normals[i])) << "round " << round << ", normal " << i;
        for (std::size_t i = 0; i < faces.size(); ++i)
            ASSERT_EQ(ObjFaces[i].NormalIndex, faces[i].NormalIndex) << "round " << round << ", face " << i;
        for (std::size_t i = 0; i < vertices.size(); ++i)
            ASSERT_EQ(ObjVertices[i].NormalIndex, vertices[i].NormalIndex) << "round " << round << ", vertex " << i;
    }
}
