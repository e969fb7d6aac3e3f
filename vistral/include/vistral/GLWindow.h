// The GL window life cycle: classes, window, pixel format, context.
//
// An application calls OGLWindowSetting, then CreateOGLWindow, and DeleteOGLWindow
// when its main loop ends. Start-up failures are fatal: ThrowError shows a box
// titled "Error" and ends the process with exit code 0.
#pragma once

#include "Win32.h"
#include "vistral/Types.h"
#include "vistral/WindowState.h"

#include <cstdint>

// ---- Cursor kinds for the "GLWindow" class ----------------------------------------------
// Any other kind (0, negative, above 16) loads nothing: the class gets a null cursor.
constexpr std::int32_t ARROW = 1;
constexpr std::int32_t IBEAM = 2;
constexpr std::int32_t WAIT = 3;
constexpr std::int32_t CROSS = 4;
constexpr std::int32_t UPARROW = 5;
constexpr std::int32_t SIZE = 6;
// Loads CursorFile with LoadCursorFromFileA; a missing file gives a null cursor.
constexpr std::int32_t FILECURSOR = 7;
constexpr std::int32_t SIZENWSE = 8;
constexpr std::int32_t SIZENESW = 9;
constexpr std::int32_t SIZEWE = 10;
constexpr std::int32_t SIZENS = 11;
constexpr std::int32_t SIZEALL = 12;
// The slashed-circle cursor, not a hidden one.
constexpr std::int32_t NOCURSOR = 13;
constexpr std::int32_t HAND = 14;
constexpr std::int32_t APPSTARTING = 15;
constexpr std::int32_t HELP = 16;

// ---- Icon kinds -------------------------------------------------------------------------
// Any other kind loads nothing: the class gets a null icon.
constexpr std::int32_t GENERIC = 1;
// Loads IconFile with LoadCursorFromFileA and uses that handle as the icon.
constexpr std::int32_t FILEICON = 2;

// ---- Texts (code page 1252) -------------------------------------------------------------
inline constexpr char GLWINDOW_CLASS_NAME[] = "GLWindow";
inline constexpr char IMAGEBUTTON_CLASS_NAME[] = "IMAGEBUTTON";
inline constexpr char ERROR_CAPTION[] = "Error";
inline constexpr char ERROR_REGISTER_TEXT[] = "Errore di registro per la rispettiva applicazione!";
inline constexpr char ERROR_CREATE_TEXT[] =
    "Impossibile creare la finestra per la rispettiva applicazione!";
// Spelled as the program always showed it.
inline constexpr char ERROR_INIT_TEXT[] = "la rispettiva applicazione non \xE8 stata inizilizata!";

// ---- Fixed flags and styles -------------------------------------------------------------
// Pixel-format flags every request carries (0x1065).
constexpr DWORD GL_WINDOW_PIXEL_FLAGS = PFD_DOUBLEBUFFER | PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL |
                                        PFD_GENERIC_FORMAT | PFD_GENERIC_ACCELERATED;
// Layer type of the request: PFD_OVERLAY_PLANE, as the engine has always asked.
constexpr BYTE GL_WINDOW_LAYER_TYPE = PFD_OVERLAY_PLANE;
// Windowed style (0x96CA0000), before CREATE_WINDOW_FLAGS.
constexpr DWORD GL_WINDOW_STYLE = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN |
                                  WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// Full-screen style (0x96880000): a bordered pop-up covering the screen.
constexpr DWORD GL_FULLSCREEN_STYLE =
    WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_BORDER | WS_SYSMENU;
// Class style of "GLWindow".
constexpr UINT GL_WINDOW_CLASS_STYLE = CS_HREDRAW | CS_VREDRAW;

// ---- Settings and published state -------------------------------------------------------
// Cursor kind of the "GLWindow" class (table above).
extern std::int32_t SetTypeCursor;
// Icon kind of the "GLWindow" class (table above).
extern std::int32_t SetTypeIcon;
// Cursor file for FILECURSOR; the caller's string, not copied.
extern const char* CursorFile;
// Icon file for FILEICON; the caller's string, not copied.
extern const char* IconFile;
// Extra pixel-format flags ORed into GL_WINDOW_PIXEL_FLAGS; keep the result below 0x80000000.
extern std::int32_t PIXEL_FORMAT_FLAGS;
// Extra window styles ORed into the windowed style only; keep it non-negative.
extern std::int32_t CREATE_WINDOW_FLAGS;
// The "IMAGEBUTTON" class record, as queried or as registered by WindowRegister.
extern WNDCLASSEXA WindowClassEx;
// Tick count taken by OGLWindowSetting when free-look was already on.
extern DWORD Start;
// The engine's fog switch; OGLWindowSetting turns it on.
extern bool FogOnOff;
// An empty display list made by OGLWindowSetting; 0 when no GL context was current.
extern std::uint32_t ObjNull;

// ---- Operations -------------------------------------------------------------------------
// Stores the cursor and icon choice for the class; call before CreateOGLWindow.
void OGLWindowSetting(std::int32_t TypeCursor, const char* CurFile, std::int32_t TypeIcon,
                      const char* IcoFile);
// Registers the classes, creates the window (and the status bar if asked), sets the pixel
// format and makes a GL context current. Returns true; every failure ends the process.
// With ShowMenuBar on and CreateMenuBar left null, the menu step is skipped.
bool CreateOGLWindow(const char* AppName, std::int32_t AppWidth, std::int32_t AppHeight,
                     std::int32_t AppBits, bool AppFullScreen);
// Registers "GLWindow" (the result) and, if not yet there, "IMAGEBUTTON" (not reported).
bool WindowRegister();
// Creates and shows the GL window; 0 on failure. In full screen Width and Height become
// the screen size first.
HWND WindowCreate(const char* PCApplicationName);
// Takes the window's device context, sets the pixel format and makes a context current.
// True when both a format and a context were had. Bits must lie within 0..255 (a range
// error otherwise): it is the size of every depth-like field of the request.
bool WindowInit(HWND HParent);
// Releases the context, the device context and the window; the handles keep their values.
void DeleteOGLWindow();
// Shows PCErrorMessage in a box titled "Error" with an OK button, then ends the process
// with exit code 0.
[[noreturn]] void ThrowError(const char* PCErrorMessage);
