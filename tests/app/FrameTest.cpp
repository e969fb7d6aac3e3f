// One frame of the demo on real GL (Mesa llvmpipe through EGL): the camera distance
// and the Z key, the modelview chain with the mouse camera, where the trees are
// called, and a read-back frame with the real scene.
#include "EglContext.h"
#include "SceneFolder.h"

#include "Scene.h"
#include "Vistral.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

using testsupport::GlTest;

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr double kPi = 3.14159265358979323846;

// ---- Independent matrix arithmetic (column-major, as GL stores it) ------------------------
using Mat = std::array<double, 16>;
using Vec3 = std::array<double, 3>;

Mat Identity() {
    Mat m{};
    m[0] = m[5] = m[10] = m[15] = 1;
    return m;
}

Mat Mul(const Mat& a, const Mat& b) {
    Mat r{};
    for (int c = 0; c < 4; ++c)
        for (int row = 0; row < 4; ++row)
            for (int k = 0; k < 4; ++k)
                r[c * 4 + row] += a[k * 4 + row] * b[c * 4 + k];
    return r;
}

Mat Translate(double x, double y, double z) {
    Mat m = Identity();
    m[12] = x;
    m[13] = y;
    m[14] = z;
    return m;
}

// Rotation by deg degrees about the unit axis X (axis 0) or Y (axis 1).
Mat Rotate(double deg, int axis) {
    const double c = std::cos(deg * kPi / 180), s = std::sin(deg * kPi / 180);
    Mat m = Identity();
    if (axis == 0) {
        m[5] = c, m[6] = s, m[9] = -s, m[10] = c;
    } else {
        m[0] = c, m[2] = -s, m[8] = s, m[10] = c;
    }
    return m;
}

// gluPerspective's matrix.
Mat Perspective(double fovy, double aspect, double zNear, double zFar) {
    const double f = 1.0 / std::tan(fovy * kPi / 360);
    Mat m{};
    m[0] = f / aspect;
    m[5] = f;
    m[10] = (zFar + zNear) / (zNear - zFar);
    m[11] = -1;
    m[14] = 2 * zFar * zNear / (zNear - zFar);
    return m;
}

// Window coordinates (x, y) of a point under projection P and modelview M.
std::array<double, 2> Project(const Mat& p, const Mat& m, const Vec3& v) {
    const Mat pm = Mul(p, m);
    double clip[4];
    for (int row = 0; row < 4; ++row)
        clip[row] = pm[row] * v[0] + pm[4 + row] * v[1] + pm[8 + row] * v[2] + pm[12 + row];
    return {(clip[0] / clip[3] + 1) * kWidth / 2, (clip[1] / clip[3] + 1) * kHeight / 2};
}

// The camera the frame must build: zoom translation, tilt, then the mouse camera.
Mat Camera(double zoom, double depth, double xRot, double yRot) {
    Mat m = Mul(Translate(0, -2, zoom), Rotate(35, 0));
    m = Mul(m, Translate(0, 0, -depth));
    m = Mul(m, Rotate(xRot, 0));
    return Mul(m, Rotate(yRot, 1));
}

const Vec3 kTreePositions[TREE_COUNT] = {{-5, 0, -4}, {5, 0, -3}, {2.6, 0, 5}, {-3.4, 0, 6}};

Mat CurrentModelview() {
    Mat m{};
    glGetDoublev(GL_MODELVIEW_MATRIX, m.data());
    return m;
}

void ExpectMatrixNear(const Mat& got, const Mat& want) {
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(got[i], want[i], 1e-5) << "element " << i;
}

// Sends a key through the window procedure, as the pump would.
void Key(UINT message, WPARAM code) {
    GLWndProc(0, message, code, 0);
}

// ---- Camera and modelview ---------------------------------------------------------------

class DemoFrame : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        scenetest::ResetSceneState();
    }
};

TEST_F(DemoFrame, ZoomKeyMovesTheOriginBetweenThirtyAndFifteenUnits) {
    // Frame by frame: key message before the frame, then where the scene origin lies.
    struct Step {
        UINT Message;
        WPARAM Code;
        double Ahead;
    };
    const Step steps[] = {
        {0, 0, 30},            // no input yet
        {WM_KEYDOWN, 'Z', 15}, // held
        {0, 0, 15},            // still held
        {WM_KEYUP, 'Z', 30},   // released: back in the next frame
        {WM_KEYDOWN, 122, 30}, // code 122 (lower-case z) is not the zoom key
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.Ahead);
        if (s.Message) Key(s.Message, s.Code);
        OpenGL_Draw();
        const Mat m = CurrentModelview();
        EXPECT_NEAR(m[12], 0, 1e-6);
        EXPECT_NEAR(m[13], -2, 1e-6);
        EXPECT_NEAR(m[14], -s.Ahead, 1e-5);
    }
}

