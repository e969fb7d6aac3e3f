// Regions: half-open rectangles, unions and the other set operations, regions from
// RGNDATA rectangle lists (many rectangles, merged in batches), bad handles.
#include "GdiInternal.h"
#include "win32/Gdi.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct Probe {
    int X;
    int Y;
    bool Inside;
};

void ExpectProbes(HRGN region, const std::vector<Probe>& probes) {
    for (const Probe& p : probes)
        EXPECT_EQ(PtInRegion(region, p.X, p.Y) != FALSE, p.Inside)
            << "(" << p.X << ", " << p.Y << ")";
}

// An RGNDATA buffer of the given capacity holding Rects.
std::vector<std::uint8_t> RegionData(const std::vector<RECT>& rects, std::size_t capacity) {
    std::vector<std::uint8_t> buffer(sizeof(RGNDATAHEADER) + sizeof(RECT) * capacity);
    RGNDATAHEADER header{};
    header.dwSize = sizeof(RGNDATAHEADER);
    header.iType = RDH_RECTANGLES;
    header.nCount = static_cast<DWORD>(rects.size());
    SetRect(&header.rcBound, 0x7FFFFFFF, 0x7FFFFFFF, 0, 0);
    std::memcpy(buffer.data(), &header, sizeof header);
    if (!rects.empty())
        std::memcpy(buffer.data() + sizeof header, rects.data(), sizeof(RECT) * rects.size());
    return buffer;
}

HRGN FromData(const std::vector<std::uint8_t>& buffer) {
    return ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()),
                           reinterpret_cast<const RGNDATA*>(buffer.data()));
}

TEST(GdiRegion, RectangleEdgesAreHalfOpen) {
    const HRGN r = CreateRectRgn(10, 20, 30, 40);
    ExpectProbes(r, {{10, 20, true},
                     {29, 39, true},
                     {30, 20, false},
                     {10, 40, false},
                     {9, 25, false},
                     {15, 19, false}});
    const HRGN swapped = CreateRectRgn(30, 40, 10, 20);
    ExpectProbes(swapped, {{10, 20, true}, {29, 39, true}, {30, 39, false}});
    RECT box{};
    EXPECT_EQ(GetRgnBox(swapped, &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 10);
    EXPECT_EQ(box.bottom, 40);
    DeleteObject(r);
    DeleteObject(swapped);
}

TEST(GdiRegion, UnionOfOverlappingRectangles) {
    const HRGN a = CreateRectRgn(0, 0, 10, 10);
    const HRGN b = CreateRectRgn(5, 5, 15, 15);
    const HRGN u = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(u, a, b, RGN_OR), COMPLEXREGION);
    ExpectProbes(u, {{0, 0, true},
                     {9, 4, true},
                     {10, 4, false},
                     {14, 14, true},
                     {4, 14, false},
                     {12, 7, true},
                     {15, 15, false},
                     {7, 7, true}});
    std::vector<RECT> rects;
    ASSERT_TRUE(platform::GdiRegionRects(u, rects));
    // Banded: three bands, disjoint rectangles.
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_EQ((std::vector<LONG>{rects[0].left, rects[0].top, rects[0].right, rects[0].bottom}),
              (std::vector<LONG>{0, 0, 10, 5}));
    EXPECT_EQ((std::vector<LONG>{rects[1].left, rects[1].top, rects[1].right, rects[1].bottom}),
              (std::vector<LONG>{0, 5, 15, 10}));
    EXPECT_EQ((std::vector<LONG>{rects[2].left, rects[2].top, rects[2].right, rects[2].bottom}),
              (std::vector<LONG>{5, 10, 15, 15}));

    // Into one of its own sources.
    const HRGN c = CreateRectRgn(20, 0, 25, 5);
    EXPECT_EQ(CombineRgn(a, a, c, RGN_OR), COMPLEXREGION);
    ExpectProbes(a, {{2, 2, true}, {22, 2, true}, {15, 2, false}});
    // Touching rows join into one rectangle.
    const HRGN top = CreateRectRgn(0, 0, 4, 1);
    const HRGN below = CreateRectRgn(0, 1, 4, 2);
    EXPECT_EQ(CombineRgn(top, top, below, RGN_OR), SIMPLEREGION);
    for (HRGN h : {a, b, u, c, top, below})
        EXPECT_TRUE(DeleteObject(h));
}

