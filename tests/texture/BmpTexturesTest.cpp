// BMP textures on real files and real GL: the depth probe, the blue/red exchange, the
// uploaded texels, mip-maps, the slot table and the state a load leaves behind.
#include "EglContext.h"
#include "ImageFiles.h"
#include "MessageBoxes.h"
#include "Vistral.h"
#include "Win32.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <ostream>

namespace {

using texturetest::BmpFile;
using texturetest::Bytes;
using texturetest::Join;
using texturetest::Repeat;
using texturetest::TempFolder;

// An OS/2 BMP: 14-byte file header, 12-byte core header, 24-bit pixels.
Bytes CoreHeaderBmp() {
    Bytes file = {'B', 'M', 26 + 4, 0, 0, 0, 0, 0, 0, 0, 26, 0, 0, 0};
    return Join(file, {12, 0, 0, 0, 1, 0, 1, 0, 1, 0, 24, 0, 1, 2, 3, 0});
}

// The two headers of a 24-bit 4 by 4 BMP, without its pixels.
Bytes HeadersOnlyBmp() {
    const Bytes whole = BmpFile(4, 4, 24, Bytes(48, 0x40));
    return Bytes(whole.begin(), whole.begin() + 54);
}

// Width of a level of the bound texture; 0 when the level has no image.
GLint LevelWidth(int level) {
    GLint width = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &width);
    return width;
}

// How many of the names 1 to 1000 are texture objects of the context.
int LiveTextures() {
    int live = 0;
    for (GLuint name = 1; name <= 1000; ++name)
        live += glIsTexture(name) == GL_TRUE;
    return live;
}

GLint Integer(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

GLint TexParameter(GLenum name) {
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    return value;
}

// ---- The depth probe (no GL) --------------------------------------------------------------

TEST(GetBMPDepth, ReadsTheBitCountOrGivesZero) {
    TempFolder folder;
    struct Case {
        const char* Name;
        Bytes File;
        std::int32_t Depth;
    };
    const Bytes bmp24 = BmpFile(2, 2, 24, Bytes(12, 0x40));
    Bytes notBm = bmp24;
    notBm[0] = 'M';
    notBm[1] = 'B';
    const Case cases[] = {
        {"24.bmp", bmp24, 24},
        {"32.bmp", BmpFile(2, 2, 32, Bytes(16, 0x40)), 32},
        {"8.bmp", BmpFile(4, 1, 8, Bytes(4, 9)), 8},
        {"notbm.bmp", notBm, 0},
        {"os2.bmp", CoreHeaderBmp(), 0},
        {"headers-only.bmp", Bytes(bmp24.begin(), bmp24.begin() + 54), 24},
        {"short-info.bmp", Bytes(bmp24.begin(), bmp24.begin() + 53), 0},
        {"file-header-only.bmp", Bytes(bmp24.begin(), bmp24.begin() + 14), 0},
        {"one-byte.bmp", Bytes{'B'}, 0},
        {"empty.bmp", Bytes{}, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetBMPDepth(folder.Write(c.Name, c.File).c_str()), c.Depth) << c.Name;
        EXPECT_EQ(OpenFileCount(), 0u) << c.Name;
    }
    EXPECT_EQ(GetBMPDepth(folder.Path("").c_str()), 0) << "a folder";
    EXPECT_EQ(GetBMPDepth(folder.Path("missing.bmp").c_str()), 0);
    EXPECT_EQ(GetBMPDepth(nullptr), 0);
}

TEST(GetBMPDepth, OpensTheFirst255CharactersOfAName) {
    // Two images in one folder: one named by exactly 255 characters, and one whose longer
    // name begins with those. The probe tests the long name but reads the short one.
    TempFolder folder;
    const std::string prefix = folder.Path("");
    ASSERT_LT(prefix.size(), 200u);
    const std::string shortName(255 - prefix.size(), 'b');
    const std::string shortPath = folder.Write(shortName, BmpFile(2, 2, 32, Bytes(16, 0x40)));
    ASSERT_EQ(shortPath.size(), 255u);
    const std::string longPath =
        folder.Write(shortName + "-long.bmp", BmpFile(2, 2, 24, Bytes(12, 0x40)));
    EXPECT_EQ(GetBMPDepth(longPath.c_str()), 32);
    EXPECT_EQ(OpenFileCount(), 0u);
}

TEST(SwapRGB, ExchangesFirstAndThirdByteOfEachPixel) {
    Bytes data = {1, 2, 3, 4, 5, 6, 7};
    SwapRGB(data.data(), 2);
    EXPECT_EQ(data, (Bytes{3, 2, 1, 6, 5, 4, 7}));
    SwapRGB(data.data(), 0);
    SwapRGB(data.data(), -5);
    EXPECT_EQ(data, (Bytes{3, 2, 1, 6, 5, 4, 7})) << "a size of 0 or less does nothing";
}

// ---- Slot numbers (no GL: the check comes before any GL call) -----------------------------

using BmpSlotsDeathTest = ::testing::Test;

TEST_F(BmpSlotsDeathTest, NumbersOutside0To500StopWithARangeError) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(TextureSelectID(501), "range error");
    EXPECT_DEATH(TextureSelectID(-1), "range error");
    EXPECT_DEATH(TextureLoadID("missing.bmp", 501), "range error");
    EXPECT_DEATH(TextureLoadID("missing.bmp", -1), "range error");
}

