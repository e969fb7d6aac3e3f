// The GL window life cycle: window classes, the window, its pixel format and GL context.
#include "vistral/GLWindow.h"

#include "vistral/ImageButton.h"
#include "vistral/RangeCheck.h"
#include "vistral/Mouse.h"
#include "vistral/StatusBar.h"
#include "vistral/VertexRecorder.h"
#include "vistral/WindowProc.h"

#include "WindowDetail.h"

#include <GL/gl.h>

#include <cstdlib>

std::int32_t SetTypeCursor = 0;
std::int32_t SetTypeIcon = 0;
const char* CursorFile = nullptr;
const char* IconFile = nullptr;
std::int32_t PIXEL_FORMAT_FLAGS = 0;
std::int32_t CREATE_WINDOW_FLAGS = 0;
WNDCLASSEXA WindowClassEx = {};
DWORD Start = 0;
bool FogOnOff = false;
std::uint32_t ObjNull = 0;

namespace {

// System cursor resources by cursor kind ARROW..HELP; FILECURSOR's slot is unused.
const vistral::RangeArray<WORD, ARROW, HELP, "SystemCursors"> SYSTEM_CURSORS = {{
    32512, // ARROW: IDC_ARROW
    32513, // IBEAM: IDC_IBEAM
    32514, // WAIT: IDC_WAIT
    32515, // CROSS: IDC_CROSS
    32516, // UPARROW: IDC_UPARROW
    32640, // SIZE: IDC_SIZE
    0,     // FILECURSOR: loaded from CursorFile
    32642, // SIZENWSE: IDC_SIZENWSE
    32643, // SIZENESW: IDC_SIZENESW
    32644, // SIZEWE: IDC_SIZEWE
    32645, // SIZENS: IDC_SIZENS
    32646, // SIZEALL: IDC_SIZEALL
    32648, // NOCURSOR: IDC_NO
    32649, // HAND: IDC_HAND
    32650, // APPSTARTING: IDC_APPSTARTING
    32651, // HELP: IDC_HELP
}};
// IDI_APPLICATION and IDC_ARROW resource numbers.
constexpr WORD APPLICATION_ICON_ID = 32512;
constexpr WORD ARROW_CURSOR_ID = 32512;

// Record sizes as the pixel-format request states them.
constexpr WORD PIXEL_FORMAT_SIZE = sizeof(PIXELFORMATDESCRIPTOR);
constexpr WORD PIXEL_FORMAT_VERSION = 1;

// Colour-depth requests fit the descriptor's byte fields.
constexpr std::int32_t LOWEST_BITS = 0;
constexpr std::int32_t HIGHEST_BITS = 255;

// What went wrong in WindowInit.
constexpr int INIT_OK = 0;
constexpr int INIT_NO_FORMAT = 1;
constexpr int INIT_NO_CONTEXT = 2;

// Exit code of a fatal start-up error: the program always ends normally.
constexpr int FATAL_EXIT_CODE = 0;

// The cursor of the "GLWindow" class for the kind chosen; null for unknown kinds.
HCURSOR ClassCursor() {
    if (SetTypeCursor == FILECURSOR) return LoadCursorFromFileA(CursorFile);
    if (SetTypeCursor < ARROW || SetTypeCursor > HELP) return 0;
    return LoadCursorA(0, MAKEINTRESOURCEA(SYSTEM_CURSORS[SetTypeCursor]));
}

// The icon of the "GLWindow" class for the kind chosen; null for unknown kinds.
HICON ClassIcon() {
    if (SetTypeIcon == GENERIC) return LoadIconA(0, MAKEINTRESOURCEA(APPLICATION_ICON_ID));
    if (SetTypeIcon == FILEICON) return LoadCursorFromFileA(IconFile);
    return 0;
}

// Registers "IMAGEBUTTON" unless it is there already; the outcome is not reported.
void RegisterImageButtonClass() {
    WindowClassEx.cbSize = sizeof(WNDCLASSEXA);
    if (GetClassInfoExA(0, IMAGEBUTTON_CLASS_NAME, &WindowClassEx)) return;
    WindowClassEx = {};
    // The record's own size: 48 bytes in a 32-bit build, larger where pointers are wider.
    WindowClassEx.cbSize = sizeof(WNDCLASSEXA);
    WindowClassEx.style = 0;
    WindowClassEx.lpfnWndProc = HoverButtonHandler;
    WindowClassEx.cbClsExtra = 0;
    WindowClassEx.cbWndExtra = 0;
    WindowClassEx.hInstance = GetModuleHandleA(nullptr);
    WindowClassEx.hIcon = LoadIconA(0, MAKEINTRESOURCEA(APPLICATION_ICON_ID));
    WindowClassEx.hCursor = LoadCursorA(0, MAKEINTRESOURCEA(ARROW_CURSOR_ID));
    WindowClassEx.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    WindowClassEx.lpszMenuName = nullptr;
    WindowClassEx.lpszClassName = IMAGEBUTTON_CLASS_NAME;
    WindowClassEx.hIconSm = LoadIconA(0, MAKEINTRESOURCEA(APPLICATION_ICON_ID));
    RegisterClassExA(&WindowClassEx);
}

} // namespace

