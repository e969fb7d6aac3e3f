// Test entry points of the platform layer: input injected through the backend's real
// event path (native events pushed into SDL's queue), and views of what reached the
// native side. For tests and tools only; programs never call these.
#pragma once

#include "win32/Types.h"

#include <string>

namespace win32test {

// SDL scancodes (USB usage numbers) of a few keys, so tests need no SDL header.
constexpr int kScanA = 4;
constexpr int kScanZ = 29;
constexpr int kScan1 = 30;
constexpr int kScan0 = 39;
constexpr int kScanReturn = 40;
constexpr int kScanEscape = 41;
constexpr int kScanSpace = 44;
constexpr int kScanF1 = 58;
constexpr int kScanF12 = 69;
constexpr int kScanRight = 79;
constexpr int kScanLeft = 80;
constexpr int kScanDown = 81;
constexpr int kScanUp = 82;
constexpr int kScanLeftShift = 225;

// Mouse buttons as the backend numbers them.
constexpr int kButtonLeft = 1;
constexpr int kButtonMiddle = 2;
constexpr int kButtonRight = 3;

// Pushes a native key event for top-level window Window (the layout names the key).
bool InjectKey(HWND window, int scancode, bool down, bool repeat = false);
// Pushes pointer motion to client point (X, Y) of top-level window Window.
bool InjectMouseMotion(HWND window, int x, int y);
bool InjectMouseButton(HWND window, int button, bool down, int x, int y, int clicks = 1);
bool InjectMouseWheel(HWND window, int steps);

enum class WindowEvent { Close, Minimized, Restored, Resized, Moved, FocusGained, FocusLost };
// Pushes a native window event; Resized takes the client size, Moved the client origin.
bool InjectWindowEvent(HWND window, WindowEvent event, int a = 0, int b = 0);

// The native window's title as SDL holds it (UTF-8); empty without a native window.
std::string NativeWindowTitle(HWND window);
// The native window's client position and size.
bool NativeWindowGeometry(HWND window, int& x, int& y, int& width, int& height);
// What SwapBuffers draws before presenting: the child windows over the back buffer.
void CompositeChildrenNow(HWND window);
// The video driver in use ("offscreen", "x11"), empty before video starts.
std::string VideoDriverName();

} // namespace win32test
