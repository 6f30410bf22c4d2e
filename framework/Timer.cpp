#include "Timer.h"

#include "Application.h"

#include <map>

namespace {
// Thread timers carry no window, so they are found again by the id the system hands out.
std::map<UINT_PTR, TTimer*>& ActiveTimers() {
    static std::map<UINT_PTR, TTimer*> timers;
    return timers;
}
} // namespace

TTimer::TTimer(TApplication* owner) : TTimer(owner, true) {}

TTimer::TTimer(TApplication* owner, bool enabled) : OwnerApp(owner), IsEnabled(enabled) {
    UpdateTimer();
}

TTimer::~TTimer() {
    IsEnabled = false;
    UpdateTimer();
}

void TTimer::SetInterval(UINT milliseconds) {
    if (milliseconds == IntervalMs)
        return;
    IntervalMs = milliseconds;
    UpdateTimer();
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled == IsEnabled)
        return;
    IsEnabled = enabled;
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    if (TimerId != 0) {
        KillTimer(nullptr, TimerId);
        ActiveTimers().erase(TimerId);
        TimerId = 0;
    }
    if (!IsEnabled || IntervalMs == 0)
        return;
    TimerId = SetTimer(nullptr, 0, IntervalMs, TimerProc);
    if (TimerId != 0)
        ActiveTimers()[TimerId] = this;
}

void TTimer::Fire() {
    if (OnTimer)
        OnTimer(this);
}

void CALLBACK TTimer::TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
    const auto found = ActiveTimers().find(id);
    if (found == ActiveTimers().end())
        return;
    try {
        found->second->Fire();
    } catch (...) {
        Application().HandleException();
    }
}
