// SDL2 backend: video start-up, native windows, pointer, cursors, icons and GL contexts.
#include "SdlInternal.h"
#include "WindowBackend.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

namespace platform {
namespace {

// The key under which a native window remembers its window handle.
constexpr const char* kHandleKey = "win32.hwnd";

struct SdlBackend {
    bool VideoStarted = false;
    bool GlobalPointer = false; // the driver tracks the system pointer (x11)
};

SdlBackend& Backend() {
    static SdlBackend backend;
    return backend;
}

SDL_Window* Native(const Window& w) {
    return static_cast<SDL_Window*>(w.Native);
}

// Asks for the visual every top-level window gets: what the offered pixel format describes.
void RequestVisual(bool full) {
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, full ? 8 : 0);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, full ? 24 : 16);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, full ? 8 : 0);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
}

// SDL's system cursor for an IDC_ identifier.
SDL_SystemCursor SystemCursorFor(int id) {
    switch (id) {
    case 32513:
        return SDL_SYSTEM_CURSOR_IBEAM;
    case 32514:
        return SDL_SYSTEM_CURSOR_WAIT;
    case 32515:
        return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case 32640:
        return SDL_SYSTEM_CURSOR_SIZEALL;
    case 32642:
        return SDL_SYSTEM_CURSOR_SIZENWSE;
    case 32643:
        return SDL_SYSTEM_CURSOR_SIZENESW;
    case 32644:
        return SDL_SYSTEM_CURSOR_SIZEWE;
    case 32645:
        return SDL_SYSTEM_CURSOR_SIZENS;
    case 32646:
        return SDL_SYSTEM_CURSOR_SIZEALL;
    case 32648:
        return SDL_SYSTEM_CURSOR_NO;
    case 32649:
        return SDL_SYSTEM_CURSOR_HAND;
    case 32650:
        return SDL_SYSTEM_CURSOR_WAITARROW;
    default:
        return SDL_SYSTEM_CURSOR_ARROW;
    }
}

// A surface over an image's pixels (no copy); the caller frees it.
SDL_Surface* SurfaceOf(const CursorImage& image) {
    return SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(image.Pixels.data()),
                                              image.Width, image.Height, 32, image.Width * 4,
                                              SDL_PIXELFORMAT_ARGB8888);
}

} // namespace

bool BackendStartVideo() {
    SdlBackend& b = Backend();
    if (b.VideoStarted) return true;
    // Ctrl+C must still end the program; clicks into an inactive window count.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    const char* driver = SDL_GetCurrentVideoDriver();
    // Without a display SDL falls back to a driver nobody can see or answer; such a
    // driver is used only when asked for by name (SDL_VIDEODRIVER), as tests do.
    const char* requested = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    const bool invisible =
        driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
    if (invisible && !(requested && *requested)) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        SDL_SetError("no display available");
        return false;
    }
    b.VideoStarted = true;
    b.GlobalPointer = driver && std::strcmp(driver, "x11") == 0;
    return true;
}

bool BackendCreateWindow(Window& w) {
    if (!BackendStartVideo()) return false;
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    if ((w.Style & WS_CAPTION) != WS_CAPTION) flags |= SDL_WINDOW_BORDERLESS;
    if (w.Style & WS_THICKFRAME) flags |= SDL_WINDOW_RESIZABLE;
    const POINT origin = ClientOriginOnScreen(w);
    const int width = std::max(1, ClientWidth(w));
    const int height = std::max(1, ClientHeight(w));
    RequestVisual(true);
    SDL_Window* native = SDL_CreateWindow("", origin.x, origin.y, width, height, flags);
    if (!native) {
        RequestVisual(false); // a plainer visual rather than no window
        native = SDL_CreateWindow("", origin.x, origin.y, width, height, flags);
    }
    if (!native) return false;
    SDL_SetWindowData(native, kHandleKey,
                      reinterpret_cast<void*>(static_cast<std::uintptr_t>(w.Handle)));
    w.Native = native;
    if (w.Class) {
        CursorImage* icon = FindCursorImage(w.Class->Icon);
        if (icon) BackendSetIcon(w, *icon);
    }
    return true;
}

void BackendDestroyWindow(Window& w) {
    if (!w.Native) return;
    SDL_DestroyWindow(Native(w));
    w.Native = nullptr;
}

void BackendShowWindow(Window& w, bool show) {
    if (!w.Native) return;
    if (show)
        SDL_ShowWindow(Native(w));
    else
        SDL_HideWindow(Native(w));
}

void BackendMinimizeWindow(Window& w) {
    if (w.Native) SDL_MinimizeWindow(Native(w));
}

void BackendRestoreWindow(Window& w) {
    if (w.Native) SDL_RestoreWindow(Native(w));
}

