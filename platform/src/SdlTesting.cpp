// Test entry points: native SDL events pushed into SDL's queue, native views.
#include "Compositor.h"
#include "SdlInternal.h"
#include "WindowBackend.h"
#include "win32/Testing.h"

#include <SDL.h>

namespace win32test {
namespace {

// The native window id of a top-level window, 0 when there is none.
Uint32 NativeId(HWND window) {
    SDL_Window* native = platform::BackendSdlWindow(window);
    return native ? SDL_GetWindowID(native) : 0;
}

bool Push(SDL_Event& e) {
    return SDL_PushEvent(&e) == 1;
}

} // namespace

bool InjectKey(HWND window, int scancode, bool down, bool repeat) {
    const Uint32 id = NativeId(window);
    if (!id || scancode <= 0 || scancode >= SDL_NUM_SCANCODES) return false;
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.windowID = id;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.repeat = repeat ? 1 : 0;
    e.key.keysym.scancode = static_cast<SDL_Scancode>(scancode);
    e.key.keysym.sym = SDL_GetKeyFromScancode(e.key.keysym.scancode);
    return Push(e);
}

bool InjectMouseMotion(HWND window, int x, int y) {
    const Uint32 id = NativeId(window);
    if (!id) return false;
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = id;
    e.motion.x = x;
    e.motion.y = y;
    return Push(e);
}

bool InjectMouseButton(HWND window, int button, bool down, int x, int y, int clicks) {
    const Uint32 id = NativeId(window);
    if (!id) return false;
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.windowID = id;
    e.button.button = static_cast<Uint8>(button);
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = static_cast<Uint8>(clicks);
    e.button.x = x;
    e.button.y = y;
    return Push(e);
}

bool InjectMouseWheel(HWND window, int steps) {
    const Uint32 id = NativeId(window);
    if (!id) return false;
    SDL_Event e{};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.windowID = id;
    e.wheel.y = steps;
    e.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    return Push(e);
}

bool InjectWindowEvent(HWND window, WindowEvent event, int a, int b) {
    const Uint32 id = NativeId(window);
    if (!id) return false;
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = id;
    e.window.data1 = a;
    e.window.data2 = b;
    switch (event) {
    case WindowEvent::Close:
        e.window.event = SDL_WINDOWEVENT_CLOSE;
        break;
    case WindowEvent::Minimized:
        e.window.event = SDL_WINDOWEVENT_MINIMIZED;
        break;
    case WindowEvent::Restored:
        e.window.event = SDL_WINDOWEVENT_RESTORED;
        break;
    case WindowEvent::Resized:
        e.window.event = SDL_WINDOWEVENT_SIZE_CHANGED;
        break;
    case WindowEvent::Moved:
        e.window.event = SDL_WINDOWEVENT_MOVED;
        break;
    case WindowEvent::FocusGained:
        e.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
        break;
    case WindowEvent::FocusLost:
        e.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
        break;
    }
    return Push(e);
}

std::string NativeWindowTitle(HWND window) {
    SDL_Window* native = platform::BackendSdlWindow(window);
    return native ? SDL_GetWindowTitle(native) : std::string();
}

bool NativeWindowGeometry(HWND window, int& x, int& y, int& width, int& height) {
    SDL_Window* native = platform::BackendSdlWindow(window);
    if (!native) return false;
    SDL_GetWindowPosition(native, &x, &y);
    SDL_GetWindowSize(native, &width, &height);
    return true;
}

void CompositeChildrenNow(HWND window) {
    if (platform::Window* w = platform::TopLevelOf(window)) platform::CompositeChildren(*w);
}

std::string VideoDriverName() {
    const char* name = SDL_WasInit(SDL_INIT_VIDEO) ? SDL_GetCurrentVideoDriver() : nullptr;
    return name ? name : "";
}

} // namespace win32test
