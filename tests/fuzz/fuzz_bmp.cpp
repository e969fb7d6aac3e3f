// libFuzzer target: arbitrary bytes through the BMP decoder. Anything it accepts must
// describe exactly the pixel memory it made.
#include "../../platform/src/BmpDecode.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::Dib dib;
    if (!platform::DecodeBmp(data, size, dib)) return 0;
    const std::size_t expected = static_cast<std::size_t>(dib.Stride) * static_cast<std::size_t>(dib.Height);
    if (dib.Width <= 0 || dib.Height <= 0 || dib.Bits.size() != expected || dib.Stride % 4 != 0) std::abort();
    // Read every pixel back through the same path BitBlt uses.
    volatile std::uint32_t sink = 0;
    for (int y = 0; y < dib.Height; ++y)
        for (int x = 0; x < dib.Width; ++x) sink = sink + platform::DibPixel(dib, x, y);
    return 0;
}
