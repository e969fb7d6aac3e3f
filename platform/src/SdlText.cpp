// SDL2 backend: text drawing into child-window surfaces with SDL_ttf and DejaVu Sans.
#include "Cp1252.h"
#include "WindowBackend.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>

namespace platform {
namespace {

constexpr int kFontPixels = 12;
constexpr const char* kFontFiles[] = {
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
    "/usr/share/fonts/TTF/DejaVuSans.ttf",
    "/usr/share/fonts/dejavu/DejaVuSans.ttf",
};

// The status font, opened once; null when neither SDL_ttf nor a font is available.
TTF_Font* Font() {
    static TTF_Font* font = nullptr;
    static bool tried = false;
    if (tried) return font;
    tried = true;
    if (!TTF_WasInit() && TTF_Init() != 0) return nullptr;
    for (const char* file : kFontFiles)
        if ((font = TTF_OpenFont(file, kFontPixels))) break;
    return font;
}

// Blends one channel: Src over Dst with coverage A (0..255).
std::uint32_t Blend(std::uint32_t src, std::uint32_t dst, std::uint32_t a) {
    return (src * a + dst * (255 - a) + 127) / 255;
}

} // namespace

bool BackendDrawText(PixelSurface& surface, const RECT& clip, int x, int y, const char* text,
                     std::uint32_t argb) {
    TTF_Font* font = Font();
    if (!font) return false;
    const std::string utf8 = Cp1252ToUtf8(text);
    if (utf8.empty()) return true;
    const SDL_Color colour{static_cast<Uint8>(argb >> 16), static_cast<Uint8>(argb >> 8),
                           static_cast<Uint8>(argb), 255};
    SDL_Surface* rendered = TTF_RenderUTF8_Blended(font, utf8.c_str(), colour);
    if (!rendered) return false;
    SDL_Surface* glyphs = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(rendered);
    if (!glyphs) return false;
    const int left = std::max({0, static_cast<int>(clip.left), x});
    const int top = std::max({0, static_cast<int>(clip.top), y});
    const int right = std::min({surface.Width, static_cast<int>(clip.right), x + glyphs->w});
    const int bottom = std::min({surface.Height, static_cast<int>(clip.bottom), y + glyphs->h});
    SDL_LockSurface(glyphs);
    for (int py = top; py < bottom; ++py) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(
            static_cast<const std::uint8_t*>(glyphs->pixels) +
            static_cast<std::size_t>(py - y) * glyphs->pitch);
        for (int px = left; px < right; ++px) {
            const std::uint32_t g = row[px - x];
            const std::uint32_t a = g >> 24;
            if (a == 0) continue;
            std::uint32_t& d = surface.Pixels[static_cast<std::size_t>(py) * surface.Width + px];
            d = 0xFF000000u | (Blend((g >> 16) & 0xFF, (d >> 16) & 0xFF, a) << 16) |
                (Blend((g >> 8) & 0xFF, (d >> 8) & 0xFF, a) << 8) | Blend(g & 0xFF, d & 0xFF, a);
        }
    }
    SDL_UnlockSurface(glyphs);
    SDL_FreeSurface(glyphs);
    return true;
}

int BackendTextHeight() {
    TTF_Font* font = Font();
    return font ? TTF_FontHeight(font) : 0;
}

} // namespace platform
