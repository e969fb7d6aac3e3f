// Exact GL call order of the set-up calls and the state switches, through the GL call recorder.
#include "GlRecorder.h"
#include "Vistral.h"

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// One expected call: entry point and arguments as the recorder logs them.
struct Expected {
    std::string name;
    std::vector<double> args;
};

struct OrderCase {
    const char* what;
    std::int32_t width;
    std::int32_t height;
    std::function<void()> run;
    std::vector<Expected> calls;
};

// A float argument as GL receives it, widened the way the recorder logs it.
double F(float v) {
    return static_cast<double>(v);
}

std::vector<Expected> InitCalls(std::int32_t w, std::int32_t h, double aspect, double depth,
                                std::vector<double> clear) {
    return {{"glClearColor", clear},
            {"glViewport", {0, 0, double(w), double(h)}},
            {"glMatrixMode", {GL_PROJECTION}},
            {"glLoadIdentity", {}},
            {"gluPerspective", {45.0, aspect, 0.1, depth}},
            {"glMatrixMode", {GL_MODELVIEW}},
            {"glLoadIdentity", {}},
            {"glClearDepth", {depth}},
            {"glEnable", {GL_DEPTH_TEST}},
            {"glDepthFunc", {GL_LEQUAL}},
            {"glColor4f", {1.0, 1.0, 1.0, 0.5}},
            {"glBlendFunc", {GL_SRC_ALPHA, GL_ONE}},
            {"glLightModeli", {GL_LIGHT_MODEL_LOCAL_VIEWER, 1}},
            {"glHint", {GL_LINE_SMOOTH_HINT, GL_NICEST}},
            {"glHint", {GL_POLYGON_SMOOTH_HINT, GL_NICEST}},
            {"glHint", {GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST}},
            {"glEnable", {GL_AUTO_NORMAL}},
            {"glEnable", {GL_NORMALIZE}}};
}

std::vector<Expected> OverlayCalls(std::int32_t w, std::int32_t h, double bottom, double top,
                                   std::vector<double> clear) {
    return {{"glClearColor", clear},
            {"glViewport", {0, 0, double(w), double(h)}},
            {"glMatrixMode", {GL_PROJECTION}},
            {"glLoadIdentity", {}},
            {"glOrtho", {-2.0, 2.0, bottom, top, -2.0, 2.0}},
            {"glMatrixMode", {GL_MODELVIEW}},
            {"glLoadIdentity", {}},
            {"glEnable", {GL_DEPTH_TEST}},
            {"glDepthFunc", {GL_LEQUAL}},
            {"glEnable", {GL_NORMALIZE}}};
}

const std::vector<double> kBlack = {0, 0, 0, 0};
const std::vector<double> kTinted = {F(0.1f), F(0.2f), F(0.3f), F(0.4f)};

std::vector<OrderCase> Cases() {
    return {
        {"OpenGL_Init, the demo's call", 800, 600, [] { OpenGL_Init(100.0, 0, 0, 0, 0); },
         InitCalls(800, 600, 800.0 / 600.0, 100.0, kBlack)},
        {"OpenGL_Init, alpha before red, green, blue", 640, 480,
         [] { OpenGL_Init(50.0, 0.4, 0.1, 0.2, 0.3); },
         InitCalls(640, 480, 640.0 / 480.0, 50.0, kTinted)},
        {"OpenGL_Init, minimised", 0, 0, [] { OpenGL_Init(100.0, 0, 0, 0, 0); },
         InitCalls(0, 0, 1.0, 100.0, kBlack)},
        {"OpenGL_I2D, 800 by 600", 800, 600, [] { OpenGL_I2D(0.4, 0.1, 0.2, 0.3); },
         OverlayCalls(800, 600, -1.5, 1.5, kTinted)},
        {"OpenGL_I2D, twice as tall as wide", 300, 600, [] { OpenGL_I2D(0, 0, 0, 0); },
         OverlayCalls(300, 600, -4.0, 4.0, kBlack)},
        {"OpenGL_I2D, minimised", 0, 0, [] { OpenGL_I2D(0, 0, 0, 0); },
         OverlayCalls(0, 0, -2.0, 2.0, kBlack)},
        {"SetGLLight",
         800,
         600,
         [] { SetGLLight(GL_LIGHT0, 0, 0, 0, 0.1f); },
         {{"glEnable", {GL_LIGHTING}},
          {"glLightfv", {GL_LIGHT0, GL_AMBIENT, 0.5, 0.5, 0.5, 1.0}},
          {"glLightfv", {GL_LIGHT0, GL_DIFFUSE, 1, 1, 1, 1}},
          {"glLightfv", {GL_LIGHT0, GL_SPECULAR, 1, 1, 1, 1}},
          {"glEnable", {GL_LIGHT0}},
          {"glLightfv", {GL_LIGHT0, GL_POSITION, 0, 0, 0, F(0.1f)}}}},
        {"TwoSideOn",
         800,
         600,
         [] { TwoSideOn(); },
         {{"glLightModeli", {GL_LIGHT_MODEL_TWO_SIDE, 1}}}},
        {"TwoSideOff",
         800,
         600,
         [] { TwoSideOff(); },
         {{"glLightModeli", {GL_LIGHT_MODEL_TWO_SIDE, 0}}}},
        {"SetGLRefractive",
         800,
         600,
         [] { SetGLRefractive(); },
         {{"glEnable", {GL_CULL_FACE}}, {"glCullFace", {GL_BACK}}, {"glFrontFace", {GL_CCW}}}},
        {"SetGLSprite",
         800,
         600,
         [] { SetGLSprite(); },
         {{"glEnable", {GL_ALPHA_TEST}}, {"glAlphaFunc", {GL_GREATER, F(0.4f)}}}},
        {"SetGLSpriteOff",
         800,
         600,
         [] { SetGLSpriteOff(); },
         {{"glDepthMask", {GL_TRUE}}, {"glDisable", {GL_BLEND}}, {"glDisable", {GL_ALPHA_TEST}}}},
    };
}

TEST(GlStateCallOrder, EachCallMakesExactlyItsGlCallsInOrder) {
    for (const OrderCase& c : Cases()) {
        SCOPED_TRACE(c.what);
        GLResizeWindow(c.width, c.height);
        glrec::Reset();
        c.run();
        const auto& calls = glrec::Calls();
        ASSERT_EQ(calls.size(), c.calls.size()) << testing::PrintToString(glrec::CallNames());
        for (std::size_t i = 0; i < calls.size(); ++i) {
            EXPECT_EQ(calls[i].Name, c.calls[i].name) << "call " << i;
            EXPECT_EQ(calls[i].Args, c.calls[i].args) << "call " << i << " " << calls[i].Name;
        }
    }
}

// The frame's pair is the overlay's calls followed at once by the 3D set-up's.
TEST(GlStateCallOrder, PerFramePairIsOverlayThenInit) {
    GLResizeWindow(800, 600);
    glrec::Reset();
    OpenGL_I2D(0, 0, 0, 0);
    OpenGL_Init(100.0, 0, 0, 0, 0);
    std::vector<std::string> expected;
    for (const auto& e : OverlayCalls(800, 600, -1.5, 1.5, kBlack))
        expected.push_back(e.name);
    for (const auto& e : InitCalls(800, 600, 800.0 / 600.0, 100.0, kBlack))
        expected.push_back(e.name);
    EXPECT_EQ(glrec::CallNames(), expected);
}

} // namespace
