// Counts colour classes in a rectangle of a binary PPM (P6) screenshot, so a shell
// test can tell ground, leaves, flowers, fruit and bark apart.
// Usage: demo_shot_colours FILE.ppm X Y W H
// Prints: total N black N green N white N red N brown N
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kBlackMax = 8;     // below on every channel: the clear colour
constexpr int kGreenMargin = 10; // green channel above both others by this: leaves, grass
constexpr int kWhiteMin = 150;   // above on every channel: lily petals
constexpr int kRedMin = 90;      // red at least this and twice each other channel: fruit skin
constexpr int kBrownSpread = 12; // red > green > blue, red - blue at least this: bark, soil
constexpr int kBrownMin = 30;

// Reads a header token, skipping comments.
bool Token(std::ifstream& in, std::string& out) {
    out.clear();
    char c;
    while (in.get(c)) {
        if (c == '#') {
            while (in.get(c) && c != '\n') {
            }
        } else if (!std::isspace(static_cast<unsigned char>(c))) {
            out += c;
            break;
        }
    }
    while (in.get(c) && !std::isspace(static_cast<unsigned char>(c)))
        out += c;
    return !out.empty();
}

} // namespace

// Reads the image, then classifies every pixel of the rectangle (clipped to the image).
int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: %s FILE.ppm X Y W H\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::string magic, w, h, maxval;
    if (!Token(in, magic) || magic != "P6" || !Token(in, w) || !Token(in, h) ||
        !Token(in, maxval) || maxval != "255") {
        std::fprintf(stderr, "not a binary 8-bit PPM: %s\n", argv[1]);
        return 1;
    }
    const int width = std::stoi(w), height = std::stoi(h);
    std::vector<unsigned char> px(static_cast<std::size_t>(width) * height * 3);
    if (!in.read(reinterpret_cast<char*>(px.data()), static_cast<std::streamsize>(px.size()))) {
        std::fprintf(stderr, "short PPM: %s\n", argv[1]);
        return 1;
    }
    const int x0 = std::atoi(argv[2]), y0 = std::atoi(argv[3]);
    const int x1 = x0 + std::atoi(argv[4]), y1 = y0 + std::atoi(argv[5]);
    long total = 0, black = 0, green = 0, white = 0, red = 0, brown = 0;
    for (int y = std::max(0, y0); y < std::min(height, y1); ++y)
        for (int x = std::max(0, x0); x < std::min(width, x1); ++x) {
            const unsigned char* p = &px[(static_cast<std::size_t>(y) * width + x) * 3];
            const int r = p[0], g = p[1], b = p[2];
            ++total;
            if (r < kBlackMax && g < kBlackMax && b < kBlackMax)
                ++black;
            else if (r > kWhiteMin && g > kWhiteMin && b > kWhiteMin)
                ++white;
            else if (g > r + kGreenMargin && g > b + kGreenMargin)
                ++green;
            else if (r >= kRedMin && r > 2 * g && r > 2 * b)
                ++red;
            else if (r > g && g > b && r - b >= kBrownSpread && r >= kBrownMin)
                ++brown;
        }
    std::printf("total %ld black %ld green %ld white %ld red %ld brown %ld\n", total, black, green,
                white, red, brown);
    return 0;
}
