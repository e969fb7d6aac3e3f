// TGA texture slots on real files and real GL: uploads, mip-maps, refusals and slot numbers.
#include "EglContext.h"
#include "ImageFiles.h"
#include "MessageBoxes.h"
#include "Vistral.h"
#include "Win32.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

namespace {

using texturetest::Bytes;
using texturetest::Join;
using texturetest::Repeat;
using texturetest::TempFolder;
using texturetest::TgaHeader;

constexpr std::uint8_t TYPE_RAW = 2;
constexpr std::uint8_t TYPE_RLE = 10;

GLint Integer(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

// How many of the names 1 to 1000 are texture objects of the context.
int LiveTextures() {
    int live = 0;
    for (GLuint name = 1; name <= 1000; ++name)
        live += glIsTexture(name) == GL_TRUE;
    return live;
}

// ---- Slot numbers (no GL: the check comes before any GL call) -----------------------------

using TgaSlotsDeathTest = ::testing::Test;

TEST_F(TgaSlotsDeathTest, NumbersOutside0To200StopWithARangeError) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    TempFolder folder;
    const std::string existing =
        folder.Write("a.tga", Join(TgaHeader(TYPE_RAW, 1, 1, 24), {1, 2, 3}));
    EXPECT_DEATH(TextureTGASelectID(201), "range error");
    EXPECT_DEATH(TextureTGASelectID(-1), "range error");
    EXPECT_DEATH(TextureLoadTGAID(existing.c_str(), 201), "range error");
    EXPECT_DEATH(TextureLoadTGAID(existing.c_str(), -1), "range error");
}

TEST(TgaSlots, MissingFileWithABadNumberPassesSilently) {
    // The existence test comes first.
    texturetest::MessageBoxCapture boxes;
    boxes.Start();
    TextureLoadTGAID("/nonexistent/folder/missing.tga", 201);
    TextureLoadTGAID(nullptr, -1);
    EXPECT_TRUE(boxes.Stop().empty());
}

// ---- Loading into slots (real GL) ----------------------------------------------------------

class TgaTextures : public testsupport::GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        GL_Min_Filter = GL_LINEAR;
        GL_Mag_Filter = GL_LINEAR;
        for (long long i = TextureTGA2.Low; i <= TextureTGA2.High; ++i)
            TextureTGA2[i] = TGATexture{};
    }
    void TearDown() override {
        EXPECT_EQ(OpenFileCount(), 0u);
        EXPECT_EQ(vistral::TGABlocksInUse(), 0u) << "pixel memory released after the upload";
        GL_Min_Filter = GL_LINEAR;
        GlTest::TearDown();
    }
    // Loads File into Slot.
    void Load(const Bytes& file, int slot) {
        TextureLoadTGAID(Folder.Write("image.tga", file).c_str(), slot);
    }
    TempFolder Folder;
    texturetest::MessageBoxCapture Boxes;
};

TEST_F(TgaTextures, NeverLoadedSlotBindsTheDefaultTexture) {
    GLuint other = 0;
    glGenTextures(1, &other);
    glBindTexture(GL_TEXTURE_2D, other);
    TextureTGASelectID(3);
    EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), 0);
}

TEST_F(TgaTextures, ThirtyTwoBitImageBecomesRgbaWithTheFilesAlpha) {
    // File pixels: blue, green, red, alpha.
    const Bytes pixels = {1, 2, 3, 0, 4, 5, 6, 64, 7, 8, 9, 128, 10, 11, 12, 255};
    Load(Join(TgaHeader(TYPE_RAW, 2, 2, 32), pixels), 0);
    const TGATexture& slot = TextureTGA2[0];
    ASSERT_NE(slot.TexID, 0u);
    EXPECT_EQ(slot.ImageData, nullptr);
    EXPECT_EQ(slot.Width, 2u);
    EXPECT_EQ(slot.Height, 2u);
    EXPECT_EQ(slot.Bpp, 32u);
    EXPECT_EQ(slot.Typ, static_cast<std::uint32_t>(GL_RGBA));
    EXPECT_EQ(glIsEnabled(GL_TEXTURE_2D), GL_TRUE);
    EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(slot.TexID));
    EXPECT_EQ(testsupport::ReadTexImageRGBA(),
              (Bytes{3, 2, 1, 0, 6, 5, 4, 64, 9, 8, 7, 128, 12, 11, 10, 255}));
    GLint internal = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &internal);
    EXPECT_EQ(internal, 4) << "internal format is the component count";
}

