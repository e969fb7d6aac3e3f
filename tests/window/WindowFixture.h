// Shared set-up of the window suites: a real GL window on SDL's offscreen driver (or
// whatever SDL_VIDEODRIVER names), created through the engine and torn down after each test.
#pragma once

#include "Vistral.h"

#include <gtest/gtest.h>

#include <string>

namespace windowtest {

// Title of every window these suites create.
inline constexpr char kTitle[] = "Finestra di prova";
// The request the demo makes.
constexpr int kRequestWidth = 800;
constexpr int kRequestHeight = 600;
constexpr int kRequestBits = 32;

// Chooses SDL's offscreen driver unless the environment already names one.
void UseOffscreenDriverByDefault();
// Puts every engine variable the window layer touches back to its start value.
void ResetEngineState();
// Dispatches everything queued (posted messages, pending paints, a quit), as a pump would.
void DrainMessages();
// Posts a message to the GL window, lets one pump step handle it, then dispatches what
// that step queued in turn (the WM_CHAR of a typed key).
void PostAndPump(UINT message, WPARAM wParam, LPARAM lParam);
// The window's title, read back from the platform.
std::string WindowTitle(HWND window);
// Removes the engine's classes so that another window can be created in this process.
void UnregisterEngineClasses();

// Each test gets a fresh windowed 800 by 600 GL window with a current context.
class GlWindowTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
};

} // namespace windowtest
