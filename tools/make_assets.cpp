// make_assets: draws the demo's five images into the folder named on the command line.
//
//   make_assets <folder>
//
// Writes "Floor05.bmp" (ground), "corteccia02.bmp" (bark), "rosso.bmp" (fruit skin),
// "acacia.tga" (leaf sprite, run-length encoded) and "giglio.tga" (lily sprite, uncompressed).
// Every picture comes from fixed seeds and integer arithmetic only, so any build on any
// machine writes the same bytes on every run. Pictures are kept bottom row first, which is
// the row order of both file formats and the row that GL takes as t = 0.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using i64 = std::int64_t;
using u32 = std::uint32_t;
using u64 = std::uint64_t;

// Fixed point: Q16 fractions, kOne meaning 1.0.
constexpr i64 kOne = 65536;
constexpr int kFracBits = 16;

// Shapes are sampled on a grid of kSamplesPerAxis x kSamplesPerAxis points per pixel;
// coordinates are in sub-units of 1/kUnitsPerPixel pixel.
constexpr int kUnitsPerPixel = 8;
constexpr int kSamplesPerAxis = 4;
constexpr int kSamplesPerPixel = kSamplesPerAxis * kSamplesPerAxis;

constexpr int kMaxChannel = 255;

// ===== Colours ===================================================================

// One colour, channels 0..255, alpha 255 when opaque.
struct Colour {
    i64 r = 0, g = 0, b = 0, a = kMaxChannel;
};

// Clamps a channel into 0..255.
i64 ClampChannel(i64 v) {
    return v < 0 ? 0 : (v > kMaxChannel ? kMaxChannel : v);
}

// Clamps a Q16 fraction into 0..1.
i64 ClampUnit(i64 t) {
    return t < 0 ? 0 : (t > kOne ? kOne : t);
}

// Linear blend of two integers by the Q16 fraction t.
i64 Lerp(i64 a, i64 b, i64 t) {
    return a + (((b - a) * t) >> kFracBits);
}

// Linear blend of two colours by the Q16 fraction t (alpha kept from a).
Colour Blend(Colour a, Colour b, i64 t) {
    t = ClampUnit(t);
    return {Lerp(a.r, b.r, t), Lerp(a.g, b.g, t), Lerp(a.b, b.b, t), a.a};
}

// Multiplies a colour's channels by the Q16 factor f, clamped.
Colour Shade(Colour c, i64 f) {
    return {ClampChannel((c.r * f) >> kFracBits), ClampChannel((c.g * f) >> kFracBits),
            ClampChannel((c.b * f) >> kFracBits), c.a};
}

// Hermite ease 3t^2 - 2t^3 of the Q16 fraction t.
i64 Ease(i64 t) {
    t = ClampUnit(t);
    return (t * t * (3 * kOne - 2 * t)) >> (2 * kFracBits);
}

// Eased 0..1 ramp of x between edges e0 and e1 (Q16 result).
i64 SmoothStep(i64 e0, i64 e1, i64 x) {
    return Ease(((x - e0) * kOne) / (e1 - e0));
}

// Q16 fraction from a per-mille value (keeps tuning constants readable).
constexpr i64 Milli(i64 perMille) {
    return perMille * kOne / 1000;
}

// Integer square root (floor) of a non-negative value.
i64 ISqrt(i64 v) {
    if (v <= 0) return 0;
    u64 x = static_cast<u64>(v);
    u64 r = 0;
    u64 bit = u64{1} << 62;
    while (bit > x)
        bit >>= 2;
    while (bit != 0) {
        if (x >= r + bit) {
            x -= r + bit;
            r = (r >> 1) + bit;
        } else {
            r >>= 1;
        }
        bit >>= 2;
    }
    return static_cast<i64>(r);
}

// ===== Pictures ==================================================================

// An RGBA picture, rows from the bottom up.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
};

// Makes a picture of the given size, all zero.
Picture MakePicture(int width, int height) {
    Picture p;
    p.width = width;
    p.height = height;
    p.rgba.assign(static_cast<std::size_t>(width) * height * 4, 0);
    return p;
}

// Stores one pixel (x from the left, y from the bottom).
void PutPixel(Picture& p, int x, int y, Colour c) {
    std::size_t at = (static_cast<std::size_t>(y) * p.width + x) * 4;
    p.rgba[at + 0] = static_cast<std::uint8_t>(ClampChannel(c.r));
    p.rgba[at + 1] = static_cast<std::uint8_t>(ClampChannel(c.g));
    p.rgba[at + 2] = static_cast<std::uint8_t>(ClampChannel(c.b));
    p.rgba[at + 3] = static_cast<std::uint8_t>(ClampChannel(c.a));
}

