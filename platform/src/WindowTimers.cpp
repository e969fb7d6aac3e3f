// Timers: WM_TIMER comes when the queue has nothing else, once per elapsed period.
#include "WindowInternal.h"
#include "win32/Kernel.h"

#include <algorithm>
#include <vector>

namespace platform {
namespace {

constexpr UINT kMinimumPeriod = 10; // shorter periods are raised to this
constexpr UINT kMaximumPeriod = 0x7FFFFFFF;
constexpr UINT_PTR kFirstThreadTimerId = 1;

struct Timer {
    HWND Window;
    UINT_PTR Id;
    UINT Period;
    DWORD Start; // when the current period began
};

std::vector<Timer>& Timers() {
    static std::vector<Timer> timers;
    return timers;
}

// Whether a period has passed since Start; tick counts wrap, differences do not.
bool Elapsed(const Timer& t, DWORD now) {
    return static_cast<DWORD>(now - t.Start) >= t.Period;
}

} // namespace

bool TakeDueTimer(HWND filter, MSG* msg, bool remove, bool (*matches)(HWND, HWND)) {
    const DWORD now = GetTickCount();
    for (Timer& t : Timers()) {
        if (!Elapsed(t, now) || (t.Window ? !matches(t.Window, filter) : filter != 0)) continue;
        *msg = MSG{t.Window, WM_TIMER, t.Id, 0, now, POINT{0, 0}};
        if (remove) t.Start = now;
        return true;
    }
    return false;
}

void KillTimersOf(HWND window) {
    auto& timers = Timers();
    timers.erase(std::remove_if(timers.begin(), timers.end(),
                                [window](const Timer& t) { return t.Window == window; }),
                 timers.end());
}

} // namespace platform

using namespace platform;

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT period, TIMERPROC proc) {
    if (proc != nullptr) return 0; // timer procedures are not offered: use WM_TIMER
    if (window != 0 && !FindWindow(window)) return 0;
    period = std::clamp(period, kMinimumPeriod, kMaximumPeriod);
    auto& timers = Timers();
    if (window == 0) {
        // A thread timer gets an identifier of its own.
        id = kFirstThreadTimerId;
        while (std::any_of(timers.begin(), timers.end(),
                           [id](const Timer& t) { return !t.Window && t.Id == id; }))
            ++id;
    }
    for (Timer& t : timers)
        if (t.Window == window && t.Id == id) {
            t.Period = period;
            t.Start = GetTickCount();
            return window ? 1 : id;
        }
    timers.push_back(Timer{window, id, period, GetTickCount()});
    return window ? 1 : id;
}

BOOL KillTimer(HWND window, UINT_PTR id) {
    auto& timers = Timers();
    auto it = std::find_if(timers.begin(), timers.end(),
                           [&](const Timer& t) { return t.Window == window && t.Id == id; });
    if (it == timers.end()) return FALSE;
    timers.erase(it);
    return TRUE;
}
