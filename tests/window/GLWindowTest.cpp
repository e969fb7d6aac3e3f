// The GL window life cycle on SDL's offscreen driver: classes, window, pixel format,
// context, deletion, the class settings and the fatal start-up paths.
#include "WindowFixture.h"
#include "WindowDetail.h"

#include <GL/gl.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using windowtest::DrainMessages;
using windowtest::kRequestBits;
using windowtest::kRequestHeight;
using windowtest::kRequestWidth;
using windowtest::kTitle;

// What the window looked like when the client's menu procedure ran (after creation,
// before the pixel format and context).
struct Snapshot {
    bool Called = false;
    bool Active = false;
    bool WindowExists = false;
    std::int32_t Width = 0, Height = 0;
    HGLRC Context = 0;
};
Snapshot gAtMenuBar;

void RecordStateAtMenuBar() {
    gAtMenuBar.Called = true;
    gAtMenuBar.Active = Active;
    gAtMenuBar.WindowExists = IsWindow(HWindow);
    gAtMenuBar.Width = Width;
    gAtMenuBar.Height = Height;
    gAtMenuBar.Context = wglGetCurrentContext();
}

// A client menu procedure that leaves a mark on stderr, to show it ran before a fatal end.
void MarkMenuStep() {
    std::fputs("passo del menu\n", stderr);
}

// A client menu procedure that wrecks the window before the context is made.
void DestroyWindowAtMenuBar() {
    DestroyWindow(HWindow);
}

// A temporary folder for files the tests write.
class TempDir {
  public:
    TempDir() {
        char pattern[] = "/tmp/glwindow_test_XXXXXX";
        Path = mkdtemp(pattern);
    }
    ~TempDir() { fs::remove_all(Path); }
    std::string Path;
};

void PutLE(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// Writes a 16 by 16, 32 bits per pixel cursor file (an opaque red square).
void WriteCursorFile(const std::string& path) {
    constexpr int kSide = 16;
    constexpr std::uint32_t kXorBytes = kSide * kSide * 4;
    constexpr std::uint32_t kAndBytes = kSide * 4; // 1 bit a pixel, rows padded to 32 bits
    constexpr std::uint32_t kImageBytes = 40 + kXorBytes + kAndBytes;
    std::vector<std::uint8_t> f;
    PutLE(f, 0, 2);           // reserved
    PutLE(f, 2, 2);           // type: cursor
    PutLE(f, 1, 2);           // one image
    f.push_back(kSide);       // width
    f.push_back(kSide);       // height
    f.push_back(0);           // colours
    f.push_back(0);           // reserved
    PutLE(f, 1, 2);           // hot spot x
    PutLE(f, 1, 2);           // hot spot y
    PutLE(f, kImageBytes, 4); // image size
    PutLE(f, 22, 4);          // image offset
    PutLE(f, 40, 4);          // BITMAPINFOHEADER
    PutLE(f, kSide, 4);
    PutLE(f, kSide * 2, 4); // height counts the mask too
    PutLE(f, 1, 2);
    PutLE(f, 32, 2);
    PutLE(f, 0, 4);
    PutLE(f, kXorBytes + kAndBytes, 4);
    PutLE(f, 0, 4);
    PutLE(f, 0, 4);
    PutLE(f, 0, 4);
    PutLE(f, 0, 4);
    for (int i = 0; i < kSide * kSide; ++i)
        PutLE(f, 0xFFFF0000u, 4); // BGRA red, opaque
    for (std::uint32_t i = 0; i < kAndBytes; ++i)
        f.push_back(0);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(f.data()), static_cast<std::streamsize>(f.size()));
}

// The registered record of a class.
WNDCLASSEXA ClassInfo(const char* name) {
    WNDCLASSEXA info = {};
    info.cbSize = sizeof info;
    EXPECT_TRUE(GetClassInfoExA(0, name, &info)) << name;
    return info;
}

class LifeCycleTest : public ::testing::Test {
  protected:
    void SetUp() override {
        windowtest::UseOffscreenDriverByDefault();
        windowtest::ResetEngineState();
        gAtMenuBar = {};
    }
    void TearDown() override {
        if (HWindow != 0 && IsWindow(HWindow)) DeleteOGLWindow();
        DrainMessages();
        windowtest::UnregisterEngineClasses();
        windowtest::ResetEngineState();
    }
    // The demo's way in.
    void CreateDemoWindow(bool fullScreen = false) {
        OGLWindowSetting(ARROW, "", GENERIC, "");
        ASSERT_TRUE(
            CreateOGLWindow(kTitle, kRequestWidth, kRequestHeight, kRequestBits, fullScreen));
    }
};

