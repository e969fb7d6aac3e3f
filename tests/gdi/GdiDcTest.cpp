// Device contexts, selection, deletion, BitBlt conversions (memory DCs and child-window
// surfaces), palettes, brushes and the live-object count.
#include "BmpBuilder.h"
#include "GdiInternal.h"
#include "win32/Gdi.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace gditest;

namespace {

constexpr UINT kLoadFlags = LR_LOADFROMFILE | LR_CREATEDIBSECTION;
constexpr HWND kChildWindow = 0x01000007; // any value: the DC only remembers it

// A BITMAPINFO with room for a full colour table.
struct BitmapInfo256 {
    BITMAPINFOHEADER Header;
    RGBQUAD Colors[256];
};

// A DIB section of the given depth (negative height: top-down) and table.
HBITMAP MakeSection(int w, int h, int bits, void** pixels, const std::vector<RGBQUAD>& table = {}) {
    BitmapInfo256 info{};
    info.Header.biSize = sizeof(BITMAPINFOHEADER);
    info.Header.biWidth = w;
    info.Header.biHeight = h;
    info.Header.biPlanes = 1;
    info.Header.biBitCount = static_cast<WORD>(bits);
    info.Header.biCompression = BI_RGB;
    info.Header.biClrUsed = static_cast<DWORD>(table.size());
    std::copy(table.begin(), table.end(), info.Colors);
    return CreateDIBSection(0, reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS, pixels,
                            0, 0);
}

// Bytes of a bitmap's row Row (memory order) through GetObjectA.
const std::uint8_t* Row(HBITMAP bitmap, int row) {
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    return static_cast<const std::uint8_t*>(info.bmBits) + row * info.bmWidthBytes;
}

// Blue, green, red and fourth byte of a 32-bit pixel.
std::vector<int> Bgrx(const std::uint8_t* p) {
    return {p[0], p[1], p[2], p[3]};
}

// Loads an image file into a new memory DC; the test owns both.
struct LoadedDc {
    HBITMAP Bitmap = 0;
    HDC Dc = 0;
    HGDIOBJ Previous = 0;
    ~LoadedDc() {
        SelectObject(Dc, Previous);
        DeleteDC(Dc);
        DeleteObject(Bitmap);
    }
};

class GdiDc : public ::testing::Test {
  protected:
    // Red, green, blue, white as a 2x2 picture: bottom row red green, top row blue white.
    void LoadPaletted(LoadedDc& out) {
        const std::vector<RGBQUAD> table = {
            {0, 0, 0xFF, 0}, {0, 0xFF, 0, 0}, {0xFF, 0, 0, 0}, {0xFF, 0xFF, 0xFF, 0}};
        BmpSpec s;
        s.Width = 2;
        s.Height = 2;
        s.BitCount = 8;
        s.Table = table;
        s.ColoursUsed = 4;
        s.Pixels = PaddedRows({{0, 1}, {2, 3}});
        Load(MakeBmp(s), out);
    }
    // The same picture at 24 bits.
    void Load24(LoadedDc& out) {
        BmpSpec s;
        s.Width = 2;
        s.Height = 2;
        s.BitCount = 24;
        s.Pixels = PaddedRows({{0, 0, 0xFF, 0, 0xFF, 0}, {0xFF, 0, 0, 0xFF, 0xFF, 0xFF}});
        Load(MakeBmp(s), out);
    }
    void Load(const Bytes& file, LoadedDc& out) {
        const std::string path = folder_.File("picture.bmp");
        WriteFile(path, file);
        out.Bitmap = LoadImageA(0, path.c_str(), IMAGE_BITMAP, 0, 0, kLoadFlags);
        ASSERT_NE(out.Bitmap, 0u);
        out.Dc = CreateCompatibleDC(0);
        out.Previous = SelectObject(out.Dc, out.Bitmap);
        ASSERT_NE(out.Previous, 0u);
    }
    TempFolder folder_{"gdi_dc"};
};

// ---- BitBlt -----------------------------------------------------------------------------

TEST_F(GdiDc, BlitPalettedAnd24BitInto32BitSection) {
    LoadedDc paletted;
    LoadPaletted(paletted);
    LoadedDc rgb;
    Load24(rgb);
    for (const LoadedDc* source : {&paletted, &rgb}) {
        void* bits = nullptr;
        const HBITMAP target = MakeSection(2, 2, 32, &bits);
        ASSERT_NE(target, 0u);
        ASSERT_NE(bits, nullptr);
        const HDC dc = CreateCompatibleDC(0);
        const HGDIOBJ previous = SelectObject(dc, target);
        ASSERT_TRUE(BitBlt(dc, 0, 0, 2, 2, source->Dc, 0, 0, SRCCOPY));
        // Bottom-up: memory row 0 is the picture's bottom row (red, green).
        EXPECT_EQ(Bgrx(Row(target, 0)), (std::vector<int>{0, 0, 0xFF, 0}));
        EXPECT_EQ(Bgrx(Row(target, 0) + 4), (std::vector<int>{0, 0xFF, 0, 0}));
        EXPECT_EQ(Bgrx(Row(target, 1)), (std::vector<int>{0xFF, 0, 0, 0}));
        EXPECT_EQ(Bgrx(Row(target, 1) + 4), (std::vector<int>{0xFF, 0xFF, 0xFF, 0}));
        SelectObject(dc, previous);
        DeleteDC(dc);
        DeleteObject(target);
    }
}

TEST_F(GdiDc, BlitIntoAndOutOfAWindowSurface) {
    LoadedDc paletted;
    LoadPaletted(paletted);
    platform::PixelSurface surface;
    surface.Width = 3;
    surface.Height = 2;
    surface.Pixels.assign(6, 0x12345678);
    const HDC window = platform::GdiCreateWindowDC(kChildWindow, &surface);
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(BitBlt(window, 1, 0, 2, 2, paletted.Dc, 0, 0, SRCCOPY));
    // Surface rows are top-down, pixels 0xAARRGGBB and opaque after drawing.
    EXPECT_EQ(surface.Pixels, (std::vector<std::uint32_t>{0x12345678, 0xFF0000FF, 0xFFFFFFFF,
                                                          0x12345678, 0xFFFF0000, 0xFF00FF00}));

    // Back out of the surface into a 24-bit section.
    void* bits = nullptr;
    const HBITMAP target = MakeSection(1, 1, 24, &bits);
    const HDC dc = CreateCompatibleDC(window);
    const HGDIOBJ previous = SelectObject(dc, target);
    ASSERT_TRUE(BitBlt(dc, 0, 0, 1, 1, window, 2, 1, SRCCOPY));
    const auto* p = static_cast<const std::uint8_t*>(bits);
    EXPECT_EQ((std::vector<int>{p[0], p[1], p[2]}), (std::vector<int>{0, 0xFF, 0})); // green
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(target);
    platform::GdiDestroyWindowDC(window);
}

TEST_F(GdiDc, BlitConvertsMasksAndPalettes) {
    // 16-bit 5-6-5 red and blue.
    BmpSpec s;
    s.Width = 2;
    s.Height = 1;
    s.BitCount = 16;
    s.Compression = BI_BITFIELDS;
    s.Masks = {0xF800, 0x07E0, 0x001F};
    s.Pixels = {0x00, 0xF8, 0x1F, 0x00};
    LoadedDc masked;
    Load(MakeBmp(s), masked);
    void* bits = nullptr;
    const HBITMAP rgb = MakeSection(2, 1, 32, &bits);
    const HDC dc = CreateCompatibleDC(0);
    const HGDIOBJ previous = SelectObject(dc, rgb);
    ASSERT_TRUE(BitBlt(dc, 0, 0, 2, 1, masked.Dc, 0, 0, SRCCOPY));
    EXPECT_EQ(Bgrx(Row(rgb, 0)), (std::vector<int>{0, 0, 0xFF, 0}));
    EXPECT_EQ(Bgrx(Row(rgb, 0) + 4), (std::vector<int>{0xFF, 0, 0, 0}));

    // True colour into a paletted section takes the nearest table entry.
    void* indexBits = nullptr;
    const std::vector<RGBQUAD> table = {{0, 0, 0, 0}, {0xF0, 0, 0, 0}, {0, 0, 0xF0, 0}};
    const HBITMAP paletted = MakeSection(2, 1, 8, &indexBits, table);
    const HDC dc8 = CreateCompatibleDC(0);
    const HGDIOBJ previous8 = SelectObject(dc8, paletted);
    ASSERT_TRUE(BitBlt(dc8, 0, 0, 2, 1, dc, 0, 0, SRCCOPY));
    const auto* idx = static_cast<const std::uint8_t*>(indexBits);
    EXPECT_EQ(idx[0], 2); // red
    EXPECT_EQ(idx[1], 1); // blue
    SelectObject(dc8, previous8);
    DeleteDC(dc8);
    DeleteObject(paletted);
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(rgb);
}

// Black and white written into every depth give these bytes, and read back unchanged.
TEST_F(GdiDc, BlitIntoEveryDepthAndBack) {
    struct Case {
        int Bits;
        std::vector<RGBQUAD> Table;
        Bytes Expected; // the first bytes of the single row
    };
    const Case cases[] = {
        {1, Greys(2), {0x40}},
        {4, Greys(16), {0x0F}},
        {8, Greys(256), {0x00, 0xFF}},
        {16, {}, {0x00, 0x00, 0xFF, 0x7F}},
        {24, {}, {0, 0, 0, 0xFF, 0xFF, 0xFF}},
        {32, {}, {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0}},
    };
    void* sourceBits = nullptr;
    const HBITMAP source = MakeSection(2, 1, 24, &sourceBits);
    std::memcpy(sourceBits, Bytes{0, 0, 0, 0xFF, 0xFF, 0xFF}.data(), 6);
    const HDC sourceDc = CreateCompatibleDC(0);
    const HGDIOBJ sourcePrevious = SelectObject(sourceDc, source);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Bits);
        void* bits = nullptr;
        const HBITMAP target = MakeSection(2, 1, c.Bits, &bits, c.Table);
        ASSERT_NE(target, 0u);
        const HDC dc = CreateCompatibleDC(0);
        const HGDIOBJ previous = SelectObject(dc, target);
        ASSERT_TRUE(BitBlt(dc, 0, 0, 2, 1, sourceDc, 0, 0, SRCCOPY));
        const auto* p = static_cast<const std::uint8_t*>(bits);
        EXPECT_EQ(Bytes(p, p + c.Expected.size()), c.Expected);

