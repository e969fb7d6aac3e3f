// The exact GL calls of the texture loaders and selectors, in order, through the recorder.
#include "GlRecorder.h"
#include "ImageFiles.h"
#include "MessageBoxes.h"
#include "Vistral.h"

#include <gtest/gtest.h>

namespace {

using texturetest::BmpFile;
using texturetest::Bytes;
using texturetest::Join;
using texturetest::TempFolder;
using texturetest::TgaHeader;
using Names = std::vector<std::string>;

constexpr double GL_BGRA_EXT_VALUE = 0x80E1;

// The calls every BMP load makes before its upload.
const Names BMP_SET_UP = {"glEnable",        "glGenTextures",   "glBindTexture",  "glPixelStorei",
                          "glPixelStorei",   "glPixelStorei",   "glPixelStorei",  "glTexParameteri",
                          "glTexParameteri", "glTexParameteri", "glTexParameteri"};

// Names followed by more names.
Names Then(Names first, const Names& more) {
    first.insert(first.end(), more.begin(), more.end());
    return first;
}

class TextureCalls : public ::testing::Test {
  protected:
    void SetUp() override {
        glrec::Reset();
        GL_Min_Filter = GL_LINEAR;
        GL_Mag_Filter = GL_LINEAR;
        for (long long i = TextureID2.Low; i <= TextureID2.High; ++i)
            TextureID2[i] = 0;
        for (long long i = TextureTGA2.Low; i <= TextureTGA2.High; ++i)
            TextureTGA2[i] = TGATexture{};
    }
    void TearDown() override { GL_Min_Filter = GL_LINEAR; }
    // The single call named Name; fails the test when there is not exactly one.
    static glrec::Call Only(const char* name) {
        const auto calls = glrec::CallsNamed(name);
        EXPECT_EQ(calls.size(), 1u) << name;
        return calls.empty() ? glrec::Call{} : calls.front();
    }
    TempFolder Folder;
};

TEST_F(TextureCalls, Bmp24BitLoadSetsUpThenUploadsRgb) {
    TextureLoadID(Folder.Write("a.bmp", BmpFile(4, 2, 24, Bytes(24, 1))).c_str(), 0);
    EXPECT_EQ(glrec::CallNames(), Then(BMP_SET_UP, {"glTexImage2D"}));
    EXPECT_EQ(Only("glEnable").Args, (std::vector<double>{GL_TEXTURE_2D}));
    EXPECT_EQ(Only("glBindTexture").Args,
              (std::vector<double>{GL_TEXTURE_2D, double(TextureID2[0])}));
    const auto unpack = glrec::CallsNamed("glPixelStorei");
    ASSERT_EQ(unpack.size(), 4u);
    EXPECT_EQ(unpack[0].Args, (std::vector<double>{GL_UNPACK_ALIGNMENT, 4}));
    EXPECT_EQ(unpack[1].Args, (std::vector<double>{GL_UNPACK_ROW_LENGTH, 0}));
    EXPECT_EQ(unpack[2].Args, (std::vector<double>{GL_UNPACK_SKIP_ROWS, 0}));
    EXPECT_EQ(unpack[3].Args, (std::vector<double>{GL_UNPACK_SKIP_PIXELS, 0}));
    const auto parameters = glrec::CallsNamed("glTexParameteri");
    ASSERT_EQ(parameters.size(), 4u);
    EXPECT_EQ(parameters[0].Args,
              (std::vector<double>{GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR}));
    EXPECT_EQ(parameters[1].Args,
              (std::vector<double>{GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR}));
    EXPECT_EQ(parameters[2].Args,
              (std::vector<double>{GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT}));
    EXPECT_EQ(parameters[3].Args,
              (std::vector<double>{GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT}));
    EXPECT_EQ(Only("glTexImage2D").Args,
              (std::vector<double>{GL_TEXTURE_2D, 0, 3, 4, 2, 0, GL_RGB, GL_UNSIGNED_BYTE}));
}

TEST_F(TextureCalls, Bmp32BitLoadWithMipmapsUsesBgra) {
    GL_Min_Filter = GL_NEAREST_MIPMAP_LINEAR;
    TextureLoadID(Folder.Write("a.bmp", BmpFile(2, 2, 32, Bytes(16, 1))).c_str(), 1);
    EXPECT_EQ(glrec::CallNames(), Then(BMP_SET_UP, {"glTexImage2D", "gluBuild2DMipmaps"}));
    EXPECT_EQ(Only("glTexImage2D").Args,
              (std::vector<double>{GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_BGRA_EXT_VALUE,
                                   GL_UNSIGNED_BYTE}));
    const glrec::Call mipmaps = Only("gluBuild2DMipmaps");
    EXPECT_EQ(mipmaps.Args,
              (std::vector<double>{GL_TEXTURE_2D, 4, 2, 2, GL_BGRA_EXT_VALUE, GL_UNSIGNED_BYTE}));
    EXPECT_EQ(mipmaps.Data, Only("glTexImage2D").Data) << "both read the bitmap's own memory";
}

TEST_F(TextureCalls, UnusableBmpGetsItsTextureObjectButNoUpload) {
    GL_Min_Filter = GL_LINEAR_MIPMAP_LINEAR;
    TextureLoadID(Folder.Write("a.bmp", BmpFile(4, 4, 8, Bytes(16, 1))).c_str(), 2);
    TextureLoadID(Folder.Path("missing.bmp").c_str(), 3);
    EXPECT_EQ(glrec::CallNames(), Then(BMP_SET_UP, BMP_SET_UP));
}

TEST_F(TextureCalls, AddMipmapsTextureTakesOnly24And32) {
    const std::uint8_t bits[16] = {};
    AddMipmapsTexture(24, 2, 2, bits);
    AddMipmapsTexture(32, 2, 2, bits);
    AddMipmapsTexture(16, 2, 2, bits);
    AddMipmapsTexture(8, 2, 2, bits);
    const auto calls = glrec::CallsNamed("gluBuild2DMipmaps");
    ASSERT_EQ(glrec::CallNames(), (Names{"gluBuild2DMipmaps", "gluBuild2DMipmaps"}));
    EXPECT_EQ(calls[0].Args,
              (std::vector<double>{GL_TEXTURE_2D, 3, 2, 2, GL_RGB, GL_UNSIGNED_BYTE}));
    EXPECT_EQ(calls[1].Args,
              (std::vector<double>{GL_TEXTURE_2D, 4, 2, 2, GL_BGRA_EXT_VALUE, GL_UNSIGNED_BYTE}));
}

TEST_F(TextureCalls, TgaLoadUploadsThenSetsParametersThenMipmaps) {
    GL_Min_Filter = GL_LINEAR_MIPMAP_NEAREST;
    TextureLoadTGAID(Folder.Write("a.tga", Join(TgaHeader(2, 2, 2, 32), Bytes(16, 1))).c_str(), 0);
    EXPECT_EQ(
        glrec::CallNames(),
        (Names{"glEnable", "glGenTextures", "glBindTexture", "glTexImage2D", "glTexParameteri",
               "glTexParameteri", "glTexParameteri", "glTexParameteri", "gluBuild2DMipmaps"}));
    EXPECT_EQ(Only("glBindTexture").Args,
              (std::vector<double>{GL_TEXTURE_2D, double(TextureTGA2[0].TexID)}));
    EXPECT_EQ(Only("glTexImage2D").Args,
              (std::vector<double>{GL_TEXTURE_2D, 0, 4, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE}));
    EXPECT_EQ(Only("gluBuild2DMipmaps").Args,
              (std::vector<double>{GL_TEXTURE_2D, 4, 2, 2, GL_RGBA, GL_UNSIGNED_BYTE}));
    EXPECT_EQ(
        glrec::CallsNamed("glTexParameteri")[0].Args,
        (std::vector<double>{GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST}));
}

TEST_F(TextureCalls, Tga24BitRowsOfWholeWordsLeaveTheUnpackStateAlone) {
    TextureLoadTGAID(Folder.Write("a.tga", Join(TgaHeader(2, 4, 1, 24), Bytes(12, 1))).c_str(), 1);
    EXPECT_EQ(glrec::Count("glPixelStorei"), 0u);
    EXPECT_EQ(Only("glTexImage2D").Args,
              (std::vector<double>{GL_TEXTURE_2D, 0, 3, 4, 1, 0, GL_RGB, GL_UNSIGNED_BYTE}));
}

TEST_F(TextureCalls, Tga24BitRowsOfOddLengthUploadWithAlignment1) {
    GL_Min_Filter = GL_NEAREST_MIPMAP_NEAREST;
    TextureLoadTGAID(Folder.Write("a.tga", Join(TgaHeader(2, 3, 1, 24), Bytes(9, 1))).c_str(), 2);
    const Names names = glrec::CallNames();
    EXPECT_EQ(names,
              (Names{"glEnable", "glGenTextures", "glBindTexture", "glGetIntegerv", "glPixelStorei",
                     "glTexImage2D", "glTexParameteri", "glTexParameteri", "glTexParameteri",
                     "glTexParameteri", "gluBuild2DMipmaps", "glPixelStorei"}));
    const auto unpack = glrec::CallsNamed("glPixelStorei");
    ASSERT_EQ(unpack.size(), 2u);
    EXPECT_EQ(unpack[0].Args, (std::vector<double>{GL_UNPACK_ALIGNMENT, 1}));
    EXPECT_EQ(unpack[1].Args[0], GL_UNPACK_ALIGNMENT);
}

TEST_F(TextureCalls, MissingOrRefusedTgaMakesNoGlCall) {
    texturetest::MessageBoxCapture boxes;
    boxes.Start();
    TextureLoadTGAID(Folder.Path("missing.tga").c_str(), 3);
    TextureLoadTGAID(Folder.Write("a.tga", Join(TgaHeader(2, 1, 1, 16), {1, 2})).c_str(), 3);
    EXPECT_EQ(boxes.Stop().size(), 1u);
    EXPECT_TRUE(glrec::Calls().empty());
}

TEST_F(TextureCalls, SelectingBindsTheSlotsNameOnly) {
    TextureID2[7] = 42;
    TextureTGA2[9].TexID = 43;
    TextureSelectID(7);
    TextureTGASelectID(9);
    TextureSelectID(8);
    EXPECT_EQ(glrec::CallNames(), (Names{"glBindTexture", "glBindTexture", "glBindTexture"}));
    const auto binds = glrec::CallsNamed("glBindTexture");
    EXPECT_EQ(binds[0].Args, (std::vector<double>{GL_TEXTURE_2D, 42}));
    EXPECT_EQ(binds[1].Args, (std::vector<double>{GL_TEXTURE_2D, 43}));
    EXPECT_EQ(binds[2].Args, (std::vector<double>{GL_TEXTURE_2D, 0}));
}

} // namespace
