#include "TestWindow.h"

namespace {
LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    static HFONT font = nullptr;
    if (message == WM_SETFONT) {
        font = reinterpret_cast<HFONT>(wParam);
        return 0;
    }
    if (message == WM_GETFONT)
        return reinterpret_cast<LRESULT>(font);
    return DefWindowProcA(window, message, wParam, lParam);
}
} // namespace

TWinControl& SharedTestWindow(const char* title) {
    static TWinControl form(nullptr);
    if (!form.HandleAllocated()) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = TestWindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        windowClass.lpszClassName = "KdTestWindow";
        RegisterClassA(&windowClass);
        form.Attach(CreateWindowExA(0, windowClass.lpszClassName, title,
                                    WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 480, 360, nullptr,
                                    nullptr, windowClass.hInstance, nullptr));
        form.SetFont(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    }
    return form;
}
