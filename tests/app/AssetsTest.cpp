// The demo's five images: tools/make_assets redraws the committed files byte for byte,
// and the files are what the engine's BMP and TGA loaders take, the right way up.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

const fs::path kCommitted = VISTRAL_ASSETS_DIR;
const std::string kMaker = VISTRAL_MAKE_ASSETS;

const char* const kAllImages[] = {"Floor05.bmp", "corteccia02.bmp", "rosso.bmp", "acacia.tga",
                                  "giglio.tga"};

// Reads a whole file (empty when missing).
Bytes ReadFile(const fs::path& path) {
    std::ifstream f(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// Little-endian fields.
unsigned Le16(const Bytes& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8);
}
unsigned Le32(const Bytes& b, std::size_t at) {
    return Le16(b, at) | (Le16(b, at + 2) << 16);
}

bool IsPowerOfTwo(unsigned v) {
    return v != 0 && (v & (v - 1)) == 0;
}

// Runs the maker with the given argument text; gives its exit status.
int RunMaker(const std::string& args) {
    int status = std::system(("'" + kMaker + "' " + args + " >/dev/null 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A decoded picture, bottom row first, 4 bytes (r, g, b, a) per pixel.
struct Picture {
    unsigned width = 0, height = 0;
    Bytes rgba;
    const std::uint8_t* At(unsigned x, unsigned y) const { return &rgba[(y * width + x) * 4]; }
};

// Decodes the pixels of a 24-bit bottom-up BMP.
Picture DecodeBmp(const Bytes& b) {
    Picture p{Le32(b, 18), Le32(b, 22), {}};
    unsigned rowBytes = (p.width * 3 + 3) & ~3u;
    for (unsigned y = 0; y < p.height; ++y)
        for (unsigned x = 0; x < p.width; ++x) {
            const std::uint8_t* px = &b[Le32(b, 10) + y * rowBytes + x * 3];
            p.rgba.insert(p.rgba.end(), {px[2], px[1], px[0], 255});
        }
    return p;
}

// Decodes a 32-bit TGA of type 2 or 10; `exact` tells whether the pixel data filled the
// picture exactly, with no packet running past its end and no bytes left over.
Picture DecodeTga(const Bytes& b, bool& exact) {
    Picture p{Le16(b, 12), Le16(b, 14), {}};
    std::size_t pixels = std::size_t{p.width} * p.height, at = 18;
    auto take = [&]() { p.rgba.insert(p.rgba.end(), {b[at + 2], b[at + 1], b[at], b[at + 3]}); };
    exact = true;
    if (b[2] == 2) {
        for (std::size_t i = 0; i < pixels && at + 4 <= b.size(); ++i, at += 4)
            take();
    } else {
        while (p.rgba.size() / 4 < pixels && at < b.size()) {
            unsigned header = b[at++];
            unsigned count = (header & 0x7F) + 1;
            if (p.rgba.size() / 4 + count > pixels) exact = false;
            if (header & 0x80) {
                for (unsigned k = 0; k < count; ++k)
                    take();
                at += 4;
            } else {
                for (unsigned k = 0; k < count; ++k, at += 4)
                    take();
            }
        }
    }
    exact = exact && p.rgba.size() / 4 == pixels && at == b.size();
    return p;
}

// Mean absolute channel difference between pixel columns (or rows) a and b.
double LineDifference(const Picture& p, unsigned a, unsigned b, bool columns) {
    unsigned n = columns ? p.height : p.width;
    double sum = 0;
    for (unsigned i = 0; i < n; ++i) {
        const std::uint8_t* pa = columns ? p.At(a, i) : p.At(i, a);
        const std::uint8_t* pb = columns ? p.At(b, i) : p.At(i, b);
        for (int c = 0; c < 3; ++c)
            sum += std::abs(int(pa[c]) - int(pb[c]));
    }
    return sum / (3.0 * n);
}

// The maker's output, written once into a private temporary folder.
class GeneratedAssets : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        folder_ = fs::temp_directory_path() / ("vistral_assets_" + std::to_string(getpid()));
        fs::remove_all(folder_);
        status_ = RunMaker("'" + folder_.string() + "'");
    }
    static void TearDownTestSuite() { fs::remove_all(folder_); }

    static fs::path folder_;
    static int status_;
};
fs::path GeneratedAssets::folder_;
int GeneratedAssets::status_ = -1;

TEST_F(GeneratedAssets, RedrawsTheCommittedFilesByteForByte) {
    ASSERT_EQ(status_, 0);
    for (const char* name : kAllImages) {
        Bytes made = ReadFile(folder_ / name);
        Bytes committed = ReadFile(kCommitted / name);
        ASSERT_FALSE(committed.empty()) << name << " is not committed";
        EXPECT_TRUE(made == committed)
            << name
            << " differs from the committed file; after a deliberate change to the "
               "maker, commit its output: make_assets assets";
    }
}

TEST(MakeAssets, FailsWithoutAUsableFolder) {
    EXPECT_NE(RunMaker(""), 0);
    // A plain file where the folder should be.
    fs::path file = fs::temp_directory_path() / ("vistral_assets_file_" + std::to_string(getpid()));
    std::ofstream(file) << "x";
    EXPECT_NE(RunMaker("'" + file.string() + "'"), 0);
    fs::remove(file);
}

struct BmpCase {
    const char* name;
    unsigned width, height;
    // Strongest and weakest channel on average: green ground, brown bark, crimson fruit.
    int strongest, weakest;
};

const BmpCase kBmps[] = {
    {"Floor05.bmp", 256, 256, 1, 2},
    {"corteccia02.bmp", 256, 256, 0, 2},
    {"rosso.bmp", 64, 64, 0, 1},
};

TEST(CommittedBmps, AreBottomUp24BitPowerOfTwoImagesOfTheRightColour) {
    for (const BmpCase& c : kBmps) {
        SCOPED_TRACE(c.name);
        Bytes b = ReadFile(kCommitted / c.name);
        ASSERT_GE(b.size(), 54u);
        EXPECT_EQ(Le16(b, 0), 0x4D42u);  // "BM"
        EXPECT_EQ(Le32(b, 2), b.size()); // file size
        EXPECT_EQ(Le32(b, 10), 54u);     // pixels right after the headers
        EXPECT_EQ(Le32(b, 14), 40u);     // Windows info header, not OS/2
        EXPECT_EQ(Le32(b, 18), c.width);
        EXPECT_EQ(Le32(b, 22), c.height); // positive: rows bottom-up
        EXPECT_TRUE(IsPowerOfTwo(c.width) && IsPowerOfTwo(c.height));
        EXPECT_EQ(Le16(b, 26), 1u);  // planes
        EXPECT_EQ(Le16(b, 28), 24u); // bits per pixel
        EXPECT_EQ(Le32(b, 30), 0u);  // uncompressed
        ASSERT_EQ(b.size(), 54u + c.width * 3 * c.height);

        Picture p = DecodeBmp(b);
        double mean[3] = {0, 0, 0};
        for (std::size_t i = 0; i < p.rgba.size(); i += 4)
            for (int ch = 0; ch < 3; ++ch)
                mean[ch] += p.rgba[i + ch];
        for (int ch = 0; ch < 3; ++ch) {
            if (ch != c.strongest) {
                EXPECT_GT(mean[c.strongest], mean[ch]) << "channel " << ch;
            }
            if (ch != c.weakest) {
                EXPECT_LT(mean[c.weakest], mean[ch]) << "channel " << ch;
            }
        }
    }
}

TEST(CommittedBmps, TileWithoutVisibleSeams) {
    // Across the wrap the picture changes no more than between neighbouring lines inside it.
    for (const BmpCase& c : kBmps) {
        SCOPED_TRACE(c.name);
        Picture p = DecodeBmp(ReadFile(kCommitted / c.name));
        for (bool columns : {true, false}) {
            unsigned n = columns ? p.width : p.height;
            double inside = 0;
            for (unsigned i = 0; i + 1 < n; ++i)
                inside += LineDifference(p, i, i + 1, columns);
            inside /= n - 1;
            EXPECT_LE(LineDifference(p, n - 1, 0, columns), 1.5 * inside)
                << (columns ? "left/right" : "top/bottom") << " seam";
        }
    }
}

struct TgaCase {
    const char* name;
    std::uint8_t type; // 10 run-length encoded, 2 uncompressed
};

const TgaCase kTgas[] = {{"acacia.tga", 10}, {"giglio.tga", 2}};

TEST(CommittedTgas, Are32BitSpritesTheEngineReaderAccepts) {
    for (const TgaCase& c : kTgas) {
        SCOPED_TRACE(c.name);
        Bytes b = ReadFile(kCommitted / c.name);
        ASSERT_GE(b.size(), 18u);
        // The first 12 bytes must be exactly one of the two patterns the reader accepts:
        // no image ID, no colour map, origin (0, 0).
        Bytes expected(12, 0);
        expected[2] = c.type;
        EXPECT_TRUE(Bytes(b.begin(), b.begin() + 12) == expected);
        EXPECT_TRUE(IsPowerOfTwo(Le16(b, 12)) && IsPowerOfTwo(Le16(b, 14)));
        EXPECT_EQ(b[16], 32);
        // 8 alpha bits; origin bit clear, so the first row in the file is the bottom row,
        // which is where the reader (which ignores the bit) puts it too.
        EXPECT_EQ(b[17], 0x08);

        bool exact = false;
        Picture p = DecodeTga(b, exact);
        EXPECT_TRUE(exact) << "pixel data does not fill the picture exactly";
        ASSERT_EQ(p.rgba.size(), std::size_t{p.width} * p.height * 4);
        bool clear = false, opaque = false;
        for (std::size_t i = 3; i < p.rgba.size(); i += 4) {
            clear |= p.rgba[i] == 0;
            opaque |= p.rgba[i] == 255;
        }
        EXPECT_TRUE(clear && opaque);
        // A transparent frame: a repeating texture must not bleed a shape's edge into
        // the opposite side of the sprite.
        for (unsigned i = 0; i < p.width; ++i) {
            EXPECT_EQ(p.At(i, 0)[3], 0) << "bottom " << i;
            EXPECT_EQ(p.At(i, p.height - 1)[3], 0) << "top " << i;
        }
        for (unsigned i = 0; i < p.height; ++i) {
            EXPECT_EQ(p.At(0, i)[3], 0) << "left " << i;
            EXPECT_EQ(p.At(p.width - 1, i)[3], 0) << "right " << i;
        }
    }
}

TEST(CommittedTgas, LeafStandsOnItsStalk) {
    bool exact = false;
    Picture p = DecodeTga(ReadFile(kCommitted / "acacia.tga"), exact);
    // Opaque span of each row, bottom up.
    auto span = [&](unsigned y, unsigned& lo, unsigned& hi) {
        lo = p.width;
        hi = 0;
        for (unsigned x = 0; x < p.width; ++x)
            if (p.At(x, y)[3] > 102) { // what the sprite alpha test keeps
                lo = std::min(lo, x);
                hi = x;
            }
        return lo <= hi ? hi - lo + 1 : 0u;
    };
    unsigned lowest = 0, lo = 0, hi = 0;
    while (lowest < p.height && span(lowest, lo, hi) == 0)
        ++lowest;
    ASSERT_LT(lowest, p.height / 8) << "the stalk should reach down near the bottom edge";
    EXPECT_LE(span(lowest, lo, hi), 4u) << "the lowest part is a thin stalk";
    EXPECT_NEAR((lo + hi) / 2.0, p.width / 2.0, p.width / 16.0) << "stalk centred";
    unsigned widestRow = 0, widest = 0;
    for (unsigned y = 0; y < p.height; ++y)
        if (unsigned w = span(y, lo, hi); w > widest) widest = w, widestRow = y;
    EXPECT_GT(widestRow, p.height / 4) << "leaflets above the stalk";
    EXPECT_GT(widest, p.width / 3);
}

} // namespace
