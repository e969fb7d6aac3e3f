// The exact GL calls of the window layer, through the GL call recorder: SetGLMouseMove's
// four axis modes and the empty list of OGLWindowSetting.
#include "GlRecorder.h"
#include "Vistral.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Expected {
    std::string Name;
    std::vector<double> Args;
};

TEST(MouseCallOrder, EachAxisModeMakesItsThreeCallsInOrder) {
    Depth = 4.5f;
    XRot = 12.0f;
    YRot = -33.0f;
    struct Case {
        std::int32_t Mode;
        std::vector<Expected> Calls;
    };
    const Case cases[] = {
        {GL_M0,
         {{"glTranslatef", {0, 0, -4.5}},
          {"glRotatef", {12, 1, 0, 0}},
          {"glRotatef", {-33, 0, 1, 0}}}},
        {GL_MX,
         {{"glTranslatef", {0, -4.5, 0}},
          {"glRotatef", {12, 1, 0, 0}},
          {"glRotatef", {-33, 0, 0, 1}}}},
        {GL_MY,
         {{"glTranslatef", {-4.5, 0, 0}},
          {"glRotatef", {12, 0, 0, -1}},
          {"glRotatef", {-33, 0, 1, 0}}}},
        {GL_MZ,
         {{"glTranslatef", {0, 0, -4.5}},
          {"glRotatef", {12, 0, 1, 0}},
          {"glRotatef", {-33, 1, 0, 0}}}},
        {GL_MZ + 1, {}},
        {-1, {}},
    };
    for (const Case& c : cases) {
        glrec::Reset();
        SetGLMouseMove(c.Mode, 2);
        EXPECT_EQ(MSpeed, 2);
        const auto& calls = glrec::Calls();
        ASSERT_EQ(calls.size(), c.Calls.size()) << "mode " << c.Mode;
        for (std::size_t i = 0; i < calls.size(); ++i) {
            EXPECT_EQ(calls[i].Name, c.Calls[i].Name) << "mode " << c.Mode << " call " << i;
            EXPECT_EQ(calls[i].Args, c.Calls[i].Args) << "mode " << c.Mode << " call " << i;
        }
    }
}

TEST(MouseCallOrder, NothingIsPushedPoppedOrLoaded) {
    glrec::Reset();
    for (std::int32_t mode = GL_M0; mode <= GL_MZ; ++mode)
        SetGLMouseMove(mode, 1);
    for (const char* name :
         {"glPushMatrix", "glPopMatrix", "glLoadIdentity", "glLoadMatrixf", "glMatrixMode"})
        EXPECT_EQ(glrec::Count(name), 0u) << name;
}

TEST(SettingCallOrder, AnEmptyListIsRecordedUnderTheNameAsked) {
    glrec::Reset();
    OGLWindowSetting(ARROW, "", GENERIC, "");
    EXPECT_EQ(glrec::CallNames(),
              (std::vector<std::string>{"glGenLists", "glNewList", "glEndList"}));
    ASSERT_EQ(glrec::GeneratedLists().size(), 1u);
    EXPECT_EQ(ObjNull, glrec::GeneratedLists()[0]);
    EXPECT_EQ(glrec::CallsNamed("glGenLists")[0].Args, std::vector<double>{1});
    EXPECT_EQ(glrec::CallsNamed("glNewList")[0].Args,
              (std::vector<double>{static_cast<double>(ObjNull), GL_COMPILE}));
    ASSERT_NE(glrec::List(ObjNull), nullptr);
    EXPECT_TRUE(glrec::List(ObjNull)->empty());
}

} // namespace
