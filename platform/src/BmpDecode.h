// The BMP file decoder: file bytes in, a bottom-up DIB out. Needs no display, no GL and
// no GDI handles, so tests and the fuzzer call it directly.
#pragma once

#include "GdiDib.h"

#include <cstddef>
#include <cstdint>

namespace platform {

// Decodes a whole BMP file (see LoadImageA for what is read). Returns false, leaving Out
// unspecified, for anything malformed, truncated, unsupported or above kMaxDibBytes; it
// never reads outside [Data, Data + Size).
bool DecodeBmp(const std::uint8_t* data, std::size_t size, Dib& out);

} // namespace platform
