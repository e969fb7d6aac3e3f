// LoadImageA on real BMP files: every depth and encoding decodes to the expected bottom-up
// rows, and broken or hostile files give 0 without touching memory they do not own.
#include "BmpBuilder.h"
#include "BmpDecode.h"
#include "win32/Gdi.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace gditest;

namespace {

constexpr UINT kLoadFlags = LR_LOADFROMFILE | LR_CREATEDIBSECTION;

struct DecodeCase {
    const char* Name;
    BmpSpec Spec;
    int Width;
    int Height;
    int BitCount;
    Bytes ExpectedBits; // bmBits, bottom row first
    std::size_t TableSize;
};

BmpSpec Spec(std::int32_t w, std::int32_t h, std::uint16_t bits, Bytes pixels) {
    BmpSpec s;
    s.Width = w;
    s.Height = h;
    s.BitCount = bits;
    s.Pixels = std::move(pixels);
    return s;
}

BmpSpec WithTable(BmpSpec s, std::vector<RGBQUAD> table, std::uint32_t used = 0) {
    s.Table = std::move(table);
    s.ColoursUsed = used;
    return s;
}

BmpSpec WithCompression(BmpSpec s, std::uint32_t compression, std::vector<std::uint32_t> masks = {},
                        std::uint32_t headerBytes = 40) {
    s.Compression = compression;
    s.Masks = std::move(masks);
    s.HeaderBytes = headerBytes;
    return s;
}

BmpSpec Core(BmpSpec s) {
    s.HeaderBytes = 12;
    return s;
}

std::vector<DecodeCase> DecodeCases() {
    return {
        {"mono 3x2",
         WithTable(Spec(3, 2, 1, PaddedRows({{0xA0}, {0x40}})), Greys(2)),
         3,
         2,
         1,
         {0xA0, 0, 0, 0, 0x40, 0, 0, 0},
         2},
        {"4-bit 3x2",
         WithTable(Spec(3, 2, 4, PaddedRows({{0x12, 0x30}, {0x45, 0x60}})), Greys(16)),
         3,
         2,
         4,
         {0x12, 0x30, 0, 0, 0x45, 0x60, 0, 0},
         16},
        {"8-bit 3x2, 3 colours used",
         WithTable(Spec(3, 2, 8, PaddedRows({{0, 1, 2}, {2, 1, 0}})), Greys(3), 3),
         3,
         2,
         8,
         {0, 1, 2, 0, 2, 1, 0, 0},
         3},
        {"16-bit 5-5-5",
         Spec(2, 2, 16, PaddedRows({{0x1F, 0, 0, 0x7C}, {0xE0, 0x03, 0xFF, 0x7F}})),
         2,
         2,
         16,
         {0x1F, 0, 0, 0x7C, 0xE0, 0x03, 0xFF, 0x7F},
         0},
        {"24-bit 3x2 padded rows",
         Spec(3, 2, 24,
              PaddedRows({{1, 2, 3, 4, 5, 6, 7, 8, 9}, {10, 11, 12, 13, 14, 15, 16, 17, 18}})),
         3,
         2,
         24,
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0, 10, 11, 12, 13, 14, 15, 16, 17, 18, 0, 0, 0},
         0},
        {"32-bit keeps its fourth byte",
         Spec(2, 1, 32, {1, 2, 3, 4, 5, 6, 7, 8}),
         2,
         1,
         32,
         {1, 2, 3, 4, 5, 6, 7, 8},
         0},
        {"16-bit bit fields 5-6-5 stay raw",
         WithCompression(Spec(2, 1, 16, {0x00, 0xF8, 0x1F, 0x00}), BI_BITFIELDS,
                         {0xF800, 0x07E0, 0x001F}),
         2,
         1,
         16,
         {0x00, 0xF8, 0x1F, 0x00},
         0},
        {"32-bit bit fields R-G-B-X become B-G-R-A",
         WithCompression(Spec(1, 1, 32, {0x10, 0x20, 0x30, 0x99}), BI_BITFIELDS,
                         {0x000000FF, 0x0000FF00, 0x00FF0000}),
         1,
         1,
         32,
         {0x30, 0x20, 0x10, 0xFF},
         0},
        {"124-byte header with an alpha mask",
         WithCompression(Spec(1, 1, 32, {1, 2, 3, 0x80}), BI_BITFIELDS,
                         {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}, 124),
         1,
         1,
         32,
         {1, 2, 3, 0x80},
         0},
        {"108-byte header, 24-bit",
         WithCompression(Spec(1, 1, 24, {1, 2, 3, 0}), BI_RGB, {}, 108),
         1,
         1,
         24,
         {1, 2, 3, 0},
         0},
        {"top-down 24-bit is turned over",
         Spec(2, -2, 24, PaddedRows({{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}})),
         2,
         2,
         24,
         {7, 8, 9, 10, 11, 12, 0, 0, 1, 2, 3, 4, 5, 6, 0, 0},
         0},
        {"OS/2 core header, mono",
         Core(WithTable(Spec(3, 2, 1, PaddedRows({{0xA0}, {0x40}})), Greys(2))),
         3,
         2,
         1,
         {0xA0, 0, 0, 0, 0x40, 0, 0, 0},
         2},
        {"OS/2 core header, 24-bit",
         Core(Spec(2, 1, 24, {1, 2, 3, 4, 5, 6, 0, 0})),
         2,
         1,
         24,
         {1, 2, 3, 4, 5, 6, 0, 0},
         0},
        {"RLE8 run and absolute run",
         WithCompression(
             WithTable(Spec(4, 2, 8, {3, 5, 0, 0, 0, 4, 7, 8, 9, 10, 0, 1}), Greys(16), 16),
             BI_RLE8),
         4,
         2,
         8,
         {5, 5, 5, 0, 7, 8, 9, 10},
         16},
        {"RLE4 run and odd absolute run",
         WithCompression(
             WithTable(Spec(4, 2, 4, {4, 0x12, 0, 0, 0, 3, 0x34, 0x50, 0, 1}), Greys(16), 16),
             BI_RLE4),
         4,
         2,
         4,
         {0x12, 0x12, 0, 0, 0x34, 0x50, 0, 0},
         16},
        {"RLE8 delta skips pixels",
         WithCompression(WithTable(Spec(4, 3, 8, {0, 2, 1, 1, 1, 9, 0, 1}), Greys(16), 16),
                         BI_RLE8),
         4,
         3,
         8,
         {0, 0, 0, 0, 0, 9, 0, 0, 0, 0, 0, 0},
         16},
        {"RLE8 run past the row end is cut",
         WithCompression(WithTable(Spec(2, 1, 8, {5, 3, 0, 1}), Greys(16), 16), BI_RLE8),
         2,
         1,
         8,
         {3, 3, 0, 0},
         16},
        {"RLE8 delta past the last row ends the image",
         WithCompression(WithTable(Spec(2, 2, 8, {1, 4, 0, 2, 0, 9}), Greys(16), 16), BI_RLE8),
         2,
         2,
         8,
         {4, 0, 0, 0, 0, 0, 0, 0},
         16},
    };
}

