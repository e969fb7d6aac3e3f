// libFuzzer target: arbitrary bytes through the BMP decoder. Anything it accepts must
// describe exactly the pixel memory it made.
//
// The decoder's two sources are compiled into this target itself so that libFuzzer's
// coverage instrumentation sees them (the libraries are built without it); they need
// nothing else from the platform layer.
#include "../../platform/src/BmpDecode.cpp"
#include "../../platform/src/GdiDib.cpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// Reading back every pixel of a huge image would only slow the search down.
constexpr std::size_t kMaxPixelsReadBack = 1 << 16;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::Dib dib;
    if (!platform::DecodeBmp(data, size, dib)) return 0;
    const std::size_t expected =
        static_cast<std::size_t>(dib.Stride) * static_cast<std::size_t>(dib.Height);
    if (dib.Width <= 0 || dib.Height <= 0 || dib.Bits.size() != expected || dib.Stride % 4 != 0 ||
        dib.Bits.size() > platform::kMaxDibBytes)
        std::abort();
    // Read pixels back through the same path BitBlt uses.
    volatile std::uint32_t sink = 0;
    std::size_t budget = kMaxPixelsReadBack;
    for (int y = 0; y < dib.Height && budget > 0; ++y)
        for (int x = 0; x < dib.Width && budget > 0; ++x, --budget)
            sink = sink + platform::DibPixel(dib, x, y);
    return 0;
}
