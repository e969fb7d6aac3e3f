// Loading a BMP as a DIB section with a palette that suits its depth.
#include "BmpFiles.h"

#include "Vistral.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using bmpfiles::Rgb;

constexpr UINT kEntries = 256;

// A folder for the pictures and a GDI leak check around each test.
class LoadBMPFromFileTest : public ::testing::Test {
  protected:
    void SetUp() override { GdiBefore = GdiObjectCount(); }
    void TearDown() override { EXPECT_EQ(GdiObjectCount(), GdiBefore) << "GDI objects leaked"; }

    bmpfiles::TempDir Dir;
    std::size_t GdiBefore = 0;
};

// All entries of a palette.
std::vector<PALETTEENTRY> Entries(HPALETTE palette) {
    std::vector<PALETTEENTRY> out(GetPaletteEntries(palette, 0, 0, nullptr));
    GetPaletteEntries(palette, 0, static_cast<UINT>(out.size()), out.data());
    return out;
}

// A table of Count distinct colours.
std::vector<Rgb> Table(int count) {
    std::vector<Rgb> table;
    for (int i = 0; i < count; ++i)
        table.push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                         static_cast<std::uint8_t>(i * 7)});
    return table;
}

// A paletted picture of a given depth and colour-table size.
struct PalettedCase {
    int Bits;
    int TableSize;
};

TEST_F(LoadBMPFromFileTest, PalettedPictureGets256EntriesFromItsColourTableRestBlack) {
    for (PalettedCase c : {PalettedCase{8, 256}, PalettedCase{8, 20}, PalettedCase{4, 16}}) {
        SCOPED_TRACE(testing::Message() << c.Bits << " bits, " << c.TableSize << " colours");
        std::string name = Dir.File("paletted.bmp");
        std::vector<Rgb> table = Table(c.TableSize);
        auto index = [](int x, int y) -> std::uint8_t { return static_cast<std::uint8_t>(x + y); };
        if (c.Bits == 8)
            bmpfiles::Write8(name, 5, 3, table, index);
        else
            bmpfiles::Write4(name, 5, 3, table, index);

        HPALETTE palette = 0;
        HBITMAP bitmap = LoadBMPFromFile(name.c_str(), palette);
        ASSERT_NE(bitmap, 0u);
        ASSERT_NE(palette, 0u);

        BITMAP picture = {};
        ASSERT_NE(GetObjectA(bitmap, sizeof(picture), &picture), 0);
        EXPECT_EQ(picture.bmWidth, 5);
        EXPECT_EQ(picture.bmHeight, 3);
        EXPECT_EQ(picture.bmBitsPixel, c.Bits);

        std::vector<PALETTEENTRY> entries = Entries(palette);
        ASSERT_EQ(entries.size(), kEntries);
        for (UINT i = 0; i < kEntries; ++i) {
            SCOPED_TRACE(i);
            Rgb want = i < table.size() ? table[i] : Rgb{0, 0, 0};
            EXPECT_EQ(entries[i].peRed, want.R);
            EXPECT_EQ(entries[i].peGreen, want.G);
            EXPECT_EQ(entries[i].peBlue, want.B);
            EXPECT_EQ(entries[i].peFlags, 0);
        }
        EXPECT_TRUE(DeleteObject(palette));
        EXPECT_TRUE(DeleteObject(bitmap));
    }
}

TEST_F(LoadBMPFromFileTest, TrueColourPictureGetsTheHalftonePalette) {
    std::string name = Dir.File("true.bmp");
    bmpfiles::Write24(name, 4, 4, [](int x, int y) {
        return Rgb{static_cast<std::uint8_t>(x * 60), 9, static_cast<std::uint8_t>(y)};
    });

    HPALETTE palette = 0;
    HBITMAP bitmap = LoadBMPFromFile(name.c_str(), palette);
    ASSERT_NE(bitmap, 0u);
    ASSERT_NE(palette, 0u);
    BITMAP picture = {};
    ASSERT_NE(GetObjectA(bitmap, sizeof(picture), &picture), 0);
    EXPECT_EQ(picture.bmBitsPixel, 24);
    EXPECT_NE(picture.bmBits, nullptr);

    HPALETTE halftone = CreateHalftonePalette(0);
    std::vector<PALETTEENTRY> want = Entries(halftone);
    std::vector<PALETTEENTRY> got = Entries(palette);
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(got[i].peRed, want[i].peRed);
        EXPECT_EQ(got[i].peGreen, want[i].peGreen);
        EXPECT_EQ(got[i].peBlue, want[i].peBlue);
    }
    DeleteObject(halftone);
    DeleteObject(palette);
    DeleteObject(bitmap);
}

TEST_F(LoadBMPFromFileTest, MissingFileGivesZeroAndLeavesThePaletteAlone) {
    constexpr HPALETTE kUntouched = 0xC0FFEE;
    HPALETTE palette = kUntouched;
    EXPECT_EQ(LoadBMPFromFile(Dir.File("absent.bmp").c_str(), palette), 0u);
    EXPECT_EQ(palette, kUntouched);
}

} // namespace
