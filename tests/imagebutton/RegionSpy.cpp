// The --wrap targets: mangled names of the platform's C++ functions.
#include "RegionSpy.h"

#include <cstring>

namespace regionspy {

std::vector<Batch> Batches;
std::size_t FailGlobalAllocOfBytes = 0;
bool FailGlobalReAlloc = false;
int LiveGlobalBlocks = 0;

void Reset() {
    Batches.clear();
    FailGlobalAllocOfBytes = 0;
    FailGlobalReAlloc = false;
    LiveGlobalBlocks = 0;
}

} // namespace regionspy

extern "C" {

HRGN __real__Z15ExtCreateRegionPK5XFORMjPK7RGNDATA(const XFORM*, DWORD, const RGNDATA*);
HGLOBAL __real__Z11GlobalAllocjm(UINT, std::size_t);
HGLOBAL __real__Z13GlobalReAllocjmj(HGLOBAL, std::size_t, UINT);
HGLOBAL __real__Z10GlobalFreej(HGLOBAL);

// ExtCreateRegion: record the buffer, then build the region for real.
HRGN __wrap__Z15ExtCreateRegionPK5XFORMjPK7RGNDATA(const XFORM* xform, DWORD bytes,
                                                   const RGNDATA* data) {
    regionspy::Batch batch{bytes, data->rdh, {}};
    const RECT* rects = reinterpret_cast<const RECT*>(data->Buffer);
    batch.Rects.assign(rects, rects + data->rdh.nCount);
    regionspy::Batches.push_back(batch);
    return __real__Z15ExtCreateRegionPK5XFORMjPK7RGNDATA(xform, bytes, data);
}

// GlobalAlloc: fail for the chosen size, count live blocks otherwise.
HGLOBAL __wrap__Z11GlobalAllocjm(UINT flags, std::size_t bytes) {
    if (regionspy::FailGlobalAllocOfBytes != 0 && bytes == regionspy::FailGlobalAllocOfBytes)
        return 0;
    HGLOBAL block = __real__Z11GlobalAllocjm(flags, bytes);
    if (block != 0) ++regionspy::LiveGlobalBlocks;
    return block;
}

// GlobalReAlloc: fail on request (the old block stays valid, as the platform promises).
HGLOBAL __wrap__Z13GlobalReAllocjmj(HGLOBAL block, std::size_t bytes, UINT flags) {
    if (regionspy::FailGlobalReAlloc) return 0;
    return __real__Z13GlobalReAllocjmj(block, bytes, flags);
}

// GlobalFree: count the block as gone when the platform frees it.
HGLOBAL __wrap__Z10GlobalFreej(HGLOBAL block) {
    HGLOBAL left = __real__Z10GlobalFreej(block);
    if (left == 0) --regionspy::LiveGlobalBlocks;
    return left;
}

} // extern "C"