// ---- Loading into slots (real GL) ----------------------------------------------------------

class BmpTextures : public testsupport::GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        GL_Min_Filter = GL_LINEAR;
        GL_Mag_Filter = GL_LINEAR;
        for (long long i = TextureID2.Low; i <= TextureID2.High; ++i)
            TextureID2[i] = 0;
        GdiObjectsBefore = GdiObjectCount();
    }
    void TearDown() override {
        EXPECT_EQ(OpenFileCount(), 0u);
        EXPECT_EQ(GdiObjectCount(), GdiObjectsBefore) << "the bitmap is released";
        GL_Min_Filter = GL_LINEAR;
        GlTest::TearDown();
    }
    // Loads File into Slot and leaves its texture bound.
    void Load(const Bytes& file, int slot) {
        TextureLoadID(Folder.Write("image.bmp", file).c_str(), slot);
    }
    TempFolder Folder;
    std::size_t GdiObjectsBefore = 0;
};

TEST_F(BmpTextures, NeverLoadedSlotBindsTheDefaultTexture) {
    GLuint other = 0;
    glGenTextures(1, &other);
    glBindTexture(GL_TEXTURE_2D, other);
    TextureSelectID(3);
    EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), 0);
}

TEST_F(BmpTextures, PureBlue24BitImageGivesBlueTexels) {
    Load(BmpFile(64, 64, 24, Repeat({0xFF, 0x00, 0x00}, 64 * 64)), 0);
    ASSERT_NE(TextureID2[0], 0u);
    EXPECT_EQ(LevelWidth(0), 64);
    EXPECT_EQ(testsupport::ReadTexImageRGBA(), Repeat({0, 0, 255, 255}, 64 * 64));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(BmpTextures, BitmapIsLoadedByTheWholeNameBeyond255Characters) {
    // Only the depth probe cuts the name; the bitmap comes from the file the whole name
    // denotes. Both images are 24-bit, so the probe's answer fits either.
    const std::string prefix = Folder.Path("");
    ASSERT_LT(prefix.size(), 200u);
    const std::string shortName(255 - prefix.size(), 'b');
    ASSERT_EQ(Folder.Write(shortName, BmpFile(4, 4, 24, Repeat({0x00, 0xFF, 0x00}, 16))).size(),
              255u);
    const std::string longPath =
        Folder.Write(shortName + "-long.bmp", BmpFile(4, 4, 24, Repeat({0xFF, 0x00, 0x00}, 16)));
    TextureLoadID(longPath.c_str(), 12);
    EXPECT_EQ(testsupport::ReadTexImageRGBA(), Repeat({0, 0, 255, 255}, 16))
        << "the long name's blue image, not the short name's green one";
}

TEST_F(BmpTextures, ProbeAndBitmapOfDifferentDepthsUploadNothing) {
    // The probe reads a 32-bit image by the first 255 characters, the bitmap loaded by the
    // whole name is 24-bit: uploading it as 32-bit would read past its pixels.
    const std::string prefix = Folder.Path("");
    ASSERT_LT(prefix.size(), 200u);
    const std::string shortName(255 - prefix.size(), 'b');
    Folder.Write(shortName, BmpFile(4, 4, 32, Bytes(64, 0x40)));
    const std::string longPath =
        Folder.Write(shortName + "-long.bmp", BmpFile(4, 4, 24, Bytes(48, 0x40)));
    ASSERT_EQ(GetBMPDepth(longPath.c_str()), 32);
    TextureLoadID(longPath.c_str(), 13);
    ASSERT_NE(TextureID2[13], 0u);
    EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(TextureID2[13]));
    EXPECT_EQ(LevelWidth(0), 0);
}

