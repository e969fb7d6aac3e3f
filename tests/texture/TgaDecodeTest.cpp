// The TGA decoder on bytes in memory: pixel order, packets, the failure kinds, sizes and
// memory. No file, no message box, no GL.
#include "ImageFiles.h"
#include "Vistral.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cstdlib>
#include <cstring>
#include <map>
#include <random>

namespace {

using texturetest::Bytes;
using texturetest::Join;
using texturetest::Repeat;
using texturetest::TgaHeader;
using vistral::TGAFailure;

constexpr std::uint8_t TYPE_RAW = 2;
constexpr std::uint8_t TYPE_RLE = 10;
constexpr std::uint8_t TOP_LEFT_ORIGIN = 0x20;
constexpr std::uint32_t GL_RGB_FORMAT = 0x1907;
constexpr std::uint32_t GL_RGBA_FORMAT = 0x1908;

// ---- Allocators the tests put in place of the reader's -------------------------------------

constexpr std::size_t GUARD_SIZE = 64;
constexpr std::uint8_t GUARD_BYTE = 0xA5;
std::map<void*, std::size_t> GuardedBlocks;
int GuardsBroken = 0;

// A block followed by guard bytes that must still be intact when it is released.
void* GuardedAllocate(std::size_t bytes) {
    auto* block = static_cast<std::uint8_t*>(std::malloc(bytes + GUARD_SIZE));
    std::memset(block + bytes, GUARD_BYTE, GUARD_SIZE);
    GuardedBlocks[block] = bytes;
    return block;
}

// Checks the guard behind a block, then frees it.
void GuardedRelease(void* block) {
    const auto found = GuardedBlocks.find(block);
    ASSERT_NE(found, GuardedBlocks.end()) << "released a block the reader did not allocate";
    const auto* bytes = static_cast<std::uint8_t*>(block);
    for (std::size_t i = 0; i < GUARD_SIZE; ++i)
        if (bytes[found->second + i] != GUARD_BYTE) ++GuardsBroken;
    GuardedBlocks.erase(found);
    std::free(block);
}

// Frees a block of RationedAllocate.
void PlainRelease(void* block) {
    std::free(block);
}

int AllocationsAllowed = 0;
std::vector<std::size_t> Requests;

// Grants the first AllocationsAllowed requests, then reports no memory; records every size.
void* RationedAllocate(std::size_t bytes) {
    Requests.push_back(bytes);
    if (AllocationsAllowed == 0) return nullptr;
    --AllocationsAllowed;
    return std::malloc(bytes);
}

// Every test runs with guarded blocks and must leave none allocated.
class TgaDecode : public ::testing::Test {
  protected:
    void SetUp() override {
        GuardsBroken = 0;
        Requests.clear();
        SavedAllocate = vistral::TGAAllocate;
        SavedRelease = vistral::TGARelease;
        vistral::TGAAllocate = GuardedAllocate;
        vistral::TGARelease = GuardedRelease;
    }
    void TearDown() override {
        vistral::ReleaseTGAImage(Texture);
        EXPECT_EQ(GuardsBroken, 0) << "bytes written after a block";
        EXPECT_EQ(vistral::TGABlocksInUse(), 0u);
        EXPECT_TRUE(GuardedBlocks.empty());
        vistral::TGAAllocate = SavedAllocate;
        vistral::TGARelease = SavedRelease;
    }
    TGAFailure Decode(const Bytes& file) {
        return vistral::DecodeTGA(file.data(), file.size(), Texture);
    }
    Bytes Pixels() const {
        const std::size_t size = std::size_t{Texture.Width} * Texture.Height * (Texture.Bpp / 8);
        return Bytes(Texture.ImageData, Texture.ImageData + size);
    }
    TGATexture Texture{};
    void* (*SavedAllocate)(std::size_t) = nullptr;
    void (*SavedRelease)(void*) = nullptr;
};

// ---- Successful reads -------------------------------------------------------------------

TEST_F(TgaDecode, UncompressedTwoByTwoComesOutRedFirst) {
    const Bytes pixels = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C};
    ASSERT_EQ(Decode(Join(TgaHeader(TYPE_RAW, 2, 2, 24), pixels)), TGAFailure::None);
    EXPECT_EQ(Pixels(),
              (Bytes{0x03, 0x02, 0x01, 0x06, 0x05, 0x04, 0x09, 0x08, 0x07, 0x0C, 0x0B, 0x0A}));
    EXPECT_EQ(Texture.Typ, GL_RGB_FORMAT);
    EXPECT_EQ(TGA.ImageSize, 12u);
    EXPECT_EQ(std::memcmp(TGAHeader.Header, UTGACompare.Header, 12), 0);
}