TEST_F(TgaTextures, ParametersFollowTheFilterSettings) {
    GL_Mag_Filter = GL_NEAREST;
    Load(Join(TgaHeader(TYPE_RLE, 4, 4, 24), {0x8F, 1, 2, 3}), 1);
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &value);
    EXPECT_EQ(value, GL_LINEAR);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &value);
    EXPECT_EQ(value, GL_NEAREST);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &value);
    EXPECT_EQ(value, GL_REPEAT);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &value);
    EXPECT_EQ(value, GL_REPEAT);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &value);
    EXPECT_EQ(value, 0) << "no mip-maps with GL_LINEAR";
}

TEST_F(TgaTextures, TwentyFourBitRowsNotMultipleOf4BytesUploadRight) {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    // 3 pixels of 3 bytes per row: 9 bytes, rows back to back in the reader's memory.
    const Bytes pixels = {10, 20, 30, 11, 21, 31, 12, 22, 32, 40, 50, 60, 41, 51, 61, 42, 52, 62};
    Load(Join(TgaHeader(TYPE_RAW, 3, 2, 24), pixels), 2);
    EXPECT_EQ(testsupport::ReadTexImageRGBA(),
              (Bytes{30, 20, 10, 255, 31, 21, 11, 255, 32, 22, 12, 255,
                     60, 50, 40, 255, 61, 51, 41, 255, 62, 52, 42, 255}));
    EXPECT_EQ(Integer(GL_UNPACK_ALIGNMENT), 4) << "the alignment in force before is restored";
}

TEST_F(TgaTextures, MipmapChainOf32BitImageMatchesThePictureAtEveryLevel) {
    GL_Min_Filter = GL_LINEAR_MIPMAP_NEAREST;
    // 8 by 4, two colours in vertical halves, so every level keeps colours from the picture.
    Bytes pixels;
    for (int row = 0; row < 4; ++row)
        pixels = Join(pixels, Join(Repeat({200, 100, 50, 255}, 4), Repeat({0, 0, 255, 128}, 4)));
    Load(Join(TgaHeader(TYPE_RAW, 8, 4, 32), pixels), 3);
    const Bytes left = {50, 100, 200, 255};
    const Bytes right = {255, 0, 0, 128};
    EXPECT_EQ(testsupport::ReadTexImageRGBA(0), Repeat(Join(Repeat(left, 4), Repeat(right, 4)), 4));
    EXPECT_EQ(testsupport::ReadTexImageRGBA(1), Repeat(Join(Repeat(left, 2), Repeat(right, 2)), 2));
    EXPECT_EQ(testsupport::ReadTexImageRGBA(2), Join(left, right));
    const Bytes last = testsupport::ReadTexImageRGBA(3); // 1 by 1: the average of both halves
    ASSERT_EQ(last.size(), 4u);
    EXPECT_NEAR(last[0], (50 + 255) / 2, 1);
    EXPECT_NEAR(last[2], (200 + 0) / 2, 1);
    EXPECT_NEAR(last[3], (255 + 128) / 2, 1);
}

