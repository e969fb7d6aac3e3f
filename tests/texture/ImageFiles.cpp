// Test images built byte by byte, and the temporary folder they are written to.
#include "ImageFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace texturetest {

namespace {

// Appends a little-endian value of Size bytes.
void PutLE(Bytes& out, std::uint64_t value, int size) {
    for (int i = 0; i < size; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

} // namespace

Bytes Join(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes Repeat(const Bytes& pattern, std::size_t count) {
    Bytes out;
    for (std::size_t i = 0; i < count; ++i)
        out.insert(out.end(), pattern.begin(), pattern.end());
    return out;
}

Bytes TgaHeader(std::uint8_t type, std::uint16_t width, std::uint16_t height, std::uint8_t depth,
                std::uint8_t descriptor) {
    Bytes out = {0, 0, type, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    PutLE(out, width, 2);
    PutLE(out, height, 2);
    out.push_back(depth);
    out.push_back(descriptor);
    return out;
}

Bytes BmpFile(int width, int height, int depth, const Bytes& pixels) {
    const int bytesPerPixel = depth / 8;
    const int stride = (width * bytesPerPixel + 3) & ~3;
    const int paletteSize = depth == 8 ? 256 * 4 : 0;
    const int offset = 14 + 40 + paletteSize;
    Bytes out;
    out.push_back('B');
    out.push_back('M');
    PutLE(out, offset + stride * height, 4);
    PutLE(out, 0, 4);
    PutLE(out, offset, 4);
    PutLE(out, 40, 4);
    PutLE(out, width, 4);
    PutLE(out, height, 4);
    PutLE(out, 1, 2);
    PutLE(out, depth, 2);
    PutLE(out, 0, 4); // BI_RGB
    PutLE(out, stride * height, 4);
    PutLE(out, 2835, 4);
    PutLE(out, 2835, 4);
    PutLE(out, depth == 8 ? 256 : 0, 4);
    PutLE(out, 0, 4);
    for (int i = 0; i < paletteSize / 4; ++i) {
        const auto grey = static_cast<std::uint8_t>(i);
        out.insert(out.end(), {grey, grey, grey, 0});
    }
    for (int row = 0; row < height; ++row) {
        const auto first =
            pixels.begin() + static_cast<std::ptrdiff_t>(row) * width * bytesPerPixel;
        out.insert(out.end(), first, first + width * bytesPerPixel);
        for (int pad = width * bytesPerPixel; pad < stride; ++pad)
            out.push_back(0);
    }
    return out;
}

TempFolder::TempFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "vistral-texture-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "cannot make a temporary folder";
    Root = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(Root, ignored);
}

std::string TempFolder::Write(const std::string& name, const Bytes& bytes) const {
    const std::string path = Path(name);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::string TempFolder::Path(const std::string& name) const {
    return (Root / name).string();
}

} // namespace texturetest
