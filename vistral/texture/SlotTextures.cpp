// What the BMP and TGA slot loaders share: the mip-map test and the release of a replaced name.
#include "SlotTextures.h"

#include "vistral/BmpTextures.h"
#include "vistral/TgaTextures.h"

#include <GL/gl.h>

namespace {

// The mip-map filters, in the order the loaders test them.
constexpr std::int32_t MIPMAP_FILTERS[] = {
    GL_NEAREST_MIPMAP_NEAREST,
    GL_NEAREST_MIPMAP_LINEAR,
    GL_LINEAR_MIPMAP_NEAREST,
    GL_LINEAR_MIPMAP_LINEAR,
};

// How many slots of both tables hold Name.
int SlotsHolding(std::uint32_t name) {
    int holders = 0;
    for (long long i = TextureID2.Low; i <= TextureID2.High; ++i)
        if (TextureID2[i] == name) ++holders;
    for (long long i = TextureTGA2.Low; i <= TextureTGA2.High; ++i)
        if (TextureTGA2[i].TexID == name) ++holders;
    return holders;
}

} // namespace

namespace vistral::detail {

// True for the four mip-map minifying filters.
bool IsMipmapFilter(std::int32_t filter) {
    for (std::int32_t mipmap : MIPMAP_FILTERS)
        if (filter == mipmap) return true;
    return false;
}

// A name held by another slot too (possible only across GL contexts) is left alone.
void ReleaseReplacedTexture(std::uint32_t name) {
    if (name == 0 || glIsTexture(name) != GL_TRUE) return;
    if (SlotsHolding(name) > 1) return;
    const GLuint doomed = name;
    glDeleteTextures(1, &doomed);
}

} // namespace vistral::detail
