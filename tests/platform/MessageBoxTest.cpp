// The message box with no display at all: it fails with 0 and nothing is lost.
#include "Win32.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

TEST(MessageBoxWithoutDisplay, ReturnsZeroAndWritesCaptionAndTextToStderr) {
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    struct Case {
        UINT Type;
        const char* Text;
        const char* Caption;
        const char* ExpectedText;
    };
    const Case cases[] = {
        {MB_YESNO | MB_ICONQUESTION, "Settare lo schermo intero?  ", "Video!",
         "Settare lo schermo intero?  "},
        {MB_OK, "la rispettiva applicazione non \xE8 stata inizilizata!", "Error",
         "la rispettiva applicazione non \xC3\xA8 stata inizilizata!"},
        {MB_OK | MB_ICONERROR, "nessun titolo", nullptr, "nessun titolo"},
    };
    for (const Case& c : cases) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(MessageBoxA(0, c.Text, c.Caption, c.Type), 0);
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_NE(err.find(c.Caption ? c.Caption : "Error"), std::string::npos) << err;
        EXPECT_NE(err.find(c.ExpectedText), std::string::npos) << err;
    }
}

} // namespace