TEST_F(TgaTextures, MissingFileIsSilentAndMakesNoTexture) {
    const int live = LiveTextures();
    Boxes.Start();
    TextureLoadTGAID(Folder.Path("missing.tga").c_str(), 4);
    TextureLoadTGAID(Folder.Path("").c_str(), 4); // a folder is no file either
    EXPECT_TRUE(Boxes.Stop().empty());
    EXPECT_EQ(TextureTGA2[4].TexID, 0u);
    EXPECT_EQ(LiveTextures(), live);
}

TEST_F(TgaTextures, RefusedFileShowsOneBoxAndKeepsTheSlotsTexture) {
    Load(Join(TgaHeader(TYPE_RAW, 1, 1, 24), {1, 2, 3}), 5);
    const std::uint32_t earlier = TextureTGA2[5].TexID;
    ASSERT_NE(earlier, 0u);
    const int live = LiveTextures();
    Boxes.Start();
    Load(Join(TgaHeader(TYPE_RAW, 1, 1, 16), {1, 2}), 5);
    EXPECT_EQ(Boxes.Stop(), (std::vector<std::string>{"ERROR: Invalid texture information"}));
    EXPECT_EQ(TextureTGA2[5].TexID, earlier);
    EXPECT_EQ(TextureTGA2[5].ImageData, nullptr);
    EXPECT_EQ(LiveTextures(), live) << "no texture object made";
    TextureTGASelectID(5);
    EXPECT_EQ(testsupport::ReadTexImageRGBA(), (Bytes{3, 2, 1, 255}))
        << "the earlier texture is intact";
}

TEST_F(TgaTextures, RefusedFileInANeverLoadedSlotKeepsName0) {
    Boxes.Start();
    Load(Join(TgaHeader(1, 1, 1, 8), {1}), 6);
    EXPECT_EQ(Boxes.Stop(),
              (std::vector<std::string>{"Invalid Image: TGA file be type 2 or type 10"}));
    EXPECT_EQ(TextureTGA2[6].TexID, 0u);
    TextureTGASelectID(6);
    EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), 0);
}

TEST_F(TgaTextures, Slot200IsValidAndSelectBindsItsName) {
    Load(Join(TgaHeader(TYPE_RAW, 1, 1, 24), {1, 2, 3}), 200);
    ASSERT_NE(TextureTGA2[200].TexID, 0u);
    glBindTexture(GL_TEXTURE_2D, 0);
    glDisable(GL_TEXTURE_2D);
    TextureTGASelectID(200);
    EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(TextureTGA2[200].TexID));
    EXPECT_EQ(glIsEnabled(GL_TEXTURE_2D), GL_FALSE) << "selecting never enables texturing";
}

TEST_F(TgaTextures, ReloadingASlotKeepsOneTextureObject) {
    Load(Join(TgaHeader(TYPE_RAW, 1, 1, 24), {1, 2, 3}), 7);
    const int live = LiveTextures();
    for (int i = 0; i < 20; ++i)
        Load(Join(TgaHeader(TYPE_RAW, 1, 1, 24), {1, 2, 3}), 7);
    Load(Join(TgaHeader(TYPE_RAW, 1, 1, 24), {9, 8, 7}), 7);
    EXPECT_EQ(LiveTextures(), live);
    EXPECT_EQ(testsupport::ReadTexImageRGBA(), (Bytes{7, 8, 9, 255}));
}

TEST_F(TgaTextures, BmpAndTgaSlotsDoNotShareNames) {
    TempFolder folder;
    TextureLoadID(folder.Write("a.bmp", texturetest::BmpFile(1, 1, 24, {1, 2, 3})).c_str(), 0);
    Load(Join(TgaHeader(TYPE_RAW, 1, 1, 24), {1, 2, 3}), 0);
    EXPECT_NE(TextureID2[0], TextureTGA2[0].TexID);
    EXPECT_EQ(glIsTexture(TextureID2[0]), GL_TRUE);
    EXPECT_EQ(glIsTexture(TextureTGA2[0].TexID), GL_TRUE);
}

} // namespace