TEST(GdiRegion, OtherOperationsAndCopy) {
    const HRGN a = CreateRectRgn(0, 0, 10, 10);
    const HRGN b = CreateRectRgn(5, 0, 15, 10);
    const HRGN out = CreateRectRgn(0, 0, 0, 0);
    struct Case {
        int Mode;
        int Kind;
        std::vector<Probe> Probes;
    };
    const Case cases[] = {
        {RGN_AND, SIMPLEREGION, {{4, 5, false}, {5, 5, true}, {9, 5, true}, {10, 5, false}}},
        {RGN_DIFF, SIMPLEREGION, {{0, 5, true}, {4, 5, true}, {5, 5, false}, {12, 5, false}}},
        {RGN_XOR, COMPLEXREGION, {{0, 5, true}, {7, 5, false}, {12, 5, true}, {15, 5, false}}},
        {RGN_COPY, SIMPLEREGION, {{0, 5, true}, {9, 5, true}, {12, 5, false}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Mode);
        EXPECT_EQ(CombineRgn(out, a, b, c.Mode), c.Kind);
        ExpectProbes(out, c.Probes);
    }
    const HRGN far = CreateRectRgn(50, 50, 60, 60);
    EXPECT_EQ(CombineRgn(out, a, far, RGN_AND), NULLREGION);
    EXPECT_EQ(CombineRgn(out, a, b, 0), ERROR);
    EXPECT_EQ(CombineRgn(out, a, b, 6), ERROR);
    EXPECT_EQ(CombineRgn(out, a, 0, RGN_COPY), SIMPLEREGION) << "copy needs no second source";
    for (HRGN h : {a, b, out, far})
        DeleteObject(h);
}

TEST(GdiRegion, ManyRectanglesFromRegionData) {
    // A checkerboard of 1-pixel cells, 100 x 50: 2500 opaque cells, one rectangle each.
    constexpr int kWidth = 100;
    constexpr int kHeight = 50;
    std::vector<RECT> cells;
    for (int y = 0; y < kHeight; ++y)
        for (int x = (y & 1); x < kWidth; x += 2)
            cells.push_back({x, y, x + 1, y + 1});
    const HRGN whole = FromData(RegionData(cells, cells.size() + 100));
    ASSERT_NE(whole, 0u);

    // The same in batches of at most 2000, merged with RGN_OR.
    HRGN merged = 0;
    for (std::size_t start = 0; start < cells.size(); start += 2000) {
        std::vector<RECT> batch(
            cells.begin() + static_cast<std::ptrdiff_t>(start),
            cells.begin() + static_cast<std::ptrdiff_t>(std::min(cells.size(), start + 2000)));
        const HRGN part = FromData(RegionData(batch, 2000));
        ASSERT_NE(part, 0u);
        if (merged == 0) {
            merged = part;
        } else {
            EXPECT_EQ(CombineRgn(merged, merged, part, RGN_OR), COMPLEXREGION);
            DeleteObject(part);
        }
    }
    for (const HRGN region : {whole, merged})
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                ASSERT_EQ(PtInRegion(region, x, y) != FALSE, ((x + y) & 1) == 0) << x << "," << y;
    RECT box{};
    EXPECT_EQ(GetRgnBox(merged, &box), COMPLEXREGION);
    EXPECT_EQ((std::vector<LONG>{box.left, box.top, box.right, box.bottom}),
              (std::vector<LONG>{0, 0, kWidth, kHeight}));
    DeleteObject(whole);
    DeleteObject(merged);
}

TEST(GdiRegion, EmptyAndRefusedRegionData) {
    const HRGN empty = FromData(RegionData({}, 100));
    ASSERT_NE(empty, 0u) << "no rectangles is an empty region, not a failure";
    RECT box{1, 1, 1, 1};
    EXPECT_EQ(GetRgnBox(empty, &box), NULLREGION);
    EXPECT_FALSE(PtInRegion(empty, 0, 0));
    const HRGN skipped = FromData(RegionData({{5, 5, 5, 9}, {3, 3, 1, 4}}, 2));
    EXPECT_EQ(GetRgnBox(skipped, &box), NULLREGION) << "empty rectangles are skipped";

    auto data = RegionData({{0, 0, 1, 1}}, 1);
    auto spoil = [&](auto change) {
        auto copy = data;
        auto* header = reinterpret_cast<RGNDATAHEADER*>(copy.data());
        change(*header);
        return FromData(copy);
    };
    EXPECT_EQ(spoil([](RGNDATAHEADER& h) { h.dwSize = 0; }), 0u);
    EXPECT_EQ(spoil([](RGNDATAHEADER& h) { h.iType = 2; }), 0u);
    EXPECT_EQ(spoil([](RGNDATAHEADER& h) { h.nCount = 2; }), 0u) << "more rectangles than bytes";
    EXPECT_EQ(spoil([](RGNDATAHEADER& h) { h.nCount = 0xFFFFFFFF; }), 0u);
    EXPECT_EQ(ExtCreateRegion(nullptr, 16, reinterpret_cast<const RGNDATA*>(data.data())), 0u);
    EXPECT_EQ(ExtCreateRegion(nullptr, 100, nullptr), 0u);
    const XFORM identity{1, 0, 0, 1, 0, 0};
    const XFORM scale{2, 0, 0, 2, 0, 0};
    const HRGN same = ExtCreateRegion(&identity, static_cast<DWORD>(data.size()),
                                      reinterpret_cast<const RGNDATA*>(data.data()));
    EXPECT_NE(same, 0u);
    EXPECT_EQ(ExtCreateRegion(&scale, static_cast<DWORD>(data.size()),
                              reinterpret_cast<const RGNDATA*>(data.data())),
              0u);
    for (HRGN h : {empty, skipped, same})
        DeleteObject(h);
}

TEST(GdiRegion, BadHandlesAndHelpers) {
    const HRGN r = CreateRectRgn(0, 0, 2, 2);
    EXPECT_EQ(OffsetRgn(r, 10, 20), SIMPLEREGION);
    EXPECT_TRUE(PtInRegion(r, 11, 21));
    EXPECT_FALSE(PtInRegion(r, 1, 1));
    EXPECT_EQ(OffsetRgn(r, 0x7FFFFFFF, 0), ERROR) << "would leave the coordinate range";
    EXPECT_TRUE(PtInRegion(r, 11, 21)) << "unchanged after a refused move";
    EXPECT_TRUE(DeleteObject(r));
    EXPECT_FALSE(PtInRegion(r, 11, 21)) << "stale";
    std::vector<RECT> rects;
    EXPECT_FALSE(platform::GdiRegionRects(r, rects));
    EXPECT_FALSE(PtInRegion(0, 0, 0));
    EXPECT_EQ(CombineRgn(r, r, r, RGN_OR), ERROR);
    EXPECT_EQ(GetRgnBox(0, nullptr), ERROR);
    EXPECT_FALSE(SetRect(nullptr, 0, 0, 1, 1));
    RECT rect{};
    EXPECT_TRUE(SetRect(&rect, 1, 2, 3, 4));
    EXPECT_EQ(rect.bottom, 4);
    EXPECT_TRUE(SetRectEmpty(&rect));
    EXPECT_EQ(rect.right, 0);
}

} // namespace
