// The shaped image button on the GL window (SDL offscreen driver, real GL).
#include "BmpFiles.h"

#include "Vistral.h"
#include "win32/Testing.h"

#include <GL/gl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using bmpfiles::Magenta;
using bmpfiles::Rgb;

// The pictures: 40 by 30, the left 10 columns magenta (outside the shape).
constexpr int kPicW = 40;
constexpr int kPicH = 30;
constexpr int kMagentaColumns = 10;
constexpr Rgb kNormal = {200, 30, 30};
constexpr Rgb kHover = {30, 200, 30};
constexpr Rgb kPressed = {30, 30, 200};

constexpr int kButtonId = 4711;
constexpr int kButtonX = 100;
constexpr int kButtonY = 50;
// A creation size that the picture's replaces.
constexpr int kCreateW = 13;
constexpr int kCreateH = 7;

// Points in button coordinates.
constexpr POINT kOnShape = {25, 15};
constexpr POINT kOnMagenta = {5, 15};
// Left of the button, as reported to a captured window: negative x.
constexpr POINT kLeftOutside = {-20, 15};

// Bound on messages handled per pump, so a stuck repaint cannot hang a test.
constexpr int kPumpLimit = 200;

// Makes the GL window once for the whole program: the class can be registered only once.
class GlWindowEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        OGLWindowSetting(ARROW, "", GENERIC, "");
        CreateOGLWindow("Bottoni", 800, 600, 32, false);
    }
    void TearDown() override { DeleteOGLWindow(); }
};

const ::testing::Environment* const kGlWindow =
    ::testing::AddGlobalTestEnvironment(new GlWindowEnvironment);

// A full-body picture with the magenta strip on the left.
void WritePicture(const std::string& path, Rgb body) {
    bmpfiles::Write24(path, kPicW, kPicH,
                      [body](int x, int) { return x < kMagentaColumns ? Magenta : body; });
}

// Mouse message position in the button's coordinates.
LPARAM At(POINT p) {
    return MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y));
}

// Each test: fresh pictures under a prefix, a GDI count and an empty queue.
class ImageButtonTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Prefix = Dir.File("knopf");
        WritePicture(Prefix + "N.BMP", kNormal);
        WritePicture(Prefix + "H.BMP", kHover);
        WritePicture(Prefix + "P.BMP", kPressed);
        DrainCommands();
        GdiBefore = GdiObjectCount();
    }
    void TearDown() override {
        if (Button != 0 && IsWindow(Button)) DestroyWindow(Button);
        BMPType = "";
        EXPECT_EQ(GdiObjectCount(), GdiBefore) << "GDI objects leaked";
    }

    // Creates the button with the current prefix.
    HWND Create() {
        BMPType = Prefix.c_str();
        Button = CreateWindowExA(0, "IMAGEBUTTON", "", WS_CHILD | WS_VISIBLE, kButtonX, kButtonY,
                                 kCreateW, kCreateH, HWindow, static_cast<HMENU>(kButtonId),
                                 GetModuleHandleA(nullptr), nullptr);
        return Button;
    }

    // The button's state property.
    HANDLE Mode() const { return GetPropA(Button, "HOVERMODEBYTE"); }

    // Sends a mouse message to the button.
    void Mouse(UINT message, POINT p, WPARAM keys = 0) const {
        SendMessageA(Button, message, keys, At(p));
    }

    // The WM_COMMAND messages posted to the GL window since the last call, taken off the queue.
    std::vector<MSG> DrainCommands() {
        std::vector<MSG> commands;
        MSG msg = {};
        while (PeekMessageA(&msg, HWindow, WM_COMMAND, WM_COMMAND, PM_REMOVE))
            commands.push_back(msg);
        return commands;
    }

    // Runs the queue dry as a program's pump would, keeping the GL window's WM_COMMAND aside.
    void Pump() {
        MSG msg = {};
        for (int i = 0; i < kPumpLimit && PeekMessageA(&msg, 0, 0, 0, PM_REMOVE); ++i) {
            if (msg.message == WM_COMMAND && msg.hwnd == HWindow)
                Posted.push_back(msg);
            else
                DispatchMessageA(&msg);
        }
    }

    // Native pointer motion over the GL window, at a point of the button.
    void NativeMove(POINT p) {
        ASSERT_TRUE(win32test::InjectMouseMotion(HWindow, kButtonX + p.x, kButtonY + p.y));
        Pump();
    }

    // A native left button event at a point of the button.
    void NativeLeft(bool down, POINT p) {
        ASSERT_TRUE(win32test::InjectMouseButton(HWindow, win32test::kButtonLeft, down,
                                                 kButtonX + p.x, kButtonY + p.y));
        Pump();
    }

    // The colour the button shows at P after repainting.
    Rgb Shown(POINT p) const {
        UpdateWindow(Button);
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = 1;
        info.bmiHeader.biHeight = 1;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        HDC probe = CreateCompatibleDC(0);
        HBITMAP pixel = CreateDIBSection(probe, &info, DIB_RGB_COLORS, &bits, 0, 0);
        HGDIOBJ previous = SelectObject(probe, pixel);
        HDC surface = GetDC(Button);
        BitBlt(probe, 0, 0, 1, 1, surface, p.x, p.y, SRCCOPY);
        ReleaseDC(Button, surface);
        std::uint32_t value = *static_cast<std::uint32_t*>(bits);
        SelectObject(probe, previous);
        DeleteObject(pixel);
        DeleteDC(probe);
        return {static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
                static_cast<std::uint8_t>(value)};
    }

    bmpfiles::TempDir Dir;
    std::string Prefix;
    HWND Button = 0;
    std::vector<MSG> Posted;
    std::size_t GdiBefore = 0;
};

