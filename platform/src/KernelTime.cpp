// GetTickCount: a monotonic millisecond counter.
#include "win32/Kernel.h"

#include <chrono>

// Milliseconds of the steady clock, wrapping at 2^32 like the platform's counter.
DWORD GetTickCount() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}
