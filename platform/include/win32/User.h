// Windows, classes, messages, input, cursors, icons, message boxes, properties, painting
// (platform/src/Window*, Message*, Input*, Cursor*, Sdl*).
// Our own declarations with the platform's published values. Where the platform's
// behaviour is open or unsafe, the comment says what this layer does.
#pragma once

#include "win32/Types.h"

#include <cstdint>

// ---- Message boxes ----------------------------------------------------------------------
constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_YESNO = 0x00000004;
constexpr UINT MB_ICONHAND = 0x00000010;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONQUESTION = 0x00000020;
constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONASTERISK = 0x00000040;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr int IDOK = 1;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// A modal box with a code page 1252 text and caption. Returns the button chosen
// (IDOK, IDYES, IDNO); with no display it returns 0 after writing caption and text
// to stderr, so nothing is lost silently.
// - MB_YESNO shows "S\xEC" and "No": Return picks Yes, Escape picks No; closing the box
//   by the window manager counts as No (IDOK for MB_OK). Other button sets show OK.
// - A null caption reads "Error"; the owner, when it is a live top-level window, is the
//   box's parent.
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

// ---- Resource names ---------------------------------------------------------------------
// An integer resource identifier carried in a name pointer (values below 0x10000).
inline LPCSTR MAKEINTRESOURCEA(WORD id) {
    return reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(id));
}
inline bool IS_INTRESOURCE(LPCSTR name) {
    return (reinterpret_cast<std::uintptr_t>(name) >> 16) == 0;
}

// ---- Window messages --------------------------------------------------------------------
constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_MOVE = 0x0003;
constexpr UINT WM_SIZE = 0x0005;
constexpr UINT WM_ACTIVATE = 0x0006;
constexpr UINT WM_SETFOCUS = 0x0007;
constexpr UINT WM_KILLFOCUS = 0x0008;
constexpr UINT WM_SETTEXT = 0x000C;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_ERASEBKGND = 0x0014;
constexpr UINT WM_SHOWWINDOW = 0x0018;
constexpr UINT WM_SETCURSOR = 0x0020;
constexpr UINT WM_CONTEXTMENU = 0x007B;
constexpr UINT WM_NCCREATE = 0x0081;
constexpr UINT WM_NCDESTROY = 0x0082;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_SYSKEYDOWN = 0x0104;
constexpr UINT WM_SYSKEYUP = 0x0105;
constexpr UINT WM_SYSCHAR = 0x0106;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_SYSCOMMAND = 0x0112;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_RBUTTONUP = 0x0205;
constexpr UINT WM_RBUTTONDBLCLK = 0x0206;
constexpr UINT WM_MBUTTONDOWN = 0x0207;
constexpr UINT WM_MBUTTONUP = 0x0208;
constexpr UINT WM_MBUTTONDBLCLK = 0x0209;
constexpr UINT WM_MOUSEWHEEL = 0x020A;
constexpr UINT WM_CAPTURECHANGED = 0x0215;
constexpr UINT WM_USER = 0x0400;

// WM_SIZE kinds (wParam).
constexpr WPARAM SIZE_RESTORED = 0;
constexpr WPARAM SIZE_MINIMIZED = 1;
constexpr WPARAM SIZE_MAXIMIZED = 2;

// WM_SYSCOMMAND commands (wParam).
constexpr WPARAM SC_SIZE = 0xF000;
constexpr WPARAM SC_MOVE = 0xF010;
constexpr WPARAM SC_MINIMIZE = 0xF020;
constexpr WPARAM SC_MAXIMIZE = 0xF030;
constexpr WPARAM SC_CLOSE = 0xF060;
constexpr WPARAM SC_RESTORE = 0xF120;
constexpr WPARAM SC_SCREENSAVE = 0xF140;
constexpr WPARAM SC_MONITORPOWER = 0xF170;

// Mouse-message key flags (wParam).
constexpr WPARAM MK_LBUTTON = 0x0001;
constexpr WPARAM MK_RBUTTON = 0x0002;
constexpr WPARAM MK_SHIFT = 0x0004;
constexpr WPARAM MK_CONTROL = 0x0008;
constexpr WPARAM MK_MBUTTON = 0x0010;
constexpr int WHEEL_DELTA = 120;