namespace vistral::detail {

// The pixel-format request for a colour depth: every depth-like field asks for Bits.
PIXELFORMATDESCRIPTOR GLWindowPixelFormat(std::int32_t bits, std::int32_t extraFlags) {
    vistral::CheckIndex("Bits", bits, LOWEST_BITS, HIGHEST_BITS);
    PIXELFORMATDESCRIPTOR pfd = {};
    const BYTE depth = static_cast<BYTE>(bits);
    pfd.nSize = PIXEL_FORMAT_SIZE;
    pfd.nVersion = PIXEL_FORMAT_VERSION;
    pfd.dwFlags = static_cast<DWORD>(extraFlags) | GL_WINDOW_PIXEL_FLAGS;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = depth;
    pfd.cAlphaBits = depth;
    pfd.cAccumBits = depth;
    pfd.cDepthBits = depth;
    pfd.cStencilBits = depth;
    pfd.cAuxBuffers = depth;
    pfd.iLayerType = GL_WINDOW_LAYER_TYPE;
    return pfd;
}

} // namespace vistral::detail

// Shows the message and ends the process normally.
void ThrowError(const char* PCErrorMessage) {
    MessageBoxA(0, PCErrorMessage, ERROR_CAPTION, MB_OK);
    std::exit(FATAL_EXIT_CODE);
}

// Stores the class settings and resets the engine switches the window relies on.
void OGLWindowSetting(std::int32_t TypeCursor, const char* CurFile, std::int32_t TypeIcon,
                      const char* IcoFile) {
    if (MouseFree) {
        Start = GetTickCount();
        SetCursorPos(Width / 2, Height / 2);
    }
    FogOnOff = true;
    SetTypeCursor = TypeCursor;
    CursorFile = CurFile;
    SetTypeIcon = TypeIcon;
    IconFile = IcoFile;
    // Without a current context these three calls do nothing and ObjNull stays 0.
    ObjNull = glGenLists(1);
    glNewList(ObjNull, GL_COMPILE);
    glEndList();
    GLVert3FRemove = false;
    GLVert3FEnableEdit = false;
}

// Registers "GLWindow" and makes sure "IMAGEBUTTON" exists.
bool WindowRegister() {
    WNDCLASSA windowClass = {};
    windowClass.style = GL_WINDOW_CLASS_STYLE;
    windowClass.lpfnWndProc = GLWndProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hIcon = ClassIcon();
    windowClass.hCursor = ClassCursor();
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = GLWINDOW_CLASS_NAME;
    const bool registered = RegisterClassA(&windowClass) != 0;
    RegisterImageButtonClass();
    return registered;
}

// Creates the window at the top-left corner and shows it; 0 on failure.
HWND WindowCreate(const char* PCApplicationName) {
    DWORD style = 0;
    if (FullScreen) {
        Width = GetSystemMetrics(SM_CXSCREEN);
        Height = GetSystemMetrics(SM_CYSCREEN);
        style = GL_FULLSCREEN_STYLE;
    } else {
        style = static_cast<DWORD>(CREATE_WINDOW_FLAGS) | GL_WINDOW_STYLE;
    }
    const HWND window =
        CreateWindowExA(0, GLWINDOW_CLASS_NAME, PCApplicationName, style, CW_USEDEFAULT,
                        CW_USEDEFAULT, Width, Height, 0, 0, GetModuleHandleA(nullptr), nullptr);
    if (window != 0) {
        ShowWindow(window, SW_SHOWDEFAULT);
        UpdateWindow(window);
    }
    return window;
}

// Takes the device context, chooses and sets the pixel format, makes a context current.
bool WindowInit(HWND HParent) {
    DCWindow = GetDC(HParent);
    int error = INIT_OK;
    const PIXELFORMATDESCRIPTOR pfd =
        vistral::detail::GLWindowPixelFormat(Bits, PIXEL_FORMAT_FLAGS);
    const int format = ChoosePixelFormat(DCWindow, &pfd);
    if (format == 0) error = INIT_NO_FORMAT;
    SetPixelFormat(DCWindow, format, &pfd);
    RCWindow = wglCreateContext(DCWindow);
    if (RCWindow == 0) error = INIT_NO_CONTEXT;
    wglMakeCurrent(DCWindow, RCWindow);
    return error == INIT_OK;
}

// Registers the classes, creates the window and its GL context; fatal on any failure.
bool CreateOGLWindow(const char* AppName, std::int32_t AppWidth, std::int32_t AppHeight,
                     std::int32_t AppBits, bool AppFullScreen) {
    SetTitleName = AppName;
    Width = AppWidth;
    Height = AppHeight;
    Bits = AppBits;
    FullScreen = AppFullScreen;
    if (!WindowRegister()) ThrowError(ERROR_REGISTER_TEXT);
    HWindow = WindowCreate(AppName);
    if (ShowMenuBar && CreateMenuBar != nullptr) CreateMenuBar();
    if (ShowStatusBar) HStatus = CreateStatusBar(HWindow);
    if (HWindow == 0) ThrowError(ERROR_CREATE_TEXT);
    if (!WindowInit(HWindow)) ThrowError(ERROR_INIT_TEXT);
    return true;
}

// Releases the context, the device context and the window.
void DeleteOGLWindow() {
    wglMakeCurrent(DCWindow, 0);
    wglDeleteContext(RCWindow);
    ReleaseDC(HWindow, DCWindow);
    DestroyWindow(HWindow);
}
