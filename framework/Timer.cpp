#include "Timer.h"

#include "Application.h"

namespace {

const char* const TimerWindowClass = "KaleidraTimer";
const UINT_PTR TimerId = 1;

void RegisterTimerClass(WNDPROC windowProc) {
    WNDCLASSA windowClass{};
    if (GetClassInfoA(GetModuleHandleA(nullptr), TimerWindowClass, &windowClass))
        return;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = TimerWindowClass;
    RegisterClassA(&windowClass);
}

} // namespace

TTimer::TTimer(TApplication* owner) : OwnerApp(owner) {
    RegisterTimerClass(WindowProc);
    // A message-only window: it never shows and costs nothing to destroy.
    Window = CreateWindowExA(0, TimerWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(Window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    UpdateTimer();
}

TTimer::~TTimer() {
    KillTimer(Window, TimerId);
    SetWindowLongPtrA(Window, GWLP_USERDATA, 0);
    DestroyWindow(Window);
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
    KillTimer(Window, TimerId);
    if (IsEnabled && IntervalMs > 0)
        SetTimer(Window, TimerId, IntervalMs, nullptr);
}

void TTimer::Fire() {
    if (OnTimer)
        OnTimer(this);
}

LRESULT CALLBACK TTimer::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_TIMER || wParam != TimerId)
        return DefWindowProcA(window, message, wParam, lParam);
    auto* timer = reinterpret_cast<TTimer*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    try {
        if (timer)
            timer->Fire();
    } catch (...) {
        Application().HandleException();
    }
    return 0;
}