// PeekMessageA options.
constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;

// ---- Virtual-key codes ------------------------------------------------------------------
// Letters are their upper-case character codes 'A'..'Z' (65..90), digits '0'..'9' (48..57).
constexpr int VK_LBUTTON = 0x01;
constexpr int VK_RBUTTON = 0x02;
constexpr int VK_CANCEL = 0x03;
constexpr int VK_MBUTTON = 0x04;
constexpr int VK_BACK = 0x08;
constexpr int VK_TAB = 0x09;
constexpr int VK_CLEAR = 0x0C;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12;
constexpr int VK_PAUSE = 0x13;
constexpr int VK_CAPITAL = 0x14;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_PRIOR = 0x21;
constexpr int VK_NEXT = 0x22;
constexpr int VK_END = 0x23;
constexpr int VK_HOME = 0x24;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_SELECT = 0x29;
constexpr int VK_PRINT = 0x2A;
constexpr int VK_EXECUTE = 0x2B;
constexpr int VK_SNAPSHOT = 0x2C;
constexpr int VK_INSERT = 0x2D;
constexpr int VK_DELETE = 0x2E;
constexpr int VK_HELP = 0x2F;
constexpr int VK_LWIN = 0x5B;
constexpr int VK_RWIN = 0x5C;
constexpr int VK_APPS = 0x5D;
constexpr int VK_NUMPAD0 = 0x60;
constexpr int VK_NUMPAD1 = 0x61;
constexpr int VK_NUMPAD2 = 0x62;
constexpr int VK_NUMPAD3 = 0x63;
constexpr int VK_NUMPAD4 = 0x64;
constexpr int VK_NUMPAD5 = 0x65;
constexpr int VK_NUMPAD6 = 0x66;
constexpr int VK_NUMPAD7 = 0x67;
constexpr int VK_NUMPAD8 = 0x68;
constexpr int VK_NUMPAD9 = 0x69;
constexpr int VK_MULTIPLY = 0x6A;
constexpr int VK_ADD = 0x6B;
constexpr int VK_SEPARATOR = 0x6C;
constexpr int VK_SUBTRACT = 0x6D;
constexpr int VK_DECIMAL = 0x6E;
constexpr int VK_DIVIDE = 0x6F;
constexpr int VK_F1 = 0x70;
constexpr int VK_F2 = 0x71;
constexpr int VK_F3 = 0x72;
constexpr int VK_F4 = 0x73;
constexpr int VK_F5 = 0x74;
constexpr int VK_F6 = 0x75;
constexpr int VK_F7 = 0x76;
constexpr int VK_F8 = 0x77;
constexpr int VK_F9 = 0x78;
constexpr int VK_F10 = 0x79;
constexpr int VK_F11 = 0x7A;
constexpr int VK_F12 = 0x7B;
constexpr int VK_NUMLOCK = 0x90;
constexpr int VK_SCROLL = 0x91;
constexpr int VK_LSHIFT = 0xA0;
constexpr int VK_RSHIFT = 0xA1;
constexpr int VK_LCONTROL = 0xA2;
constexpr int VK_RCONTROL = 0xA3;
constexpr int VK_LMENU = 0xA4;
constexpr int VK_RMENU = 0xA5;
constexpr int VK_OEM_1 = 0xBA;      // ;:
constexpr int VK_OEM_PLUS = 0xBB;   // =+
constexpr int VK_OEM_COMMA = 0xBC;  // ,<
constexpr int VK_OEM_MINUS = 0xBD;  // -_
constexpr int VK_OEM_PERIOD = 0xBE; // .>
constexpr int VK_OEM_2 = 0xBF;      // /?
constexpr int VK_OEM_3 = 0xC0;      // `~
constexpr int VK_OEM_4 = 0xDB;      // [{
constexpr int VK_OEM_5 = 0xDC;      // backslash |
constexpr int VK_OEM_6 = 0xDD;      // ]}
constexpr int VK_OEM_7 = 0xDE;      // '"
constexpr int VK_OEM_102 = 0xE2;    // the extra key beside left Shift

