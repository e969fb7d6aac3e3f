// SDL2 backend: native events become posted messages, keys through one translation table.
#include "SdlInternal.h"
#include "WindowBackend.h"

#include <SDL.h>

#include <array>
#include <cstdint>

namespace platform {
namespace {

// How long one wait for events lasts before the caller looks at its queue again.
constexpr int kWaitSliceMs = 50;

// Virtual-key codes by SDL scancode (the physical key; letters follow the layout, below).
constexpr std::array<std::uint8_t, SDL_NUM_SCANCODES> MakeKeyTable() {
    std::array<std::uint8_t, SDL_NUM_SCANCODES> t{};
    for (int i = 0; i < 26; ++i)
        t[SDL_SCANCODE_A + i] = static_cast<std::uint8_t>('A' + i);
    for (int i = 0; i < 9; ++i)
        t[SDL_SCANCODE_1 + i] = static_cast<std::uint8_t>('1' + i);
    t[SDL_SCANCODE_0] = '0';
    for (int i = 0; i < 12; ++i)
        t[SDL_SCANCODE_F1 + i] = static_cast<std::uint8_t>(VK_F1 + i);
    for (int i = 0; i < 9; ++i)
        t[SDL_SCANCODE_KP_1 + i] = static_cast<std::uint8_t>(VK_NUMPAD1 + i);
    t[SDL_SCANCODE_KP_0] = VK_NUMPAD0;
    t[SDL_SCANCODE_RETURN] = VK_RETURN;
    t[SDL_SCANCODE_ESCAPE] = VK_ESCAPE;
    t[SDL_SCANCODE_BACKSPACE] = VK_BACK;
    t[SDL_SCANCODE_TAB] = VK_TAB;
    t[SDL_SCANCODE_SPACE] = VK_SPACE;
    t[SDL_SCANCODE_MINUS] = VK_OEM_MINUS;
    t[SDL_SCANCODE_EQUALS] = VK_OEM_PLUS;
    t[SDL_SCANCODE_LEFTBRACKET] = VK_OEM_4;
    t[SDL_SCANCODE_RIGHTBRACKET] = VK_OEM_6;
    t[SDL_SCANCODE_BACKSLASH] = VK_OEM_5;
    t[SDL_SCANCODE_NONUSHASH] = VK_OEM_5;
    t[SDL_SCANCODE_SEMICOLON] = VK_OEM_1;
    t[SDL_SCANCODE_APOSTROPHE] = VK_OEM_7;
    t[SDL_SCANCODE_GRAVE] = VK_OEM_3;
    t[SDL_SCANCODE_COMMA] = VK_OEM_COMMA;
    t[SDL_SCANCODE_PERIOD] = VK_OEM_PERIOD;
    t[SDL_SCANCODE_SLASH] = VK_OEM_2;
    t[SDL_SCANCODE_NONUSBACKSLASH] = VK_OEM_102;
    t[SDL_SCANCODE_CAPSLOCK] = VK_CAPITAL;
    t[SDL_SCANCODE_PRINTSCREEN] = VK_SNAPSHOT;
    t[SDL_SCANCODE_SCROLLLOCK] = VK_SCROLL;
    t[SDL_SCANCODE_PAUSE] = VK_PAUSE;
    t[SDL_SCANCODE_INSERT] = VK_INSERT;
    t[SDL_SCANCODE_HOME] = VK_HOME;
    t[SDL_SCANCODE_PAGEUP] = VK_PRIOR;
    t[SDL_SCANCODE_DELETE] = VK_DELETE;
    t[SDL_SCANCODE_END] = VK_END;
    t[SDL_SCANCODE_PAGEDOWN] = VK_NEXT;
    t[SDL_SCANCODE_RIGHT] = VK_RIGHT;
    t[SDL_SCANCODE_LEFT] = VK_LEFT;
    t[SDL_SCANCODE_DOWN] = VK_DOWN;
    t[SDL_SCANCODE_UP] = VK_UP;
    t[SDL_SCANCODE_NUMLOCKCLEAR] = VK_NUMLOCK;
    t[SDL_SCANCODE_KP_DIVIDE] = VK_DIVIDE;
    t[SDL_SCANCODE_KP_MULTIPLY] = VK_MULTIPLY;
    t[SDL_SCANCODE_KP_MINUS] = VK_SUBTRACT;
    t[SDL_SCANCODE_KP_PLUS] = VK_ADD;
    t[SDL_SCANCODE_KP_ENTER] = VK_RETURN;
    t[SDL_SCANCODE_KP_PERIOD] = VK_DECIMAL;
    t[SDL_SCANCODE_APPLICATION] = VK_APPS;
    t[SDL_SCANCODE_HELP] = VK_HELP;
    t[SDL_SCANCODE_LCTRL] = VK_CONTROL;
    t[SDL_SCANCODE_RCTRL] = VK_CONTROL;
    t[SDL_SCANCODE_LSHIFT] = VK_SHIFT;
    t[SDL_SCANCODE_RSHIFT] = VK_SHIFT;
    t[SDL_SCANCODE_LALT] = VK_MENU;
    t[SDL_SCANCODE_RALT] = VK_MENU;
    t[SDL_SCANCODE_LGUI] = VK_LWIN;
    t[SDL_SCANCODE_RGUI] = VK_RWIN;
    return t;
}
constexpr auto kScancodeToVirtualKey = MakeKeyTable();

// Keys the platform marks as extended (bit 24 of a key message's lParam).
bool IsExtendedKey(SDL_Scancode s) {
    switch (s) {
    case SDL_SCANCODE_INSERT:
    case SDL_SCANCODE_DELETE:
    case SDL_SCANCODE_HOME:
    case SDL_SCANCODE_END:
    case SDL_SCANCODE_PAGEUP:
    case SDL_SCANCODE_PAGEDOWN:
    case SDL_SCANCODE_LEFT:
    case SDL_SCANCODE_RIGHT:
    case SDL_SCANCODE_UP:
    case SDL_SCANCODE_DOWN:
    case SDL_SCANCODE_RCTRL:
    case SDL_SCANCODE_RALT:
    case SDL_SCANCODE_KP_DIVIDE:
    case SDL_SCANCODE_KP_ENTER:
    case SDL_SCANCODE_NUMLOCKCLEAR:
    case SDL_SCANCODE_PRINTSCREEN:
    case SDL_SCANCODE_LGUI:
    case SDL_SCANCODE_RGUI:
    case SDL_SCANCODE_APPLICATION:
        return true;
    default:
        return false;
    }
}

// The virtual key of an SDL key: letters as the layout names them, the rest by position.
int VirtualKeyOf(const SDL_Keysym& key) {
    if (key.sym >= SDLK_a && key.sym <= SDLK_z) return 'A' + (key.sym - SDLK_a);
    if (key.scancode < 0 || key.scancode >= SDL_NUM_SCANCODES) return 0;
    return kScancodeToVirtualKey[key.scancode];
}

// The top-level window an event names, else the foreground window.
HWND EventWindow(Uint32 windowId) {
    if (HWND h = HandleOfNative(windowId)) return h;
    return GetForegroundWindow();
}

void TranslateWindowEvent(const SDL_WindowEvent& e) {
    const HWND h = HandleOfNative(e.windowID);
    if (!h) return;
    switch (e.event) {
    case SDL_WINDOWEVENT_CLOSE:
        InputWindowClose(h);
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
        InputWindowMinimized(h);
        break;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED:
        InputWindowRestored(h);
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        InputWindowResized(h, e.data1, e.data2);
        break;
    case SDL_WINDOWEVENT_MOVED:
        InputWindowMoved(h, e.data1, e.data2);
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        InputWindowFocus(h, true);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        InputWindowFocus(h, false);
        break;
    case SDL_WINDOWEVENT_EXPOSED:
        InputWindowExposed(h);
        break;
    default:
        break;
    }
}

} // namespace

void TranslateEvent(const SDL_Event& e) {
    switch (e.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        const int vk = VirtualKeyOf(e.key.keysym);
        if (vk == 0) return;
        InputKey(EventWindow(e.key.windowID), vk, e.type == SDL_KEYDOWN, e.key.repeat != 0,
                 IsExtendedKey(e.key.keysym.scancode));
        break;
    }
    case SDL_MOUSEMOTION:
        InputMouseMove(EventWindow(e.motion.windowID), e.motion.x, e.motion.y);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        InputMouseButton(EventWindow(e.button.windowID), e.button.button,
                         e.type == SDL_MOUSEBUTTONDOWN, e.button.x, e.button.y, e.button.clicks);
        break;
    case SDL_MOUSEWHEEL: {
        const int steps = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
        InputMouseWheel(EventWindow(e.wheel.windowID), steps);
        break;
    }
    case SDL_WINDOWEVENT:
        TranslateWindowEvent(e.window);
        break;
    default:
        break; // SDL_QUIT among them: closing goes through WM_CLOSE
    }
}

void BackendPumpEvents(bool wait) {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) {
        // Nothing can arrive without video; a waiting caller must not spin the processor.
        if (wait) SDL_Delay(kWaitSliceMs);
        return;
    }
    SDL_Event e;
    if (wait && SDL_WaitEventTimeout(&e, kWaitSliceMs)) TranslateEvent(e);
    while (SDL_PollEvent(&e))
        TranslateEvent(e);
}

} // namespace platform
