// End to end under Xvfb: a GL frame with a shaped button over it, and a real click.
#include "BmpFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using bmpfiles::Rgb;

constexpr int kPicW = 96;
constexpr int kPicH = 64;
constexpr Rgb kNormal = {255, 128, 0};
constexpr Rgb kHover = {0, 200, 80};
constexpr Rgb kPressed = {200, 0, 80};
// The demo's clear colour (0.1, 0.2, 0.4) as bytes.
constexpr Rgb kFrame = {26, 51, 102};
constexpr int kFrameSlack = 2;

// An ellipse filling the picture; magenta outside it.
bool InShape(int x, int y) {
    double dx = (x + 0.5 - kPicW / 2.0) / (kPicW / 2.0);
    double dy = (y + 0.5 - kPicH / 2.0) / (kPicH / 2.0);
    return dx * dx + dy * dy <= 1.0;
}

// A picture of the ellipse in one colour.
void WritePicture(const std::string& path, Rgb body) {
    bmpfiles::Write24(path, kPicW, kPicH,
                      [body](int x, int y) { return InShape(x, y) ? body : bmpfiles::Magenta; });
}

// A binary PPM read back from ImageMagick.
struct Image {
    int Width = 0;
    int Height = 0;
    std::vector<unsigned char> Bytes;
    Rgb At(int x, int y) const {
        std::size_t i = (static_cast<std::size_t>(y) * Width + x) * 3;
        return {Bytes[i], Bytes[i + 1], Bytes[i + 2]};
    }
};

// Converts a PNG to PPM and reads it.
bool ReadPng(const std::string& png, const std::string& ppm, Image& image) {
    std::string command = "convert '" + png + "' -strip -depth 8 'ppm:" + ppm + "'";
    if (std::system(command.c_str()) != 0) return false;
    std::ifstream in(ppm, std::ios::binary);
    // Header fields, each possibly after comment lines.
    auto field = [&in](std::string& word) {
        while (in >> word && word[0] == '#')
            std::getline(in, word);
        return static_cast<bool>(in);
    };
    std::string magic, w, h, m;
    if (!field(magic) || !field(w) || !field(h) || !field(m)) return false;
    in.get();
    image.Width = std::stoi(w);
    image.Height = std::stoi(h);
    int maxValue = std::stoi(m);
    if (magic != "P6" || maxValue != 255) return false;
    image.Bytes.resize(static_cast<std::size_t>(image.Width) * image.Height * 3);
    in.read(reinterpret_cast<char*>(image.Bytes.data()),
            static_cast<std::streamsize>(image.Bytes.size()));
    return static_cast<bool>(in);
}

// The whole text of a file.
std::string ReadText(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Colour closeness for pixels that went through GL and the X server.
::testing::AssertionResult Near(Rgb got, Rgb want, int slack) {
    if (std::abs(got.R - want.R) <= slack && std::abs(got.G - want.G) <= slack &&
        std::abs(got.B - want.B) <= slack)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "pixel (" << int(got.R) << ", " << int(got.G) << ", " << int(got.B) << "), wanted ("
           << int(want.R) << ", " << int(want.G) << ", " << int(want.B) << ")";
}

TEST(XvfbButton, ShapedButtonOverTheGlFrameAndAClickReachesTheParent) {
    bmpfiles::TempDir dir;
    std::string prefix = dir.File("tasto");
    WritePicture(prefix + "N.BMP", kNormal);
    WritePicture(prefix + "H.BMP", kHover);
    WritePicture(prefix + "P.BMP", kPressed);

    std::string command = std::string("xvfb-run -a -s '-screen 0 1024x768x24 -noreset' sh '") +
                          SCRIPT_PATH + "' '" + DEMO_PATH + "' '" + prefix + "' '" + dir.Path() +
                          "'";
    int status = std::system(command.c_str());
    std::string log = ReadText(dir.File("demo.log"));
    ASSERT_EQ(status, 0) << log;

    // The click came through the real X pointer to the parent's command hook.
    EXPECT_NE(log.find("COMMAND 4711 0\n"), std::string::npos) << log;

    int sx, sy, cx, cy, fx, fy;
    ASSERT_EQ(std::sscanf(log.c_str(), "READY %d %d %d %d %d %d", &sx, &sy, &cx, &cy, &fx, &fy), 6)
        << log;
    Image shot;
    ASSERT_TRUE(ReadPng(dir.File("shot.png"), dir.File("shot.ppm"), shot));
    // Keep the picture for a look by hand.
    std::string keep = std::string(KEEP_DIR) + "/xvfb_shaped_button.png";
    std::system(("cp '" + dir.File("shot.png") + "' '" + keep + "'").c_str());

    EXPECT_TRUE(Near(shot.At(sx, sy), kNormal, 0)) << "the button's picture";
    EXPECT_TRUE(Near(shot.At(cx, cy), kFrame, kFrameSlack)) << "the clipped-off corner shows GL";
    EXPECT_TRUE(Near(shot.At(fx, fy), kFrame, kFrameSlack)) << "the bare GL frame";
}

} // namespace
