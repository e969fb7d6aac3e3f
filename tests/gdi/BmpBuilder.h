// Builds BMP file bytes for tests: any header size, depth, compression, table and masks,
// with the pixel data given exactly as it lies in the file.
#pragma once

#include "win32/Gdi.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace gditest {

using Bytes = std::vector<std::uint8_t>;

struct BmpSpec {
    std::uint32_t HeaderBytes = 40; // 12 for the OS/2 core header
    std::int32_t Width = 1;
    std::int32_t Height = 1;
    std::uint16_t Planes = 1;
    std::uint16_t BitCount = 24;
    std::uint32_t Compression = BI_RGB;
    std::uint32_t ColoursUsed = 0;
    std::vector<RGBQUAD> Table;       // written as 3-byte entries for a core header
    std::vector<std::uint32_t> Masks; // after a 40-byte header, or inside a larger one
    Bytes Pixels;                     // as in the file
    std::int64_t OffsetDelta = 0;     // added to the correct pixel offset
};

inline void Put16(Bytes& b, std::uint32_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void Put32(Bytes& b, std::uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

// The whole file.
inline Bytes MakeBmp(const BmpSpec& s) {
    Bytes header;
    if (s.HeaderBytes == 12) {
        Put32(header, 12);
        Put16(header, static_cast<std::uint32_t>(s.Width));
        Put16(header, static_cast<std::uint32_t>(s.Height));
        Put16(header, s.Planes);
        Put16(header, s.BitCount);
    } else {
        Put32(header, s.HeaderBytes);
        Put32(header, static_cast<std::uint32_t>(s.Width));
        Put32(header, static_cast<std::uint32_t>(s.Height));
        Put16(header, s.Planes);
        Put16(header, s.BitCount);
        Put32(header, s.Compression);
        Put32(header, static_cast<std::uint32_t>(s.Pixels.size()));
        Put32(header, 2835);
        Put32(header, 2835);
        Put32(header, s.ColoursUsed);
        Put32(header, 0);
        // Masks inside a larger header; the rest of it zero.
        for (std::size_t i = 0; header.size() < s.HeaderBytes; ++i) {
            if (s.HeaderBytes > 40 && i < s.Masks.size())
                Put32(header, s.Masks[i]);
            else
                header.push_back(0);
        }
        header.resize(s.HeaderBytes);
        if (s.HeaderBytes == 40)
            for (std::uint32_t m : s.Masks)
                Put32(header, m);
    }
    for (const RGBQUAD& q : s.Table) {
        header.insert(header.end(), {q.rgbBlue, q.rgbGreen, q.rgbRed});
        if (s.HeaderBytes != 12) header.push_back(q.rgbReserved);
    }
    Bytes file{'B', 'M'};
    const std::int64_t offset = 14 + static_cast<std::int64_t>(header.size()) + s.OffsetDelta;
    Put32(file, static_cast<std::uint32_t>(14 + header.size() + s.Pixels.size()));
    Put32(file, 0);
    Put32(file, static_cast<std::uint32_t>(offset));
    file.insert(file.end(), header.begin(), header.end());
    file.insert(file.end(), s.Pixels.begin(), s.Pixels.end());
    return file;
}

// Rows of pixel bytes, each padded with zeros to a multiple of 4 bytes.
inline Bytes PaddedRows(const std::vector<Bytes>& rows) {
    Bytes out;
    for (const Bytes& row : rows) {
        out.insert(out.end(), row.begin(), row.end());
        out.resize((out.size() + 3) / 4 * 4, 0);
    }
    return out;
}

// A table of N grey levels plus given colours (for readable expectations).
inline std::vector<RGBQUAD> Greys(int n) {
    std::vector<RGBQUAD> t;
    for (int i = 0; i < n; ++i) {
        const auto v = static_cast<BYTE>(n > 1 ? i * 255 / (n - 1) : 0);
        t.push_back(RGBQUAD{v, v, v, 0});
    }
    return t;
}

// Writes bytes to a file.
inline void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// A fresh folder under the test temp dir, removed by the destructor.
class TempFolder {
  public:
    explicit TempFolder(const std::string& name)
        : path_(std::filesystem::temp_directory_path() /
                (name + "_" + std::to_string(::getpid()))) {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    const std::filesystem::path& Path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

} // namespace gditest
