// Movable global memory: blocks behind handles, locked to get their address.
#include "HandleTable.h"
#include "win32/Kernel.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

namespace platform {

namespace {

// Larger requests are refused rather than tried.
constexpr std::size_t kMaxGlobalBytes = std::size_t{1} << 30;

struct GlobalBlock {
    std::unique_ptr<std::byte[]> Data;
    std::size_t Size = 0;
    int Locks = 0;
};

// The live blocks, made on first use and never destroyed (no exit-order trouble).
HandleTable<GlobalBlock>& Blocks() {
    static HandleTable<GlobalBlock>* table = new HandleTable<GlobalBlock>(HandleKind::GlobalMemory);
    return *table;
}

// New storage of Bytes bytes (zeroed when asked); null when it cannot be had.
std::unique_ptr<std::byte[]> NewStorage(std::size_t bytes, bool zero) {
    if (bytes == 0) return nullptr;
    std::unique_ptr<std::byte[]> data(new (std::nothrow) std::byte[bytes]);
    if (data && zero) std::memset(data.get(), 0, bytes);
    return data;
}

} // namespace

} // namespace platform

using namespace platform;

// A new block; every block is movable behind its handle, whatever the flags.
HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes) {
    if (bytes > kMaxGlobalBytes) return 0;
    auto block = std::make_unique<GlobalBlock>();
    block->Data = NewStorage(bytes, (flags & GMEM_ZEROINIT) != 0);
    if (bytes > 0 && !block->Data) return 0;
    block->Size = bytes;
    return Blocks().Add(std::move(block));
}

// Resizes an unlocked block, keeping its contents; a locked block is refused so that
// no address the caller holds goes stale.
HGLOBAL GlobalReAlloc(HGLOBAL memory, std::size_t bytes, UINT flags) {
    GlobalBlock* block = Blocks().Get(memory);
    if (!block || block->Locks > 0 || bytes > kMaxGlobalBytes) return 0;
    std::unique_ptr<std::byte[]> data = NewStorage(bytes, (flags & GMEM_ZEROINIT) != 0);
    if (bytes > 0 && !data) return 0;
    if (bytes > 0 && block->Size > 0)
        std::memcpy(data.get(), block->Data.get(), std::min(bytes, block->Size));
    block->Data = std::move(data);
    block->Size = bytes;
    return memory;
}

// The block's address; null for a bad handle or an empty block.
LPVOID GlobalLock(HGLOBAL memory) {
    GlobalBlock* block = Blocks().Get(memory);
    if (!block || !block->Data) return nullptr;
    ++block->Locks;
    return block->Data.get();
}

// As on the platform: nonzero while locks remain, FALSE once the block is unlocked
// (and for a bad handle or a block that was not locked).
BOOL GlobalUnlock(HGLOBAL memory) {
    GlobalBlock* block = Blocks().Get(memory);
    if (!block || block->Locks == 0) return FALSE;
    --block->Locks;
    return block->Locks > 0 ? TRUE : FALSE;
}

// Frees a block (locked or not); returns the handle itself when it is not a live block.
HGLOBAL GlobalFree(HGLOBAL memory) {
    return Blocks().Remove(memory) ? 0 : memory;
}

// The block's size in bytes.
std::size_t GlobalSize(HGLOBAL memory) {
    const GlobalBlock* block = Blocks().Get(memory);
    return block ? block->Size : 0;
}