        void* backBits = nullptr;
        const HBITMAP back = MakeSection(2, 1, 24, &backBits);
        const HDC backDc = CreateCompatibleDC(0);
        const HGDIOBJ backPrevious = SelectObject(backDc, back);
        ASSERT_TRUE(BitBlt(backDc, 0, 0, 2, 1, dc, 0, 0, SRCCOPY));
        const auto* q = static_cast<const std::uint8_t*>(backBits);
        EXPECT_EQ(Bytes(q, q + 6), (Bytes{0, 0, 0, 0xFF, 0xFF, 0xFF}));
        SelectObject(backDc, backPrevious);
        DeleteDC(backDc);
        DeleteObject(back);
        SelectObject(dc, previous);
        DeleteDC(dc);
        DeleteObject(target);
    }
    SelectObject(sourceDc, sourcePrevious);
    DeleteDC(sourceDc);
    DeleteObject(source);
}

TEST_F(GdiDc, BlitClipsAndHandlesOverlapAndFills) {
    platform::PixelSurface surface;
    surface.Width = 4;
    surface.Height = 1;
    surface.Pixels = {0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004};
    const HDC window = platform::GdiCreateWindowDC(kChildWindow, &surface);
    // Overlapping copy to the right within one surface: reads happen before writes.
    ASSERT_TRUE(BitBlt(window, 1, 0, 3, 1, window, 0, 0, SRCCOPY));
    EXPECT_EQ(surface.Pixels,
              (std::vector<std::uint32_t>{0xFF000001, 0xFF000001, 0xFF000002, 0xFF000003}));
    // Blocks hanging over any edge are cut; the rest stays.
    ASSERT_TRUE(BitBlt(window, -2, -5, 3, 10, 0, 0, 0, WHITENESS));
    EXPECT_EQ(surface.Pixels,
              (std::vector<std::uint32_t>{0xFFFFFFFF, 0xFF000001, 0xFF000002, 0xFF000003}));
    ASSERT_TRUE(BitBlt(window, 3, 0, 100, 1, 0, 0, 0, BLACKNESS));
    EXPECT_EQ(surface.Pixels[3], 0xFF000000u);
    ASSERT_TRUE(BitBlt(window, 0, 0, 4, 1, window, 3, 0, SRCCOPY)) << "source cut at its edge";
    EXPECT_EQ(surface.Pixels[0], 0xFF000000u);
    EXPECT_EQ(surface.Pixels[1], 0xFF000001u);
    ASSERT_TRUE(BitBlt(window, 10, 10, 2, 2, window, 0, 0, SRCCOPY)) << "nothing left to copy";

    // Failures: bad DCs, a GL window DC, an unknown operation, negative sizes.
    const HDC glWindow = platform::GdiCreateWindowDC(kChildWindow, nullptr);
    EXPECT_FALSE(BitBlt(0, 0, 0, 1, 1, window, 0, 0, SRCCOPY));
    EXPECT_FALSE(BitBlt(window, 0, 0, 1, 1, 0x7F000001, 0, 0, SRCCOPY));
    EXPECT_FALSE(BitBlt(glWindow, 0, 0, 1, 1, window, 0, 0, SRCCOPY));
    EXPECT_FALSE(BitBlt(window, 0, 0, 1, 1, glWindow, 0, 0, SRCCOPY));
    EXPECT_FALSE(BitBlt(window, 0, 0, 1, 1, window, 0, 0, 0x00EE0086 /* SRCPAINT */));
    EXPECT_FALSE(BitBlt(window, 0, 0, -1, 1, window, 0, 0, SRCCOPY));
    platform::GdiDestroyWindowDC(glWindow);
    platform::GdiDestroyWindowDC(window);
}

