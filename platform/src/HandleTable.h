// Per-kind handle tables. A handle is a 32-bit value: kind in the top byte, a
// generation byte, then a 16-bit slot number. A stale handle or one of another
// kind finds nothing, so the calling service fails as the platform would.
#pragma once

#include "win32/Types.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

enum class HandleKind : std::uint8_t {
    Window = 1,
    DeviceContext,
    GlContext,
    Bitmap,
    Palette,
    Region,
    Brush,
    Font,
    Cursor,
    Icon,
    GlobalMemory,
    Instance,
    File,
};

inline HandleKind KindOf(HANDLE h) { return static_cast<HandleKind>(h >> 24); }

template <typename T> class HandleTable {
  public:
    explicit HandleTable(HandleKind kind) : kind_(kind) {}

    // Stores the object and returns its new handle (0 when the table is full).
    HANDLE Add(std::unique_ptr<T> object) {
        std::size_t index = slots_.size();
        if (!free_.empty()) {
            index = free_.back();
            free_.pop_back();
        } else {
            if (slots_.size() >= kMaxSlots) return 0;
            slots_.emplace_back();
        }
        Slot& s = slots_[index];
        s.generation = static_cast<std::uint8_t>(s.generation + 1);
        s.object = std::move(object);
        return Encode(index, s.generation);
    }

    // The object behind a live handle of this table's kind, or null.
    T* Get(HANDLE h) const {
        const Slot* s = Find(h);
        return s ? s->object.get() : nullptr;
    }

    // Removes and returns the object; null when the handle is not live.
    std::unique_ptr<T> Remove(HANDLE h) {
        Slot* s = const_cast<Slot*>(Find(h));
        if (!s) return nullptr;
        std::unique_ptr<T> out = std::move(s->object);
        free_.push_back(static_cast<std::size_t>(h & 0xFFFF) - 1);
        return out;
    }

    // Calls f(handle, object) for every live object.
    template <typename F> void ForEach(F&& f) const {
        for (std::size_t i = 0; i < slots_.size(); ++i)
            if (slots_[i].object) f(Encode(i, slots_[i].generation), *slots_[i].object);
    }

    std::size_t LiveCount() const { return slots_.size() - free_.size(); }

  private:
    static constexpr std::size_t kMaxSlots = 0xFFFF;
    struct Slot {
        std::uint8_t generation = 0;
        std::unique_ptr<T> object;
    };

    HANDLE Encode(std::size_t index, std::uint8_t generation) const {
        return (static_cast<HANDLE>(kind_) << 24) | (static_cast<HANDLE>(generation) << 16) |
               static_cast<HANDLE>(index + 1);
    }

    const Slot* Find(HANDLE h) const {
        if (h == 0 || KindOf(h) != kind_) return nullptr;
        std::size_t slot = h & 0xFFFF;
        if (slot == 0 || slot > slots_.size()) return nullptr;
        const Slot& s = slots_[slot - 1];
        if (!s.object || s.generation != static_cast<std::uint8_t>((h >> 16) & 0xFF)) return nullptr;
        return &s;
    }

    HandleKind kind_;
    std::vector<Slot> slots_;
    std::vector<std::size_t> free_;
};

} // namespace platform