TEST_F(TgaDecode, CompressedThreeByOneRunGivesThreePixels) {
    ASSERT_EQ(Decode(Join(TgaHeader(TYPE_RLE, 3, 1, 24), {0x82, 0x10, 0x20, 0x30})),
              TGAFailure::None);
    EXPECT_EQ(Pixels(), Repeat({0x30, 0x20, 0x10}, 3));
    EXPECT_EQ(std::memcmp(TGAHeader.Header, CTGACompare.Header, 12), 0);
}

// Each packet header alone fills an image exactly as wide as the pixels it stands for.
struct PacketCase {
    const char* Name;
    std::uint8_t Header;
    std::uint16_t Pixels;
    bool Raw;
};

// Names the case in test reports.
void PrintTo(const PacketCase& c, std::ostream* out) {
    *out << c.Name;
}

class TgaPacket : public TgaDecode, public ::testing::WithParamInterface<PacketCase> {};

TEST_P(TgaPacket, HeaderByteGivesItsPixelCount) {
    const PacketCase& packet = GetParam();
    Bytes body = {packet.Header};
    Bytes expected;
    for (std::uint16_t i = 0; i < (packet.Raw ? packet.Pixels : 1); ++i) {
        const auto value = static_cast<std::uint8_t>(i);
        body.insert(body.end(), {value, 0x40, 0x80}); // blue, green, red
    }
    for (std::uint16_t i = 0; i < packet.Pixels; ++i) {
        const auto value = static_cast<std::uint8_t>(packet.Raw ? i : 0);
        expected.insert(expected.end(), {0x80, 0x40, value});
    }
    ASSERT_EQ(Decode(Join(TgaHeader(TYPE_RLE, packet.Pixels, 1, 24), body)), TGAFailure::None);
    EXPECT_EQ(Pixels(), expected);
}

