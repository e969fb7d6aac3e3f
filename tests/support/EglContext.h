// Real GL for tests without a display: Mesa's surfaceless EGL platform, a pbuffer
// and a compatibility context (llvmpipe), made current on the calling thread.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace testsupport {

// Creates and makes current a context with a Width x Height RGBA pbuffer with depth,
// stencil and alpha. Returns false (with a reason in Error()) when EGL is unusable.
bool CreateEglContext(int width, int height);
void DestroyEglContext();
const char* EglError();

// Reads the whole pbuffer back as RGBA bytes, bottom row first (glReadPixels order).
std::vector<std::uint8_t> ReadPixelsRGBA(int width, int height);

// Reads one level of the bound 2D texture as RGBA bytes; empty when the level has no image.
std::vector<std::uint8_t> ReadTexImageRGBA(int level = 0);

// A fixture that gives each test a fresh current context of 800 by 600.
class GlTest : public ::testing::Test {
  protected:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;
    void SetUp() override;
    void TearDown() override;
};

} // namespace testsupport
