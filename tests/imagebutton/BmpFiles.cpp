// Writes BMP files byte by byte, as a paint program would save them.
#include "BmpFiles.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace bmpfiles {
namespace {

constexpr int kFileHeaderBytes = 14;
constexpr int kInfoHeaderBytes = 40;

// Little-endian appenders.
void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// Bytes of one row padded to 4.
int RowBytes(int width, int bits) {
    return ((width * bits + 31) / 32) * 4;
}

// Headers, colour table and rows (given top row first, stored bottom row first).
void WriteFile(const std::string& path, int width, int height, int bits,
               const std::vector<Rgb>& table, const std::vector<std::vector<std::uint8_t>>& rows) {
    const int rowBytes = RowBytes(width, bits);
    const std::uint32_t offset = kFileHeaderBytes + kInfoHeaderBytes + 4 * table.size();
    const std::uint32_t size = offset + rowBytes * height;
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, size);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, kInfoHeaderBytes);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));
    Put16(out, 1);
    Put16(out, bits);
    Put32(out, 0); // BI_RGB
    Put32(out, rowBytes * height);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, table.size());
    Put32(out, 0);
    for (const Rgb& c : table) {
        out.push_back(c.B);
        out.push_back(c.G);
        out.push_back(c.R);
        out.push_back(0);
    }
    for (int y = height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row = rows[y];
        row.resize(rowBytes, 0);
        out.insert(out.end(), row.begin(), row.end());
    }
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    if (!file) throw std::runtime_error("cannot write " + path);
}

} // namespace

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "imagebutton-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    Path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(Path_, ignored);
}

std::string TempDir::File(const std::string& name) const {
    return Path_ + "/" + name;
}

void Write24(const std::string& path, int width, int height, const PixelFn& pixel) {
    std::vector<std::vector<std::uint8_t>> rows(height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            Rgb c = pixel(x, y);
            rows[y].push_back(c.B);
            rows[y].push_back(c.G);
            rows[y].push_back(c.R);
        }
    WriteFile(path, width, height, 24, {}, rows);
}

void Write8(const std::string& path, int width, int height, const std::vector<Rgb>& table,
            const IndexFn& index) {
    std::vector<std::vector<std::uint8_t>> rows(height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            rows[y].push_back(index(x, y));
    WriteFile(path, width, height, 8, table, rows);
}

void Write4(const std::string& path, int width, int height, const std::vector<Rgb>& table,
            const IndexFn& index) {
    std::vector<std::vector<std::uint8_t>> rows(height);
    for (int y = 0; y < height; ++y) {
        rows[y].assign((width + 1) / 2, 0);
        for (int x = 0; x < width; ++x) {
            std::uint8_t v = index(x, y) & 0x0F;
            rows[y][x / 2] |= (x % 2 == 0) ? static_cast<std::uint8_t>(v << 4) : v;
        }
    }
    WriteFile(path, width, height, 4, table, rows);
}

} // namespace bmpfiles