// Colour equality with a readable failure.
::testing::AssertionResult SameColour(Rgb got, Rgb want) {
    if (got.R == want.R && got.G == want.G && got.B == want.B) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "shown (" << int(got.R) << ", " << int(got.G) << ", " << int(got.B) << "), wanted ("
           << int(want.R) << ", " << int(want.G) << ", " << int(want.B) << ")";
}

// The button's outer rectangle in the parent's client coordinates.
RECT PlaceInParent(HWND button) {
    RECT r = {};
    GetWindowRect(button, &r);
    POINT topLeft = {r.left, r.top};
    ScreenToClient(GetParent(button), &topLeft);
    return {topLeft.x, topLeft.y, topLeft.x + (r.right - r.left), topLeft.y + (r.bottom - r.top)};
}

TEST_F(ImageButtonTest, TakesThePictureSizeAtItsPositionAndItsShape) {
    ASSERT_NE(Create(), 0u);
    RECT place = PlaceInParent(Button);
    EXPECT_EQ(place.left, kButtonX);
    EXPECT_EQ(place.top, kButtonY);
    EXPECT_EQ(place.right - place.left, kPicW);
    EXPECT_EQ(place.bottom - place.top, kPicH);

    EXPECT_EQ(Mode(), 1u);
    for (const char* name : {"NORMALBITMAP", "HOVERBITMAP", "PRESSBITMAP"})
        EXPECT_NE(GetPropA(Button, name), 0u) << name;
    HRGN shape = GetPropA(Button, "HOVERBUTTONREGION");
    ASSERT_NE(shape, 0u);
    RECT box = {};
    EXPECT_EQ(GetRgnBox(shape, &box), SIMPLEREGION);
    EXPECT_EQ(box.left, kMagentaColumns);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, kPicW);
    EXPECT_EQ(box.bottom, kPicH);
    EXPECT_TRUE(SameColour(Shown(kOnShape), kNormal));
}

TEST_F(ImageButtonTest, MagentaPixelIsNotEnteringButTheShapeIsHover) {
    ASSERT_NE(Create(), 0u);
    Mouse(WM_MOUSEMOVE, kOnMagenta);
    EXPECT_EQ(Mode(), 1u);
    EXPECT_EQ(GetCapture(), 0u);

    Mouse(WM_MOUSEMOVE, kOnShape);
    EXPECT_EQ(Mode(), 2u);
    EXPECT_EQ(GetCapture(), Button);
    EXPECT_TRUE(SameColour(Shown(kOnShape), kHover));

    // Moving on within the shape changes nothing; leaving it (captured) resets.
    Mouse(WM_MOUSEMOVE, {30, 20});
    EXPECT_EQ(Mode(), 2u);
    Mouse(WM_MOUSEMOVE, kLeftOutside);
    EXPECT_EQ(Mode(), 1u);
    EXPECT_EQ(GetCapture(), 0u);
    EXPECT_TRUE(SameColour(Shown(kOnShape), kNormal));
}

TEST_F(ImageButtonTest, PressAndReleasePostsExactlyOneCommand) {
    ASSERT_NE(Create(), 0u);
    Mouse(WM_MOUSEMOVE, kOnShape);
    Mouse(WM_LBUTTONDOWN, kOnShape, MK_LBUTTON);
    EXPECT_EQ(Mode(), 3u);
    EXPECT_EQ(GetCapture(), Button);
    EXPECT_TRUE(SameColour(Shown(kOnShape), kPressed));
    EXPECT_TRUE(DrainCommands().empty()) << "nothing before the release";

    Mouse(WM_LBUTTONUP, kOnShape);
    std::vector<MSG> commands = DrainCommands();
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].hwnd, HWindow);
    EXPECT_EQ(commands[0].wParam, static_cast<WPARAM>(kButtonId));
    EXPECT_EQ(commands[0].lParam, 0);
    // Back to normal even though the pointer is still on the button.
    EXPECT_EQ(Mode(), 1u);
    EXPECT_EQ(GetCapture(), 0u);
    EXPECT_TRUE(SameColour(Shown(kOnShape), kNormal));
}

TEST_F(ImageButtonTest, PressLeaveReleasePostsNothing) {
    ASSERT_NE(Create(), 0u);
    Mouse(WM_LBUTTONDOWN, kOnShape, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, kLeftOutside, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, kLeftOutside);
    EXPECT_TRUE(DrainCommands().empty());
    EXPECT_EQ(Mode(), 1u);
}