class GdiBmpLoad : public ::testing::Test {
  protected:
    TempFolder folder_{"gdi_bmp_load"};
};

TEST_F(GdiBmpLoad, EachFormatDecodesToBottomUpRows) {
    for (const DecodeCase& c : DecodeCases()) {
        SCOPED_TRACE(c.Name);
        const std::string path = folder_.File("image.bmp");
        WriteFile(path, MakeBmp(c.Spec));
        const std::size_t before = GdiObjectCount();
        const HANDLE bitmap = LoadImageA(0, path.c_str(), IMAGE_BITMAP, 0, 0, kLoadFlags);
        ASSERT_NE(bitmap, 0u);
        BITMAP info{};
        ASSERT_EQ(GetObjectA(bitmap, sizeof info, &info), static_cast<int>(sizeof info));
        EXPECT_EQ(info.bmWidth, c.Width);
        EXPECT_EQ(info.bmHeight, c.Height);
        EXPECT_EQ(info.bmBitsPixel, c.BitCount);
        EXPECT_EQ(info.bmPlanes, 1);
        EXPECT_EQ(info.bmWidthBytes % 4, 0);
        EXPECT_EQ(static_cast<std::size_t>(info.bmWidthBytes) * c.Height, c.ExpectedBits.size());
        ASSERT_NE(info.bmBits, nullptr);
        Bytes bits(static_cast<const std::uint8_t*>(info.bmBits),
                   static_cast<const std::uint8_t*>(info.bmBits) + c.ExpectedBits.size());
        EXPECT_EQ(bits, c.ExpectedBits);

        // The colour table comes back through a memory DC.
        const HDC dc = CreateCompatibleDC(0);
        const HGDIOBJ previous = SelectObject(dc, bitmap);
        RGBQUAD table[256];
        EXPECT_EQ(GetDIBColorTable(dc, 0, 256, table), c.TableSize);
        for (std::size_t i = 0; i < c.TableSize && i < c.Spec.Table.size(); ++i)
            EXPECT_EQ(table[i].rgbRed, c.Spec.Table[i].rgbRed) << "entry " << i;
        SelectObject(dc, previous);
        EXPECT_TRUE(DeleteDC(dc));
        EXPECT_TRUE(DeleteObject(bitmap));
        EXPECT_EQ(GdiObjectCount(), before);
    }
}