TEST_F(LifeCycleTest, CreationFillsTheStateAndLeavesACurrentContext) {
    CreateDemoWindow();
    EXPECT_EQ(SetTitleName, kTitle) << "the caller's text is kept, not copied";
    EXPECT_EQ(Bits, kRequestBits);
    EXPECT_FALSE(FullScreen);
    EXPECT_TRUE(Active);
    EXPECT_NE(HWindow, 0u);
    EXPECT_NE(DCWindow, 0u);
    EXPECT_NE(RCWindow, 0u);
    EXPECT_EQ(HStatus, 0u) << "no status bar unless asked";
    EXPECT_EQ(windowtest::WindowTitle(HWindow), kTitle);
    EXPECT_EQ(wglGetCurrentContext(), RCWindow);
    EXPECT_EQ(wglGetCurrentDC(), DCWindow);
    EXPECT_NE(GetPixelFormat(DCWindow), 0);
    // The context is real GL.
    EXPECT_NE(glGetString(GL_VERSION), nullptr);
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_TRUE(SwapBuffers(DCWindow));
}

TEST_F(LifeCycleTest, WindowedRequestIsTheOuterSizeAtTheTopLeftCorner) {
    CreateDemoWindow();
    RECT outer = {};
    ASSERT_TRUE(GetWindowRect(HWindow, &outer));
    EXPECT_EQ(outer.left, 0);
    EXPECT_EQ(outer.top, 0);
    EXPECT_EQ(outer.right, kRequestWidth);
    EXPECT_EQ(outer.bottom, kRequestHeight);
    RECT client = {};
    ASSERT_TRUE(GetClientRect(HWindow, &client));
    EXPECT_EQ(Width, client.right) << "WM_SIZE stored the client size";
    EXPECT_EQ(Height, client.bottom);
    EXPECT_LT(Width, kRequestWidth);
    EXPECT_LT(Height, kRequestHeight);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrA(HWindow, GWL_STYLE)), 0x96CA0000u);
}

TEST_F(LifeCycleTest, CreateAndSizeReachTheProcedureBeforeTheContextExists) {
    ShowMenuBar = true;
    CreateMenuBar = RecordStateAtMenuBar;
    CreateDemoWindow();
    ASSERT_TRUE(gAtMenuBar.Called);
    EXPECT_TRUE(gAtMenuBar.WindowExists);
    EXPECT_TRUE(gAtMenuBar.Active) << "WM_CREATE came during creation";
    EXPECT_EQ(gAtMenuBar.Width, Width) << "WM_SIZE came during creation";
    EXPECT_EQ(gAtMenuBar.Height, Height);
    EXPECT_LT(gAtMenuBar.Width, kRequestWidth);
    EXPECT_EQ(gAtMenuBar.Context, 0u) << "the context comes after the menu step";
}

TEST_F(LifeCycleTest, CreateWindowFlagsChangeTheWindowedStyleOnly) {
    CREATE_WINDOW_FLAGS = static_cast<std::int32_t>(WS_MAXIMIZEBOX);
    CreateDemoWindow();
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrA(HWindow, GWL_STYLE)), 0x96CB0000u);
}

TEST_F(LifeCycleTest, FullScreenCoversTheScreenWithABorderAndNoCaption) {
    CREATE_WINDOW_FLAGS = static_cast<std::int32_t>(WS_MAXIMIZEBOX);
    CreateDemoWindow(true);
    EXPECT_TRUE(FullScreen);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrA(HWindow, GWL_STYLE)), 0x96880000u)
        << "CREATE_WINDOW_FLAGS is not applied in full screen";
    RECT outer = {};
    ASSERT_TRUE(GetWindowRect(HWindow, &outer));
    EXPECT_EQ(outer.left, 0);
    EXPECT_EQ(outer.top, 0);
    EXPECT_EQ(outer.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(outer.bottom, GetSystemMetrics(SM_CYSCREEN));
    RECT client = {};
    ASSERT_TRUE(GetClientRect(HWindow, &client));
    EXPECT_EQ(Width, client.right);
    EXPECT_EQ(Height, client.bottom);
    EXPECT_LT(Width, GetSystemMetrics(SM_CXSCREEN)) << "the client area lies inside the border";
}

