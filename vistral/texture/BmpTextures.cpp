// BMP textures: the depth probe, the blue/red exchange, mip-maps and the BMP texture slots.
#include "vistral/BmpTextures.h"

#include "FileName.h"
#include "SlotTextures.h"
#include "win32/Gdi.h"
#include "win32/Kernel.h"
#include "win32/User.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstddef>

vistral::RangeArray<std::uint32_t, 0, 500, "TextureID2"> TextureID2{};
std::int32_t GL_Min_Filter = GL_LINEAR;
std::int32_t GL_Mag_Filter = GL_LINEAR;

namespace {

constexpr std::uint16_t BMP_SIGNATURE = 0x4D42; // "BM", little-endian
constexpr std::size_t FILE_HEADER_SIZE = 14;
constexpr std::size_t INFO_HEADER_SIZE = 40;
constexpr std::size_t INFO_SIZE_OFFSET = 0;       // biSize within BITMAPINFOHEADER
constexpr std::size_t INFO_BIT_COUNT_OFFSET = 14; // biBitCount within BITMAPINFOHEADER
constexpr std::uint32_t CORE_HEADER_SIZE = 12;    // the older OS/2 header
constexpr std::int32_t FORMAT_24 = 24;
constexpr std::int32_t FORMAT_32 = 32;
constexpr std::int32_t COMPONENTS_24 = 3;
constexpr std::int32_t COMPONENTS_32 = 4;
constexpr GLenum GL_BGRA_FORMAT = 0x80E1; // GL_BGRA_EXT
constexpr UINT BMP_LOAD_FLAGS = LR_LOADFROMFILE | LR_LOADTRANSPARENT | LR_CREATEDIBSECTION;
constexpr GLint BMP_ROW_ALIGNMENT = 4;
constexpr std::size_t BYTES_24 = 3;

// Reads Count bytes; false when fewer arrive or the read fails.
bool ReadAll(HANDLE file, std::uint8_t* buffer, DWORD count) {
    DWORD arrived = 0;
    return ReadFile(file, buffer, count, &arrived, nullptr) && arrived == count;
}

// A little-endian 16-bit value.
std::uint16_t Word16(const std::uint8_t* at) {
    return static_cast<std::uint16_t>(at[0] | (at[1] << 8));
}

// A little-endian 32-bit value.
std::uint32_t Dword32(const std::uint8_t* at) {
    return std::uint32_t{at[0]} | (std::uint32_t{at[1]} << 8) | (std::uint32_t{at[2]} << 16) |
           (std::uint32_t{at[3]} << 24);
}

// The depth read from an open file, 0 when its headers are short or not usable.
std::int32_t ProbeOpenFile(HANDLE file) {
    std::uint8_t fileHeader[FILE_HEADER_SIZE];
    if (!ReadAll(file, fileHeader, FILE_HEADER_SIZE)) return 0;
    if (Word16(fileHeader) != BMP_SIGNATURE) return 0;
    std::uint8_t infoHeader[INFO_HEADER_SIZE];
    if (!ReadAll(file, infoHeader, INFO_HEADER_SIZE)) return 0;
    if (Dword32(infoHeader + INFO_SIZE_OFFSET) == CORE_HEADER_SIZE) return 0;
    return Word16(infoHeader + INFO_BIT_COUNT_OFFSET);
}

// Exchanges blue and red row by row, leaving each row's padding to 4 bytes alone.
void SwapRowsRGB(std::uint8_t* pixels, std::int32_t width, std::int32_t height) {
    const std::size_t stride = (static_cast<std::size_t>(width) * BYTES_24 + 3) & ~std::size_t{3};
    for (std::int32_t row = 0; row < height; ++row)
        SwapRGB(pixels + static_cast<std::size_t>(row) * stride, width);
}

} // namespace