TEST_F(GdiDc, TopDownSectionKeepsTopRowFirst) {
    LoadedDc paletted;
    LoadPaletted(paletted);
    void* bits = nullptr;
    const HBITMAP target = MakeSection(2, -2, 24, &bits);
    ASSERT_NE(target, 0u);
    BITMAP info{};
    GetObjectA(target, sizeof info, &info);
    EXPECT_EQ(info.bmHeight, 2);
    const HDC dc = CreateCompatibleDC(0);
    const HGDIOBJ previous = SelectObject(dc, target);
    ASSERT_TRUE(BitBlt(dc, 0, 0, 2, 2, paletted.Dc, 0, 0, SRCCOPY));
    const auto* p = static_cast<const std::uint8_t*>(bits);
    EXPECT_EQ((std::vector<int>{p[0], p[1], p[2]}),
              (std::vector<int>{0xFF, 0, 0})); // blue, the top-left
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(target);
}

TEST(GdiSection, RefusedDescriptions) {
    void* bits = reinterpret_cast<void*>(1);
    BitmapInfo256 info{};
    info.Header = {sizeof(BITMAPINFOHEADER), 4, 4, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    auto make = [&](UINT usage = DIB_RGB_COLORS, HANDLE section = 0) {
        return CreateDIBSection(0, reinterpret_cast<const BITMAPINFO*>(&info), usage, &bits,
                                section, 0);
    };
    const BITMAPINFOHEADER good = info.Header;
    struct Spoil {
        const char* Name;
        void (*Apply)(BITMAPINFOHEADER&);
    };
    const Spoil spoils[] = {
        {"width 0", [](BITMAPINFOHEADER& h) { h.biWidth = 0; }},
        {"height 0", [](BITMAPINFOHEADER& h) { h.biHeight = 0; }},
        {"depth 7", [](BITMAPINFOHEADER& h) { h.biBitCount = 7; }},
        {"two planes", [](BITMAPINFOHEADER& h) { h.biPlanes = 2; }},
        {"RLE8", [](BITMAPINFOHEADER& h) { h.biCompression = BI_RLE8; }},
        {"short header", [](BITMAPINFOHEADER& h) { h.biSize = 12; }},
        {"above the size limit", [](BITMAPINFOHEADER& h) { h.biWidth = h.biHeight = 0x7FFFFFFF; }},
    };
    for (const Spoil& s : spoils) {
        info.Header = good;
        s.Apply(info.Header);
        EXPECT_EQ(make(), 0u) << s.Name;
        EXPECT_EQ(bits, nullptr) << s.Name;
    }
    info.Header = good;
    EXPECT_EQ(make(DIB_PAL_COLORS), 0u);
    EXPECT_EQ(make(DIB_RGB_COLORS, 0x0B000001), 0u);
    EXPECT_EQ(CreateDIBSection(0, nullptr, DIB_RGB_COLORS, &bits, 0, 0), 0u);
    const HBITMAP ok = make();
    EXPECT_NE(ok, 0u);
    EXPECT_NE(bits, nullptr);
    DeleteObject(ok);
}

// ---- Selection, deletion, stale handles -------------------------------------------------

TEST_F(GdiDc, SelectionAndDeletionFollowThePlatform) {
    const std::size_t before = GdiObjectCount();
    void* bits = nullptr;
    const HBITMAP bitmap = MakeSection(2, 2, 24, &bits);
    const HDC first = CreateCompatibleDC(0);
    const HDC second = CreateCompatibleDC(first);
    EXPECT_EQ(GdiObjectCount(), before + 3);

    const HGDIOBJ stockBitmap = SelectObject(first, bitmap);
    EXPECT_NE(stockBitmap, 0u) << "a fresh memory DC holds a default bitmap";
    BITMAP mono{};
    ASSERT_EQ(GetObjectA(stockBitmap, sizeof mono, &mono), static_cast<int>(sizeof mono));
    EXPECT_EQ(mono.bmWidth, 1);
    EXPECT_EQ(mono.bmBitsPixel, 1);
    EXPECT_EQ(SelectObject(second, bitmap), 0u) << "one DC at a time";
    EXPECT_FALSE(DeleteObject(bitmap)) << "still selected";
    EXPECT_EQ(SelectObject(first, stockBitmap), bitmap);
    EXPECT_EQ(SelectObject(second, bitmap), stockBitmap) << "free again";
    EXPECT_TRUE(DeleteDC(second)) << "deleting the DC lets the bitmap go";
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_FALSE(DeleteObject(bitmap)) << "stale";
    EXPECT_EQ(GetObjectA(bitmap, sizeof mono, &mono), 0);
    EXPECT_FALSE(DeleteDC(second));
    EXPECT_TRUE(DeleteDC(first));
    EXPECT_EQ(GdiObjectCount(), before);

    // Wrong kinds and small buffers fail.
    const HRGN region = CreateRectRgn(0, 0, 1, 1);
    const HDC dc = CreateCompatibleDC(0);
    EXPECT_EQ(SelectObject(dc, region), 0u);
    EXPECT_EQ(SelectObject(region, bitmap), 0u);
    EXPECT_EQ(CreateCompatibleDC(region), 0u);
    EXPECT_EQ(GetObjectA(region, sizeof mono, &mono), 0);
    EXPECT_EQ(GetObjectA(stockBitmap, 4, &mono), 0);
    EXPECT_EQ(GetObjectA(stockBitmap, 0, nullptr), static_cast<int>(sizeof(BITMAP)));
    EXPECT_TRUE(DeleteObject(region));
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteObject(0));
    EXPECT_EQ(GdiObjectCount(), before);
}