void BackendPlaceWindow(Window& w) {
    if (!w.Native) return;
    const POINT origin = ClientOriginOnScreen(w);
    SDL_SetWindowPosition(Native(w), origin.x, origin.y);
    SDL_SetWindowSize(Native(w), std::max(1, ClientWidth(w)), std::max(1, ClientHeight(w)));
}

bool BackendFrameInsets(const Window& w, FrameInsets& out) {
    if (!w.Native || (SDL_GetWindowFlags(Native(w)) & SDL_WINDOW_BORDERLESS)) return false;
    int top = 0, left = 0, bottom = 0, right = 0;
    if (SDL_GetWindowBordersSize(Native(w), &top, &left, &bottom, &right) != 0) return false;
    if (top == 0 && left == 0 && bottom == 0 && right == 0) return false;
    out = FrameInsets{left, top, right, bottom};
    return true;
}

void BackendSetTitle(Window& w, const std::string& utf8) {
    if (w.Native) SDL_SetWindowTitle(Native(w), utf8.c_str());
}

SDL_Window* BackendSdlWindow(HWND window) {
    Window* top = TopLevelOf(window);
    return top ? Native(*top) : nullptr;
}

HWND HandleOfNative(Uint32 windowId) {
    SDL_Window* native = SDL_GetWindowFromID(windowId);
    if (!native) return 0;
    return static_cast<HWND>(
        reinterpret_cast<std::uintptr_t>(SDL_GetWindowData(native, kHandleKey)));
}

bool BackendScreenSize(int& width, int& height) {
    if (!BackendStartVideo()) return false;
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return false;
    width = mode.w;
    height = mode.h;
    return true;
}

bool BackendGlobalPointer(POINT& out) {
    if (!Backend().VideoStarted || !Backend().GlobalPointer) return false;
    int x = 0, y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    out = POINT{x, y};
    return true;
}

bool BackendWarpPointer(int x, int y) {
    if (!Backend().VideoStarted || !Backend().GlobalPointer) return false;
    return SDL_WarpMouseGlobal(x, y) == 0;
}

void BackendCapturePointer(bool capture) {
    if (Backend().VideoStarted) SDL_CaptureMouse(capture ? SDL_TRUE : SDL_FALSE);
}

void BackendSetCursor(CursorImage* cursor) {
    if (!Backend().VideoStarted) return;
    if (!cursor) {
        SDL_SetCursor(SDL_GetDefaultCursor());
        return;
    }
    if (!cursor->Native) {
        if (!cursor->Pixels.empty()) {
            SDL_Surface* surface = SurfaceOf(*cursor);
            if (surface) {
                cursor->Native = SDL_CreateColorCursor(surface, cursor->HotX, cursor->HotY);
                SDL_FreeSurface(surface);
            }
        } else {
            cursor->Native = SDL_CreateSystemCursor(SystemCursorFor(cursor->SystemId));
        }
    }
    SDL_Cursor* native = static_cast<SDL_Cursor*>(cursor->Native);
    if (native && SDL_GetCursor() != native) SDL_SetCursor(native);
}

void BackendReleaseCursor(CursorImage& cursor) {
    if (!cursor.Native) return;
    if (SDL_GetCursor() == cursor.Native) SDL_SetCursor(SDL_GetDefaultCursor());
    SDL_FreeCursor(static_cast<SDL_Cursor*>(cursor.Native));
    cursor.Native = nullptr;
}

void BackendSetIcon(Window& w, const CursorImage& icon) {
    if (!w.Native || icon.Pixels.empty()) return;
    SDL_Surface* surface = SurfaceOf(icon);
    if (!surface) return;
    SDL_SetWindowIcon(Native(w), surface);
    SDL_FreeSurface(surface);
}

void* BackendGlCreateContext(Window& w) {
    if (!w.Native) return nullptr;
    SDL_Window* previousWindow = SDL_GL_GetCurrentWindow();
    SDL_GLContext previous = SDL_GL_GetCurrentContext();
    SDL_GLContext context = SDL_GL_CreateContext(Native(w));
    if (context) {
        // No vsync: frames go as fast as drawing allows (this fails under Xvfb, harmlessly).
        SDL_GL_SetSwapInterval(0);
        SDL_GL_MakeCurrent(previousWindow, previous); // creating must not switch contexts
    }
    return context;
}

bool BackendGlMakeCurrent(Window* w, void* context) {
    if (!Backend().VideoStarted) return context == nullptr;
    return SDL_GL_MakeCurrent(w ? Native(*w) : nullptr, context) == 0;
}

void BackendGlDeleteContext(void* context) {
    if (context) SDL_GL_DeleteContext(context);
}

void BackendGlSwap(Window& w) {
    if (w.Native) SDL_GL_SwapWindow(Native(w));
}

void* BackendGlProc(const char* name) {
    if (!Backend().VideoStarted) return nullptr;
    return SDL_GL_GetProcAddress(name);
}

} // namespace platform