// Reads the two BMP headers of a file and gives its bits per pixel, or 0.
std::int32_t GetBMPDepth(const char* BMPFile) {
    const vistral::detail::ShortFileName name = vistral::detail::CutFileName(BMPFile);
    if (BMPFile == nullptr || !FileExistsA(BMPFile)) return 0;
    const HANDLE file = CreateFileA(name.Text, GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, 0);
    if (file == INVALID_HANDLE_VALUE || file == 0) return 0;
    const std::int32_t depth = ProbeOpenFile(file);
    CloseHandle(file);
    return depth;
}

// Exchanges the bytes at 3k and 3k + 2 for k from 0 to Size - 1.
void SwapRGB(std::uint8_t* Data, std::int32_t Size) {
    if (Data == nullptr || Size <= 0) return;
    for (std::size_t at = 0; at < static_cast<std::size_t>(Size) * BYTES_24; at += BYTES_24) {
        const std::uint8_t first = Data[at];
        Data[at] = Data[at + 2];
        Data[at + 2] = first;
    }
}

// Builds the mip-map chain of the bound texture from 24-bit RGB or 32-bit BGRA bytes.
void AddMipmapsTexture(std::int32_t Format, std::int32_t Width, std::int32_t Height,
                       const std::uint8_t* Bits) {
    if (Format == FORMAT_24)
        gluBuild2DMipmaps(GL_TEXTURE_2D, COMPONENTS_24, Width, Height, GL_RGB, GL_UNSIGNED_BYTE,
                          Bits);
    else if (Format == FORMAT_32)
        gluBuild2DMipmaps(GL_TEXTURE_2D, COMPONENTS_32, Width, Height, GL_BGRA_FORMAT,
                          GL_UNSIGNED_BYTE, Bits);
}

// Loads a BMP file as the texture of slot Num; unusable images leave an imageless texture.
void TextureLoadID(const char* BMPFile, std::int32_t Num) {
    std::uint32_t& slot = TextureID2[Num];
    const std::int32_t format = GetBMPDepth(BMPFile);
    // Only the probe cuts the name; the bitmap is loaded by the whole name.
    const HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), BMPFile, IMAGE_BITMAP, 0, 0, BMP_LOAD_FLAGS));
    BITMAP info{};
    const bool loaded = bitmap != 0 &&
                        GetObjectA(bitmap, sizeof(BITMAP), &info) == sizeof(BITMAP) &&
                        info.bmBits != nullptr && info.bmWidth > 0 && info.bmHeight > 0;
    auto* const pixels = static_cast<std::uint8_t*>(info.bmBits);
    // The bitmap's own depth must agree with the probe, or GL would read past its pixels.
    const bool upload =
        loaded && (format == FORMAT_24 || format == FORMAT_32) && info.bmBitsPixel == format;

    if (upload && format == FORMAT_24) SwapRowsRGB(pixels, info.bmWidth, info.bmHeight);

    glEnable(GL_TEXTURE_2D);
    vistral::detail::ReleaseReplacedTexture(slot);
    glGenTextures(1, &slot);
    glBindTexture(GL_TEXTURE_2D, slot);
    glPixelStorei(GL_UNPACK_ALIGNMENT, BMP_ROW_ALIGNMENT);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_Min_Filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_Mag_Filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);

    if (upload) {
        if (format == FORMAT_24)
            glTexImage2D(GL_TEXTURE_2D, 0, COMPONENTS_24, info.bmWidth, info.bmHeight, 0, GL_RGB,
                         GL_UNSIGNED_BYTE, pixels);
        else
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, info.bmWidth, info.bmHeight, 0, GL_BGRA_FORMAT,
                         GL_UNSIGNED_BYTE, pixels);
        if (vistral::detail::IsMipmapFilter(GL_Min_Filter))
            AddMipmapsTexture(format, info.bmWidth, info.bmHeight, pixels);
    }
    if (bitmap != 0) DeleteObject(bitmap);
}

// Binds the texture of a BMP slot; GL_TEXTURE_2D is neither enabled nor disabled.
void TextureSelectID(std::int32_t Num) {
    glBindTexture(GL_TEXTURE_2D, TextureID2[Num]);
}
