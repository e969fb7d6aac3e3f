// LoadTGA on real files: each failure shows one message box with its text and caption,
// closes the file and keeps no memory; successful reads match the in-memory decoder.
#include "ImageFiles.h"
#include "MessageBoxes.h"
#include "Vistral.h"
#include "Win32.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cstdlib>
#include <filesystem>

namespace {

using texturetest::Bytes;
using texturetest::Join;
using texturetest::Repeat;
using texturetest::TempFolder;
using texturetest::TgaHeader;

constexpr std::uint8_t TYPE_RAW = 2;
constexpr std::uint8_t TYPE_RLE = 10;

int AllocationsAllowed = -1; // -1: no limit

// Grants AllocationsAllowed requests, then reports no memory.
void* RationedAllocate(std::size_t bytes) {
    if (AllocationsAllowed == 0) return nullptr;
    if (AllocationsAllowed > 0) --AllocationsAllowed;
    return std::malloc(bytes);
}

class TgaLoad : public ::testing::Test {
  protected:
    void SetUp() override {
        AllocationsAllowed = -1;
        SavedAllocate = vistral::TGAAllocate;
        vistral::TGAAllocate = RationedAllocate;
        Texture.TexID = TEXTURE_NAME;
    }
    void TearDown() override {
        vistral::ReleaseTGAImage(Texture);
        vistral::TGAAllocate = SavedAllocate;
        EXPECT_EQ(OpenFileCount(), 0u);
        EXPECT_EQ(FTGA, INVALID_HANDLE_VALUE);
        EXPECT_EQ(vistral::TGABlocksInUse(), 0u);
        EXPECT_EQ(Texture.TexID, TEXTURE_NAME) << "the reader never touches TexID";
    }
    static constexpr std::uint32_t TEXTURE_NAME = 77;
    texturetest::MessageBoxCapture Boxes;
    TempFolder Folder;
    TGATexture Texture{};
    void* (*SavedAllocate)(std::size_t) = nullptr;
};

// ---- The twelve failures ----------------------------------------------------------------

struct FailureRow {
    const char* Name;
    Bytes File;
    bool Missing;    // no file at all
    int Allocations; // memory the reader may have (-1: no limit)
    const char* Caption;
    const char* Text;
};

// Names the case in test reports.
void PrintTo(const FailureRow& c, std::ostream* out) {
    *out << c.Name;
}

class TgaLoadRefused : public TgaLoad, public ::testing::WithParamInterface<FailureRow> {};

TEST_P(TgaLoadRefused, ShowsOneBoxClosesTheFileAndKeepsNoMemory) {
    const FailureRow& row = GetParam();
    const std::string path =
        row.Missing ? Folder.Path("missing.tga") : Folder.Write("refused.tga", row.File);
    AllocationsAllowed = row.Allocations;
    Boxes.Start();
    EXPECT_FALSE(LoadTGA(Texture, path.c_str()));
    EXPECT_EQ(Boxes.Stop(), (std::vector<std::string>{std::string(row.Caption) + ": " + row.Text}));
    EXPECT_EQ(Texture.ImageData, nullptr);
}

const Bytes RLE_2X1 = TgaHeader(TYPE_RLE, 2, 1, 24);

INSTANTIATE_TEST_SUITE_P(
    Rows, TgaLoadRefused,
    ::testing::Values(
        FailureRow{"CannotOpen", {}, true, -1, "ERROR", "Could not open texture file"},
        FailureRow{
            "ShortFileHeader", {0, 0, 2, 0, 0}, false, -1, "ERROR", "Could not read file header"},
        FailureRow{"WrongType", Join(TgaHeader(3, 1, 1, 8), {9}), false, -1, "Invalid Image",
                   "TGA file be type 2 or type 10"},
        FailureRow{"ShortInfoHeader", Bytes{0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0}, false, -1,
                   "ERROR", "Could not read info header"},
        FailureRow{"SixteenBit", Join(TgaHeader(TYPE_RAW, 1, 1, 16), {1, 2}), false, -1, "ERROR",
                   "Invalid texture information"},
        FailureRow{"NoMemoryForImage", Join(TgaHeader(TYPE_RAW, 1, 1, 24), {1, 2, 3}), false, 0,
                   "ERROR", "Could not allocate memory for image"},
        FailureRow{"SizeBeyond32Bits", Join(TgaHeader(TYPE_RAW, 65535, 65535, 32), {1, 2, 3, 4}),
                   false, -1, "ERROR", "Could not allocate memory for image"},
        FailureRow{"EighteenBytesOnly", TgaHeader(TYPE_RAW, 1, 1, 24), false, -1, "ERROR",
                   "Could not read image data"},
        FailureRow{"NoMemoryForColourBuffer", Join(RLE_2X1, {0x81, 1, 2, 3}), false, 1, "ERROR",
                   "Could not allocate memory for color buffer"},
        FailureRow{"RleHeaderMissing", Join(RLE_2X1, {0x80, 1, 2, 3}), false, -1, "ERROR",
                   "Could not read RLE header"},
        FailureRow{"RawPixelCut", Join(RLE_2X1, {0x01, 1, 2, 3, 4}), false, -1, "ERROR",
                   "Could not read image data"},
        FailureRow{"RunColourCut", Join(RLE_2X1, {0x81, 1}), false, -1, "ERROR",
                   "Could not read from file"},
        FailureRow{"TooManyPixels", Join(RLE_2X1, {0x80, 1, 2, 3, 0x81, 4, 5, 6}), false, -1,
                   "ERROR", "Too many pixels read"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(TgaLoad, FolderCannotBeOpened) {
    Boxes.Start();
    EXPECT_FALSE(LoadTGA(Texture, Folder.Path("").c_str()));
    EXPECT_EQ(Boxes.Stop(), (std::vector<std::string>{"ERROR: Could not open texture file"}));
}

TEST_F(TgaLoad, NullNameCannotBeOpened) {
    Boxes.Start();
    EXPECT_FALSE(LoadTGA(Texture, nullptr));
    EXPECT_EQ(Boxes.Stop(), (std::vector<std::string>{"ERROR: Could not open texture file"}));
}

// ---- Successful reads ---------------------------------------------------------------------

struct GoodFile {
    const char* Name;
    Bytes File;
};

// Names the case in test reports.
void PrintTo(const GoodFile& c, std::ostream* out) {
    *out << c.Name;
}

class TgaLoadRead : public TgaLoad, public ::testing::WithParamInterface<GoodFile> {};

TEST_P(TgaLoadRead, MatchesTheDecoderWithoutAnyBox) {
    TGATexture decoded{};
    ASSERT_EQ(vistral::DecodeTGA(GetParam().File.data(), GetParam().File.size(), decoded),
              vistral::TGAFailure::None);
    const std::size_t size = std::size_t{decoded.Width} * decoded.Height * decoded.Bpp / 8;
    const std::string path = Folder.Write("good.tga", GetParam().File);
    Boxes.Start();
    ASSERT_TRUE(LoadTGA(Texture, path.c_str()));
    EXPECT_TRUE(Boxes.Stop().empty());
    EXPECT_EQ(Texture.Width, decoded.Width);
    EXPECT_EQ(Texture.Height, decoded.Height);
    EXPECT_EQ(Texture.Bpp, decoded.Bpp);
    EXPECT_EQ(Texture.Typ, decoded.Typ);
    EXPECT_EQ(Bytes(Texture.ImageData, Texture.ImageData + size),
              Bytes(decoded.ImageData, decoded.ImageData + size));
    vistral::ReleaseTGAImage(decoded);
}

INSTANTIATE_TEST_SUITE_P(
    Files, TgaLoadRead,
    ::testing::Values(
        GoodFile{"Uncompressed24",
                 Join(TgaHeader(TYPE_RAW, 2, 2, 24), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})},
        GoodFile{"Uncompressed32WithFooter",
                 Join(Join(TgaHeader(TYPE_RAW, 128, 64, 32), Repeat({1, 2, 3, 4}, 128 * 64)),
                      Bytes(26, 0xEE))},
        GoodFile{"CompressedMixed",
                 Join(TgaHeader(TYPE_RLE, 5, 3, 32),
                      Join(Join({0x02}, Repeat({1, 2, 3, 4}, 3)), {0x8B, 9, 8, 7, 6}))},
        GoodFile{"CompressedRuns", Join(TgaHeader(TYPE_RLE, 300, 2, 24),
                                        Join({0xFF, 1, 2, 3, 0xFF, 4, 5, 6, 0xFF, 7, 8, 9},
                                             Join({0xFF, 1, 1, 1}, {0xD7, 2, 2, 2})))}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(TgaLoad, NameIsCutAfter255Characters) {
    // A name whose first 255 characters denote the file; what follows them is not used.
    const std::string folder = Folder.Path("");
    ASSERT_LT(folder.size(), 200u);
    const std::string fileName(255 - folder.size(), 'n');
    const std::string path = Folder.Write(fileName, Join(TgaHeader(TYPE_RAW, 1, 1, 24), {1, 2, 3}));
    ASSERT_EQ(path.size(), 255u);
    Boxes.Start();
    EXPECT_TRUE(LoadTGA(Texture, (path + "/not/used.tga").c_str()));
    EXPECT_TRUE(Boxes.Stop().empty());
}

} // namespace