TEST_F(ImageButtonTest, EnteringWithTheRightButtonHeldShowsPressedAndPostsNothing) {
    ASSERT_NE(Create(), 0u);
    Mouse(WM_MOUSEMOVE, kOnShape, MK_RBUTTON);
    EXPECT_EQ(Mode(), 3u);
    EXPECT_TRUE(SameColour(Shown(kOnShape), kPressed));
    Mouse(WM_RBUTTONUP, kOnShape);
    EXPECT_TRUE(DrainCommands().empty());
    EXPECT_EQ(Mode(), 3u);
}

TEST_F(ImageButtonTest, DestroyRemovesAllFivePropertiesAndLeaksNothing) {
    ASSERT_NE(Create(), 0u);
    // Destruction's work, seen while the window still exists.
    SendMessageA(Button, WM_DESTROY, 0, 0);
    for (const char* name :
         {"NORMALBITMAP", "HOVERBITMAP", "PRESSBITMAP", "HOVERMODEBYTE", "HOVERBUTTONREGION"})
        EXPECT_EQ(GetPropA(Button, name), 0u) << name;
    // Painting without a picture still validates: no endless repaint.
    InvalidateRect(Button, nullptr, FALSE);
    UpdateWindow(Button);
    MSG paint = {};
    EXPECT_FALSE(PeekMessageA(&paint, Button, WM_PAINT, WM_PAINT, PM_NOREMOVE));
    EXPECT_TRUE(DestroyWindow(Button));
    EXPECT_FALSE(IsWindow(Button));
    // TearDown checks that every bitmap, palette, context and region is gone.
}

TEST_F(ImageButtonTest, WithoutANormalPictureKeepsItsSizeUnclippedAndStillClicks) {
    std::remove((Prefix + "N.BMP").c_str());
    ASSERT_NE(Create(), 0u);
    RECT place = PlaceInParent(Button);
    EXPECT_EQ(place.left, kButtonX);
    EXPECT_EQ(place.top, kButtonY);
    EXPECT_EQ(place.right - place.left, kCreateW);
    EXPECT_EQ(place.bottom - place.top, kCreateH);
    EXPECT_EQ(GetPropA(Button, "HOVERBUTTONREGION"), 0u);

    // Motion is ignored without a shape; a click still notifies.
    Mouse(WM_MOUSEMOVE, {2, 2});
    EXPECT_EQ(Mode(), 1u);
    Mouse(WM_LBUTTONDOWN, {2, 2}, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, {2, 2});
    std::vector<MSG> commands = DrainCommands();
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, static_cast<WPARAM>(kButtonId));
}

TEST_F(ImageButtonTest, NativePointerGoesThroughTheShapeOnly) {
    ASSERT_NE(Create(), 0u);
    // Over the magenta strip the pointer is over the GL window, not the button.
    NativeMove(kOnMagenta);
    EXPECT_EQ(Mode(), 1u);
    NativeMove(kOnShape);
    EXPECT_EQ(Mode(), 2u);

    NativeLeft(true, kOnShape);
    EXPECT_EQ(Mode(), 3u);
    NativeLeft(false, kOnShape);
    ASSERT_EQ(Posted.size(), 1u);
    EXPECT_EQ(Posted[0].wParam, static_cast<WPARAM>(kButtonId));
    EXPECT_EQ(Posted[0].lParam, 0);
    EXPECT_EQ(Mode(), 1u);

    // Press, drag off the button (still captured), release: no notification.
    Posted.clear();
    NativeMove(kOnShape);
    NativeLeft(true, kOnShape);
    NativeMove({kPicW + 30, kPicH + 30});
    NativeLeft(false, {kPicW + 30, kPicH + 30});
    EXPECT_TRUE(Posted.empty());
    EXPECT_EQ(Mode(), 1u);
}

TEST_F(ImageButtonTest, ComposedOverTheGlFrameClippedToItsShape) {
    ASSERT_NE(Create(), 0u);
    UpdateWindow(Button);
    glViewport(0, 0, Width, Height);
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    win32test::CompositeChildrenNow(HWindow);

    // A client point of the GL window, read back from the back buffer.
    auto frame = [](POINT p) {
        unsigned char rgba[4] = {};
        glReadBuffer(GL_BACK);
        glReadPixels(p.x, Height - 1 - p.y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return Rgb{rgba[0], rgba[1], rgba[2]};
    };
    const Rgb blue = {0, 0, 255};
    EXPECT_TRUE(SameColour(frame({kButtonX + kOnShape.x, kButtonY + kOnShape.y}), kNormal));
    EXPECT_TRUE(SameColour(frame({kButtonX + kOnMagenta.x, kButtonY + kOnMagenta.y}), blue))
        << "magenta is cut away";
    EXPECT_TRUE(SameColour(frame({kButtonX + kPicW + 5, kButtonY + 5}), blue));
}

} // namespace