TEST(GdiWindowDc, SeamForTheWindowSide) {
    const std::size_t before = GdiObjectCount();
    platform::PixelSurface surface;
    const HDC child = platform::GdiCreateWindowDC(kChildWindow, &surface);
    const HDC gl = platform::GdiCreateWindowDC(kChildWindow + 1, nullptr);
    const HDC memory = CreateCompatibleDC(child);
    ASSERT_NE(child, 0u);
    ASSERT_NE(gl, 0u);
    EXPECT_EQ(platform::GdiWindowFromDC(child), kChildWindow);
    EXPECT_EQ(platform::GdiWindowFromDC(gl), kChildWindow + 1);
    EXPECT_EQ(platform::GdiWindowFromDC(memory), 0u);
    EXPECT_EQ(platform::GdiWindowFromDC(0), 0u);
    EXPECT_EQ(GdiObjectCount(), before + 1) << "window DCs are the window side's";
    EXPECT_FALSE(DeleteDC(child)) << "window DCs are released by their window";
    void* bits = nullptr;
    const HBITMAP bitmap = MakeSection(1, 1, 24, &bits);
    EXPECT_EQ(SelectObject(child, bitmap), 0u);
    // An empty surface has nothing to draw into yet.
    RECT all{0, 0, 10, 10};
    EXPECT_EQ(FillRect(child, &all, GetSysColorBrush(COLOR_BTNFACE)), 0);
    platform::GdiDestroyWindowDC(child);
    platform::GdiDestroyWindowDC(gl);
    platform::GdiDestroyWindowDC(memory); // not a window DC: no effect
    EXPECT_EQ(platform::GdiWindowFromDC(child), 0u);
    EXPECT_TRUE(DeleteDC(memory));
    DeleteObject(bitmap);
    EXPECT_EQ(GdiObjectCount(), before);
}