// The decoder agrees with LoadImageA on the same bytes.
TEST(GdiBmpDecode, DirectCallMatchesTheTable) {
    for (const DecodeCase& c : DecodeCases()) {
        SCOPED_TRACE(c.Name);
        const Bytes file = MakeBmp(c.Spec);
        platform::Dib dib;
        ASSERT_TRUE(platform::DecodeBmp(file.data(), file.size(), dib));
        EXPECT_EQ(dib.Bits, c.ExpectedBits);
        EXPECT_FALSE(dib.TopDown);
    }
}

TEST_F(GdiBmpLoad, TransparentFlagRecoloursTheFirstPixelsTableEntry) {
    // Bottom-left pixel uses entry 2; that entry becomes the window colour (white).
    std::vector<RGBQUAD> table = {{0, 0, 0, 0}, {0, 0, 0xFF, 0}, {0xFF, 0, 0, 0}};
    const std::string path = folder_.File("transparent.bmp");
    WriteFile(path, MakeBmp(WithTable(Spec(2, 1, 8, {2, 1, 0, 0}), table, 3)));
    const HANDLE bitmap =
        LoadImageA(0, path.c_str(), IMAGE_BITMAP, 0, 0, kLoadFlags | LR_LOADTRANSPARENT);
    ASSERT_NE(bitmap, 0u);
    const HDC dc = CreateCompatibleDC(0);
    const HGDIOBJ previous = SelectObject(dc, bitmap);
    RGBQUAD got[3];
    ASSERT_EQ(GetDIBColorTable(dc, 0, 3, got), 3u);
    EXPECT_EQ(got[2].rgbRed, 0xFF);
    EXPECT_EQ(got[2].rgbGreen, 0xFF);
    EXPECT_EQ(got[2].rgbBlue, 0xFF);
    EXPECT_EQ(got[1].rgbRed, 0xFF); // other entries stay
    EXPECT_EQ(got[1].rgbBlue, 0);
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(bitmap);

    // A true-colour image is left alone.
    WriteFile(path, MakeBmp(Spec(1, 1, 24, {1, 2, 3, 0})));
    const HANDLE rgb =
        LoadImageA(0, path.c_str(), IMAGE_BITMAP, 0, 0, kLoadFlags | LR_LOADTRANSPARENT);
    BITMAP info{};
    ASSERT_EQ(GetObjectA(rgb, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(static_cast<const std::uint8_t*>(info.bmBits)[0], 1);
    DeleteObject(rgb);
}

TEST_F(GdiBmpLoad, RefusedRequests) {
    const std::string path = folder_.File("ok.bmp");
    WriteFile(path, MakeBmp(Spec(1, 1, 24, {1, 2, 3, 0})));
    EXPECT_EQ(LoadImageA(0, folder_.File("missing.bmp").c_str(), IMAGE_BITMAP, 0, 0, kLoadFlags),
              0u);
    EXPECT_EQ(LoadImageA(0, folder_.Path().c_str(), IMAGE_BITMAP, 0, 0, kLoadFlags), 0u)
        << "a folder";
    EXPECT_EQ(LoadImageA(0, nullptr, IMAGE_BITMAP, 0, 0, kLoadFlags), 0u);
    EXPECT_EQ(LoadImageA(0, path.c_str(), 1 /* an icon */, 0, 0, kLoadFlags), 0u);
    EXPECT_EQ(LoadImageA(0, path.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION), 0u)
        << "no resources";
    EXPECT_EQ(LoadImageA(0, path.c_str(), IMAGE_BITMAP, 4, 4, kLoadFlags), 0u) << "no scaling";
    const HANDLE ok = LoadImageA(0, path.c_str(), IMAGE_BITMAP, 0, 0, kLoadFlags);
    EXPECT_NE(ok, 0u);
    DeleteObject(ok);
}

// ---- Broken and hostile files -----------------------------------------------------------

Bytes Base() {
    return MakeBmp(WithTable(Spec(2, 2, 8, PaddedRows({{0, 1}, {2, 3}})), Greys(4), 4));
}

Bytes With32(Bytes b, std::size_t at, std::uint32_t v) {
    for (int k = 0; k < 4; ++k)
        b[at + k] = static_cast<std::uint8_t>(v >> (8 * k));
    return b;
}
Bytes With16(Bytes b, std::size_t at, std::uint16_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
    return b;
}
Bytes Cut(Bytes b, std::size_t size) {
    b.resize(size);
    return b;
}

// File offsets of the fields the cases below spoil.
constexpr std::size_t kOffBits = 10, kHeaderSize = 14, kWidthAt = 18, kHeightAt = 22,
                      kPlanesAt = 26, kDepthAt = 28, kCompressionAt = 30;

struct BrokenCase {
    const char* Name;
    Bytes File;
};

std::vector<BrokenCase> BrokenCases() {
    const Bytes base = Base();
    auto rle8 = [](std::int32_t w, std::int32_t h, Bytes data) {
        return MakeBmp(
            WithCompression(WithTable(Spec(w, h, 8, std::move(data)), Greys(16), 16), BI_RLE8));
    };
    auto offset = [](std::int64_t delta) {
        BmpSpec s = WithTable(Spec(2, 2, 8, PaddedRows({{0, 1}, {2, 3}})), Greys(4), 4);
        s.OffsetDelta = delta;
        return MakeBmp(s);
    };
    return {
        {"empty", {}},
        {"one byte", {'B'}},
        {"magic only", {'B', 'M'}},
        {"wrong magic",
         [&] {
             Bytes b = base;
             b[0] = 'X';
             return b;
         }()},
        {"info header cut short", Cut(base, 30)},
        {"header size 13", With32(base, kHeaderSize, 13)},
        {"header size huge", With32(base, kHeaderSize, 0x7FFFFFFF)},
        {"header size 0", With32(base, kHeaderSize, 0)},
        {"width 0", With32(base, kWidthAt, 0)},
        {"width negative", With32(base, kWidthAt, static_cast<std::uint32_t>(-2))},
        {"height 0", With32(base, kHeightAt, 0)},
        {"height most negative", With32(base, kHeightAt, 0x80000000u)},
        {"two planes", With16(base, kPlanesAt, 2)},
        {"depth 7", With16(base, kDepthAt, 7)},
        {"depth 0", With16(base, kDepthAt, 0)},
        {"JPEG compression", With32(base, kCompressionAt, 4)},
        {"unknown compression", With32(base, kCompressionAt, 99)},
        {"RLE8 at 24 bits", With16(rle8(2, 2, {0, 1}), kDepthAt, 24)},
        {"top-down RLE", With32(rle8(2, 2, {0, 1}), kHeightAt, static_cast<std::uint32_t>(-2))},
        {"bit fields at 24 bits", MakeBmp(WithCompression(Spec(1, 1, 24, {1, 2, 3, 0}),
                                                          BI_BITFIELDS, {0xFF0000, 0xFF00, 0xFF}))},
        {"overlapping masks", MakeBmp(WithCompression(Spec(1, 1, 16, {0, 0, 0, 0}), BI_BITFIELDS,
                                                      {0xF800, 0xFC00, 0x001F}))},
        {"mask with a gap", MakeBmp(WithCompression(Spec(1, 1, 16, {0, 0, 0, 0}), BI_BITFIELDS,
                                                    {0xF0F0, 0x0F00, 0x000F}))},
        {"mask past 16 bits", MakeBmp(WithCompression(Spec(1, 1, 16, {0, 0, 0, 0}), BI_BITFIELDS,
                                                      {0x10000, 0x07E0, 0x001F}))},
        {"zero mask",
         MakeBmp(WithCompression(Spec(1, 1, 32, {0, 0, 0, 0}), BI_BITFIELDS, {0, 0xFF00, 0xFF}))},
        {"masks cut off", Cut(MakeBmp(WithCompression(Spec(1, 1, 16, {0, 0, 0, 0}), BI_BITFIELDS,
                                                      {0xF800, 0x07E0, 0x001F})),
                              14 + 40 + 6)},
        {"pixel offset past the end", offset(1000)},
        {"pixel offset inside the header", With32(base, kOffBits, 20)},
        {"pixel offset 0", With32(base, kOffBits, 0)},
        {"pixel offset most negative", With32(base, kOffBits, 0xFFFFFFFFu)},
        {"no room for a colour table", offset(-16)},
        {"pixels one byte short", Cut(base, base.size() - 1)},
        {"huge size, tiny file",
         With32(With32(With16(base, kDepthAt, 32), kWidthAt, 30000), kHeightAt, 30000)},
        {"size past 32 bits",
         With32(With32(With16(base, kDepthAt, 32), kWidthAt, 0x7FFFFFFF), kHeightAt, 0x7FFFFFFF)},
        {"RLE image above the size limit", rle8(20000, 20000, {0, 1})},
        {"RLE absolute run past the end", rle8(8, 1, {0, 5, 1, 2})},
        {"RLE data ends before the last row", rle8(2, 2, {2, 1})},
        {"RLE delta cut short", rle8(2, 2, {0, 2, 1})},
        {"RLE escape cut short", rle8(2, 2, {0})},
        {"core header at 16 bits", MakeBmp(Core(Spec(1, 1, 16, {0, 0, 0, 0})))},
    };
}

TEST_F(GdiBmpLoad, BrokenFilesGiveNull) {
    const std::size_t before = GdiObjectCount();
    for (const BrokenCase& c : BrokenCases()) {
        SCOPED_TRACE(c.Name);
        platform::Dib dib;
        EXPECT_FALSE(platform::DecodeBmp(c.File.data(), c.File.size(), dib));
        // Exactly the file's bytes on the heap, so a sanitizer sees any read past them.
        const std::string path = folder_.File("broken.bmp");
        WriteFile(path, c.File);
        EXPECT_EQ(LoadImageA(0, path.c_str(), IMAGE_BITMAP, 0, 0, kLoadFlags), 0u);
    }
    EXPECT_EQ(GdiObjectCount(), before);
}

// Every prefix of valid files of each kind is either refused or decodes within bounds.
TEST(GdiBmpDecode, EveryTruncationIsSafe) {
    for (const DecodeCase& c : DecodeCases()) {
        SCOPED_TRACE(c.Name);
        const Bytes file = MakeBmp(c.Spec);
        for (std::size_t n = 0; n < file.size(); ++n) {
            Bytes prefix(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(n));
            platform::Dib dib;
            if (platform::DecodeBmp(prefix.data(), prefix.size(), dib)) {
                EXPECT_EQ(dib.Bits.size(), static_cast<std::size_t>(dib.Stride) * dib.Height);
            }
        }
    }
}

} // namespace
