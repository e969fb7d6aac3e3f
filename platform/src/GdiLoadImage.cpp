// LoadImageA: BMP files read from disk and decoded into DIB sections.
#include "BmpDecode.h"
#include "GdiObjects.h"

#include <sys/stat.h>

#include <cstdio>
#include <memory>

namespace platform {

namespace {

// No BMP we accept comes near this; larger files are refused before reading.
constexpr std::uint64_t kMaxBmpFileBytes = std::uint64_t{256} << 20;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

// The whole content of a regular file; false for folders, missing or oversized files.
bool ReadWholeFile(const char* name, std::vector<std::uint8_t>& out) {
    struct stat info {};
    if (::stat(name, &info) != 0 || !S_ISREG(info.st_mode)) return false;
    if (static_cast<std::uint64_t>(info.st_size) > kMaxBmpFileBytes) return false;
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(name, "rb"));
    if (!file) return false;
    out.resize(static_cast<std::size_t>(info.st_size));
    const std::size_t got = out.empty() ? 0 : std::fread(out.data(), 1, out.size(), file.get());
    out.resize(got);
    return true;
}

// The colour-table entry of the first pixel in memory becomes the window colour.
void MakeFirstColourTransparent(Dib& image) {
    if (image.ColorTable.empty() || image.Bits.empty()) return;
    const std::uint8_t first = image.Bits[0];
    std::size_t index = first;
    if (image.BitCount == 1) index = first >> 7;
    if (image.BitCount == 4) index = first >> 4;
    if (index >= image.ColorTable.size()) return;
    const DWORD window = GetSysColor(COLOR_WINDOW); // 0x00BBGGRR
    image.ColorTable[index] = RGBQUAD{static_cast<BYTE>(window >> 16),
                                      static_cast<BYTE>(window >> 8), static_cast<BYTE>(window), 0};
}

} // namespace

} // namespace platform

using namespace platform;

// A BMP file as a DIB section.
HANDLE LoadImageA(HINSTANCE, LPCSTR name, UINT type, int cx, int cy, UINT flags) {
    if (!name || type != IMAGE_BITMAP || (flags & LR_LOADFROMFILE) == 0 || cx != 0 || cy != 0)
        return 0;
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(name, bytes)) return 0;
    Dib image;
    if (!DecodeBmp(bytes.data(), bytes.size(), image)) return 0;
    if (flags & LR_LOADTRANSPARENT) MakeFirstColourTransparent(image);
    return AddBitmap(std::move(image));
}
