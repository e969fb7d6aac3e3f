// Cursors and icons: the system ones by identifier, .cur/.ico files, the class cursor
// shown over a window.
#include "WindowBackend.h"
#include "WindowInternal.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace platform {
namespace {

// Identifiers of the system cursors and icons we offer.
constexpr std::array<int, 16> kSystemCursors = {32512, 32513, 32514, 32515, 32516, 32640,
                                                32641, 32642, 32643, 32644, 32645, 32646,
                                                32648, 32649, 32650, 32651};
constexpr std::array<int, 6> kSystemIcons = {32512, 32513, 32514, 32515, 32516, 32517};
constexpr int kArrowId = 32512;

// Limits of the file reader: nothing bigger is a sensible cursor or icon.
constexpr std::uintmax_t kMaxFileBytes = 4u << 20;
constexpr int kMaxImageSide = 256;
constexpr std::size_t kDirHeaderBytes = 6;
constexpr std::size_t kDirEntryBytes = 16;
constexpr std::size_t kInfoHeaderBytes = 40;
constexpr WORD kTypeIcon = 1;
constexpr WORD kTypeCursor = 2;

struct CursorStore {
    HandleTable<CursorImage> Cursors{HandleKind::Cursor};
    HandleTable<CursorImage> Icons{HandleKind::Icon};
    std::array<HCURSOR, kSystemCursors.size()> SystemCursorHandles{};
    std::array<HICON, kSystemIcons.size()> SystemIconHandles{};
    HCURSOR Current = 0;
};

CursorStore& Store() {
    static CursorStore store;
    return store;
}

// Little-endian reads from a byte buffer whose bounds the caller checked.
std::uint32_t Read16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at] | (b[at + 1] << 8));
}
std::uint32_t Read32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return Read16(b, at) | (Read16(b, at + 2) << 16);
}

// Whether [At, At + Size) lies inside a buffer of Total bytes, without overflow.
bool Inside(std::size_t total, std::uint64_t at, std::uint64_t size) {
    return at <= total && size <= total - at;
}

// Reads a whole regular file of sensible size; false for folders and missing files.
bool ReadSmallFile(const char* name, std::vector<std::uint8_t>& out) {
    std::error_code ec;
    const std::filesystem::path path(name);
    if (!std::filesystem::is_regular_file(path, ec)) return false;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec || size > kMaxFileBytes) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return out.size() == size;
}

// Decodes one DIB image of an icon directory (colour rows and the AND mask, bottom-up).
bool DecodeDib(const std::vector<std::uint8_t>& file, std::size_t at, std::size_t bytes,
               CursorImage& image) {
    if (bytes < kInfoHeaderBytes) return false;
    const std::uint32_t headerSize = Read32(file, at);
    const std::int32_t width = static_cast<std::int32_t>(Read32(file, at + 4));
    const std::int32_t doubledHeight = static_cast<std::int32_t>(Read32(file, at + 8));
    const std::uint32_t bpp = Read16(file, at + 14);
    const std::uint32_t compression = Read32(file, at + 16);
    std::uint32_t colours = Read32(file, at + 32);
    if (headerSize < kInfoHeaderBytes || headerSize > bytes || compression != 0) return false;
    if (width <= 0 || width > kMaxImageSide || doubledHeight <= 0 ||
        doubledHeight > 2 * kMaxImageSide || doubledHeight % 2 != 0)
        return false;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) return false;
    const int height = doubledHeight / 2;
    if (bpp <= 8) {
        if (colours == 0 || colours > (1u << bpp)) colours = 1u << bpp;
    } else {
        colours = 0;
    }
    const std::size_t tableAt = headerSize;
    const std::size_t colourStride = ((static_cast<std::size_t>(width) * bpp + 31) / 32) * 4;
    const std::size_t maskStride = ((static_cast<std::size_t>(width) + 31) / 32) * 4;
    const std::size_t colourAt = tableAt + 4u * colours;
    const std::size_t maskAt = colourAt + colourStride * static_cast<std::size_t>(height);
    if (!Inside(bytes, maskAt, maskStride * static_cast<std::size_t>(height))) return false;

    image.Width = width;
    image.Height = height;
    image.Pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    bool anyAlpha = false;
    std::vector<bool> masked(image.Pixels.size(), false);
    for (int row = 0; row < height; ++row) {
        const std::size_t src =
            at + colourAt + colourStride * static_cast<std::size_t>(height - 1 - row);
        const std::size_t mask =
            at + maskAt + maskStride * static_cast<std::size_t>(height - 1 - row);
        for (int x = 0; x < width; ++x) {
            std::uint32_t argb = 0;
            if (bpp == 32) {
                const std::size_t p = src + 4u * static_cast<std::size_t>(x);
                argb = Read32(file, p);
                anyAlpha = anyAlpha || (argb >> 24) != 0;
            } else if (bpp == 24) {
                const std::size_t p = src + 3u * static_cast<std::size_t>(x);
                argb = file[p] | (file[p + 1] << 8) | (file[p + 2] << 16);
            } else {
                const std::size_t bit = static_cast<std::size_t>(x) * bpp;
                const std::uint32_t byte = file[src + bit / 8];
                const std::uint32_t shift = 8 - bpp - static_cast<std::uint32_t>(bit % 8);
                const std::uint32_t index = (byte >> shift) & ((1u << bpp) - 1);
                if (index < colours) argb = Read32(file, at + tableAt + 4u * index) & 0x00FFFFFF;
            }
            const bool transparent =
                (file[mask + static_cast<std::size_t>(x) / 8] >> (7 - x % 8)) & 1;
            if (bpp != 32) argb = (argb & 0x00FFFFFF) | (transparent ? 0u : 0xFF000000u);
            const std::size_t i =
                static_cast<std::size_t>(row) * static_cast<std::size_t>(width) + x;
            image.Pixels[i] = argb;
            masked[i] = transparent;
        }
    }
    if (bpp == 32 && !anyAlpha) {
        // An old-style 32-bit image without alpha: the AND mask tells transparency.
        for (std::size_t i = 0; i < image.Pixels.size(); ++i)
            image.Pixels[i] = (image.Pixels[i] & 0x00FFFFFF) | (masked[i] ? 0u : 0xFF000000u);
    }
    return true;
}

