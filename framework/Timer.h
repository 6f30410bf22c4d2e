#pragma once
// A Win32 thread timer: OnTimer runs on the thread that made the timer, and only while that
// thread processes its messages. It needs no window, so a saver run makes none.

#include <windows.h>

#include <functional>

class TApplication;

class TTimer {
public:
    using TTimerEvent = std::function<void(TTimer* sender)>;

    // Interval 1000 ms, enabled, as a new timer of the form framework.
    explicit TTimer(TApplication* owner);
    // A timer that starts disabled never touches the system's timers (nor, so, makes the
    // thread a window-system thread) until it is enabled.
    TTimer(TApplication* owner, bool enabled);
    ~TTimer();
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

    TApplication* Owner() const { return OwnerApp; }

    UINT Interval() const { return IntervalMs; }
    void SetInterval(UINT milliseconds);
    bool Enabled() const { return IsEnabled; }
    void SetEnabled(bool enabled);

    TTimerEvent OnTimer;

private:
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD);
    void Fire();
    void UpdateTimer();

    TApplication* OwnerApp;
    UINT_PTR TimerId = 0;
    UINT IntervalMs = 1000;
    bool IsEnabled = true;
};