// Fills an opaque picture from a per-pixel function colour(x, y).
template <typename PixelFn> Picture PaintOpaque(int width, int height, PixelFn colour) {
    Picture p = MakePicture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            PutPixel(p, x, y, colour(x, y));
    return p;
}

// Paints an anti-aliased sprite: sample(ux, uy, out) gives true and a colour where a
// shape covers the sub-unit point. Alpha is the covered share of the samples; colour
// is the mean of the covered samples, or `background` where nothing is covered, so that
// linear filtering does not pull dark fringes in from the transparent area.
template <typename SampleFn>
Picture PaintSprite(int width, int height, Colour background, SampleFn sample) {
    Picture p = MakePicture(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            i64 r = 0, g = 0, b = 0, covered = 0;
            for (int sy = 0; sy < kSamplesPerAxis; ++sy) {
                for (int sx = 0; sx < kSamplesPerAxis; ++sx) {
                    i64 ux = i64{x} * kUnitsPerPixel + 2 * sx + 1;
                    i64 uy = i64{y} * kUnitsPerPixel + 2 * sy + 1;
                    Colour c;
                    if (sample(ux, uy, c)) {
                        r += c.r;
                        g += c.g;
                        b += c.b;
                        ++covered;
                    }
                }
            }
            Colour out = background;
            out.a = 0;
            if (covered > 0) {
                out.r = (r + covered / 2) / covered;
                out.g = (g + covered / 2) / covered;
                out.b = (b + covered / 2) / covered;
                out.a = (covered * kMaxChannel + kSamplesPerPixel / 2) / kSamplesPerPixel;
            }
            PutPixel(p, x, y, out);
        }
    }
    return p;
}

// ===== Noise =====================================================================