TEST_F(LifeCycleTest, ClassesAreRegisteredWithTheirRecords) {
    CreateDemoWindow();
    const WNDCLASSEXA gl = ClassInfo(GLWINDOW_CLASS_NAME);
    EXPECT_EQ(gl.style, CS_HREDRAW | CS_VREDRAW);
    EXPECT_EQ(gl.lpfnWndProc, GLWndProc);
    EXPECT_EQ(gl.cbClsExtra, 0);
    EXPECT_EQ(gl.cbWndExtra, 0);
    EXPECT_EQ(gl.hInstance, GetModuleHandleA(nullptr));
    EXPECT_EQ(gl.hIcon, LoadIconA(0, IDI_APPLICATION));
    EXPECT_EQ(gl.hCursor, LoadCursorA(0, IDC_ARROW));
    EXPECT_EQ(gl.hbrBackground, GetSysColorBrush(COLOR_BTNFACE));
    EXPECT_EQ(gl.lpszMenuName, nullptr);

    const WNDCLASSEXA button = ClassInfo(IMAGEBUTTON_CLASS_NAME);
    EXPECT_EQ(button.style, 0u);
    EXPECT_EQ(button.lpfnWndProc, HoverButtonHandler);
    EXPECT_EQ(button.hCursor, LoadCursorA(0, IDC_ARROW));
    EXPECT_EQ(button.hIcon, LoadIconA(0, IDI_APPLICATION));
    EXPECT_EQ(button.hbrBackground, GetStockObject(NULL_BRUSH));
    EXPECT_EQ(WindowClassEx.lpfnWndProc, HoverButtonHandler);
    EXPECT_EQ(WindowClassEx.hbrBackground, GetStockObject(NULL_BRUSH));
}

TEST_F(LifeCycleTest, DeleteReleasesContextAndWindowAndKeepsTheHandles) {
    CreateDemoWindow();
    const HWND window = HWindow;
    const HDC dc = DCWindow;
    const HGLRC context = RCWindow;
    DeleteOGLWindow();
    EXPECT_EQ(wglGetCurrentContext(), 0u);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(Active) << "DestroyWindow delivered WM_DESTROY";
    EXPECT_FALSE(wglDeleteContext(context)) << "the context is gone already";
    EXPECT_EQ(HWindow, window);
    EXPECT_EQ(DCWindow, dc);
    EXPECT_EQ(RCWindow, context);
    // The classes stay registered.
    WNDCLASSEXA info = {};
    info.cbSize = sizeof info;
    EXPECT_TRUE(GetClassInfoExA(0, GLWINDOW_CLASS_NAME, &info));
}

TEST_F(LifeCycleTest, DeleteAfterEscapeDestroysTheWindowThatEscapeOnlyDeactivated) {
    CreateDemoWindow();
    DrainMessages();
    ASSERT_TRUE(PostMessageA(HWindow, WM_KEYDOWN, VK_ESCAPE, 0));
    SetGLMsg();
    ASSERT_FALSE(Active);
    ASSERT_TRUE(IsWindow(HWindow));
    DeleteOGLWindow();
    EXPECT_FALSE(IsWindow(HWindow));
    EXPECT_FALSE(Active);
}

