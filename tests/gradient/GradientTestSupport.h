#pragma once
// Helpers for the gradient, panel and label tests: a memory picture to draw into and read
// back pixel by pixel, the one form window the tests put their controls on, and a capture of
// what a control shows on the screen.

#include "Controls.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// A 32-bit picture in memory with a device context, for drawing and reading back exactly.
class TPixels {
public:
    TPixels(int width, int height);
    ~TPixels();
    TPixels(TPixels&& other) noexcept;
    TPixels(const TPixels&) = delete;
    TPixels& operator=(const TPixels&) = delete;
    TPixels& operator=(TPixels&& other) noexcept;

    HDC DC() const { return Memory; }
    int Width() const { return PixelWidth; }
    int Height() const { return PixelHeight; }
    COLORREF At(int x, int y) const;
    void Fill(COLORREF color);
    // The smallest rectangle holding every pixel for which `ink` holds; empty when none does.
    RECT Bounds(const std::function<bool(COLORREF)>& ink) const;
    int Count(const std::function<bool(COLORREF)>& ink) const;

private:
    int PixelWidth;
    int PixelHeight;
    HDC Memory = nullptr;
    HBITMAP Bitmap = nullptr;
    HGDIOBJ OldBitmap = nullptr;
    const DWORD* Bits = nullptr;
};

// The top-level window every test places its controls on (made once: a top-level window takes
// long to go under Wine without a window manager). Its background, and the brush it gives
// static children, is FormColor.
HWND TestForm();
constexpr COLORREF FormColor = RGB(0, 128, 0);

// An edit field on the test form at (300, top), 100 by 20 pixels: a place for a label's
// accelerator to send the focus, or for the focus to wait.
std::unique_ptr<TWinControl> MakeEditField(TComponent* owner, int top, int id);

// The size of `text` in `font`, measured with plain GDI.
SIZE TextSize(HFONT font, const std::string& text);

// Paints `control` now and copies its client area.
TPixels Capture(HWND control);

// Handles every message waiting in the queue.
void PumpMessages();
// Whether the window has a part waiting to be painted.
bool NeedsPaint(HWND window);

// The colour a gradient through `colors` has at `offset` of `extent`, found directly: the
// segment holding the offset, then the linear step inside it, truncating toward zero.
COLORREF GradientColor(const std::vector<COLORREF>& colors, int extent, int offset);

// Channel-wise equality, for readable failures.
testing::AssertionResult SameColor(COLORREF actual, COLORREF expected);
