#pragma once
// A Win32 timer on a hidden window of its own: OnTimer runs on the owner's thread, and only
// while that thread processes its messages.

#include <windows.h>

#include <functional>

class TApplication;

class TTimer {
public:
    using TTimerEvent = std::function<void(TTimer* sender)>;

    // Interval 1000 ms, enabled, as a new timer of the form framework.
    explicit TTimer(TApplication* owner);
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
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Fire();
    void UpdateTimer();

    TApplication* OwnerApp;
    HWND Window = nullptr;
    UINT IntervalMs = 1000;
    bool IsEnabled = true;
};