// Parses a .cur or .ico file into its largest image; false for anything malformed.
bool ParseIconFile(const std::vector<std::uint8_t>& file, CursorImage& image) {
    static constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (file.size() < kDirHeaderBytes) return false;
    const std::uint32_t type = Read16(file, 2);
    const std::uint32_t count = Read16(file, 4);
    if (Read16(file, 0) != 0 || (type != kTypeIcon && type != kTypeCursor) || count == 0)
        return false;
    if (!Inside(file.size(), kDirHeaderBytes, kDirEntryBytes * count)) return false;
    std::size_t best = 0;
    std::uint64_t bestScore = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t e = kDirHeaderBytes + kDirEntryBytes * i;
        const std::uint64_t w = file[e] ? file[e] : 256;
        const std::uint64_t h = file[e + 1] ? file[e + 1] : 256;
        const std::uint64_t score =
            (w * h) << 8 | (type == kTypeIcon ? Read16(file, e + 6) & 0xFF : 0);
        if (score > bestScore) {
            bestScore = score;
            best = e;
        }
    }
    const std::uint32_t bytes = Read32(file, best + 8);
    const std::uint32_t offset = Read32(file, best + 12);
    if (!Inside(file.size(), offset, bytes)) return false;
    if (bytes >= sizeof kPngSignature &&
        std::memcmp(&file[offset], kPngSignature, sizeof kPngSignature) == 0) {
        // Compressed entries keep the arrow's shape: we carry no PNG decoder.
        image.SystemId = kArrowId;
        return true;
    }
    if (!DecodeDib(file, offset, bytes, image)) return false;
    if (type == kTypeCursor) {
        image.HotX = std::min(static_cast<int>(Read16(file, best + 4)), image.Width - 1);
        image.HotY = std::min(static_cast<int>(Read16(file, best + 6)), image.Height - 1);
    }
    return true;
}

// The handle of a system image by identifier, made once.
template <std::size_t N>
HANDLE SystemHandle(HandleTable<CursorImage>& table, std::array<HANDLE, N>& handles,
                    const std::array<int, N>& ids, LPCSTR name) {
    if (!IS_INTRESOURCE(name)) return 0;
    const int id = static_cast<int>(reinterpret_cast<std::uintptr_t>(name));
    for (std::size_t i = 0; i < N; ++i) {
        if (ids[i] != id) continue;
        if (!handles[i]) {
            auto image = std::make_unique<CursorImage>();
            image->SystemId = id;
            handles[i] = table.Add(std::move(image));
        }
        return handles[i];
    }
    return 0;
}

// Frees a file image; system images stay.
BOOL DestroyImage(HandleTable<CursorImage>& table, HANDLE h) {
    CursorImage* image = table.Get(h);
    if (!image) return FALSE;
    if (image->SystemId != 0 && image->Pixels.empty()) return TRUE;
    if (Store().Current == h) {
        BackendSetCursor(nullptr);
        Store().Current = 0;
    }
    BackendReleaseCursor(*image);
    table.Remove(h);
    return TRUE;
}

} // namespace

CursorImage* FindCursorImage(HANDLE h) {
    if (CursorImage* c = Store().Cursors.Get(h)) return c;
    return Store().Icons.Get(h);
}

CursorImage* CursorForWindow(HWND h) {
    Window* w = FindWindow(h);
    if (w && w->Class && w->Class->Cursor) return FindCursorImage(w->Class->Cursor);
    return FindCursorImage(LoadCursorA(0, IDC_ARROW));
}

} // namespace platform

using namespace platform;

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
    if (instance != 0) return 0;
    CursorStore& s = Store();
    return SystemHandle(s.Cursors, s.SystemCursorHandles, kSystemCursors, name);
}

HICON LoadIconA(HINSTANCE instance, LPCSTR name) {
    if (instance != 0) return 0;
    CursorStore& s = Store();
    return SystemHandle(s.Icons, s.SystemIconHandles, kSystemIcons, name);
}

HCURSOR LoadCursorFromFileA(LPCSTR fileName) {
    if (!fileName || fileName[0] == '\0') return 0;
    std::vector<std::uint8_t> file;
    if (!ReadSmallFile(fileName, file)) return 0;
    auto image = std::make_unique<CursorImage>();
    if (!ParseIconFile(file, *image)) return 0;
    return Store().Cursors.Add(std::move(image));
}

HCURSOR SetCursor(HCURSOR cursor) {
    const HCURSOR previous = Store().Current;
    Store().Current = cursor;
    BackendSetCursor(FindCursorImage(cursor));
    return previous;
}

BOOL DestroyCursor(HCURSOR cursor) {
    return DestroyImage(Store().Cursors, cursor);
}

BOOL DestroyIcon(HICON icon) {
    if (Store().Cursors.Get(icon)) return DestroyImage(Store().Cursors, icon);
    return DestroyImage(Store().Icons, icon);
}