INSTANTIATE_TEST_SUITE_P(Headers, TgaPacket,
                         ::testing::Values(PacketCase{"Raw00", 0x00, 1, true},
                                           PacketCase{"Raw7F", 0x7F, 128, true},
                                           PacketCase{"Run80", 0x80, 1, false},
                                           PacketCase{"RunFF", 0xFF, 128, false}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(TgaDecode, RunCrossesTheEndOfARow) {
    // 2 by 2: one raw pixel, a run of 2 spanning rows 0 and 1, one more run pixel.
    const Bytes body = {0x00, 1, 1, 1, 0x81, 2, 2, 2, 0x80, 3, 3, 3};
    ASSERT_EQ(Decode(Join(TgaHeader(TYPE_RLE, 2, 2, 24), body)), TGAFailure::None);
    EXPECT_EQ(Pixels(), (Bytes{1, 1, 1, 2, 2, 2, 2, 2, 2, 3, 3, 3}));
}

// Run-length encodes 32-bit pixels (file byte order), mixing raw and run packets.
Bytes EncodeRle32(const Bytes& pixels) {
    Bytes out;
    const std::size_t count = pixels.size() / 4;
    auto pixel = [&](std::size_t k) { return pixels.begin() + static_cast<std::ptrdiff_t>(k * 4); };
    auto same = [&](std::size_t a, std::size_t b) {
        return std::equal(pixel(a), pixel(a) + 4, pixel(b));
    };
    std::size_t i = 0;
    while (i < count) {
        std::size_t run = 1;
        while (i + run < count && run < 128 && same(i, i + run))
            ++run;
        if (run > 1) {
            out.push_back(static_cast<std::uint8_t>(127 + run));
            out.insert(out.end(), pixel(i), pixel(i) + 4);
            i += run;
            continue;
        }
        std::size_t raw = 1;
        while (i + raw < count && raw < 128 && !same(i + raw - 1, i + raw))
            ++raw;
        out.push_back(static_cast<std::uint8_t>(raw - 1));
        out.insert(out.end(), pixel(i), pixel(i + raw));
        i += raw;
    }
    return out;
}

TEST_F(TgaDecode, CompressedImageEqualsTheSameImageUncompressed) {
    // Odd sizes, so that packets of every length run across row ends.
    constexpr std::uint16_t width = 37;
    constexpr std::uint16_t height = 23;
    std::mt19937 random(7);
    const Bytes palette[] = {{1, 2, 3, 255}, {9, 8, 7, 0}, {200, 100, 50, 128}};
    Bytes pixels;
    while (pixels.size() < std::size_t{width} * height * 4) {
        const Bytes& colour = palette[random() % 3];
        const std::size_t repeat = random() % 2 ? 1 : random() % 300;
        for (std::size_t k = 0; k < repeat && pixels.size() < std::size_t{width} * height * 4; ++k)
            pixels.insert(pixels.end(), colour.begin(), colour.end());
    }
    ASSERT_EQ(Decode(Join(TgaHeader(TYPE_RAW, width, height, 32), pixels)), TGAFailure::None);
    const Bytes uncompressed = Pixels();
    vistral::ReleaseTGAImage(Texture);
    ASSERT_EQ(Decode(Join(TgaHeader(TYPE_RLE, width, height, 32), EncodeRle32(pixels))),
              TGAFailure::None);
    EXPECT_EQ(Pixels(), uncompressed);
    EXPECT_EQ(uncompressed[3], pixels[3]) << "alpha stays the 4th byte";
}

TEST_F(TgaDecode, BytesAfterThePixelsAreIgnored) {
    const Bytes footer = Join(Bytes(26, 0), {'T', 'R', 'U', 'E', 'V', 'I', 'S', 'I', 'O', 'N'});
    ASSERT_EQ(Decode(Join(Join(TgaHeader(TYPE_RAW, 1, 1, 24), {1, 2, 3}), footer)),
              TGAFailure::None);
    EXPECT_EQ(Pixels(), (Bytes{3, 2, 1}));
    vistral::ReleaseTGAImage(Texture);
    ASSERT_EQ(Decode(Join(Join(TgaHeader(TYPE_RLE, 1, 1, 24), {0x80, 1, 2, 3}), footer)),
              TGAFailure::None);
    EXPECT_EQ(Pixels(), (Bytes{3, 2, 1}));
}

TEST_F(TgaDecode, ThirtyTwoBitFieldsOfA128By64Image) {
    const Bytes pixels = Repeat({10, 20, 30, 40}, 128 * 64);
    ASSERT_EQ(Decode(Join(TgaHeader(TYPE_RAW, 128, 64, 32), pixels)), TGAFailure::None);
    EXPECT_EQ(Texture.Bpp, 32u);
    EXPECT_EQ(Texture.Width, 128u);
    EXPECT_EQ(Texture.Height, 64u);
    EXPECT_EQ(Texture.Typ, GL_RGBA_FORMAT);
    EXPECT_EQ(TGA.BytesPerPixel, 4u);
    EXPECT_EQ(TGA.ImageSize, 32768u);
    EXPECT_EQ(TGA.Width, 128u);
    EXPECT_EQ(TGA.Heigh, 64u);
    EXPECT_EQ(TGA.Bpp, 32u);
    EXPECT_EQ(Pixels(), Repeat({30, 20, 10, 40}, 128 * 64));
}

TEST_F(TgaDecode, TopLeftOriginComesOutUpsideDown) {
    // A picture 1 wide and 2 high: red on top, blue below. File pixels are blue, green, red.
    const Bytes red = {0, 0, 255};
    const Bytes blue = {255, 0, 0};
    ASSERT_EQ(Decode(Join(TgaHeader(TYPE_RAW, 1, 2, 24), Join(blue, red))), TGAFailure::None);
    const Bytes bottomUp = Pixels();
    vistral::ReleaseTGAImage(Texture);
    ASSERT_EQ(Decode(Join(TgaHeader(TYPE_RAW, 1, 2, 24, TOP_LEFT_ORIGIN), Join(red, blue))),
              TGAFailure::None);
    const Bytes topDown = Pixels();
    EXPECT_EQ(bottomUp, (Bytes{0, 0, 255, 255, 0, 0})) << "first row is the bottom one";
    EXPECT_EQ(topDown, (Bytes{255, 0, 0, 0, 0, 255})) << "rows stay in file order";
}

// ---- Failures ------------------------------------------------------------------------------

struct FailureCase {
    const char* Name;
    Bytes File;
    TGAFailure Expected;
};

// Names the case in test reports.
void PrintTo(const FailureCase& c, std::ostream* out) {
    *out << c.Name;
}

class TgaRefused : public TgaDecode, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(TgaRefused, GivesItsFailureAndKeepsNothing) {
    EXPECT_EQ(Decode(GetParam().File), GetParam().Expected);
    EXPECT_EQ(Texture.ImageData, nullptr);
    EXPECT_EQ(vistral::TGABlocksInUse(), 0u);
}

// The first Count bytes of File.
Bytes Prefix(const Bytes& file, std::size_t count) {
    return Bytes(file.begin(), file.begin() + count);
}

// A type 2 or type 10 header with one byte of its first 12 changed.
Bytes AlteredHeader(std::size_t at, std::uint8_t value) {
    Bytes file = Join(TgaHeader(TYPE_RAW, 1, 1, 24), {1, 2, 3});
    file[at] = value;
    return file;
}

const Bytes RLE_2X1 = TgaHeader(TYPE_RLE, 2, 1, 24);

INSTANTIATE_TEST_SUITE_P(
    Files, TgaRefused,
    ::testing::Values(
        FailureCase{"Empty", {}, TGAFailure::FileHeader},
        FailureCase{"ElevenBytes", Prefix(TgaHeader(TYPE_RAW, 1, 1, 24), 11),
                    TGAFailure::FileHeader},
        FailureCase{"ImageId", AlteredHeader(0, 4), TGAFailure::WrongType},
        FailureCase{"ColourMap", AlteredHeader(1, 1), TGAFailure::WrongType},
        FailureCase{"ColourMapLength", AlteredHeader(5, 16), TGAFailure::WrongType},
        FailureCase{"ColourMapEntrySize", AlteredHeader(7, 24), TGAFailure::WrongType},
        FailureCase{"OriginX", AlteredHeader(8, 1), TGAFailure::WrongType},
        FailureCase{"OriginY", AlteredHeader(11, 1), TGAFailure::WrongType},
        FailureCase{"Type1", AlteredHeader(2, 1), TGAFailure::WrongType},
        FailureCase{"Type3", AlteredHeader(2, 3), TGAFailure::WrongType},
        FailureCase{"Type9", AlteredHeader(2, 9), TGAFailure::WrongType},
        FailureCase{"Type11", AlteredHeader(2, 11), TGAFailure::WrongType},
        FailureCase{"InfoHeaderCut", Prefix(TgaHeader(TYPE_RAW, 1, 1, 24), 17),
                    TGAFailure::InfoHeader},
        FailureCase{"InfoHeaderMissing", Prefix(TgaHeader(TYPE_RLE, 1, 1, 24), 12),
                    TGAFailure::InfoHeader},
        FailureCase{"WidthZero", Join(TgaHeader(TYPE_RAW, 0, 1, 24), {1, 2, 3}),
                    TGAFailure::InvalidInformation},
        FailureCase{"HeightZero", Join(TgaHeader(TYPE_RLE, 1, 0, 24), {0x80, 1, 2, 3}),
                    TGAFailure::InvalidInformation},
        FailureCase{"SixteenBit", Join(TgaHeader(TYPE_RAW, 1, 1, 16), {1, 2}),
                    TGAFailure::InvalidInformation},
        FailureCase{"EightBit", Join(TgaHeader(TYPE_RAW, 1, 1, 8), {1}),
                    TGAFailure::InvalidInformation},
        FailureCase{"HeaderOnly", TgaHeader(TYPE_RAW, 1, 1, 24), TGAFailure::ImageData},
        FailureCase{"PixelsCut", Join(TgaHeader(TYPE_RAW, 2, 2, 32), Bytes(15, 7)),
                    TGAFailure::ImageData},
        FailureCase{"RleHeaderMissing", Join(RLE_2X1, {0x80, 1, 2, 3}), TGAFailure::RleHeader},
        FailureCase{"RawPixelCut", Join(RLE_2X1, {0x01, 1, 2, 3, 4, 5}), TGAFailure::RawPixel},
        FailureCase{"RunColourCut", Join(RLE_2X1, {0x81, 1, 2}), TGAFailure::RunColor},
        FailureCase{"RunTooLong", Join(RLE_2X1, {0x82, 1, 2, 3}), TGAFailure::TooManyPixels},
        FailureCase{"LastRunOneTooMany", Join(RLE_2X1, {0x80, 1, 2, 3, 0x81, 4, 5, 6}),
                    TGAFailure::TooManyPixels},
        FailureCase{"RawTooLong", Join(RLE_2X1, {0x02, 1, 2, 3, 4, 5, 6, 7, 8, 9}),
                    TGAFailure::TooManyPixels},
        // The surplus pixel of a raw packet is read before it is found surplus.
        FailureCase{"RawSurplusCut", Join(RLE_2X1, {0x02, 1, 2, 3, 4, 5, 6, 7}),
                    TGAFailure::RawPixel}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(TgaDecode, NullBytesReadAsAnEmptyFile) {
    EXPECT_EQ(vistral::DecodeTGA(nullptr, 100, Texture), TGAFailure::FileHeader);
}

TEST_F(TgaDecode, TooManyPixelsWritesNothingAfterTheImage) {
    // Guarded blocks: the guard behind the image is checked when the reader releases it.
    for (std::uint8_t header : {std::uint8_t{0x83}, std::uint8_t{0xFF}})
        EXPECT_EQ(Decode(Join(TgaHeader(TYPE_RLE, 3, 1, 32), {header, 1, 2, 3, 4})),
                  TGAFailure::TooManyPixels);
    EXPECT_EQ(GuardsBroken, 0);
}

// ---- Sizes and memory -------------------------------------------------------------------

class TgaMemory : public TgaDecode {
  protected:
    void SetUp() override {
        TgaDecode::SetUp();
        vistral::TGAAllocate = RationedAllocate;
        vistral::TGARelease = PlainRelease;
    }
};

TEST_F(TgaMemory, SizeBeyond32BitsIsRefusedWithoutAllocating) {
    AllocationsAllowed = 2;
    for (std::uint8_t depth : {std::uint8_t{24}, std::uint8_t{32}}) {
        EXPECT_EQ(Decode(Join(TgaHeader(TYPE_RAW, 65535, 65535, depth), {1, 2, 3, 4})),
                  TGAFailure::ImageMemory);
        EXPECT_EQ(Decode(Join(TgaHeader(TYPE_RLE, 65535, 65535, depth), {0xFF, 1, 2, 3, 4})),
                  TGAFailure::ImageMemory);
    }
    // 4 x 32768 x 32768 is exactly 2^32: one byte too many.
    EXPECT_EQ(Decode(Join(TgaHeader(TYPE_RAW, 32768, 32768, 32), {1, 2, 3, 4})),
              TGAFailure::ImageMemory);
    EXPECT_TRUE(Requests.empty());
    EXPECT_EQ(Texture.ImageData, nullptr);
}

TEST_F(TgaMemory, LargestSizeIsAskedForInFull) {
    // 4 x 65535 x 16384 = 2^32 - 2^16 fits in 32 bits: asked for in full, here refused.
    AllocationsAllowed = 0;
    EXPECT_EQ(Decode(Join(TgaHeader(TYPE_RAW, 65535, 16384, 32), {1, 2, 3, 4})),
              TGAFailure::ImageMemory);
    ASSERT_EQ(Requests.size(), 1u);
    EXPECT_EQ(Requests[0], 4294901760u);
}

TEST_F(TgaMemory, NoMemoryForTheColourBufferReleasesTheImage) {
    AllocationsAllowed = 1;
    EXPECT_EQ(Decode(Join(TgaHeader(TYPE_RLE, 2, 1, 32), {0x81, 1, 2, 3, 4})),
              TGAFailure::ColorBufferMemory);
    EXPECT_EQ(Requests, (std::vector<std::size_t>{8, 4}));
    EXPECT_EQ(Texture.ImageData, nullptr);
}

// ---- Texts and captions -------------------------------------------------------------------

TEST(TgaFailureMessages, EachFailureHasItsTextAndCaption) {
    struct Row {
        TGAFailure Failure;
        const char* Text;
        const char* Caption;
    };
    const Row rows[] = {
        {TGAFailure::CannotOpen, "Could not open texture file", "ERROR"},
        {TGAFailure::FileHeader, "Could not read file header", "ERROR"},
        {TGAFailure::WrongType, "TGA file be type 2 or type 10", "Invalid Image"},
        {TGAFailure::InfoHeader, "Could not read info header", "ERROR"},
        {TGAFailure::InvalidInformation, "Invalid texture information", "ERROR"},
        {TGAFailure::ImageMemory, "Could not allocate memory for image", "ERROR"},
        {TGAFailure::ImageData, "Could not read image data", "ERROR"},
        {TGAFailure::ColorBufferMemory, "Could not allocate memory for color buffer", "ERROR"},
        {TGAFailure::RleHeader, "Could not read RLE header", "ERROR"},
        {TGAFailure::RawPixel, "Could not read image data", "ERROR"},
        {TGAFailure::RunColor, "Could not read from file", "ERROR"},
        {TGAFailure::TooManyPixels, "Too many pixels read", "ERROR"},
    };
    for (const Row& row : rows) {
        EXPECT_STREQ(vistral::TGAFailureText(row.Failure), row.Text);
        EXPECT_STREQ(vistral::TGAFailureCaption(row.Failure), row.Caption) << row.Text;
    }
}

} // namespace
