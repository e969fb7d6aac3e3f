// The region of a picture's opaque pixels: runs, colour window, batches, failures.
#include "BmpFiles.h"
#include "RegionSpy.h"

#include "Vistral.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

using bmpfiles::Magenta;
using bmpfiles::Rgb;

constexpr COLORREF kMagenta = 0x00FF00FF;
constexpr Rgb kRed = {255, 0, 0};
constexpr DWORD kBatchBytes = 32 + 16 * 2000;

// Each test gets a folder for its pictures, a clean spy and a GDI leak check.
class BitmapToRegionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        regionspy::Reset();
        GdiBefore = GdiObjectCount();
    }
    void TearDown() override {
        EXPECT_EQ(GdiObjectCount(), GdiBefore) << "GDI objects leaked";
        EXPECT_EQ(regionspy::LiveGlobalBlocks, 0) << "rectangle buffer leaked";
    }

    // Writes a 24-bit picture and builds its region.
    HRGN Build(int width, int height, const bmpfiles::PixelFn& pixel, COLORREF trans = kMagenta,
               BYTE tolerance = 1) {
        std::string name = Dir.File("shape.bmp");
        bmpfiles::Write24(name, width, height, pixel);
        return BitmapToRegion(name.c_str(), trans, tolerance);
    }

    bmpfiles::TempDir Dir;
    std::size_t GdiBefore = 0;
};

// True when the region holds exactly the pixels for which Opaque is true.
::testing::AssertionResult CoversExactly(HRGN region, int width, int height,
                                         const std::function<bool(int, int)>& opaque) {
    for (int y = -1; y <= height; ++y)
        for (int x = -1; x <= width; ++x) {
            bool expected = x >= 0 && y >= 0 && x < width && y < height && opaque(x, y);
            if ((PtInRegion(region, x, y) != FALSE) != expected)
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") should be "
                       << (expected ? "inside" : "outside");
        }
    return ::testing::AssertionSuccess();
}

// Checks the region's bounding box.
void ExpectBox(HRGN region, RECT expected) {
    RECT box = {};
    GetRgnBox(region, &box);
    EXPECT_EQ(box.left, expected.left);
    EXPECT_EQ(box.top, expected.top);
    EXPECT_EQ(box.right, expected.right);
    EXPECT_EQ(box.bottom, expected.bottom);
}

TEST_F(BitmapToRegionTest, FullyOpaquePictureGivesOneRectanglePerRowInOneBatch) {
    constexpr int kW = 7, kH = 5;
    HRGN region = Build(kW, kH, [](int, int) { return kRed; });
    ASSERT_NE(region, 0u);

    ASSERT_EQ(regionspy::Batches.size(), 1u);
    const regionspy::Batch& batch = regionspy::Batches[0];
    EXPECT_EQ(batch.Header.dwSize, 32u);
    EXPECT_EQ(batch.Header.iType, RDH_RECTANGLES);
    EXPECT_EQ(batch.Header.nRgnSize, 0u);
    EXPECT_EQ(batch.Bytes, 32u + 16u * 100u);
    ASSERT_EQ(batch.Header.nCount, static_cast<DWORD>(kH));
    for (int y = 0; y < kH; ++y) {
        EXPECT_EQ(batch.Rects[y].left, 0);
        EXPECT_EQ(batch.Rects[y].top, y);
        EXPECT_EQ(batch.Rects[y].right, kW);
        EXPECT_EQ(batch.Rects[y].bottom, y + 1);
    }
    EXPECT_EQ(batch.Header.rcBound.left, 0);
    EXPECT_EQ(batch.Header.rcBound.top, 0);
    EXPECT_EQ(batch.Header.rcBound.right, kW);
    EXPECT_EQ(batch.Header.rcBound.bottom, kH);

    EXPECT_TRUE(CoversExactly(region, kW, kH, [](int, int) { return true; }));
    DeleteObject(region);
}

