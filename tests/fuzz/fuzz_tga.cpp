// libFuzzer target for the TGA decoder: any bytes give a failure kind or a whole image,
// never a read or write outside the input or the image, and never a block left allocated.
#include "Vistral.h"

#include <cstdint>
#include <cstdlib>

namespace {

// Images above this size are skipped: the decoder would allocate them in full before
// finding the input short, and the fuzzer counts that as running out of memory.
constexpr std::uint64_t LARGEST_FUZZED_IMAGE = 16u << 20;
constexpr std::uint64_t LARGEST_32_BIT_SIZE = 0xFFFFFFFFu;
constexpr std::size_t HEADER_SIZE = 18;

// Keeps the reads of the image from being optimised away.
volatile unsigned Sink = 0;

// The image size the 18-byte header declares (0 when the input is shorter).
std::uint64_t DeclaredImageSize(const std::uint8_t* data, std::size_t size) {
    if (size < HEADER_SIZE) return 0;
    const std::uint64_t width = data[12] | (data[13] << 8);
    const std::uint64_t height = data[14] | (data[15] << 8);
    return width * height * (data[16] / 8);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::uint64_t declared = DeclaredImageSize(data, size);
    // Sizes beyond 32 bits are refused before any allocation, so they stay in.
    if (declared > LARGEST_FUZZED_IMAGE && declared <= LARGEST_32_BIT_SIZE) return 0;

    TGATexture texture{};
    const vistral::TGAFailure failure = vistral::DecodeTGA(data, size, texture);
    if (failure == vistral::TGAFailure::None) {
        if (texture.ImageData == nullptr || (texture.Bpp != 24 && texture.Bpp != 32)) std::abort();
        // Touch every byte of the image so the sanitizer checks its bounds.
        const std::size_t bytes = std::size_t{texture.Width} * texture.Height * (texture.Bpp / 8);
        unsigned sum = 0;
        for (std::size_t i = 0; i < bytes; ++i)
            sum += texture.ImageData[i];
        Sink = sum;
        vistral::ReleaseTGAImage(texture);
    } else if (texture.ImageData != nullptr) {
        std::abort();
    }
    if (vistral::TGABlocksInUse() != 0) std::abort();
    return 0;
}
