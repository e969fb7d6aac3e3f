// Pixel formats, GL contexts on real windows (offscreen driver, Mesa through EGL), and
// the compositing of child windows at SwapBuffers without disturbing GL state.
#include "WindowTestSupport.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <array>
#include <cstdint>
#include <utility>

using namespace wintest;

namespace {

constexpr int kClientWidth = 200;
constexpr int kClientHeight = 150;

// The descriptor the engine fills: every bit count 32, the overlay layer asked for.
PIXELFORMATDESCRIPTOR EngineDescriptor() {
    PIXELFORMATDESCRIPTOR pfd{};
    pfd.nSize = 40;
    pfd.nVersion = 1;
    pfd.dwFlags = 0x1065;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = pfd.cAlphaBits = pfd.cAccumBits = pfd.cDepthBits = pfd.cStencilBits = 32;
    pfd.cAuxBuffers = 32;
    pfd.iLayerType = 1;
    return pfd;
}

// A child whose WM_PAINT fills it with the colour kept in its GWL_USERDATA.
LRESULT SolidChildProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m != WM_PAINT) return DefWindowProcA(h, m, w, l);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrA(h, GWL_USERDATA)));
    RECT r;
    GetClientRect(h, &r);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    EndPaint(h, &ps);
    return 0;
}

class GlWindow : public OffscreenTest {
  protected:
    void SetUp() override {
        OffscreenTest::SetUp();
        // No frame: the client area is the whole window.
        window = MakeWindow(WS_POPUP | WS_VISIBLE, kClientWidth, kClientHeight);
        ASSERT_NE(window, 0u);
        dc = GetDC(window);
        ASSERT_NE(dc, 0u);
    }
    void TearDown() override {
        wglMakeCurrent(0, 0);
        if (context) wglDeleteContext(context);
        ReleaseDC(window, dc);
        DestroyWindow(window);
    }
    // The engine's sequence: choose, set, create, make current.
    void MakeContext() {
        const PIXELFORMATDESCRIPTOR pfd = EngineDescriptor();
        const int format = ChoosePixelFormat(dc, &pfd);
        ASSERT_NE(format, 0);
        ASSERT_TRUE(SetPixelFormat(dc, format, &pfd));
        context = wglCreateContext(dc);
        ASSERT_NE(context, 0u);
        ASSERT_TRUE(wglMakeCurrent(dc, context));
    }
    // RGBA of one pixel, y counted from the top of the client area.
    std::array<int, 4> PixelAt(int x, int y) {
        std::uint8_t px[4] = {};
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        glReadPixels(x, kClientHeight - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, px);
        return {px[0], px[1], px[2], px[3]};
    }

    HWND window = 0;
    HDC dc = 0;
    HGLRC context = 0;
};

TEST_F(GlWindow, EngineDescriptorGetsTheOfferedDoubleBufferedRgbaFormat) {
    const PIXELFORMATDESCRIPTOR request = EngineDescriptor();
    EXPECT_EQ(wglCreateContext(dc), 0u); // no format set yet
    const int format = ChoosePixelFormat(dc, &request);
    EXPECT_EQ(format, 1);
    PIXELFORMATDESCRIPTOR got{};
    EXPECT_EQ(DescribePixelFormat(dc, format, sizeof got, &got), 1);
    EXPECT_EQ(got.nSize, 40);
    EXPECT_NE(got.dwFlags & PFD_DOUBLEBUFFER, 0u);
    EXPECT_NE(got.dwFlags & PFD_SUPPORT_OPENGL, 0u);
    EXPECT_NE(got.dwFlags & PFD_DRAW_TO_WINDOW, 0u);
    EXPECT_EQ(got.iPixelType, PFD_TYPE_RGBA);
    EXPECT_EQ(got.cColorBits, 32);
    EXPECT_EQ(got.cAlphaBits, 8);
    EXPECT_EQ(got.cDepthBits, 24);
    EXPECT_EQ(got.cStencilBits, 8);
    EXPECT_EQ(DescribePixelFormat(dc, 2, sizeof got, &got), 0);
    EXPECT_FALSE(SetPixelFormat(dc, 2, &request));
    EXPECT_TRUE(SetPixelFormat(dc, format, &request));
    EXPECT_EQ(GetPixelFormat(dc), format);
    HDC screen = GetDC(0);
    EXPECT_EQ(ChoosePixelFormat(screen, &request), 0); // not a window's DC
    ReleaseDC(0, screen);
    EXPECT_EQ(ChoosePixelFormat(dc, nullptr), 0);
}