TEST_F(BmpTextures, TwentyFourBitRowsWithPaddingUploadRight) {
    // 3 pixels per row: 9 bytes, padded to 12 in the file and in the bitmap.
    const Bytes pixels = {10, 20, 30, 11, 21, 31, 12, 22, 32,  // bottom row
                          40, 50, 60, 41, 51, 61, 42, 52, 62}; // top row
    Load(BmpFile(3, 2, 24, pixels), 1);
    EXPECT_EQ(testsupport::ReadTexImageRGBA(),
              (Bytes{30, 20, 10, 255, 31, 21, 11, 255, 32, 22, 12, 255,
                     60, 50, 40, 255, 61, 51, 41, 255, 62, 52, 42, 255}));
}

TEST_F(BmpTextures, ThirtyTwoBitImageIsUploadedAsBgraWithItsAlpha) {
    const Bytes pixels = {1, 2, 3, 0, 4, 5, 6, 64, 7, 8, 9, 128, 10, 11, 12, 255};
    Load(BmpFile(2, 2, 32, pixels), 2);
    EXPECT_EQ(testsupport::ReadTexImageRGBA(),
              (Bytes{3, 2, 1, 0, 6, 5, 4, 64, 9, 8, 7, 128, 12, 11, 10, 255}));
    GLint internal = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &internal);
    EXPECT_EQ(internal, GL_RGBA);
}

// Images that are not uploaded: the slot still gets a texture object with its parameters.
struct ImagelessCase {
    const char* Name;
    Bytes File;
    bool Missing;
};

// Names the case in test reports.
void PrintTo(const ImagelessCase& c, std::ostream* out) {
    *out << c.Name;
}

class BmpImageless : public BmpTextures, public ::testing::WithParamInterface<ImagelessCase> {};