TEST_F(BitmapToRegionTest, AllTransparentPictureGivesEmptyRegionNotZero) {
    HRGN region = Build(4, 3, [](int, int) { return Magenta; });
    ASSERT_NE(region, 0u);
    RECT box = {};
    EXPECT_EQ(GetRgnBox(region, &box), NULLREGION);

    // The empty rest of the buffer is still turned into a region, with the empty bound.
    ASSERT_EQ(regionspy::Batches.size(), 1u);
    EXPECT_EQ(regionspy::Batches[0].Header.nCount, 0u);
    EXPECT_EQ(regionspy::Batches[0].Header.rcBound.left, INT_MAX);
    EXPECT_EQ(regionspy::Batches[0].Header.rcBound.top, INT_MAX);
    EXPECT_EQ(regionspy::Batches[0].Header.rcBound.right, 0);
    EXPECT_EQ(regionspy::Batches[0].Header.rcBound.bottom, 0);
    DeleteObject(region);
}

// One pixel of a colour against a transparent colour and tolerance.
struct ColourCase {
    const char* Name;
    COLORREF Trans;
    BYTE Tolerance;
    Rgb Pixel;
    bool Transparent;
};

const ColourCase kColourCases[] = {
    {"magenta itself", kMagenta, 1, {255, 0, 255}, true},
    {"green one above", kMagenta, 1, {255, 1, 255}, true},
    {"green two above", kMagenta, 1, {255, 2, 255}, false},
    {"red one below", kMagenta, 1, {254, 0, 255}, false},
    {"blue one below", kMagenta, 1, {255, 0, 254}, false},
    {"tolerance 0 exact", kMagenta, 0, {255, 0, 255}, true},
    {"tolerance 0 one off", kMagenta, 0, {255, 1, 255}, false},
    {"window 250..255 top", RGB(250, 250, 250), 10, {255, 255, 255}, true},
    {"window 250..255 bottom", RGB(250, 250, 250), 10, {250, 250, 250}, true},
    {"window 250..255 below", RGB(250, 250, 250), 10, {250, 249, 250}, false},
    {"full window", RGB(0, 0, 0), 255, {12, 200, 99}, true},
    {"black exact", RGB(0, 0, 0), 0, {0, 0, 0}, true},
    {"one-sided: darker never", RGB(10, 10, 10), 5, {9, 10, 10}, false},
};

TEST_F(BitmapToRegionTest, ColourWindowDecidesTransparency) {
    for (const ColourCase& c : kColourCases) {
        SCOPED_TRACE(c.Name);
        HRGN region = Build(
            1, 1, [&](int, int) { return c.Pixel; }, c.Trans, c.Tolerance);
        ASSERT_NE(region, 0u);
        EXPECT_EQ(PtInRegion(region, 0, 0) == FALSE, c.Transparent);
        DeleteObject(region);
    }
}

TEST_F(BitmapToRegionTest, EachOpaqueRunOfARowIsOneRectangle) {
    // '#' opaque, '.' magenta; runs at both ends and in the middle.
    const std::string row = "##..#.###";
    const int width = static_cast<int>(row.size());
    HRGN region = Build(width, 1, [&](int x, int) { return row[x] == '#' ? kRed : Magenta; });
    ASSERT_NE(region, 0u);
    ASSERT_EQ(regionspy::Batches.size(), 1u);
    const std::vector<RECT>& rects = regionspy::Batches[0].Rects;
    ASSERT_EQ(rects.size(), 3u);
    const LONG expected[3][2] = {{0, 2}, {4, 5}, {6, 9}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(rects[i].left, expected[i][0]);
        EXPECT_EQ(rects[i].right, expected[i][1]);
        EXPECT_EQ(rects[i].top, 0);
        EXPECT_EQ(rects[i].bottom, 1);
    }
    EXPECT_TRUE(CoversExactly(region, width, 1, [&](int x, int) { return row[x] == '#'; }));
    DeleteObject(region);
}

TEST_F(BitmapToRegionTest, RowZeroIsTheTopRowAsDisplayed) {
    constexpr int kW = 3, kH = 4;
    HRGN region = Build(kW, kH, [](int, int y) { return y == 0 ? kRed : Magenta; });
    ASSERT_NE(region, 0u);
    ExpectBox(region, {0, 0, kW, 1});
    EXPECT_TRUE(CoversExactly(region, kW, kH, [](int, int y) { return y == 0; }));
    DeleteObject(region);
}