// ---- Palettes ---------------------------------------------------------------------------

TEST(GdiPalette, HalftoneHas256EntriesWithBlackAndWhite) {
    const HPALETTE halftone = CreateHalftonePalette(0);
    ASSERT_NE(halftone, 0u);
    EXPECT_EQ(GetPaletteEntries(halftone, 0, 0, nullptr), 256u);
    WORD count = 0;
    EXPECT_EQ(GetObjectA(halftone, sizeof count, &count), 2);
    EXPECT_EQ(count, 256);
    PALETTEENTRY entries[256];
    ASSERT_EQ(GetPaletteEntries(halftone, 0, 256, entries), 256u);
    EXPECT_EQ(entries[0].peRed + entries[0].peGreen + entries[0].peBlue, 0);
    EXPECT_EQ(entries[255].peRed + entries[255].peGreen + entries[255].peBlue, 3 * 255);
    EXPECT_EQ(GetPaletteEntries(halftone, 250, 100, entries), 6u) << "only what the palette holds";
    EXPECT_TRUE(DeleteObject(halftone));
}

TEST_F(GdiDc, PaletteFromAColourTableSelectedAndRealized) {
    LoadedDc paletted;
    LoadPaletted(paletted);
    RGBQUAD table[256] = {};
    ASSERT_EQ(GetDIBColorTable(paletted.Dc, 0, 256, table), 4u);
    // A 256-entry logical palette of the table, as the bitmap helpers build it.
    std::vector<std::uint8_t> storage(sizeof(LOGPALETTE) + 255 * sizeof(PALETTEENTRY));
    auto* logical = reinterpret_cast<LOGPALETTE*>(storage.data());
    logical->palVersion = PALETTE_VERSION;
    logical->palNumEntries = 256;
    for (int i = 0; i < 256; ++i)
        logical->palPalEntry[i] =
            PALETTEENTRY{table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
    const HPALETTE palette = CreatePalette(logical);
    ASSERT_NE(palette, 0u);
    PALETTEENTRY entries[4];
    ASSERT_EQ(GetPaletteEntries(palette, 0, 4, entries), 4u);
    EXPECT_EQ(entries[0].peRed, 0xFF);
    EXPECT_EQ(entries[2].peBlue, 0xFF);

    const HPALETTE previous = SelectPalette(paletted.Dc, palette, FALSE);
    EXPECT_EQ(previous, GetStockObject(DEFAULT_PALETTE));
    EXPECT_EQ(RealizePalette(paletted.Dc), 256u);
    EXPECT_FALSE(DeleteObject(palette)) << "selected";
    EXPECT_EQ(SelectPalette(paletted.Dc, previous, FALSE), palette);
    EXPECT_TRUE(DeleteObject(palette));

    logical->palVersion = 0x200;
    EXPECT_EQ(CreatePalette(logical), 0u);
    logical->palVersion = PALETTE_VERSION;
    logical->palNumEntries = 0;
    EXPECT_EQ(CreatePalette(logical), 0u);
    EXPECT_EQ(CreatePalette(nullptr), 0u);
    EXPECT_EQ(SelectPalette(paletted.Dc, 0, FALSE), 0u);
    EXPECT_EQ(RealizePalette(0), GDI_ERROR);
}

TEST_F(GdiDc, ColourTableWritesReachTheBitmap) {
    LoadedDc paletted;
    LoadPaletted(paletted);
    const RGBQUAD grey = {0x80, 0x80, 0x80, 0};
    EXPECT_EQ(SetDIBColorTable(paletted.Dc, 3, 5, &grey), 1u) << "cut at the table's end";
    RGBQUAD back{};
    EXPECT_EQ(GetDIBColorTable(paletted.Dc, 3, 1, &back), 1u);
    EXPECT_EQ(back.rgbRed, 0x80);
    EXPECT_EQ(GetDIBColorTable(paletted.Dc, 4, 1, &back), 0u);
    const HDC empty = CreateCompatibleDC(0);
    EXPECT_EQ(GetDIBColorTable(empty, 0, 1, &back), 0u)
        << "the default bitmap is not a DIB section";
    DeleteDC(empty);
}

// ---- Brushes ----------------------------------------------------------------------------

TEST_F(GdiDc, BrushesPaintRectangles) {
    void* bits = nullptr;
    const HBITMAP target = MakeSection(3, 1, 24, &bits);
    const HDC dc = CreateCompatibleDC(0);
    const HGDIOBJ previous = SelectObject(dc, target);
    const auto* p = static_cast<const std::uint8_t*>(bits);

    const HBRUSH solid = CreateSolidBrush(RGB(1, 2, 3));
    RECT first{0, 0, 1, 1};
    EXPECT_NE(FillRect(dc, &first, solid), 0);
    EXPECT_EQ((std::vector<int>{p[0], p[1], p[2]}), (std::vector<int>{3, 2, 1}));
    RECT second{1, -5, 2, 5};
    EXPECT_NE(FillRect(dc, &second, static_cast<HBRUSH>(COLOR_WINDOW + 1)), 0) << "COLOR_xxx + 1";
    EXPECT_EQ(p[3], 0xFF);
    RECT all{0, 0, 3, 1};
    EXPECT_NE(FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))), 0);
    EXPECT_EQ(p[0], 3) << "a null brush paints nothing";
    EXPECT_NE(FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE)), 0);
    EXPECT_EQ(p[6], 0xC0);
    EXPECT_EQ(FillRect(dc, &all, 0x7F000001), 0);

    EXPECT_EQ(GetSysColorBrush(25), 0u) << "unused index";
    EXPECT_EQ(GetSysColorBrush(-1), 0u);
    EXPECT_EQ(GetStockObject(99), 0u);
    const HGDIOBJ stock = GetStockObject(BLACK_BRUSH);
    EXPECT_TRUE(DeleteObject(stock));
    EXPECT_NE(FillRect(dc, &all, static_cast<HBRUSH>(stock)), 0)
        << "stock objects survive deletion";
    EXPECT_EQ(p[0], 0);
    EXPECT_TRUE(DeleteObject(solid));
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(target);
}

} // namespace