TEST_F(DemoFrame, ModelviewChainsZoomTiltAndMouseCamera) {
    struct Case {
        bool ZoomHeld;
        float Depth, XRot, YRot;
    };
    const Case cases[] = {
        {false, 0, 0, 0},
        {false, 4, 25, -70},
        {true, -3.5f, -10, 200},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Depth << " " << c.XRot << " " << c.YRot);
        Key(c.ZoomHeld ? WM_KEYDOWN : WM_KEYUP, 'Z');
        Depth = c.Depth;
        XRot = c.XRot;
        YRot = c.YRot;
        OpenGL_Draw();
        ExpectMatrixNear(CurrentModelview(),
                         Camera(c.ZoomHeld ? -15 : -30, c.Depth, c.XRot, c.YRot));
        EXPECT_EQ(MSpeed, 2);
    }
}

// Window points of the GL_POINTS vertices in a GL_3D feedback buffer.
std::vector<std::array<double, 2>> FeedbackPoints(const std::vector<GLfloat>& buffer, GLint size) {
    std::vector<std::array<double, 2>> points;
    for (GLint i = 0; i < size;) {
        const auto token = static_cast<GLint>(buffer[i++]);
        if (token == GL_POINT_TOKEN) {
            points.push_back({buffer[i], buffer[i + 1]});
            i += 3;
        } else if (token == GL_POLYGON_TOKEN) {
            i += 1 + 3 * static_cast<GLint>(buffer[i]);
        } else {
            ADD_FAILURE() << "unexpected feedback token " << token;
            break;
        }
    }
    return points;
}

TEST_F(DemoFrame, EachTreeListIsCalledAtItsPositionOnTheGround) {
    // Stand-in lists: one point at the tree's own origin.
    for (int i = 0; i < TREE_COUNT; ++i) {
        Tree[i] = glGenLists(1);
        glNewList(Tree[i], GL_COMPILE);
        glBegin(GL_POINTS);
        glVertex3f(0, 0, 0);
        glEnd();
        glEndList();
    }
    Depth = 2;
    XRot = 15;
    YRot = 30;
    std::vector<GLfloat> buffer(4096);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    OpenGL_Draw();
    const GLint size = glRenderMode(GL_RENDER);
    const auto points = FeedbackPoints(buffer, size);

    ASSERT_EQ(points.size(), 4u);
    const Mat p = Perspective(45, double(kWidth) / kHeight, 0.1, 100);
    const Mat camera = Camera(-30, 2, 15, 30);
    for (int i = 0; i < TREE_COUNT; ++i) {
        const auto want = Project(p, camera, kTreePositions[i]);
        EXPECT_NEAR(points[i][0], want[0], 0.01) << "tree " << i;
        EXPECT_NEAR(points[i][1], want[1], 0.01) << "tree " << i;
    }
    // The trees' own frames are popped again: the camera is what remains.
    ExpectMatrixNear(CurrentModelview(), camera);
}

// ---- The real scene, read back -----------------------------------------------------------

using Pixels = std::vector<std::uint8_t>;

struct Rgb {
    int R, G, B;
};

Rgb At(const Pixels& px, int x, int y) {
    if (x < 0 || x >= kWidth || y < 0 || y >= kHeight) {
        ADD_FAILURE() << "pixel " << x << "," << y << " outside the frame";
        return {0, 0, 0};
    }
    const std::size_t i = (static_cast<std::size_t>(y) * kWidth + x) * 4;
    return {px[i], px[i + 1], px[i + 2]};
}

bool Black(const Rgb& c) {
    return c.R < 8 && c.G < 8 && c.B < 8;
}

bool Differs(const Pixels& a, const Pixels& b, int x, int y) {
    const Rgb p = At(a, x, y), q = At(b, x, y);
    return std::abs(p.R - q.R) + std::abs(p.G - q.G) + std::abs(p.B - q.B) > 24;
}