TEST_F(BitmapToRegionTest, AlternatingPixelsAcrossTheBatchLimitGiveTheWholeShape) {
    // 2051 opaque pixels a row, two rows: batches of 2000, 2000 and 102 rectangles.
    constexpr int kW = 4101, kH = 2;
    auto opaque = [](int x, int y) { return (x + y) % 2 == 0; };
    HRGN region = Build(kW, kH, [&](int x, int y) { return opaque(x, y) ? kRed : Magenta; });
    ASSERT_NE(region, 0u);

    ASSERT_EQ(regionspy::Batches.size(), 3u);
    EXPECT_EQ(regionspy::Batches[0].Header.nCount, 2000u);
    EXPECT_EQ(regionspy::Batches[1].Header.nCount, 2000u);
    EXPECT_EQ(regionspy::Batches[2].Header.nCount, 4101u - 4000u);
    // The buffer grew in steps of 100 to the batch size and stays there.
    for (const regionspy::Batch& b : regionspy::Batches)
        EXPECT_EQ(b.Bytes, kBatchBytes);
    // The bound restarts empty after each batch: the second lies in both rows.
    EXPECT_EQ(regionspy::Batches[1].Header.rcBound.top, 0);
    EXPECT_EQ(regionspy::Batches[1].Header.rcBound.bottom, 2);
    EXPECT_EQ(regionspy::Batches[2].Header.rcBound.top, 1);

    ExpectBox(region, {0, 0, kW, kH});
    EXPECT_TRUE(CoversExactly(region, kW, kH, opaque));
    DeleteObject(region);
}

TEST_F(BitmapToRegionTest, PalettedPicturesGiveTheSameShape) {
    constexpr int kW = 6, kH = 3;
    auto opaque = [](int x, int y) { return x >= y; };
    const std::vector<Rgb> table = {Magenta, {0, 0, 255}, {255, 1, 255}, {254, 0, 255}};
    // Index 0 and 2 fall in the window, 1 and 3 do not.
    auto index = [&](int x, int y) -> std::uint8_t {
        return opaque(x, y) ? (x % 2 ? 1 : 3) : (y % 2 ? 2 : 0);
    };
    for (int bits : {8, 4}) {
        SCOPED_TRACE(bits);
        std::string name = Dir.File("paletted.bmp");
        if (bits == 8)
            bmpfiles::Write8(name, kW, kH, table, index);
        else
            bmpfiles::Write4(name, kW, kH, table, index);
        HRGN region = BitmapToRegion(name.c_str(), kMagenta, 1);
        ASSERT_NE(region, 0u);
        EXPECT_TRUE(CoversExactly(region, kW, kH, opaque));
        DeleteObject(region);
    }
}

TEST_F(BitmapToRegionTest, MissingOrBrokenFileGivesZero) {
    EXPECT_EQ(BitmapToRegion(Dir.File("absent.bmp").c_str(), kMagenta, 1), 0u);
    std::string broken = Dir.File("broken.bmp");
    FILE* f = std::fopen(broken.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("BM not really a picture", f);
    std::fclose(f);
    EXPECT_EQ(BitmapToRegion(broken.c_str(), kMagenta, 1), 0u);
    EXPECT_TRUE(regionspy::Batches.empty());
}

TEST_F(BitmapToRegionTest, BufferThatCannotBeAllocatedGivesZeroAndLeaksNothing) {
    regionspy::FailGlobalAllocOfBytes = 32 + 16 * 100;
    EXPECT_EQ(Build(5, 5, [](int, int) { return kRed; }), 0u);
    EXPECT_TRUE(regionspy::Batches.empty());
}

TEST_F(BitmapToRegionTest, BufferThatCannotGrowGivesZeroAndLeaksNothing) {
    // 150 rows of one run each need a second step of 100.
    regionspy::FailGlobalReAlloc = true;
    EXPECT_EQ(Build(2, 150, [](int, int) { return kRed; }), 0u);
    EXPECT_TRUE(regionspy::Batches.empty());
}

} // namespace