TEST_F(GlWindow, ContextRendersWithOpenGl11AndGlu) {
    MakeContext();
    EXPECT_EQ(wglGetCurrentContext(), context);
    EXPECT_EQ(wglGetCurrentDC(), dc);
    ASSERT_NE(glGetString(GL_VERSION), nullptr);
    GLint depthBits = 0, doubleBuffer = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    glGetIntegerv(GL_DOUBLEBUFFER, &doubleBuffer);
    EXPECT_GE(depthBits, 16);
    // The offscreen driver draws into an EGL pbuffer, which has one buffer only.
    if (win32test::VideoDriverName() != "offscreen") {
        EXPECT_EQ(doubleBuffer, GL_TRUE);
    }

    glViewport(0, 0, kClientWidth, kClientHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, 4.0 / 3.0, 0.1, 100.0);
    GLdouble m[16];
    glGetDoublev(GL_PROJECTION_MATRIX, m);
    EXPECT_NEAR(m[11], -1.0, 1e-9); // a perspective projection
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glColor3f(0.0f, 1.0f, 0.0f);
    glBegin(GL_QUADS);
    glVertex2f(-0.5f, -0.5f);
    glVertex2f(0.5f, -0.5f);
    glVertex2f(0.5f, 0.5f);
    glVertex2f(-0.5f, 0.5f);
    glEnd();
    glEndList();
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glCallList(list);
    EXPECT_EQ(PixelAt(kClientWidth / 2, kClientHeight / 2), (std::array<int, 4>{0, 255, 0, 255}));
    EXPECT_EQ(PixelAt(2, 2), (std::array<int, 4>{255, 0, 0, 255}));
    EXPECT_TRUE(SwapBuffers(dc));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// Every piece of GL state compositing could touch, read back.
std::vector<double> Snapshot() {
    static const GLenum kCaps[] = {GL_LIGHTING,       GL_DEPTH_TEST,  GL_BLEND,
                                   GL_TEXTURE_2D,     GL_TEXTURE_1D,  GL_SCISSOR_TEST,
                                   GL_ALPHA_TEST,     GL_FOG,         GL_CULL_FACE,
                                   GL_STENCIL_TEST,   GL_CLIP_PLANE0, GL_DITHER,
                                   GL_COLOR_LOGIC_OP, GL_LIGHT0};
    static const std::pair<GLenum, int> kValues[] = {{GL_VIEWPORT, 4},
                                                     {GL_SCISSOR_BOX, 4},
                                                     {GL_MATRIX_MODE, 1},
                                                     {GL_PROJECTION_MATRIX, 16},
                                                     {GL_MODELVIEW_MATRIX, 16},
                                                     {GL_TEXTURE_MATRIX, 16},
                                                     {GL_CURRENT_RASTER_POSITION, 4},
                                                     {GL_CURRENT_COLOR, 4},
                                                     {GL_COLOR_WRITEMASK, 4},
                                                     {GL_DRAW_BUFFER, 1},
                                                     {GL_UNPACK_ALIGNMENT, 1},
                                                     {GL_UNPACK_ROW_LENGTH, 1},
                                                     {GL_UNPACK_SKIP_ROWS, 1},
                                                     {GL_UNPACK_SKIP_PIXELS, 1},
                                                     {GL_UNPACK_SWAP_BYTES, 1},
                                                     {GL_ZOOM_X, 1},
                                                     {GL_ZOOM_Y, 1},
                                                     {GL_RED_SCALE, 1},
                                                     {GL_GREEN_BIAS, 1},
                                                     {GL_MAP_COLOR, 1},
                                                     {GL_TEXTURE_BINDING_2D, 1},
                                                     {GL_BLEND_SRC, 1},
                                                     {GL_BLEND_DST, 1},
                                                     {GL_DEPTH_FUNC, 1},
                                                     {GL_DEPTH_WRITEMASK, 1},
                                                     {GL_COLOR_CLEAR_VALUE, 4},
                                                     {GL_PROJECTION_STACK_DEPTH, 1},
                                                     {GL_MODELVIEW_STACK_DEPTH, 1},
                                                     {GL_ATTRIB_STACK_DEPTH, 1},
                                                     {GL_CLIENT_ATTRIB_STACK_DEPTH, 1},
                                                     {GL_SHADE_MODEL, 1},
                                                     {GL_FRONT_FACE, 1},
                                                     {GL_POLYGON_MODE, 2},
                                                     {GL_LIST_BASE, 1},
                                                     {GL_ALPHA_TEST_FUNC, 1},
                                                     {GL_LOGIC_OP_MODE, 1}};
    std::vector<double> out;
    for (GLenum cap : kCaps)
        out.push_back(glIsEnabled(cap));
    for (auto [name, count] : kValues) {
        double v[16] = {};
        glGetDoublev(name, v);
        out.insert(out.end(), v, v + count);
    }
    return out;
}

// State an application could leave behind when it swaps.
void SetUnusualState() {
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_GREATER);
    glDepthMask(GL_FALSE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ZERO, GL_ONE);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_SCISSOR_TEST);
    glScissor(1, 2, 3, 4);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_NEVER, 0.5f);
    glEnable(GL_FOG);
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CW);
    glEnable(GL_STENCIL_TEST);
    glEnable(GL_COLOR_LOGIC_OP);
    glLogicOp(GL_CLEAR);
    glColorMask(GL_FALSE, GL_TRUE, GL_FALSE, GL_TRUE);
    glViewport(7, 9, 33, 44);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-3, 5, -2, 7, -1, 9);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(33.0f, 1.0f, 2.0f, 3.0f);
    glPushMatrix();
    glTranslatef(1.0f, 2.0f, 3.0f);
    glMatrixMode(GL_TEXTURE);
    glScalef(2.0f, 2.0f, 2.0f);
    glColor4f(0.25f, 0.5f, 0.75f, 1.0f);
    glRasterPos2f(0.5f, 0.5f);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 7);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 2);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 3);
    glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_TRUE);
    glPixelZoom(2.0f, 3.0f);
    glPixelTransferf(GL_RED_SCALE, 0.0f);
    glPixelTransferf(GL_GREEN_BIAS, 0.5f);
    glShadeModel(GL_FLAT);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glListBase(5);
    glPushAttrib(GL_FOG_BIT);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
}

