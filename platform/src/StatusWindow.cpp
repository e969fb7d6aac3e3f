// The common-controls status window: parts with texts, drawn into its own surface.
#include "WindowBackend.h"
#include "WindowInternal.h"
#include "win32/CommCtrl.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace platform {
namespace {

constexpr std::uint32_t kFaceColour = 0xFFF0F0F0;
constexpr std::uint32_t kShadowColour = 0xFFA0A0A0;
constexpr std::uint32_t kLightColour = 0xFFFFFFFF;
constexpr std::uint32_t kTextColour = 0xFF000000;
constexpr int kTextMargin = 4;
constexpr int kReachesEnd = -1;
constexpr WPARAM kPartMask = 0xFF;
constexpr WPARAM kFlagsMask = 0xFF00;

struct StatusPart {
    int RightEdge = kReachesEnd;
    std::string Text; // code page 1252
    WPARAM Flags = 0;
};

// Parts by status window; dropped with the window.
std::map<HWND, std::vector<StatusPart>>& StatusParts() {
    static std::map<HWND, std::vector<StatusPart>> parts;
    return parts;
}

// The right edge of part I in a bar Width pixels wide.
int PartRight(const std::vector<StatusPart>& parts, std::size_t i, int width) {
    const int edge = parts[i].RightEdge;
    return edge == kReachesEnd || (i + 1 == parts.size() && edge > width) ? width
                                                                          : std::min(edge, width);
}

int PartLeft(const std::vector<StatusPart>& parts, std::size_t i, int width) {
    return i == 0 ? 0 : std::max(0, PartRight(parts, i - 1, width));
}

void FillRow(PixelSurface& s, int y, int x0, int x1, std::uint32_t colour) {
    if (y < 0 || y >= s.Height) return;
    for (int x = std::max(0, x0); x < std::min(s.Width, x1); ++x)
        s.Pixels[static_cast<std::size_t>(y) * s.Width + x] = colour;
}

void FillColumn(PixelSurface& s, int x, int y0, int y1, std::uint32_t colour) {
    if (x < 0 || x >= s.Width) return;
    for (int y = std::max(0, y0); y < std::min(s.Height, y1); ++y)
        s.Pixels[static_cast<std::size_t>(y) * s.Width + x] = colour;
}

// Paints the bar: face, a light top line, sunken part frames and each part's text.
void PaintBar(Window& w, const std::vector<StatusPart>& parts) {
    PixelSurface& s = w.Surface;
    std::fill(s.Pixels.begin(), s.Pixels.end(), kFaceColour);
    FillRow(s, 0, 0, s.Width, kLightColour);
    const int textHeight = BackendTextHeight();
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const int left = PartLeft(parts, i, s.Width);
        const int right = PartRight(parts, i, s.Width);
        if (right <= left) continue;
        if (!(parts[i].Flags & SBT_NOBORDERS)) {
            FillRow(s, 2, left, right - 2, kShadowColour);
            FillColumn(s, left, 2, s.Height - 1, kShadowColour);
            FillColumn(s, right - 3, 2, s.Height - 1, kLightColour);
        }
        const RECT clip{left + kTextMargin, 3, right - kTextMargin, s.Height - 1};
        BackendDrawText(s, clip, left + kTextMargin, (s.Height - textHeight) / 2 + 1,
                        parts[i].Text.c_str(), kTextColour);
    }
}

LRESULT SetParts(HWND h, WPARAM count, LPARAM edges) {
    if (count > SB_MAX_PARTS || (count > 0 && edges == 0)) return FALSE;
    auto& parts = StatusParts()[h];
    const int* given = reinterpret_cast<const int*>(edges);
    // No parts at all keeps one part over the whole bar.
    const std::size_t n = std::max<std::size_t>(count, 1);
    parts.resize(n);
    for (std::size_t i = 0; i < n; ++i)
        parts[i].RightEdge = count ? given[i] : kReachesEnd;
    InvalidateRect(h, nullptr, TRUE);
    return TRUE;
}