// Key-message lParam bits.
constexpr LPARAM KEYDATA_REPEAT_ONE = 1;
constexpr LPARAM KEYDATA_EXTENDED = 1 << 24;
constexpr LPARAM KEYDATA_WAS_DOWN = 1 << 30;
constexpr LPARAM KEYDATA_RELEASED = static_cast<LPARAM>(1u << 31);

// Key state from this layer's own record of the input it delivered: bit 15 set while
// the key is down; bit 0 toggles at each press. Codes outside 0..255 read 0.
std::int16_t GetKeyState(int virtualKey);
std::int16_t GetAsyncKeyState(int virtualKey);

// ---- Window styles ----------------------------------------------------------------------
constexpr DWORD WS_OVERLAPPED = 0x00000000;
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_MINIMIZE = 0x20000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_CLIPSIBLINGS = 0x04000000;
constexpr DWORD WS_CLIPCHILDREN = 0x02000000;
constexpr DWORD WS_MAXIMIZE = 0x01000000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_DLGFRAME = 0x00400000;
constexpr DWORD WS_CAPTION = 0x00C00000; // WS_BORDER | WS_DLGFRAME
constexpr DWORD WS_VSCROLL = 0x00200000;
constexpr DWORD WS_HSCROLL = 0x00100000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_THICKFRAME = 0x00040000;
constexpr DWORD WS_MINIMIZEBOX = 0x00020000;
constexpr DWORD WS_MAXIMIZEBOX = 0x00010000;
constexpr DWORD WS_OVERLAPPEDWINDOW =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr DWORD WS_EX_TOPMOST = 0x00000008;
constexpr DWORD WS_EX_APPWINDOW = 0x00040000;
constexpr DWORD WS_EX_WINDOWEDGE = 0x00000100;

// For the position (and, for overlapped windows, the size) of CreateWindowExA: the
// layer places such a window at the screen's top-left corner, as for WS_POPUP.
constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000u);

// ---- Class styles and class records -----------------------------------------------------
constexpr UINT CS_VREDRAW = 0x0001;
constexpr UINT CS_HREDRAW = 0x0002;
constexpr UINT CS_DBLCLKS = 0x0008;
constexpr UINT CS_OWNDC = 0x0020;
constexpr UINT CS_CLASSDC = 0x0040;
constexpr UINT CS_PARENTDC = 0x0080;
constexpr UINT CS_NOCLOSE = 0x0200;
constexpr UINT CS_GLOBALCLASS = 0x4000;

struct WNDCLASSA {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
};

struct WNDCLASSEXA {
    UINT cbSize;
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
    HICON hIconSm;
};

// The record size that 32-bit programs write into cbSize; accepted beside sizeof(WNDCLASSEXA).
constexpr UINT WNDCLASSEXA_SIZE_32BIT = 48;

// Registers a class; class names compare without regard to case. Returns the class
// atom, 0 when the name is already registered (whatever the instance), when the name or
// procedure is missing, or (RegisterClassExA) when cbSize is neither 48 nor the record's size.
ATOM RegisterClassA(const WNDCLASSA* wndClass);
ATOM RegisterClassExA(const WNDCLASSEXA* wndClass);
// Fills *Out with a registered class's record (cbSize is left as the caller set it).
// Classes are process-wide here, so the instance is not compared.
BOOL GetClassInfoExA(HINSTANCE instance, LPCSTR className, WNDCLASSEXA* out);
// Removes a class; fails while windows of the class exist.
BOOL UnregisterClassA(LPCSTR className, HINSTANCE instance);

// The program's instance handle (a null name); any other module name gives 0.
HMODULE GetModuleHandleA(LPCSTR moduleName);

// ---- Windows ----------------------------------------------------------------------------
// Creation data handed to WM_CREATE and WM_NCCREATE as lParam.
struct CREATESTRUCTA {
    LPVOID lpCreateParams;
    HINSTANCE hInstance;
    HMENU hMenu;
    HWND hwndParent;
    int cy;
    int cx;
    int y;
    int x;
    LONG style;
    LPCSTR lpszName;
    LPCSTR lpszClass;
    DWORD dwExStyle;
};