TEST(PixelFormatRequest, EveryDepthFieldAsksForTheBitsAndTheFlagsAreOred) {
    struct Case {
        std::int32_t Bits, ExtraFlags;
        DWORD Flags;
    };
    const Case cases[] = {{32, 0, 0x1065},
                          {16, 0, 0x1065},
                          {0, 0, 0x1065},
                          {255, 0, 0x1065},
                          {32, static_cast<std::int32_t>(PFD_STEREO), 0x1067},
                          {24, 0x1065, 0x1065}};
    for (const Case& c : cases) {
        const PIXELFORMATDESCRIPTOR pfd =
            vistral::detail::GLWindowPixelFormat(c.Bits, c.ExtraFlags);
        const BYTE bits = static_cast<BYTE>(c.Bits);
        EXPECT_EQ(pfd.nSize, 40);
        EXPECT_EQ(pfd.nVersion, 1);
        EXPECT_EQ(pfd.dwFlags, c.Flags);
        EXPECT_EQ(pfd.iPixelType, PFD_TYPE_RGBA);
        EXPECT_EQ(pfd.cColorBits, bits);
        EXPECT_EQ(pfd.cAlphaBits, bits);
        EXPECT_EQ(pfd.cAccumBits, bits);
        EXPECT_EQ(pfd.cDepthBits, bits);
        EXPECT_EQ(pfd.cStencilBits, bits);
        EXPECT_EQ(pfd.cAuxBuffers, bits);
        EXPECT_EQ(pfd.iLayerType, 1) << "the overlay-plane value, as always asked";
        // Every other field is zero.
        const BYTE others[] = {pfd.cRedBits,       pfd.cRedShift,       pfd.cGreenBits,
                               pfd.cGreenShift,    pfd.cBlueBits,       pfd.cBlueShift,
                               pfd.cAlphaShift,    pfd.cAccumRedBits,   pfd.cAccumGreenBits,
                               pfd.cAccumBlueBits, pfd.cAccumAlphaBits, pfd.bReserved};
        for (BYTE b : others)
            EXPECT_EQ(b, 0);
        EXPECT_EQ(pfd.dwLayerMask, 0u);
        EXPECT_EQ(pfd.dwVisibleMask, 0u);
        EXPECT_EQ(pfd.dwDamageMask, 0u);
    }
}

TEST(PixelFormatRequestDeath, BitsOutsideAByteStopWithARangeError) {
    EXPECT_DEATH(vistral::detail::GLWindowPixelFormat(256, 0), "range error");
    EXPECT_DEATH(vistral::detail::GLWindowPixelFormat(-1, 0), "range error");
}

class ClassSettingsTest : public LifeCycleTest {
  protected:
    // Registers the classes with the given kinds and returns the "GLWindow" record.
    WNDCLASSEXA RegisterWith(std::int32_t cursor, const char* cursorFile, std::int32_t icon,
                             const char* iconFile) {
        OGLWindowSetting(cursor, cursorFile, icon, iconFile);
        EXPECT_TRUE(WindowRegister()) << "cursor " << cursor << " icon " << icon;
        const WNDCLASSEXA info = ClassInfo(GLWINDOW_CLASS_NAME);
        windowtest::UnregisterEngineClasses();
        return info;
    }
};

TEST_F(ClassSettingsTest, EachCursorKindLoadsItsSystemCursorOthersGiveNull) {
    struct Case {
        std::int32_t Kind;
        WORD Resource; // 0: a null cursor
    };
    const Case cases[] = {
        {ARROW, 32512},    {IBEAM, 32513},
        {WAIT, 32514},     {CROSS, 32515},
        {UPARROW, 32516},  {SIZE, 32640},
        {SIZENWSE, 32642}, {SIZENESW, 32643},
        {SIZEWE, 32644},   {SIZENS, 32645},
        {SIZEALL, 32646},  {NOCURSOR, 32648},
        {HAND, 32649},     {APPSTARTING, 32650},
        {HELP, 32651},     {0, 0},
        {17, 0},           {-1, 0},
        {1000, 0},
    };
    for (const Case& c : cases) {
        const WNDCLASSEXA info = RegisterWith(c.Kind, "", GENERIC, "");
        const HCURSOR expected = c.Resource ? LoadCursorA(0, MAKEINTRESOURCEA(c.Resource)) : 0;
        if (c.Resource) {
            EXPECT_NE(expected, 0u) << "kind " << c.Kind;
        }
        EXPECT_EQ(info.hCursor, expected) << "kind " << c.Kind;
    }
}

TEST_F(ClassSettingsTest, IconKindsLoadTheApplicationIconOrAFileOthersGiveNull) {
    TempDir dir;
    const std::string file = dir.Path + "/freccia.cur";
    WriteCursorFile(file);
    EXPECT_EQ(RegisterWith(ARROW, "", GENERIC, "").hIcon, LoadIconA(0, IDI_APPLICATION));
    EXPECT_NE(RegisterWith(ARROW, "", FILEICON, file.c_str()).hIcon, 0u);
    EXPECT_EQ(RegisterWith(ARROW, "", FILEICON, (dir.Path + "/manca.ico").c_str()).hIcon, 0u);
    EXPECT_EQ(RegisterWith(ARROW, "", FILEICON, dir.Path.c_str()).hIcon, 0u) << "a folder";
    EXPECT_EQ(RegisterWith(ARROW, "", 0, "").hIcon, 0u);
    EXPECT_EQ(RegisterWith(ARROW, "", 3, "").hIcon, 0u);
}

