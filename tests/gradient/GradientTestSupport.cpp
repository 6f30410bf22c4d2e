#include <gtest/gtest.h>

#include "GradientTestSupport.h"

#include <algorithm>
#include <cstdio>
#include <utility>

TPixels::TPixels(int width, int height) : PixelWidth(width), PixelHeight(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down: row 0 first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    Memory = CreateCompatibleDC(nullptr);
    Bitmap = CreateDIBSection(Memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    Bits = static_cast<const DWORD*>(bits);
    OldBitmap = SelectObject(Memory, Bitmap);
}

TPixels::TPixels(TPixels&& other) noexcept
    : PixelWidth(other.PixelWidth), PixelHeight(other.PixelHeight), Memory(other.Memory),
      Bitmap(other.Bitmap), OldBitmap(other.OldBitmap), Bits(other.Bits) {
    other.Memory = nullptr;
    other.Bitmap = nullptr;
}

TPixels& TPixels::operator=(TPixels&& other) noexcept {
    std::swap(PixelWidth, other.PixelWidth);
    std::swap(PixelHeight, other.PixelHeight);
    std::swap(Memory, other.Memory);
    std::swap(Bitmap, other.Bitmap);
    std::swap(OldBitmap, other.OldBitmap);
    std::swap(Bits, other.Bits);
    return *this;
}

TPixels::~TPixels() {
    if (!Memory)
        return;
    SelectObject(Memory, OldBitmap);
    DeleteObject(Bitmap);
    DeleteDC(Memory);
}

COLORREF TPixels::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= PixelWidth || y >= PixelHeight)
        return CLR_INVALID;
    GdiFlush();
    const DWORD bgr = Bits[static_cast<std::size_t>(y) * PixelWidth + x];
    return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
}

void TPixels::Fill(COLORREF color) {
    const HBRUSH brush = CreateSolidBrush(color);
    const RECT all{0, 0, PixelWidth, PixelHeight};
    FillRect(Memory, &all, brush);
    DeleteObject(brush);
}

RECT TPixels::Bounds(const std::function<bool(COLORREF)>& ink) const {
    RECT bounds{PixelWidth, PixelHeight, 0, 0};
    for (int y = 0; y < PixelHeight; ++y)
        for (int x = 0; x < PixelWidth; ++x)
            if (ink(At(x, y))) {
                bounds.left = std::min<LONG>(bounds.left, x);
                bounds.top = std::min<LONG>(bounds.top, y);
                bounds.right = std::max<LONG>(bounds.right, x + 1);
                bounds.bottom = std::max<LONG>(bounds.bottom, y + 1);
            }
    if (bounds.right == 0)
        return RECT{};
    return bounds;
}

int TPixels::Count(const std::function<bool(COLORREF)>& ink) const {
    int count = 0;
    for (int y = 0; y < PixelHeight; ++y)
        for (int x = 0; x < PixelWidth; ++x)
            count += ink(At(x, y)) ? 1 : 0;
    return count;
}

namespace {
LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    static const HBRUSH formBrush = CreateSolidBrush(FormColor);
    switch (message) {
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<LRESULT>(formBrush);
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, formBrush);
        return 1;
    }
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
} // namespace

HWND TestForm() {
    static HWND form = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = FormProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.lpszClassName = "KaleidraGradientTestForm";
        RegisterClassA(&windowClass);
        const HWND window =
            CreateWindowExA(0, windowClass.lpszClassName, "Gradient tests",
                            WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 700, 500,
                            nullptr, nullptr, windowClass.hInstance, nullptr);
        SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                     FALSE);
        return window;
    }();
    return form;
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool NeedsPaint(HWND window) {
    return GetUpdateRect(window, nullptr, FALSE) != FALSE;
}

TPixels Capture(HWND control) {
    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT client;
    GetClientRect(control, &client);
    TPixels pixels(client.right, client.bottom);
    const HDC dc = GetDC(control);
    BitBlt(pixels.DC(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    ReleaseDC(control, dc);
    return pixels;
}

COLORREF GradientColor(const std::vector<COLORREF>& colors, int extent, int offset) {
    const int segments = static_cast<int>(colors.size()) - 1;
    int segment = segments - 1;
    while (segment > 0 && offset < segment * extent / segments)
        --segment;
    const int start = segment * extent / segments;
    const int end = (segment + 1) * extent / segments;
    const auto channel = [&](int from, int to) {
        return from + (offset - start) * (to - from) / (end - start);
    };
    const COLORREF a = colors[static_cast<std::size_t>(segment)];
    const COLORREF b = colors[static_cast<std::size_t>(segment) + 1];
    return RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
               channel(GetBValue(a), GetBValue(b)));
}

testing::AssertionResult SameColor(COLORREF actual, COLORREF expected) {
    if (actual == expected)
        return testing::AssertionSuccess();
    char text[96];
    std::snprintf(text, sizeof text, "rgb(%d,%d,%d), expected rgb(%d,%d,%d)", GetRValue(actual),
                  GetGValue(actual), GetBValue(actual), GetRValue(expected), GetGValue(expected),
                  GetBValue(expected));
    return testing::AssertionFailure() << text;
}

std::unique_ptr<TWinControl> MakeEditField(TComponent* owner, int top, int id) {
    auto edit = std::make_unique<TWinControl>(owner);
    edit->Create(TestForm(), "EDIT", WS_VISIBLE | WS_TABSTOP | WS_BORDER, 0,
                 RECT{300, top, 400, top + 20}, id);
    return edit;
}

SIZE TextSize(HFONT font, const std::string& text) {
    const HDC dc = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return size;
}