TEST_F(GlWindow, SwapCompositesChildrenInsideTheirRegionsAndRestoresGlState) {
    MakeContext();
    EnsureClass("SolidChild", SolidChildProc);
    HWND red = MakeChild(window, 20, 30, 40, 20, 1, SolidChildProc, "SolidChild");
    HWND green = MakeChild(window, 100, 30, 40, 20, 2, SolidChildProc, "SolidChild");
    HWND hidden = MakeChild(window, 20, 100, 40, 20, 3, SolidChildProc, "SolidChild");
    SetWindowLongPtrA(red, GWL_USERDATA, RGB(255, 0, 0));
    SetWindowLongPtrA(green, GWL_USERDATA, RGB(0, 255, 0));
    SetWindowLongPtrA(hidden, GWL_USERDATA, RGB(255, 255, 255));
    SetWindowRgn(green, CreateRectRgn(0, 0, 20, 20), FALSE); // the left half shows
    ShowWindow(hidden, SW_HIDE);
    PumpAll(); // the children paint

    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    SetUnusualState();
    const std::vector<double> before = Snapshot();
    win32test::CompositeChildrenNow(window);
    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    const std::array<int, 4> kRed{255, 0, 0, 255}, kGreen{0, 255, 0, 255}, kBlue{0, 0, 255, 255};
    struct Case {
        int X, Y;
        std::array<int, 4> Colour;
    };
    const Case cases[] = {{20, 30, kRed},    {59, 49, kRed},   {60, 30, kBlue},
                          {19, 30, kBlue},   {20, 50, kBlue},  {105, 35, kGreen},
                          {119, 49, kGreen}, {125, 35, kBlue}, {25, 105, kBlue}};
    glPopClientAttrib(); // reading back needs plain pixel state
    glPopAttrib();
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelTransferf(GL_RED_SCALE, 1.0f); // transfer settings apply to reading too
    glPixelTransferf(GL_GREEN_BIAS, 0.0f);
    for (const Case& c : cases)
        EXPECT_EQ(PixelAt(c.X, c.Y), c.Colour) << c.X << "," << c.Y;

    SetUnusualState();
    const std::vector<double> beforeSwap = Snapshot();
    EXPECT_TRUE(SwapBuffers(dc));
    EXPECT_EQ(Snapshot(), beforeSwap);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glPopClientAttrib();
    glPopAttrib();
}

TEST_F(GlWindow, ContextsFailCleanlyOnBadHandlesAndGoneWindows) {
    MakeContext();
    EXPECT_FALSE(wglMakeCurrent(dc, 0x03000000u | 77));
    EXPECT_FALSE(wglDeleteContext(0x03000000u | 77));
    EXPECT_FALSE(SwapBuffers(0));
    HWND other = MakeWindow(WS_POPUP | WS_VISIBLE, 50, 50);
    HDC otherDc = GetDC(other);
    const PIXELFORMATDESCRIPTOR pfd = EngineDescriptor();
    SetPixelFormat(otherDc, ChoosePixelFormat(otherDc, &pfd), &pfd);
    ASSERT_TRUE(wglMakeCurrent(otherDc, context)); // a context moves between windows of its format
    DestroyWindow(other);
    EXPECT_EQ(wglGetCurrentContext(), 0u); // released with its window
    EXPECT_FALSE(SwapBuffers(otherDc));
    EXPECT_FALSE(wglMakeCurrent(otherDc, context));
    EXPECT_TRUE(wglMakeCurrent(dc, context));
    EXPECT_TRUE(wglDeleteContext(context));
    context = 0;
    EXPECT_EQ(wglGetCurrentContext(), 0u);
    EXPECT_EQ(ReleaseDC(other, otherDc), 0); // went with its window
}

} // namespace