// Creates a window of a registered class. Width and height are the outer size; a top-level
// window's client area is that less its frame (the window manager's, where it reports one,
// else this layer's: 1 pixel for WS_BORDER, 3 for a caption frame, plus 16 of caption).
// For a WS_CHILD window, X and Y are in the parent's client coordinates, Menu is the
// control identifier and the window has no frame. Sends WM_NCCREATE, WM_CREATE (a -1
// result destroys the window and gives 0) and WM_SIZE/WM_MOVE before returning; with
// WS_VISIBLE the window is also shown as by ShowWindow(SW_SHOW). 0 on failure.
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param);
// Sends WM_DESTROY to the window and then to its children, releases the capture, the
// window region and the window; FALSE for a window already gone or being destroyed.
BOOL DestroyWindow(HWND window);
BOOL IsWindow(HWND window);
BOOL IsWindowVisible(HWND window);

constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_NORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_MAXIMIZE = 3;
constexpr int SW_SHOWNOACTIVATE = 4;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_SHOWMINNOACTIVE = 7;
constexpr int SW_SHOWNA = 8;
constexpr int SW_RESTORE = 9;
constexpr int SW_SHOWDEFAULT = 10;

// Shows, hides, minimises or restores; returns whether the window was visible before.
// Showing sends WM_SHOWWINDOW and WM_SIZE with the client size; minimising sends WM_SIZE
// (SIZE_MINIMIZED, 0 by 0); restoring sends the client size again. Maximising is treated
// as showing: windows keep their size. Showing a top-level window makes it the foreground.
BOOL ShowWindow(HWND window, int command);
// Sends WM_PAINT at once when the window has something to repaint; FALSE for a bad window.
BOOL UpdateWindow(HWND window);
// Moves and sizes a window (outer rectangle; screen coordinates for a top-level window,
// the parent's client coordinates for a child); sends WM_MOVE and WM_SIZE.
BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
// The parent of a child window; 0 for a top-level window or a bad handle.
HWND GetParent(HWND window);
// The control identifier of a child window; 0 for a top-level window or a bad handle.
int GetDlgCtrlID(HWND window);
// Sets the title (code page 1252; shown as UTF-8 in a top-level window's caption).
BOOL SetWindowTextA(HWND window, LPCSTR text);
// Copies the title (zero-terminated, cut to Count - 1 bytes); returns the bytes copied.
int GetWindowTextA(HWND window, LPSTR text, int count);
// The client rectangle: (0, 0, client width, client height).
BOOL GetClientRect(HWND window, RECT* rect);
// The outer rectangle in screen coordinates.
BOOL GetWindowRect(HWND window, RECT* rect);
BOOL ClientToScreen(HWND window, POINT* point);
BOOL ScreenToClient(HWND window, POINT* point);
// Outer rectangle for a client rectangle under this layer's own frame metrics.
BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle);
BOOL AdjustWindowRect(RECT* rect, DWORD style, BOOL menu);

// Window record fields.
constexpr int GWL_WNDPROC = -4;
constexpr int GWL_HINSTANCE = -6;
constexpr int GWL_HWNDPARENT = -8;
constexpr int GWL_ID = -12;
constexpr int GWL_STYLE = -16;
constexpr int GWL_EXSTYLE = -20;
constexpr int GWL_USERDATA = -21;
// Reads a field; 0 for a bad window or index.
std::intptr_t GetWindowLongPtrA(HWND window, int index);
// Sets GWL_WNDPROC, GWL_ID, GWL_USERDATA (styles are read-only here); returns the old value.
std::intptr_t SetWindowLongPtrA(HWND window, int index, std::intptr_t value);

// Gives the window a region in its own coordinates (origin at its top-left corner); the
// window owns the region from then on and deletes it when replaced or destroyed. Hit tests
// and the drawing of a child window keep inside it. A null region removes the clipping.
int SetWindowRgn(HWND window, HRGN region, BOOL redraw);

// ---- Properties -------------------------------------------------------------------------
// Names compare without regard to case (an integer atom name is its own key).
BOOL SetPropA(HWND window, LPCSTR name, HANDLE data);
// The property's value; 0 when absent or the window is bad.
HANDLE GetPropA(HWND window, LPCSTR name);
// Removes a property and returns its value (0 when absent).
HANDLE RemovePropA(HWND window, LPCSTR name);