class DemoSceneFrame : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        Folder = std::make_unique<scenetest::SceneFolder>(scenetest::ALL_IMAGES);
        scenetest::BuildScene();
        for (int i = 0; i < TREE_COUNT; ++i)
            Lists[i] = Tree[i];
    }
    void TearDown() override {
        Folder.reset();
        GlTest::TearDown();
    }
    // Draws a frame with only the trees whose bit is set in mask.
    Pixels DrawWith(unsigned mask) {
        for (int i = 0; i < TREE_COUNT; ++i)
            Tree[i] = (mask >> i) & 1u ? Lists[i] : 0;
        OpenGL_Draw();
        glGetDoublev(GL_MODELVIEW_MATRIX, Model.data());
        glGetDoublev(GL_PROJECTION_MATRIX, Proj.data());
        return testsupport::ReadPixelsRGBA(kWidth, kHeight);
    }
    // Pixel under a scene point, with the camera of the last frame.
    std::array<int, 2> PixelOf(const Vec3& v) const {
        const auto w = Project(Proj, Model, v);
        return {static_cast<int>(std::floor(w[0])), static_cast<int>(std::floor(w[1]))};
    }
    std::unique_ptr<scenetest::SceneFolder> Folder;
    std::array<GLuint, TREE_COUNT> Lists{};
    Mat Model{}, Proj{};
};

TEST_F(DemoSceneFrame, GroundFillsItsSquareUnderABlackSky) {
    const Pixels ground = DrawWith(0);
    // Inside the 20 by 20 square the ground image shows; just outside it, the clear colour.
    const Vec3 inside[] = {{0, 0, 0}, {-8, 0, -8}, {8, 0, -8}, {-8, 0, 8}, {8, 0, 8}};
    for (const auto& v : inside) {
        const auto p = PixelOf(v);
        EXPECT_FALSE(Black(At(ground, p[0], p[1]))) << v[0] << "," << v[2];
    }
    const Vec3 outside[] = {{-11, 0, 0}, {11, 0, 0}, {0, 0, -11}, {0, 0, 11}};
    for (const auto& v : outside) {
        const auto p = PixelOf(v);
        ASSERT_TRUE(p[0] >= 0 && p[0] < kWidth && p[1] >= 0 && p[1] < kHeight);
        EXPECT_TRUE(Black(At(ground, p[0], p[1]))) << v[0] << "," << v[2];
    }
    // Textured: the ground is not one flat colour.
    const auto a = PixelOf({-8, 0, 8}), b = PixelOf({-2, 0, 8});
    std::vector<int> greens;
    for (int x = a[0]; x <= b[0]; ++x)
        greens.push_back(At(ground, x, a[1]).G);
    const auto [lo, hi] = std::minmax_element(greens.begin(), greens.end());
    EXPECT_GT(*hi - *lo, 20);
}

TEST_F(DemoSceneFrame, EachTreeStandsWhereThePositionsTablePutsIt) {
    const Pixels ground = DrawWith(0);
    const Pixels all = DrawWith(0xF);
    for (int i = 0; i < TREE_COUNT; ++i) {
        SCOPED_TRACE(testing::Message() << "tree " << i);
        const Pixels one = DrawWith(1u << i);
        const auto base = PixelOf(kTreePositions[i]);
        const Vec3 trunkPoint = {kTreePositions[i][0], 0.3, kTreePositions[i][2]};
        const auto trunk = PixelOf(trunkPoint);

        int count = 0, above = 0, green = 0;
        int minX = kWidth, maxX = -1, minY = kHeight, maxY = -1;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                if (!Differs(one, ground, x, y)) continue;
                ++count;
                minX = std::min(minX, x), maxX = std::max(maxX, x);
                minY = std::min(minY, y), maxY = std::max(maxY, y);
                if (y >= base[1] - 4) ++above;
                const Rgb c = At(one, x, y);
                if (c.G > c.R && c.G > c.B) ++green;
            }
        ASSERT_GT(count, 200);
        // The tree grows up from its base point, and mostly shows leaves.
        EXPECT_LE(minX, base[0]);
        EXPECT_GE(maxX, base[0]);
        EXPECT_LE(minY, base[1] + 4);
        EXPECT_GT(above, count * 9 / 10);
        EXPECT_GT(green, count / 3);
        // Something of the tree covers the ground just above its base, in this frame
        // and in the full one.
        bool near = false, nearInAll = false;
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx) {
                near = near || Differs(one, ground, trunk[0] + dx, trunk[1] + dy);
                nearInAll = nearInAll || Differs(all, ground, trunk[0] + dx, trunk[1] + dy);
            }
        EXPECT_TRUE(near);
        EXPECT_TRUE(nearInAll);
    }
}

} // namespace
