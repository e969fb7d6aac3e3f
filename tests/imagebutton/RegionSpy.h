// Watches the engine's region building through the linker's --wrap seam: records every
// rectangle buffer handed to ExtCreateRegion, and can make global allocations fail.
// The real platform calls still do the work.
#pragma once

#include "Win32.h"

#include <cstddef>
#include <vector>

namespace regionspy {

// One ExtCreateRegion call: its byte count and a copy of the buffer's header and rectangles.
struct Batch {
    DWORD Bytes;
    RGNDATAHEADER Header;
    std::vector<RECT> Rects;
};

// Calls seen since the last Reset.
extern std::vector<Batch> Batches;
// A GlobalAlloc of exactly this many bytes fails (0: none does); when true, GlobalReAlloc fails.
extern std::size_t FailGlobalAllocOfBytes;
extern bool FailGlobalReAlloc;
// Blocks allocated minus blocks freed since the last Reset.
extern int LiveGlobalBlocks;

// Clears the record and the failure switches.
void Reset();

} // namespace regionspy