// ---- Messages ---------------------------------------------------------------------------
// Runs the window procedure at once and returns its result (0 for a bad window).
LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Appends a message to the queue; a null window posts a thread message. FALSE for a bad window.
BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Asks the pump to return WM_QUIT once the queue holds no other posted message.
void PostQuitMessage(int exitCode);
// Looks at the queue without waiting. Order: posted messages (input included) first in
// first out, then WM_QUIT, then WM_PAINT for a window with something to repaint (a
// WM_PAINT is never removed: it stays until the window is painted), then due WM_TIMERs. Window may
// be 0 (any) or a window whose messages (and its children's) are wanted; Min/Max filter message
// numbers when not both 0.
BOOL PeekMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT remove);
// Waits for a message and removes it; returns 0 for WM_QUIT, -1 for a bad window, else 1.
BOOL GetMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax);
// For WM_KEYDOWN of a key that types a character, posts WM_CHAR (US layout); TRUE if posted.
BOOL TranslateMessage(const MSG* msg);
// Runs the procedure of the message's window; 0 for a message without a (live) window.
LRESULT DispatchMessageA(const MSG* msg);
// Default processing: WM_CLOSE destroys the window, WM_PAINT validates it, WM_ERASEBKGND
// fills with the class brush, WM_SETTEXT stores the title, WM_SYSCOMMAND SC_CLOSE sends
// WM_CLOSE and SC_MINIMIZE/SC_RESTORE minimise and restore, Alt+F4 (WM_SYSKEYDOWN) asks to
// close, WM_NCCREATE returns TRUE; everything else returns 0.
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Procedure call helper: CallWindowProcA(Proc, ...) is Proc(...).
LRESULT CallWindowProcA(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// ---- Timers -----------------------------------------------------------------------------
using UINT_PTR = std::uintptr_t;
using TIMERPROC = void (*)(HWND, UINT, UINT_PTR, DWORD);

// Starts (or restarts) timer Id of Window: WM_TIMER with wParam Id is posted when Period
// milliseconds (at least 10) have passed and the queue holds no other message, at most one
// waiting per timer. A null window makes a thread timer whose new identifier is returned;
// otherwise the result is nonzero on success. Timer procedures are not offered (Proc must be
// null; otherwise 0). Timers end with their window.
UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT period, TIMERPROC proc);
BOOL KillTimer(HWND window, UINT_PTR id);

// ---- Painting ---------------------------------------------------------------------------
struct PAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
    BOOL fRestore;
    BOOL fIncUpdate;
    BYTE rgbReserved[32];
};

// A DC for painting the window (a child window's DC draws into its surface); validates
// the window. 0 for a bad window.
HDC BeginPaint(HWND window, PAINTSTRUCT* paint);
BOOL EndPaint(HWND window, const PAINTSTRUCT* paint);
// Marks a rectangle (the whole client area for null) for repainting. A null window
// marks every top-level window, as the platform does.
BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase);
BOOL ValidateRect(HWND window, const RECT* rect);

// A DC for the window: for a top-level window it stands for the GL drawable; for a child,
// its surface; for a null window, the screen. Release with ReleaseDC. DCs still held when
// their window is destroyed are released with it (later calls on them fail safely).
HDC GetDC(HWND window);
// Releases a DC of GetDC on the same window; returns 1 when released, 0 otherwise.
int ReleaseDC(HWND window, HDC dc);

// ---- Mouse, capture, focus --------------------------------------------------------------
// Sends all mouse messages to Window, also while the pointer is outside it; returns the
// previous holder.
HWND SetCapture(HWND window);
BOOL ReleaseCapture();
HWND GetCapture();
// The pointer in screen coordinates.
BOOL GetCursorPos(POINT* point);
// Moves the pointer (screen coordinates); where the backend cannot move the system
// pointer, the position is recorded and reported by GetCursorPos.
BOOL SetCursorPos(int x, int y);
// The top-level window that has the keyboard focus (0 when none of ours has).
HWND GetForegroundWindow();
BOOL SetForegroundWindow(HWND window);
HWND GetFocus();
HWND SetFocus(HWND window);

