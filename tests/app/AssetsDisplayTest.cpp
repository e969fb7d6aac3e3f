// The demo's images through the engine's own loaders and real GL (llvmpipe): the BMPs
// upload as the pictures in the files, and the sprites stand upright on a quad with the
// demo's texture coordinates, as the leaf and flower models draw them.

#include "EglContext.h"
#include "Vistral.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

const fs::path kAssets = VISTRAL_ASSETS_DIR;

// What the sprite alpha test keeps: alpha above 0.4.
constexpr int kAlphaKept = 102;

// Reads a whole file (empty when missing).
Bytes ReadFile(const fs::path& path) {
    std::ifstream f(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

unsigned Le16(const Bytes& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8);
}
unsigned Le32(const Bytes& b, std::size_t at) {
    return Le16(b, at) | (Le16(b, at + 2) << 16);
}

// Pixels of an uncompressed 32-bit TGA or a run-length one, as r, g, b, a in file row order.
Bytes DecodeTgaPixels(const Bytes& b) {
    std::size_t pixels = std::size_t{Le16(b, 12)} * Le16(b, 14), at = 18;
    Bytes out;
    auto take = [&]() { out.insert(out.end(), {b[at + 2], b[at + 1], b[at], b[at + 3]}); };
    while (out.size() / 4 < pixels) {
        if (b[2] == 2) {
            take();
            at += 4;
            continue;
        }
        unsigned header = b[at++];
        for (unsigned k = 0; k <= (header & 0x7Fu); ++k) {
            take();
            if (!(header & 0x80)) at += 4;
        }
        if (header & 0x80) at += 4;
    }
    return out;
}

class AssetsOnGl : public testsupport::GlTest {
  protected:
    void SetUp() override {
        testsupport::GlTest::SetUp();
        // Texel for texel: no blending between neighbours.
        GL_Min_Filter = GL_NEAREST;
        GL_Mag_Filter = GL_NEAREST;
    }
    void TearDown() override {
        GL_Min_Filter = GL_LINEAR;
        GL_Mag_Filter = GL_LINEAR;
        testsupport::GlTest::TearDown();
    }
};

TEST_F(AssetsOnGl, BmpTexturesHoldThePicturesOfTheFiles) {
    const char* names[] = {"Floor05.bmp", "corteccia02.bmp", "rosso.bmp"};
    for (int slot = 0; slot < 3; ++slot) {
        SCOPED_TRACE(names[slot]);
        Bytes file = ReadFile(kAssets / names[slot]);
        ASSERT_GE(file.size(), 54u);
        TextureLoadID((kAssets / names[slot]).string().c_str(), slot);
        ASSERT_NE(TextureID2[slot], 0u);
        TextureSelectID(slot);
        GLint width = 0, height = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
        ASSERT_EQ(unsigned(width), Le32(file, 18));
        ASSERT_EQ(unsigned(height), Le32(file, 22));
        Bytes texels(std::size_t(width) * height * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
        // Bottom file row first, blue-green-red in the file, red-green-blue in GL.
        std::size_t mismatches = 0;
        for (std::size_t i = 0; i < texels.size(); i += 3)
            mismatches += texels[i] != file[54 + i + 2] || texels[i + 1] != file[54 + i + 1] ||
                          texels[i + 2] != file[54 + i];
        EXPECT_EQ(mismatches, 0u);
    }
}

// Draws the sprite quad of the leaf and flower models: P1 (-1,-1), P2 (1,-1), P3 (-1,1),
// P4 (1,1) with texture coordinates (0,-1), (1,-1), (0,0), (1,0), sent P2, P1, P3, P4,
// filling a viewport the size of the image, alpha-tested as sprites are.
void DrawSpriteQuad(int size) {
    glViewport(0, 0, size, size);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.4f);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glBegin(GL_QUADS);
    glTexCoord2f(1, -1);
    glVertex3f(1, -1, 0);
    glTexCoord2f(0, -1);
    glVertex3f(-1, -1, 0);
    glTexCoord2f(0, 0);
    glVertex3f(-1, 1, 0);
    glTexCoord2f(1, 0);
    glVertex3f(1, 1, 0);
    glEnd();
    glFinish();
}

TEST_F(AssetsOnGl, SpritesShowTheFileFirstRowAtTheBottomOfTheQuad) {
    const char* names[] = {"acacia.tga", "giglio.tga"};
    for (int slot = 0; slot < 2; ++slot) {
        SCOPED_TRACE(names[slot]);
        Bytes file = ReadFile(kAssets / names[slot]);
        ASSERT_GE(file.size(), 18u);
        int size = int(Le16(file, 12));
        ASSERT_EQ(Le16(file, 14), unsigned(size));
        Bytes picture = DecodeTgaPixels(file);

        TextureLoadTGAID((kAssets / names[slot]).string().c_str(), slot);
        ASSERT_NE(TextureTGA2[slot].TexID, 0u);
        TextureTGASelectID(slot);
        DrawSpriteQuad(size);
        Bytes shown = testsupport::ReadPixelsRGBA(kWidth, kHeight);

        // Window row y (from the bottom) shows file row y, left to right; dropped texels
        // leave the black clear colour.
        std::size_t mismatches = 0, kept = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const std::uint8_t* want = &picture[(std::size_t(y) * size + x) * 4];
                const std::uint8_t* got = &shown[(std::size_t(y) * kWidth + x) * 4];
                bool keep = want[3] > kAlphaKept;
                kept += keep;
                for (int c = 0; c < 3; ++c)
                    mismatches += got[c] != (keep ? want[c] : 0);
            }
        }
        EXPECT_EQ(mismatches, 0u);
        EXPECT_GT(kept, std::size_t(size) * size / 8) << "most of the sprite was dropped";

        if (slot == 0) {
            // The leaf stands on its stalk: the lowest drawn row is low down and thin.
            int lowest = -1, drawn = 0;
            for (int y = 0; y < size && lowest < 0; ++y) {
                drawn = 0;
                for (int x = 0; x < size; ++x)
                    drawn += shown[(std::size_t(y) * kWidth + x) * 4 + 1] != 0;
                if (drawn > 0) lowest = y;
            }
            EXPECT_GE(lowest, 0);
            EXPECT_LT(lowest, size / 8);
            EXPECT_LE(drawn, 4);
        }
    }
}

} // namespace
