// Pixel formats, GL contexts and the buffer swap (platform/src/Wgl*, Sdl*).
// Our own declarations with the platform's published values.
#pragma once

#include "win32/Types.h"

struct PIXELFORMATDESCRIPTOR {
    WORD nSize;
    WORD nVersion;
    DWORD dwFlags;
    BYTE iPixelType;
    BYTE cColorBits;
    BYTE cRedBits;
    BYTE cRedShift;
    BYTE cGreenBits;
    BYTE cGreenShift;
    BYTE cBlueBits;
    BYTE cBlueShift;
    BYTE cAlphaBits;
    BYTE cAlphaShift;
    BYTE cAccumBits;
    BYTE cAccumRedBits;
    BYTE cAccumGreenBits;
    BYTE cAccumBlueBits;
    BYTE cAccumAlphaBits;
    BYTE cDepthBits;
    BYTE cStencilBits;
    BYTE cAuxBuffers;
    BYTE iLayerType;
    BYTE bReserved;
    DWORD dwLayerMask;
    DWORD dwVisibleMask;
    DWORD dwDamageMask;
};
static_assert(sizeof(PIXELFORMATDESCRIPTOR) == 40, "the descriptor is a 40-byte record");

constexpr DWORD PFD_DOUBLEBUFFER = 0x00000001;
constexpr DWORD PFD_STEREO = 0x00000002;
constexpr DWORD PFD_DRAW_TO_WINDOW = 0x00000004;
constexpr DWORD PFD_DRAW_TO_BITMAP = 0x00000008;
constexpr DWORD PFD_SUPPORT_GDI = 0x00000010;
constexpr DWORD PFD_SUPPORT_OPENGL = 0x00000020;
constexpr DWORD PFD_GENERIC_FORMAT = 0x00000040;
constexpr DWORD PFD_NEED_PALETTE = 0x00000080;
constexpr DWORD PFD_SWAP_EXCHANGE = 0x00000200;
constexpr DWORD PFD_SWAP_COPY = 0x00000400;
constexpr DWORD PFD_GENERIC_ACCELERATED = 0x00001000;
constexpr DWORD PFD_DOUBLEBUFFER_DONTCARE = 0x40000000;
constexpr DWORD PFD_DEPTH_DONTCARE = 0x20000000;
constexpr BYTE PFD_TYPE_RGBA = 0;
constexpr BYTE PFD_TYPE_COLORINDEX = 1;
constexpr BYTE PFD_MAIN_PLANE = 0;
constexpr BYTE PFD_OVERLAY_PLANE = 1;
constexpr BYTE PFD_UNDERLAY_PLANE = static_cast<BYTE>(-1);

// The formats the driver offers for a window DC. This layer offers the one format every
// top-level window is created with: double-buffered RGBA, 8 bits a channel (32 colour
// bits with alpha), 24 depth bits, 8 stencil bits, no accumulation or auxiliary buffers.
// Returns the closest format's number (1-based) for any RGBA or colour-index request;
// 0 for a DC that is not a window DC of a live top-level window, or a null descriptor.
int ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* descriptor);
// Sets the window's format once; FALSE for a format number the DC does not offer or a
// window whose format is already set to another one.
BOOL SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR* descriptor);
// The window's format number, 0 when none is set.
int GetPixelFormat(HDC dc);
// Describes format Format into *Out (which may be null) and returns the number of formats
// offered; 0 for a bad DC or format number.
int DescribePixelFormat(HDC dc, int format, UINT bytes, PIXELFORMATDESCRIPTOR* out);

// A double-buffered RGBA compatibility context (OpenGL 1.1 and GLU work on it) for the
// window of Dc, whose pixel format must be set. Not made current. 0 on failure.
HGLRC wglCreateContext(HDC dc);
// Makes Context current on Dc's window; a null context releases the current one.
BOOL wglMakeCurrent(HDC dc, HGLRC context);
// Deletes a context (released first if current); FALSE for a bad handle.
BOOL wglDeleteContext(HGLRC context);
HGLRC wglGetCurrentContext();
HDC wglGetCurrentDC();

// Presents the back buffer of Dc's window. When the window's context is current, the
// window's visible child windows are first drawn over the back buffer (clipped by their
// window regions), leaving every piece of GL state as it was.
BOOL SwapBuffers(HDC dc);
