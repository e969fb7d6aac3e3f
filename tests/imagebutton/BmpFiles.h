// Test pictures: writes small BMP files into a fresh temporary folder.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace bmpfiles {

// One colour, red green blue.
struct Rgb {
    std::uint8_t R;
    std::uint8_t G;
    std::uint8_t B;
};

constexpr Rgb Magenta = {255, 0, 255};

// Colour of pixel (X, Y), Y = 0 the top row as displayed.
using PixelFn = std::function<Rgb(int x, int y)>;
// Colour-table index of pixel (X, Y), Y = 0 the top row.
using IndexFn = std::function<std::uint8_t(int x, int y)>;

// A temporary folder removed with its files when the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    // Full path of a file in the folder.
    std::string File(const std::string& name) const;
    const std::string& Path() const { return Path_; }

  private:
    std::string Path_;
};

// A 24-bit bottom-up BMP.
void Write24(const std::string& path, int width, int height, const PixelFn& pixel);
// An 8-bit bottom-up BMP whose colour table has Table.size() entries (biClrUsed).
void Write8(const std::string& path, int width, int height, const std::vector<Rgb>& table,
            const IndexFn& index);
// A 4-bit bottom-up BMP with the given table (up to 16 entries).
void Write4(const std::string& path, int width, int height, const std::vector<Rgb>& table,
            const IndexFn& index);

} // namespace bmpfiles
