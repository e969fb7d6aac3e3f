// Common controls: the status window (platform/src/StatusWindow*).
// Our own declarations with the platform's published values.
#pragma once

#include "win32/Types.h"

// The status window's class name, registered by the first CreateStatusWindowA.
constexpr const char* STATUSCLASSNAMEA = "msctls_statusbar32";

constexpr UINT SB_SETTEXTA = 0x0401;
constexpr UINT SB_GETTEXTA = 0x0402;
constexpr UINT SB_GETTEXTLENGTHA = 0x0403;
constexpr UINT SB_SETPARTS = 0x0404;
constexpr UINT SB_GETPARTS = 0x0406;
constexpr UINT SB_GETRECT = 0x040A;
constexpr UINT SB_SETTEXT = SB_SETTEXTA;
constexpr UINT SB_GETTEXT = SB_GETTEXTA;

constexpr DWORD SBARS_SIZEGRIP = 0x0100;
// SB_SETTEXTA drawing flags, in the high byte of wParam's low word.
constexpr WPARAM SBT_NOBORDERS = 0x0100;
constexpr WPARAM SBT_POPOUT = 0x0200;

// The most parts a status window keeps; SB_SETPARTS with more fails.
constexpr int SB_MAX_PARTS = 256;
// The status window's height in pixels (its font is DejaVu Sans at 12 pixels).
constexpr int STATUS_BAR_HEIGHT = 22;

// A status bar along the bottom of Parent's client area, as wide as the client area,
// showing Text in its first part; Id is its control identifier. 0 on failure.
// Messages:
// - SB_SETPARTS: wParam parts (0..SB_MAX_PARTS; 0 keeps one part over the whole bar), lParam
//   the address of that many right edges in client coordinates, -1 reaching the right end.
//   TRUE on success; FALSE (nothing changed) for a count above the limit or a null address
//   with a non-zero count.
// - SB_SETTEXTA: wParam the part (low byte) and SBT_ flags, lParam a code page 1252 text
//   (null clears). FALSE for a part beyond the parts set.
// - SB_GETTEXTA / SB_GETTEXTLENGTHA: copy / measure a part's text (length in the low word).
// - SB_GETPARTS: copies up to wParam edges to lParam; returns the number of parts.
// Text is drawn with DejaVu Sans (fonts-dejavu-core) through SDL_ttf.
HWND CreateStatusWindowA(LONG style, LPCSTR text, HWND parent, UINT id);
// Nothing to prepare here; kept for programs that call it.
void InitCommonControls();