// Scrambles 32 bits (an integer finaliser with good avalanche).
u32 Scramble(u32 h) {
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

// Hash of a lattice point and a seed.
u32 Hash(i64 x, i64 y, u32 seed) {
    u32 h = Scramble(static_cast<u32>(y) + seed * 0x9E3779B9u);
    return Scramble(h ^ (static_cast<u32>(x) * 0x85EBCA6Bu));
}

// Q16 value in 0..1 from a hash.
i64 HashUnit(i64 x, i64 y, u32 seed) {
    return static_cast<i64>(Hash(x, y, seed) >> 16);
}

// Non-negative remainder.
i64 Wrap(i64 v, i64 period) {
    return ((v % period) + period) % period;
}

// Smooth value noise at Q16 lattice coordinates, repeating every periodX x periodY cells.
i64 ValueNoise(i64 ux, i64 uy, i64 periodX, i64 periodY, u32 seed) {
    i64 ix = ux >> kFracBits, iy = uy >> kFracBits;
    i64 fx = Ease(ux & (kOne - 1)), fy = Ease(uy & (kOne - 1));
    i64 x0 = Wrap(ix, periodX), x1 = Wrap(ix + 1, periodX);
    i64 y0 = Wrap(iy, periodY), y1 = Wrap(iy + 1, periodY);
    i64 bottom = Lerp(HashUnit(x0, y0, seed), HashUnit(x1, y0, seed), fx);
    i64 top = Lerp(HashUnit(x0, y1, seed), HashUnit(x1, y1, seed), fx);
    return Lerp(bottom, top, fy);
}

// Layers of value noise that tile a width x height picture seamlessly: the first layer
// has cellsX x cellsY cells over the picture, each further one twice as many at half
// the weight. Result is Q16 in 0..1.
i64 TileNoise(int x, int y, int width, int height, int cellsX, int cellsY, int layers, u32 seed) {
    i64 sum = 0, total = 0;
    for (int k = 0; k < layers; ++k) {
        i64 cx = i64{cellsX} << k, cy = i64{cellsY} << k;
        // Pixel centres, in Q16 lattice units.
        i64 ux = ((2 * i64{x} + 1) * cx << (kFracBits - 1)) / width;
        i64 uy = ((2 * i64{y} + 1) * cy << (kFracBits - 1)) / height;
        i64 weight = i64{1} << (layers - 1 - k);
        sum += ValueNoise(ux, uy, cx, cy, seed + 7919u * static_cast<u32>(k)) * weight;
        total += weight;
    }
    return sum / total;
}

// Jittered dots on a torus: whether the sub-unit point
// (ux, uy) lies in one of the dots scattered one per grid cell (with the given chance
// per mille) over a picture of sizeUnits x sizeUnits sub-units. Radii lie between
// rMin and rMax sub-units. On a hit, `where` gets the Q16 offset of the point from the
// dot's centre relative to its radius (x then y), for shading.
bool JitteredDot(i64 ux, i64 uy, i64 sizeUnits, int cells, int chancePerMille, i64 rMin, i64 rMax,
                 u32 seed, std::pair<i64, i64>& where) {
    i64 cell = sizeUnits / cells;
    i64 cx = ux / cell, cy = uy / cell;
    for (i64 ny = cy - 1; ny <= cy + 1; ++ny) {
        for (i64 nx = cx - 1; nx <= cx + 1; ++nx) {
            i64 wx = Wrap(nx, cells), wy = Wrap(ny, cells);
            if (static_cast<int>(Hash(wx, wy, seed) % 1000) >= chancePerMille) continue;
            i64 dotX = nx * cell + ((HashUnit(wx, wy, seed + 1) * cell) >> kFracBits);
            i64 dotY = ny * cell + ((HashUnit(wx, wy, seed + 2) * cell) >> kFracBits);
            i64 radius = rMin + (((rMax - rMin) * HashUnit(wx, wy, seed + 3)) >> kFracBits);
            i64 dx = ux - dotX, dy = uy - dotY;
            if (dx * dx + dy * dy <= radius * radius) {
                where = {dx * kOne / radius, dy * kOne / radius};
                return true;
            }
        }
    }
    return false;
}

// ===== Local frames ==============================================================

// A point seen from an origin along a direction: u along it, v to its left.
struct Frame {
    i64 ox, oy; // origin, sub-units
    i64 dx, dy; // direction, any length
    i64 length; // |(dx, dy)|
};

// Makes a frame at (ox, oy) looking along (dx, dy).
Frame MakeFrame(i64 ox, i64 oy, i64 dx, i64 dy) {
    return {ox, oy, dx, dy, ISqrt(dx * dx + dy * dy)};
}

// Coordinates of (x, y) in the frame: u along the direction, v to its left.
std::pair<i64, i64> ToFrame(const Frame& f, i64 x, i64 y) {
    i64 px = x - f.ox, py = y - f.oy;
    return {(px * f.dx + py * f.dy) / f.length, (py * f.dx - px * f.dy) / f.length};
}

// ===== Ground: grass with patches of bare earth ==================================

constexpr int kGroundSize = 256;

// Colour of one ground pixel.
Colour GroundPixel(int x, int y) {
    constexpr int n = kGroundSize;
    constexpr Colour grassDark{46, 84, 26}, grassLight{98, 138, 46}, grassDry{138, 134, 62};
    constexpr Colour earthDark{90, 64, 40}, earthLight{132, 100, 66};
    constexpr Colour pebble{134, 122, 104};

    // Where the earth shows through.
    i64 grassShare = SmoothStep(Milli(380), Milli(560), TileNoise(x, y, n, n, 3, 3, 4, 11));

    i64 tuft = TileNoise(x, y, n, n, 16, 16, 3, 12);
    Colour grass = Blend(grassDark, grassLight, tuft);
    grass = Blend(grass, grassDry,
                  SmoothStep(Milli(560), Milli(780), TileNoise(x, y, n, n, 5, 5, 3, 13)));
    // Single blades: a per-pixel flicker, brighter more often than darker.
    grass = Shade(grass, Milli(800) + ((HashUnit(x, y, 14) * Milli(340)) >> kFracBits));

    Colour earth = Blend(earthDark, earthLight, TileNoise(x, y, n, n, 24, 24, 2, 15));
    earth = Shade(earth, Milli(900) + ((HashUnit(x, y, 16) * Milli(160)) >> kFracBits));
    std::pair<i64, i64> at;
    i64 ux = i64{x} * kUnitsPerPixel + kUnitsPerPixel / 2;
    i64 uy = i64{y} * kUnitsPerPixel + kUnitsPerPixel / 2;
    if (JitteredDot(ux, uy, i64{n} * kUnitsPerPixel, 32, 300, 6, 13, 17, at)) {
        // Lit from the upper left.
        earth = Shade(pebble, kOne + (at.second - at.first) / 6);
    }

    Colour ground = Blend(earth, grass, grassShare);
    // Broad light and shade so the 4 x 4 repeat does not look flat.
    return Shade(ground,
                 Milli(920) + ((TileNoise(x, y, n, n, 4, 4, 2, 18) * Milli(160)) >> kFracBits));
}

// ===== Bark: plates split by meandering vertical furrows =========================

constexpr int kBarkSize = 256;
constexpr int kBarkPlates = 9;

// Colour of one bark pixel.
Colour BarkPixel(int x, int y) {
    constexpr int n = kBarkSize;
    constexpr Colour furrow{34, 25, 19}, furrowWall{70, 52, 38};
    constexpr Colour brown{112, 88, 64}, grey{138, 130, 118};

    // Horizontal position bent by noise that changes slowly up the trunk, in Q16 pixels.
    i64 warpWide = (TileNoise(x, y, n, n, 4, 2, 3, 21) - kOne / 2) * 56;
    i64 warpFine = (TileNoise(x, y, n, n, 8, 4, 2, 22) - kOne / 2) * 8;
    i64 u = (i64{x} << kFracBits) + warpWide + warpFine;
    // Position across one plate (Q16, 0..1); whole plates fit the width, so it tiles.
    i64 period = i64{n} << kFracBits;
    i64 phase = Wrap(u * kBarkPlates, period) / n;
    i64 crest = phase > kOne / 2 ? 2 * kOne - 2 * phase : 2 * phase; // 1 mid-plate, 0 in the furrow

    // Plate height: the regular profile roughened by long vertical noise, so furrows
    // split, merge and break off instead of running as parallel lines.
    i64 streaks = TileNoise(x, y, n, n, 20, 3, 3, 23);
    i64 height = (crest * 5 + streaks * 5) / 10;
    i64 plate = SmoothStep(Milli(330), Milli(520), height);
    i64 wall = SmoothStep(Milli(250), Milli(400), height);

    // Plate surface: brown with greyer weathered patches, fine grain running up the trunk.
    Colour surface =
        Blend(brown, grey, SmoothStep(Milli(420), Milli(760), TileNoise(x, y, n, n, 4, 2, 3, 24)));
    i64 grain = TileNoise(x, y, n, n, 48, 8, 2, 25);
    i64 rough = TileNoise(x, y, n, n, 32, 32, 2, 26);
    surface = Shade(surface, Milli(760) + ((grain * Milli(300)) >> kFracBits) +
                                 ((rough * Milli(160)) >> kFracBits));
    // Rounded plates: brighter at the crest, darker down the sides.
    surface = Shade(surface, Milli(780) + ((ClampUnit(height) * Milli(380)) >> kFracBits));

    Colour depth = Blend(furrow, furrowWall, wall);
    return Blend(depth, surface, plate);
}

// ===== Fruit skin: glossy red with pale speckles =================================

constexpr int kFruitSize = 64;

// Colour of one fruit-skin pixel.
Colour FruitPixel(int x, int y) {
    constexpr int n = kFruitSize;
    constexpr Colour deep{132, 8, 16}, bright{206, 26, 24}, blush{214, 70, 34};
    constexpr Colour speckle{238, 200, 142};

    Colour skin = Blend(deep, bright, TileNoise(x, y, n, n, 3, 3, 3, 31));
    // Faint streaks from stalk to base.
    skin =
        Blend(skin, blush, SmoothStep(Milli(600), kOne, TileNoise(x, y, n, n, 10, 3, 2, 32)) / 4);
    // Gloss: a soft sheen over broad areas.
    skin =
        Shade(skin, Milli(940) + ((TileNoise(x, y, n, n, 2, 2, 2, 33) * Milli(160)) >> kFracBits));

    // Speckles, anti-aliased by counting the samples they cover.
    i64 hits = 0;
    std::pair<i64, i64> at;
    for (int sy = 0; sy < kSamplesPerAxis; ++sy)
        for (int sx = 0; sx < kSamplesPerAxis; ++sx)
            if (JitteredDot(i64{x} * kUnitsPerPixel + 2 * sx + 1,
                            i64{y} * kUnitsPerPixel + 2 * sy + 1, i64{n} * kUnitsPerPixel, 10, 750,
                            3, 6, 34, at))
                ++hits;
    return Blend(skin, speckle, hits * kOne / kSamplesPerPixel * 6 / 10);
}

// ===== Acacia leaf: a stalk with paired leaflets =================================

constexpr int kLeafSize = 128;
constexpr i64 kLeafUnits = i64{kLeafSize} * kUnitsPerPixel;
constexpr int kLeafletPairs = 8;

// The stalk's centre line x(y), bending gently to the right towards the tip.
constexpr i64 kStalkBase = 12; // 1.5 pixels above the bottom edge
constexpr i64 kStalkTop = 852;
constexpr i64 kStalkBend = 40;
constexpr i64 kStalkX = kLeafUnits / 2;

// Stalk centre x at height y (sub-units).
i64 StalkX(i64 y) {
    i64 t = y - kStalkBase, len = kStalkTop - kStalkBase;
    return kStalkX + kStalkBend * t * t / (len * len);
}

// One leaflet: a frame at its attachment and its length and half-width.
struct Leaflet {
    Frame frame;
    i64 length;
    i64 halfWidth;
    i64 tint; // Q16 shade of green
};

// The leaflets of the compound leaf, built once.
std::vector<Leaflet> MakeLeaflets() {
    constexpr i64 maxLength = 296;
    // Leaflet length along the stalk, per mille of the longest: full low down, small at the tip.
    constexpr i64 lengthPerMille[kLeafletPairs] = {820, 960, 1000, 970, 900, 800, 680, 540};
    constexpr i64 firstPair = 212, lastPair = 808;
    std::vector<Leaflet> leaflets;
    for (int k = 0; k < kLeafletPairs; ++k) {
        i64 y = firstPair + (lastPair - firstPair) * k / (kLeafletPairs - 1);
        i64 length = maxLength * lengthPerMille[k] / 1000;
        for (int side = -1; side <= 1; side += 2) {
            // Pointing outwards and a little forwards, more so near the tip.
            i64 jitter = static_cast<i64>(Hash(k, side, 41) % 120) - 60;
            i64 forward = 360 + 70 * k + jitter;
            i64 ay = y + static_cast<i64>(Hash(k, side, 42) % 17) - 8;
            Leaflet l{MakeFrame(StalkX(ay), ay, side * 1000, forward), length,
                      length * 11 / 100 + 5, HashUnit(k, side, 43)};
            leaflets.push_back(l);
        }
    }
    // The odd leaflet that ends the stalk.
    i64 tipLength = maxLength * 46 / 100;
    leaflets.push_back({MakeFrame(StalkX(kStalkTop - 24), kStalkTop - 24, 90, 1000), tipLength,
                        tipLength * 14 / 100 + 5, HashUnit(9, 9, 43)});
    return leaflets;
}

// Colour of the leaf at a sub-unit point, if it covers it.
bool LeafSample(const std::vector<Leaflet>& leaflets, i64 x, i64 y, Colour& out) {
    constexpr Colour stalkLow{124, 116, 56}, stalkHigh{84, 116, 40};
    constexpr Colour greenDark{48, 96, 28}, greenLight{78, 130, 40}, vein{108, 148, 60};
    constexpr Colour baseYellow{110, 138, 46};
    constexpr i64 gap = 4;

    // The stalk lies over the leaflets' bases.
    if (y >= kStalkBase && y <= kStalkTop) {
        i64 t = (y - kStalkBase) * kOne / (kStalkTop - kStalkBase);
        i64 halfWidth = Lerp(11, 4, t);
        i64 off = x - StalkX(y);
        if (off >= -halfWidth && off <= halfWidth) {
            Colour c = Blend(stalkLow, stalkHigh, SmoothStep(0, Milli(300), t));
            // Rounded: lighter on the left of the centre line.
            out = Shade(c, kOne - off * kOne / halfWidth / 7);
            return true;
        }
    }
    for (const Leaflet& l : leaflets) {
        auto [u, v] = ToFrame(l.frame, x, y);
        i64 a = l.length / 2, b = l.halfWidth;
        i64 du = u - gap - a;
        // Oblong outline: (du/a)^4 + (v/b)^2 <= 1.
        i64 a2 = a * a, b2 = b * b;
        if (du * du * du * du * b2 + v * v * a2 * a2 > a2 * a2 * b2) continue;
        i64 along = (u - gap) * kOne / l.length;  // 0 at the base, 1 at the tip
        i64 across = (v < 0 ? -v : v) * kOne / b; // 0 on the midrib, 1 at the margin
        Colour c = Blend(greenDark, greenLight, l.tint);
        c = Blend(baseYellow, c, SmoothStep(0, Milli(350), along));
        if ((v < 0 ? -v : v) <= 3) c = Blend(c, vein, Milli(600));
        // Darker towards the margin, and one half a little brighter, as if folded.
        c = Shade(c, kOne - (across * across >> kFracBits) / 5 + (v > 0 ? Milli(50) : 0));
        out = c;
        return true;
    }
    return false;
}

// Draws the acacia leaf sprite.
Picture DrawLeaf() {
    std::vector<Leaflet> leaflets = MakeLeaflets();
    return PaintSprite(kLeafSize, kLeafSize, Colour{62, 110, 34},
                       [&](i64 x, i64 y, Colour& c) { return LeafSample(leaflets, x, y, c); });
}

// ===== Lily: six pointed white tepals, stamens with orange anthers ===============

constexpr int kLilySize = 128;
constexpr i64 kLilyCentre = i64{kLilySize} * kUnitsPerPixel / 2;
constexpr int kTepals = 6;

// Q16 cosine and sine of the six tepal directions, one pointing straight up.
constexpr i64 kHalf = kOne / 2;
constexpr i64 kRootThreeHalf = 56756; // sqrt(3)/2 in Q16
constexpr i64 kTepalDir[kTepals][2] = {
    {0, kOne},                 // up (outer)
    {kRootThreeHalf, kHalf},   // upper right (inner)
    {kRootThreeHalf, -kHalf},  // lower right (outer)
    {0, -kOne},                // down (inner)
    {-kRootThreeHalf, -kHalf}, // lower left (outer)
    {-kRootThreeHalf, kHalf},  // upper left (inner)
};

// One tepal or stamen: a frame at the flower's centre and its sizes.
struct Tepal {
    Frame frame;
    i64 length;
    i64 maxHalfWidth;
    bool inner;
};

struct Stamen {
    Frame frame;
    i64 length;
};

// The flower's parts, built once.
struct Lily {
    std::vector<Tepal> tepals; // inner ones first: they lie on top
    std::vector<Stamen> stamens;
};

// Offsets of the stigma's three lobes from the centre, and their radius (sub-units).
constexpr i64 kStigmaLobes[3][2] = {{0, 11}, {10, -6}, {-10, -6}};
constexpr i64 kStigmaLobeRadius = 12;

// Builds the lily's tepals and stamens with small fixed irregularities.
Lily MakeLily() {
    Lily lily;
    for (int pass = 0; pass < 2; ++pass) {
        for (int k = 0; k < kTepals; ++k) {
            bool inner = (k % 2) == 1;
            if (inner != (pass == 0)) continue;
            const i64* d = kTepalDir[k];
            // A slight turn: add a small share of the perpendicular.
            i64 turn = static_cast<i64>(Hash(k, 0, 51) % 9000) - 4500;
            i64 dx = d[0] - ((d[1] * turn) >> kFracBits);
            i64 dy = d[1] + ((d[0] * turn) >> kFracBits);
            i64 length = (inner ? 470 : 480) - static_cast<i64>(Hash(k, 1, 51) % 24);
            lily.tepals.push_back(
                {MakeFrame(kLilyCentre, kLilyCentre, dx, dy), length, inner ? 92 : 76, inner});
        }
    }
    for (int k = 0; k < kTepals; ++k) {
        // Between the tepals, curving a little further round.
        const i64* d = kTepalDir[k];
        i64 turn = kOne * 62 / 100 + static_cast<i64>(Hash(k, 2, 52) % 6000);
        i64 dx = d[0] - ((d[1] * turn) >> kFracBits);
        i64 dy = d[1] + ((d[0] * turn) >> kFracBits);
        i64 length = 236 + static_cast<i64>(Hash(k, 3, 52) % 40);
        lily.stamens.push_back({MakeFrame(kLilyCentre, kLilyCentre, dx, dy), length});
    }
    return lily;
}

// Half-width of a tepal at the Q16 fraction t of its length: widest at a third,
// narrowing to a sharp point.
i64 TepalHalfWidth(i64 maxHalfWidth, i64 t) {
    i64 rest = kOne - t;
    // 6.75 t (1 - t)^2 peaks at 1 when t = 1/3.
    i64 shape = (27 * t * ((rest * rest) >> kFracBits)) >> (kFracBits + 2);
    return (maxHalfWidth * shape) >> kFracBits;
}

// Colour of the lily at a sub-unit point, if it covers it.
bool LilySample(const Lily& lily, i64 x, i64 y, Colour& out) {
    constexpr Colour white{252, 250, 243}, throat{206, 222, 132}, groove{232, 232, 170};
    constexpr Colour filament{226, 218, 136}, anther{230, 118, 22}, antherDark{176, 74, 14};
    constexpr Colour pollen{252, 176, 48}, styleColour{176, 196, 96}, stigma{128, 140, 52};

    // Anthers on top: small bars across the tip of each filament.
    for (const Stamen& s : lily.stamens) {
        auto [u, v] = ToFrame(s.frame, x, y);
        constexpr i64 alongHalf = 16, acrossHalf = 40; // lying crosswise
        i64 du = u - s.length - alongHalf / 2, dv = v;
        i64 e = du * du * acrossHalf * acrossHalf + dv * dv * alongHalf * alongHalf;
        i64 limit = alongHalf * alongHalf * acrossHalf * acrossHalf;
        if (e <= limit) {
            i64 rim = e * kOne / limit;
            Colour c = Blend(anther, antherDark, SmoothStep(Milli(500), kOne, rim));
            if (du < -2 && rim < Milli(450)) c = Blend(c, pollen, Milli(600));
            out = c;
            return true;
        }
    }
    // The stigma, seen end-on over the centre: three small lobes.
    for (const auto& lobe : kStigmaLobes) {
        i64 dx = x - kLilyCentre - lobe[0], dy = y - kLilyCentre - lobe[1];
        if (dx * dx + dy * dy <= kStigmaLobeRadius * kStigmaLobeRadius) {
            out = Shade(Blend(stigma, styleColour,
                              (dx * dx + dy * dy) * kOne / (kStigmaLobeRadius * kStigmaLobeRadius)),
                        kOne - (dx + dy) * kOne / kStigmaLobeRadius / 10);
            return true;
        }
    }
    for (const Stamen& s : lily.stamens) {
        auto [u, v] = ToFrame(s.frame, x, y);
        if (u >= 20 && u <= s.length && v >= -4 && v <= 4) {
            out = filament;
            return true;
        }
    }
    for (const Tepal& p : lily.tepals) {
        auto [u, v] = ToFrame(p.frame, x, y);
        if (u < 0 || u > p.length) continue;
        i64 t = u * kOne / p.length;
        i64 half = TepalHalfWidth(p.maxHalfWidth, t);
        i64 av = v < 0 ? -v : v;
        if (av > half) continue;
        i64 across = half > 0 ? av * kOne / half : kOne;
        Colour c = white;
        // Green-yellow throat and a groove down the middle of the lower half.
        c = Blend(throat, c, SmoothStep(0, Milli(380), t));
        if (av <= 7 && t < Milli(620)) c = Blend(groove, c, SmoothStep(Milli(300), Milli(620), t));
        // Fine veins running lengthwise.
        i64 vein = Wrap(av * 5 * kOne / (p.maxHalfWidth + 1), kOne);
        i64 veinShade = vein > kHalf ? vein - kHalf : kHalf - vein; // 0..1/2
        c = Shade(c, Milli(975) + veinShade / 20);
        // Curved surface: darker towards the margins, a thin rim where it meets the one below.
        c = Shade(c, kOne - (across * across >> kFracBits) / 9);
        if (half - av < 6) c = Shade(c, Milli(860));
        // The tips curl back away from the viewer.
        c = Shade(c, kOne - SmoothStep(Milli(820), kOne, t) / 8);
        if (!p.inner) c = Shade(c, Milli(955));
        out = c;
        return true;
    }
    return false;
}

// Draws the lily sprite.
Picture DrawLily() {
    Lily lily = MakeLily();
    return PaintSprite(kLilySize, kLilySize, Colour{244, 242, 232},
                       [&](i64 x, i64 y, Colour& c) { return LilySample(lily, x, y, c); });
}

// ===== Files =====================================================================

// Appends a little-endian 16-bit value.
void Put16(std::vector<std::uint8_t>& out, u32 v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

// Appends a little-endian 32-bit value.
void Put32(std::vector<std::uint8_t>& out, u32 v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

constexpr u32 kBmpFileHeaderSize = 14;
constexpr u32 kBmpInfoHeaderSize = 40;
constexpr u32 kBmpSignature = 0x4D42; // "BM"
constexpr u32 kBmpBitsPerPixel = 24;
constexpr u32 kBmpPixelsPerMetre = 2835; // 72 dots per inch

// Encodes a picture as a 24-bit BMP: rows bottom-up, blue-green-red, padded to 4 bytes.
std::vector<std::uint8_t> EncodeBmp(const Picture& p) {
    u32 rowBytes = (static_cast<u32>(p.width) * 3 + 3) & ~u32{3};
    u32 pixelBytes = rowBytes * static_cast<u32>(p.height);
    u32 offset = kBmpFileHeaderSize + kBmpInfoHeaderSize;
    std::vector<std::uint8_t> out;
    Put16(out, kBmpSignature);
    Put32(out, offset + pixelBytes);
    Put32(out, 0); // reserved
    Put32(out, offset);
    Put32(out, kBmpInfoHeaderSize);
    Put32(out, static_cast<u32>(p.width));
    Put32(out, static_cast<u32>(p.height)); // positive: bottom-up
    Put16(out, 1);                          // planes
    Put16(out, kBmpBitsPerPixel);
    Put32(out, 0); // no compression
    Put32(out, pixelBytes);
    Put32(out, kBmpPixelsPerMetre);
    Put32(out, kBmpPixelsPerMetre);
    Put32(out, 0); // colours used
    Put32(out, 0); // important colours
    for (int y = 0; y < p.height; ++y) {
        std::size_t start = out.size();
        for (int x = 0; x < p.width; ++x) {
            const std::uint8_t* px = &p.rgba[(static_cast<std::size_t>(y) * p.width + x) * 4];
            out.push_back(px[2]);
            out.push_back(px[1]);
            out.push_back(px[0]);
        }
        while (out.size() - start < rowBytes)
            out.push_back(0);
    }
    return out;
}

constexpr std::uint8_t kTgaUncompressed = 2;
constexpr std::uint8_t kTgaRunLength = 10;
constexpr std::uint8_t kTgaBitsPerPixel = 32;
// Descriptor: 8 alpha bits, origin bit clear (first row in the file is the bottom row).
constexpr std::uint8_t kTgaDescriptor = 0x08;
constexpr int kTgaMaxPacket = 128;
constexpr std::uint8_t kTgaRunFlag = 0x80;

// Appends one pixel in the file's blue-green-red-alpha order.
void PutTgaPixel(std::vector<std::uint8_t>& out, const std::uint8_t* px) {
    out.push_back(px[2]);
    out.push_back(px[1]);
    out.push_back(px[0]);
    out.push_back(px[3]);
}

// Appends one row as run-length packets; packets never cross the end of a row.
void PutTgaRunLengthRow(std::vector<std::uint8_t>& out, const std::uint8_t* row, int width) {
    auto same = [&](int i, int j) {
        for (int c = 0; c < 4; ++c)
            if (row[i * 4 + c] != row[j * 4 + c]) return false;
        return true;
    };
    int i = 0;
    while (i < width) {
        int run = 1;
        while (i + run < width && run < kTgaMaxPacket && same(i, i + run))
            ++run;
        if (run >= 2) {
            out.push_back(static_cast<std::uint8_t>(kTgaRunFlag | (run - 1)));
            PutTgaPixel(out, row + i * 4);
            i += run;
            continue;
        }
        // Raw packet: up to the next pair of equal pixels.
        int raw = 1;
        while (i + raw < width && raw < kTgaMaxPacket &&
               !(i + raw + 1 < width && same(i + raw, i + raw + 1)))
            ++raw;
        out.push_back(static_cast<std::uint8_t>(raw - 1));
        for (int k = 0; k < raw; ++k)
            PutTgaPixel(out, row + (i + k) * 4);
        i += raw;
    }
}

// Encodes a picture as a 32-bit TGA, bottom row first, uncompressed or run-length encoded.
std::vector<std::uint8_t> EncodeTga(const Picture& p, bool runLength) {
    std::vector<std::uint8_t> out;
    out.push_back(0); // no image ID
    out.push_back(0); // no colour map
    out.push_back(runLength ? kTgaRunLength : kTgaUncompressed);
    for (int k = 0; k < 5; ++k)
        out.push_back(0); // colour-map fields
    Put16(out, 0);        // x origin
    Put16(out, 0);        // y origin
    Put16(out, static_cast<u32>(p.width));
    Put16(out, static_cast<u32>(p.height));
    out.push_back(kTgaBitsPerPixel);
    out.push_back(kTgaDescriptor);
    for (int y = 0; y < p.height; ++y) {
        const std::uint8_t* row = &p.rgba[static_cast<std::size_t>(y) * p.width * 4];
        if (runLength) {
            PutTgaRunLengthRow(out, row, p.width);
        } else {
            for (int x = 0; x < p.width; ++x)
                PutTgaPixel(out, row + x * 4);
        }
    }
    return out;
}

// Writes bytes to folder/name; false when the file cannot be written.
bool WriteFile(const std::filesystem::path& folder, const char* name,
               const std::vector<std::uint8_t>& bytes) {
    std::ofstream f(folder / name, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
    f.close();
    if (!f) {
        std::fprintf(stderr, "make_assets: cannot write %s\n", (folder / name).string().c_str());
        return false;
    }
    return true;
}

} // namespace

// Draws the five images and writes them into the folder given as the only argument.
int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_assets <output folder>\n");
        return 2;
    }
    std::filesystem::path folder(argv[1]);
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (!std::filesystem::is_directory(folder)) {
        std::fprintf(stderr, "make_assets: %s is not a folder\n", argv[1]);
        return 1;
    }
    bool ok = true;
    ok &= WriteFile(folder, "Floor05.bmp",
                    EncodeBmp(PaintOpaque(kGroundSize, kGroundSize, GroundPixel)));
    ok &= WriteFile(folder, "corteccia02.bmp",
                    EncodeBmp(PaintOpaque(kBarkSize, kBarkSize, BarkPixel)));
    ok &=
        WriteFile(folder, "rosso.bmp", EncodeBmp(PaintOpaque(kFruitSize, kFruitSize, FruitPixel)));
    ok &= WriteFile(folder, "acacia.tga", EncodeTga(DrawLeaf(), true));
    ok &= WriteFile(folder, "giglio.tga", EncodeTga(DrawLily(), false));
    return ok ? 0 : 1;
}
