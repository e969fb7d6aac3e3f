// The real-GL fixture itself: a context exists and draws.
#include "EglContext.h"
#include "Vistral.h"

#include <GL/gl.h>

#include <cstring>

namespace {

using testsupport::GlTest;

TEST_F(GlTest, ContextIsLlvmpipeCompatibilityProfileAndClears) {
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    ASSERT_NE(renderer, nullptr);
    EXPECT_NE(std::strstr(renderer, "llvmpipe"), nullptr) << renderer;
    glClearColor(0, 1, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    auto px = testsupport::ReadPixelsRGBA(kWidth, kHeight);
    EXPECT_EQ(px[1], 255);
    EXPECT_EQ(px[0], 0);
}

} // namespace
