// Windows, classes, messages, input, cursors, icons, message boxes, properties, painting (platform/src/User*, Sdl*)
#pragma once

#include "win32/Types.h"

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
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