TEST_F(ClassSettingsTest, CursorFileKindLoadsTheFileAMissingFileGivesNull) {
    TempDir dir;
    const std::string file = dir.Path + "/freccia.cur";
    WriteCursorFile(file);
    EXPECT_NE(RegisterWith(FILECURSOR, file.c_str(), GENERIC, "").hCursor, 0u);
    EXPECT_EQ(RegisterWith(FILECURSOR, (dir.Path + "/manca.cur").c_str(), GENERIC, "").hCursor, 0u);
}

TEST_F(ClassSettingsTest, SettingStoresTheChoiceAndResetsTheEngineSwitches) {
    const char* cursorFile = "a.cur";
    const char* iconFile = "b.ico";
    FogOnOff = false;
    GLVert3FRemove = true;
    GLVert3FEnableEdit = true;
    ObjNull = 77;
    OGLWindowSetting(CROSS, cursorFile, FILEICON, iconFile);
    EXPECT_EQ(SetTypeCursor, CROSS);
    EXPECT_EQ(CursorFile, cursorFile);
    EXPECT_EQ(SetTypeIcon, FILEICON);
    EXPECT_EQ(IconFile, iconFile);
    EXPECT_TRUE(FogOnOff);
    EXPECT_FALSE(GLVert3FRemove);
    EXPECT_FALSE(GLVert3FEnableEdit);
    EXPECT_EQ(ObjNull, 0u) << "no context is current before the window exists";
}

TEST_F(ClassSettingsTest, SettingWithAContextMakesAnEmptyList) {
    CreateDemoWindow();
    OGLWindowSetting(ARROW, "", GENERIC, "");
    EXPECT_NE(ObjNull, 0u);
    EXPECT_TRUE(glIsList(ObjNull));
}

TEST_F(ClassSettingsTest, SettingInFreeLookTakesTheTimeAndCentresTheCursor) {
    MouseFree = true;
    Width = 640;
    Height = 481;
    Start = 0;
    const DWORD before = GetTickCount();
    OGLWindowSetting(ARROW, "", GENERIC, "");
    const DWORD after = GetTickCount();
    EXPECT_GE(Start, before);
    EXPECT_LE(Start, after);
    POINT cursor = {};
    ASSERT_TRUE(GetCursorPos(&cursor));
    EXPECT_EQ(cursor.x, 320);
    EXPECT_EQ(cursor.y, 240);
}

// The fatal paths end the process normally after showing their text under "Error"; with
// no display to show a box the platform writes "caption: text" to stderr, in UTF-8 (so
// the text's 0xE8 reads as C3 A8 there).
class FatalPathTest : public LifeCycleTest {};

TEST_F(FatalPathTest, SecondWindowInOneProcessEndsWithTheRegistrationMessage) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    CreateDemoWindow();
    EXPECT_EXIT(CreateOGLWindow(kTitle, kRequestWidth, kRequestHeight, kRequestBits, false),
                ::testing::ExitedWithCode(0),
                "Error: Errore di registro per la rispettiva applicazione!");
}

TEST_F(FatalPathTest, WindowFailureEndsWithTheCreationMessageAfterTheMenuStep) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // A child style without a parent: the window system refuses the window.
    CREATE_WINDOW_FLAGS = static_cast<std::int32_t>(WS_CHILD);
    ShowMenuBar = true;
    CreateMenuBar = MarkMenuStep;
    ShowStatusBar = true;
    EXPECT_EXIT(CreateDemoWindow(), ::testing::ExitedWithCode(0),
                "passo del menu\nError: Impossibile creare la finestra per la rispettiva "
                "applicazione!");
}

TEST_F(FatalPathTest, ContextFailureEndsWithTheInitialisationMessage) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    ShowMenuBar = true;
    CreateMenuBar = DestroyWindowAtMenuBar;
    EXPECT_EXIT(CreateDemoWindow(), ::testing::ExitedWithCode(0),
                "Error: la rispettiva applicazione non \xC3\xA8 stata inizilizata!");
}

TEST_F(FatalPathTest, ThrowErrorShowsTheTextAndEndsWithCodeZero) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(ThrowError("Messaggio di prova"), ::testing::ExitedWithCode(0),
                "Error: Messaggio di prova");
}

} // namespace
