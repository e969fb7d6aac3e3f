// Brushes and system colours: stock and system-colour brushes, solid brushes, FillRect.
#include "GdiObjects.h"

#include <algorithm>
#include <memory>

namespace platform {

namespace {

// The classic colour scheme, by COLOR_ index (0x00BBGGRR).
constexpr COLORREF kSysColours[] = {
    0xC8C8C8, // COLOR_SCROLLBAR
    0x808000, // COLOR_BACKGROUND
    0x800000, // COLOR_ACTIVECAPTION
    0x808080, // COLOR_INACTIVECAPTION
    0xC0C0C0, // COLOR_MENU
    0xFFFFFF, // COLOR_WINDOW
    0x000000, // COLOR_WINDOWFRAME
    0x000000, // COLOR_MENUTEXT
    0x000000, // COLOR_WINDOWTEXT
    0xFFFFFF, // COLOR_CAPTIONTEXT
    0xC0C0C0, // COLOR_ACTIVEBORDER
    0xC0C0C0, // COLOR_INACTIVEBORDER
    0x808080, // COLOR_APPWORKSPACE
    0x800000, // COLOR_HIGHLIGHT
    0xFFFFFF, // COLOR_HIGHLIGHTTEXT
    0xC0C0C0, // COLOR_BTNFACE
    0x808080, // COLOR_BTNSHADOW
    0x808080, // COLOR_GRAYTEXT
    0x000000, // COLOR_BTNTEXT
    0xC0C0C0, // COLOR_INACTIVECAPTIONTEXT
    0xFFFFFF, // COLOR_BTNHIGHLIGHT
    0x000000, // COLOR_3DDKSHADOW
    0xC0C0C0, // COLOR_3DLIGHT
    0x000000, // COLOR_INFOTEXT
    0xE1FFFF, // COLOR_INFOBK
    0x000000, // (unused)
    0x800000, // COLOR_HOTLIGHT
    0xD08410, // COLOR_GRADIENTACTIVECAPTION
    0xB5B5B5, // COLOR_GRADIENTINACTIVECAPTION
    0x800000, // COLOR_MENUHILIGHT
    0xC0C0C0, // COLOR_MENUBAR
};
constexpr int kSysColourCount = static_cast<int>(sizeof kSysColours / sizeof kSysColours[0]);

// The brush a FillRect argument stands for: a handle, or COLOR_xxx + 1.
const GdiBrush* ResolveBrush(HBRUSH brush) {
    GdiStore& store = Gdi();
    if (brush >= 1 && brush <= static_cast<HBRUSH>(kSysColourCount))
        return store.Brushes.Get(store.SysColorBrushes[brush - 1]);
    return store.Brushes.Get(brush);
}

// 0x00BBGGRR to 0x00RRGGBB.
std::uint32_t ColorRefToRgb(COLORREF c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

} // namespace

} // namespace platform

using namespace platform;

// A colour of the classic scheme.
DWORD GetSysColor(int index) {
    if (index < 0 || index >= kSysColourCount) return 0;
    return kSysColours[index];
}

// The shared brush of a system colour.
HBRUSH GetSysColorBrush(int index) {
    GdiStore& store = Gdi();
    if (index < 0 || static_cast<std::size_t>(index) >= store.SysColorBrushes.size()) return 0;
    return store.SysColorBrushes[static_cast<std::size_t>(index)];
}

// A new solid brush.
HBRUSH CreateSolidBrush(COLORREF color) {
    auto brush = std::make_unique<GdiBrush>();
    brush->Color = color & 0x00FFFFFF;
    return Gdi().Brushes.Add(std::move(brush));
}

// Paints a rectangle (clipped to the DC's pixels) with a brush's colour.
int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
    const GdiBrush* found = ResolveBrush(brush);
    PixelTarget to;
    if (!rect || !found || !DcPixels(dc, to)) return 0;
    if (found->Null) return 1;
    const int left = std::max(0, rect->left);
    const int top = std::max(0, rect->top);
    const int right = std::min(to.Width, rect->right);
    const int bottom = std::min(to.Height, rect->bottom);
    const std::uint32_t rgb = ColorRefToRgb(found->Color);
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            to.Set(x, y, rgb);
    return 1;
}
