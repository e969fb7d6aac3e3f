// What the BMP and TGA slot loaders share: the mip-map test and the release of a replaced name.
#pragma once

#include <cstdint>

namespace vistral::detail {

// True when Filter is one of the four mip-map minifying filters.
bool IsMipmapFilter(std::int32_t filter);

// Deletes the texture object Name before its slot takes a new one, unless it is 0, is no
// texture of the current context, or another slot of either table still holds it.
void ReleaseReplacedTexture(std::uint32_t name);

} // namespace vistral::detail