LRESULT SetText(HWND h, WPARAM which, LPARAM text) {
    auto& parts = StatusParts()[h];
    const std::size_t i = which & kPartMask;
    if (i >= parts.size()) return FALSE;
    parts[i].Text = text ? reinterpret_cast<LPCSTR>(text) : "";
    parts[i].Flags = which & kFlagsMask;
    InvalidateRect(h, nullptr, TRUE);
    return TRUE;
}

// Window procedure of the status class.
LRESULT StatusWindowProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: {
        const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        StatusParts()[h] = std::vector<StatusPart>(1);
        StatusParts()[h][0].Text = cs && cs->lpszName ? cs->lpszName : "";
        return 0;
    }
    case WM_NCDESTROY:
        StatusParts().erase(h);
        return 0;
    case WM_SETTEXT:
        SetText(h, 0, lParam);
        return DefWindowProcA(h, message, wParam, lParam);
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(h, &ps);
        if (Window* w = FindWindow(h)) PaintBar(*w, StatusParts()[h]);
        EndPaint(h, &ps);
        return 0;
    }
    case SB_SETPARTS:
        return SetParts(h, wParam, lParam);
    case SB_SETTEXTA:
        return SetText(h, wParam, lParam);
    case SB_GETPARTS: {
        const auto& parts = StatusParts()[h];
        if (int* out = reinterpret_cast<int*>(lParam))
            for (std::size_t i = 0; i < std::min<std::size_t>(wParam, parts.size()); ++i)
                out[i] = parts[i].RightEdge;
        return static_cast<LRESULT>(parts.size());
    }
    case SB_GETTEXTLENGTHA:
    case SB_GETTEXTA: {
        const auto& parts = StatusParts()[h];
        const std::size_t i = wParam & kPartMask;
        if (i >= parts.size()) return 0;
        // As on the platform, the caller's buffer must hold the whole text (see SB_GETTEXTLENGTHA).
        if (message == SB_GETTEXTA && lParam)
            std::memcpy(reinterpret_cast<char*>(lParam), parts[i].Text.c_str(),
                        parts[i].Text.size() + 1);
        return MAKELPARAM(static_cast<WORD>(parts[i].Text.size()),
                          static_cast<WORD>(parts[i].Flags));
    }
    case SB_GETRECT: {
        const auto& parts = StatusParts()[h];
        const std::size_t i = wParam & kPartMask;
        Window* w = FindWindow(h);
        auto* out = reinterpret_cast<RECT*>(lParam);
        if (!w || !out || i >= parts.size()) return FALSE;
        const int width = ClientWidth(*w);
        *out = RECT{PartLeft(parts, i, width), 0, PartRight(parts, i, width), ClientHeight(*w)};
        return TRUE;
    }
    default:
        return DefWindowProcA(h, message, wParam, lParam);
    }
}

// Registers the status class once.
bool RegisterStatusClass() {
    if (FindClass(STATUSCLASSNAMEA)) return true;
    WNDCLASSA wc{};
    wc.lpfnWndProc = StatusWindowProc;
    wc.hCursor = LoadCursorA(0, IDC_ARROW);
    wc.lpszClassName = STATUSCLASSNAMEA;
    return RegisterClassA(&wc) != 0;
}

} // namespace
} // namespace platform

using namespace platform;

HWND CreateStatusWindowA(LONG style, LPCSTR text, HWND parent, UINT id) {
    Window* p = FindWindow(parent);
    if (!p || !RegisterStatusClass()) return 0;
    const int width = ClientWidth(*p);
    const int top = ClientHeight(*p) - STATUS_BAR_HEIGHT;
    return CreateWindowExA(0, STATUSCLASSNAMEA, text, static_cast<DWORD>(style) | WS_CHILD, 0, top,
                           width, STATUS_BAR_HEIGHT, parent, static_cast<HMENU>(id),
                           GetModuleHandleA(nullptr), nullptr);
}

void InitCommonControls() {
    RegisterStatusClass();
}