// ---- System metrics ---------------------------------------------------------------------
constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CYCAPTION = 4;
constexpr int SM_CXBORDER = 5;
constexpr int SM_CYBORDER = 6;
constexpr int SM_CXDLGFRAME = 7;
constexpr int SM_CYDLGFRAME = 8;
constexpr int SM_CXFIXEDFRAME = SM_CXDLGFRAME;
constexpr int SM_CYFIXEDFRAME = SM_CYDLGFRAME;
constexpr int SM_CXICON = 11;
constexpr int SM_CYICON = 12;
constexpr int SM_CXCURSOR = 13;
constexpr int SM_CYCURSOR = 14;
constexpr int SM_CXFRAME = 32;
constexpr int SM_CYFRAME = 33;
constexpr int SM_CMOUSEBUTTONS = 43;
// The screen size is the desktop's current mode (the mode is never changed); frame
// metrics are this layer's own. 0 for other indices.
int GetSystemMetrics(int index);

// ---- Cursors and icons ------------------------------------------------------------------
inline const LPCSTR IDC_ARROW = MAKEINTRESOURCEA(32512);
inline const LPCSTR IDC_IBEAM = MAKEINTRESOURCEA(32513);
inline const LPCSTR IDC_WAIT = MAKEINTRESOURCEA(32514);
inline const LPCSTR IDC_CROSS = MAKEINTRESOURCEA(32515);
inline const LPCSTR IDC_UPARROW = MAKEINTRESOURCEA(32516);
inline const LPCSTR IDC_SIZE = MAKEINTRESOURCEA(32640);
inline const LPCSTR IDC_ICON = MAKEINTRESOURCEA(32641);
inline const LPCSTR IDC_SIZENWSE = MAKEINTRESOURCEA(32642);
inline const LPCSTR IDC_SIZENESW = MAKEINTRESOURCEA(32643);
inline const LPCSTR IDC_SIZEWE = MAKEINTRESOURCEA(32644);
inline const LPCSTR IDC_SIZENS = MAKEINTRESOURCEA(32645);
inline const LPCSTR IDC_SIZEALL = MAKEINTRESOURCEA(32646);
inline const LPCSTR IDC_NO = MAKEINTRESOURCEA(32648);
inline const LPCSTR IDC_HAND = MAKEINTRESOURCEA(32649);
inline const LPCSTR IDC_APPSTARTING = MAKEINTRESOURCEA(32650);
inline const LPCSTR IDC_HELP = MAKEINTRESOURCEA(32651);

inline const LPCSTR IDI_APPLICATION = MAKEINTRESOURCEA(32512);
inline const LPCSTR IDI_HAND = MAKEINTRESOURCEA(32513);
inline const LPCSTR IDI_ERROR = IDI_HAND;
inline const LPCSTR IDI_QUESTION = MAKEINTRESOURCEA(32514);
inline const LPCSTR IDI_EXCLAMATION = MAKEINTRESOURCEA(32515);
inline const LPCSTR IDI_WARNING = IDI_EXCLAMATION;
inline const LPCSTR IDI_ASTERISK = MAKEINTRESOURCEA(32516);
inline const LPCSTR IDI_INFORMATION = IDI_ASTERISK;
inline const LPCSTR IDI_WINLOGO = MAKEINTRESOURCEA(32517);

// A system cursor by IDC_ identifier with a null instance (the same handle each time);
// 0 for a non-null instance or an unknown identifier.
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name);
// A system icon by IDI_ identifier with a null instance; 0 otherwise.
HICON LoadIconA(HINSTANCE instance, LPCSTR name);
// A cursor from a .cur or .ico file (the largest image of the file; 1, 4, 8, 24 and 32 bits
// per pixel with the AND mask, or PNG-compressed entries, which keep the arrow's shape). Also
// serves as a class icon. A missing, folder or malformed file gives 0.
HCURSOR LoadCursorFromFileA(LPCSTR fileName);
// Makes the cursor the pointer's shape over our windows; returns the previous cursor.
HCURSOR SetCursor(HCURSOR cursor);
// Releases a file cursor (system cursors stay); FALSE for a bad handle.
BOOL DestroyCursor(HCURSOR cursor);
BOOL DestroyIcon(HICON icon);