TEST_P(BmpImageless, SlotGetsATextureNameWithoutAnImageAndNoMessage) {
    texturetest::MessageBoxCapture boxes;
    boxes.Start();
    if (GetParam().Missing)
        TextureLoadID(Folder.Path("missing.bmp").c_str(), 4);
    else
        Load(GetParam().File, 4);
    EXPECT_TRUE(boxes.Stop().empty());
    ASSERT_NE(TextureID2[4], 0u);
    EXPECT_EQ(glIsTexture(TextureID2[4]), GL_TRUE);
    EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(TextureID2[4]));
    EXPECT_EQ(LevelWidth(0), 0);
    EXPECT_EQ(TexParameter(GL_TEXTURE_WRAP_S), GL_REPEAT);
    EXPECT_EQ(TexParameter(GL_TEXTURE_WRAP_T), GL_REPEAT);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BmpImageless,
    ::testing::Values(ImagelessCase{"EightBit", BmpFile(4, 4, 8, Bytes(16, 200)), false},
                      ImagelessCase{"NotBM", Join({'X', 'X'}, Bytes(80, 0)), false},
                      ImagelessCase{"CoreHeader", CoreHeaderBmp(), false},
                      // The probe says 24 bits, but there are no pixels to load.
                      ImagelessCase{"HeadersOnly", HeadersOnlyBmp(), false},
                      ImagelessCase{"Missing", {}, true}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(BmpTextures, FolderGivesAnImagelessTexture) {
    TextureLoadID(Folder.Path("").c_str(), 5);
    ASSERT_NE(TextureID2[5], 0u);
    EXPECT_EQ(LevelWidth(0), 0);
}

TEST_F(BmpTextures, MipmapFilterBuildsTheWholeChain) {
    GL_Min_Filter = GL_LINEAR_MIPMAP_LINEAR;
    GL_Mag_Filter = GL_NEAREST;
    Load(BmpFile(64, 64, 24, Repeat({0xFF, 0x00, 0x00}, 64 * 64)), 6);
    EXPECT_EQ(TexParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_LINEAR);
    EXPECT_EQ(TexParameter(GL_TEXTURE_MAG_FILTER), GL_NEAREST);
    for (int level = 0; level <= 6; ++level) {
        EXPECT_EQ(LevelWidth(level), 64 >> level) << level;
        EXPECT_EQ(testsupport::ReadTexImageRGBA(level),
                  Repeat({0, 0, 255, 255}, (64 >> level) * (64 >> level)));
    }
}

TEST_F(BmpTextures, MipmapFilterOn32BitImageKeepsItsColours) {
    GL_Min_Filter = GL_NEAREST_MIPMAP_NEAREST;
    Load(BmpFile(4, 4, 32, Repeat({10, 20, 30, 40}, 16)), 6);
    for (int level = 0; level <= 2; ++level)
        EXPECT_EQ(testsupport::ReadTexImageRGBA(level),
                  Repeat({30, 20, 10, 40}, (4 >> level) * (4 >> level)));
}

TEST_F(BmpTextures, LinearFilterDefinesLevelZeroOnly) {
    Load(BmpFile(64, 64, 24, Repeat({0xFF, 0x00, 0x00}, 64 * 64)), 7);
    EXPECT_EQ(TexParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    EXPECT_EQ(LevelWidth(0), 64);
    EXPECT_EQ(LevelWidth(1), 0);
}

TEST_F(BmpTextures, LoadLeavesTextureOnBoundAndUnpackStateSet) {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 7);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 2);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 3);
    glDisable(GL_TEXTURE_2D);
    Load(BmpFile(4, 4, 24, Bytes(48, 1)), 8);
    EXPECT_EQ(glIsEnabled(GL_TEXTURE_2D), GL_TRUE);
    EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(TextureID2[8]));
    EXPECT_EQ(Integer(GL_UNPACK_ALIGNMENT), 4);
    EXPECT_EQ(Integer(GL_UNPACK_ROW_LENGTH), 0);
    EXPECT_EQ(Integer(GL_UNPACK_SKIP_ROWS), 0);
    EXPECT_EQ(Integer(GL_UNPACK_SKIP_PIXELS), 0);
}

TEST_F(BmpTextures, Slot500IsValidAndSelectBindsItsName) {
    Load(BmpFile(4, 4, 24, Bytes(48, 1)), 500);
    ASSERT_NE(TextureID2[500], 0u);
    glBindTexture(GL_TEXTURE_2D, 0);
    glDisable(GL_TEXTURE_2D);
    TextureSelectID(500);
    EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(TextureID2[500]));
    EXPECT_EQ(glIsEnabled(GL_TEXTURE_2D), GL_FALSE) << "selecting never enables texturing";
}

TEST_F(BmpTextures, ReloadingASlotKeepsOneTextureObject) {
    Load(BmpFile(4, 4, 24, Bytes(48, 1)), 9);
    const int live = LiveTextures();
    for (int i = 0; i < 20; ++i)
        Load(BmpFile(4, 4, 24, Bytes(48, 1)), 9);
    Load(BmpFile(4, 4, 24, Repeat({0xFF, 0, 0}, 16)), 9);
    EXPECT_EQ(LiveTextures(), live) << "each reload deletes the slot's earlier object";
    EXPECT_EQ(glIsTexture(TextureID2[9]), GL_TRUE);
    EXPECT_EQ(testsupport::ReadTexImageRGBA(), Repeat({0, 0, 255, 255}, 16));
}

TEST_F(BmpTextures, NameHeldByAnotherSlotIsNotDeleted) {
    Load(BmpFile(4, 4, 24, Bytes(48, 1)), 10);
    TextureID2[11] = TextureID2[10];
    Load(BmpFile(4, 4, 24, Bytes(48, 2)), 10);
    EXPECT_NE(TextureID2[10], TextureID2[11]);
    EXPECT_EQ(glIsTexture(TextureID2[11]), GL_TRUE);
}

} // namespace
