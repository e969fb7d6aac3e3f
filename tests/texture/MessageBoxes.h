// Message boxes seen by a test: with no display the platform writes each box to stderr as
// one line "caption: text", which this capture collects.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace texturetest {

class MessageBoxCapture {
  public:
    // No display: every box fails to show and reports itself on stderr.
    MessageBoxCapture() {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
    }
    ~MessageBoxCapture() {
        if (Capturing) ::testing::internal::GetCapturedStderr();
    }
    MessageBoxCapture(const MessageBoxCapture&) = delete;
    MessageBoxCapture& operator=(const MessageBoxCapture&) = delete;

    // Starts collecting boxes.
    void Start() {
        ::testing::internal::CaptureStderr();
        Capturing = true;
    }
    // Stops collecting; the boxes shown since Start, one "caption: text" each.
    std::vector<std::string> Stop() {
        Capturing = false;
        std::istringstream lines(::testing::internal::GetCapturedStderr());
        std::vector<std::string> boxes;
        for (std::string line; std::getline(lines, line);)
            if (!line.empty()) boxes.push_back(line);
        return boxes;
    }

  private:
    bool Capturing = false;
};

} // namespace texturetest
