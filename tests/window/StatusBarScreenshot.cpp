// The status bar as a person sees it: a real X server (Xvfb), a rendered GL frame with the
// bar over its bottom edge, and a screenshot of the whole screen read back pixel by pixel.
// Run by CTest under xvfb-run with SDL_VIDEODRIVER=x11.
#include "WindowFixture.h"

#include <GL/gl.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <istream>
#include <string>
#include <vector>

namespace {

using windowtest::DrainMessages;

// The frame's clear colour, and the triangle drawn over it.
constexpr int kClearR = 26, kClearG = 77, kClearB = 153;
// Frames drawn before the screenshot, so the X server has shown one for sure.
constexpr int kFrames = 5;
// Where the test leaves its screenshot for a person to look at.
const std::string kShotPng = std::string(SHOT_DIR) + "/status_bar_screenshot.png";
const std::string kShotPpm = std::string(SHOT_DIR) + "/status_bar_screenshot.ppm";

// A binary PPM image, rows top first.
struct Image {
    int W = 0, H = 0;
    std::vector<std::uint8_t> Rgb;
    const std::uint8_t* At(int x, int y) const {
        return &Rgb[(static_cast<std::size_t>(y) * W + x) * 3];
    }
};

// The next header number of a PPM file, past blanks and comment lines.
int PpmNumber(std::istream& in) {
    in >> std::ws;
    while (in.peek() == '#') {
        std::string comment;
        std::getline(in, comment);
        in >> std::ws;
    }
    int value = -1;
    in >> value;
    return value;
}

bool ReadPpm(const std::string& path, Image& image) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    in >> magic;
    image.W = PpmNumber(in);
    image.H = PpmNumber(in);
    const int max = PpmNumber(in);
    in.get();
    if (magic != "P6" || max != 255 || image.W <= 0 || image.H <= 0) return false;
    image.Rgb.resize(static_cast<std::size_t>(image.W) * image.H * 3);
    in.read(reinterpret_cast<char*>(image.Rgb.data()),
            static_cast<std::streamsize>(image.Rgb.size()));
    return static_cast<bool>(in);
}

bool IsClearColour(const std::uint8_t* p) {
    return std::abs(p[0] - kClearR) <= 2 && std::abs(p[1] - kClearG) <= 2 &&
           std::abs(p[2] - kClearB) <= 2;
}

bool IsDark(const std::uint8_t* p) {
    return p[0] + p[1] + p[2] < 200;
}

// One frame: the clear colour and an orange triangle in the middle.
void DrawFrame() {
    glViewport(0, 0, Width, Height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(kClearR / 255.0f, kClearG / 255.0f, kClearB / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColor3f(1.0f, 0.5f, 0.0f);
    glBegin(GL_TRIANGLES);
    glVertex2f(-0.3f, -0.3f);
    glVertex2f(0.3f, -0.3f);
    glVertex2f(0.0f, 0.4f);
    glEnd();
}

TEST(StatusBarScreenshot, BarWithThreePartsShowsThePathTextOverARenderedFrame) {
    setenv("SDL_VIDEODRIVER", "x11", 0);
    windowtest::ResetEngineState();
    ShowStatusBar = true;
    MaxStatusItem = 3;
    StatusItem[1] = 200;
    StatusItem[2] = 400;
    StatusItem[3] = -1;
    OGLWindowSetting(ARROW, "", GENERIC, "");
    ASSERT_TRUE(CreateOGLWindow(windowtest::kTitle, 800, 600, 32, false));
    ASSERT_NE(HStatus, 0u);
    for (int frame = 0; frame < kFrames; ++frame) {
        SetGLMsg();
        DrawFrame();
        SwapBuffers(DCWindow);
    }
    glFinish();
    DrainMessages();

    const std::string shot = "xwd -root -silent | /usr/bin/convert xwd:- " + kShotPng +
                             " && /usr/bin/convert " + kShotPng + " " + kShotPpm;
    ASSERT_EQ(std::system(shot.c_str()), 0) << shot;
    Image image;
    ASSERT_TRUE(ReadPpm(kShotPpm, image));

    POINT origin = {0, 0};
    ClientToScreen(HWindow, &origin);
    RECT bar = {};
    ASSERT_TRUE(GetWindowRect(HStatus, &bar));
    ASSERT_LE(bar.bottom, image.H);
    ASSERT_LE(bar.right, image.W);
    const int barMiddle = (bar.top + bar.bottom) / 2;

    // The GL frame fills the client area above the bar.
    EXPECT_TRUE(IsClearColour(image.At(origin.x + 20, origin.y + 20)));
    EXPECT_TRUE(IsClearColour(image.At(origin.x + 20, bar.top - 5)));
    // The bar covers the frame's bottom edge, across the whole width.
    for (int x : {bar.left + 100, bar.left + 300, bar.right - 50})
        EXPECT_FALSE(IsClearColour(image.At(x, barMiddle))) << "x " << x;
    // "Percorso file" is written in the first part only.
    auto darkPixels = [&](int from, int to) {
        int dark = 0;
        for (int y = bar.top + 3; y < bar.bottom - 3; ++y)
            for (int x = bar.left + from; x < bar.left + to; ++x)
                dark += IsDark(image.At(x, y));
        return dark;
    };
    EXPECT_GT(darkPixels(4, 196), 40) << "text in the first part";
    EXPECT_LT(darkPixels(210, 390), 5) << "the second part is empty";
    EXPECT_LT(darkPixels(410, 700), 5) << "the third part is empty";

    DeleteOGLWindow();
}

} // namespace
