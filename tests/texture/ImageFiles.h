// Test images built byte by byte: TGA and BMP files, and a temporary folder to write them in.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace texturetest {

using Bytes = std::vector<std::uint8_t>;

// A + B, the bytes of B appended to those of A.
Bytes Join(Bytes a, const Bytes& b);
// Count copies of Pattern one after the other.
Bytes Repeat(const Bytes& pattern, std::size_t count);

// The 18 bytes that open a TGA file with no ID, no colour map and origin 0.
Bytes TgaHeader(std::uint8_t type, std::uint16_t width, std::uint16_t height, std::uint8_t depth,
                std::uint8_t descriptor = 0);

// A BMP file of Width x Height pixels, bottom row first. Pixels holds Width x Height pixels
// of Depth / 8 bytes each, in file byte order (blue, green, red [, alpha]); rows are padded
// to 4 bytes here. Depth 8 writes a grey colour table and takes one index byte per pixel.
Bytes BmpFile(int width, int height, int depth, const Bytes& pixels);

// A fresh folder under the system's temporary folder, removed with its contents at the end.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    // Writes Bytes as the file Name in the folder; returns its full path.
    std::string Write(const std::string& name, const Bytes& bytes) const;
    // The full path of Name in the folder (the file need not exist).
    std::string Path(const std::string& name) const;

  private:
    std::filesystem::path Root;
};

} // namespace texturetest
