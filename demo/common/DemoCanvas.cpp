#include "DemoCanvas.h"

#include <algorithm>
#include <cmath>
#include <new>

TRgb operator*(TRgb colour, float factor) {
    return {colour.R * factor, colour.G * factor, colour.B * factor};
}

TRgb operator+(TRgb a, TRgb b) {
    return {a.R + b.R, a.G + b.G, a.B + b.B};
}

TRgb Mix(TRgb a, TRgb b, float t) {
    return a * (1 - t) + b * t;
}

TRgb RainbowColour(float turns) {
    // A cosine colour wheel: softer and more even in brightness than the HSV hexcone.
    constexpr float TwoPi = 6.2831853f;
    return {127.5f + 127.5f * std::cos(TwoPi * turns),
            127.5f + 127.5f * std::cos(TwoPi * (turns - 1.0f / 3)),
            127.5f + 127.5f * std::cos(TwoPi * (turns - 2.0f / 3))};
}

std::uint32_t Pack(TRgb colour) {
    auto channel = [](float value) {
        return static_cast<std::uint32_t>(std::clamp(value, 0.0f, 255.0f) + 0.5f);
    };
    return channel(colour.R) << 16 | channel(colour.G) << 8 | channel(colour.B);
}

TCanvas::TCanvas(int width, int height) : FWidth(std::max(width, 1)), FHeight(std::max(height, 1)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = FWidth;
    info.bmiHeader.biHeight = -FHeight; // top-down: row 0 is the top of the screen
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    FDc = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    FBitmap = CreateDIBSection(FDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (FBitmap == nullptr) {
        DeleteDC(FDc);
        throw std::bad_alloc();
    }
    FPixels = static_cast<std::uint32_t*>(bits);
    FOldBitmap = SelectObject(FDc, FBitmap);
    Clear(0);
}

TCanvas::~TCanvas() {
    SelectObject(FDc, FOldBitmap);
    DeleteObject(FBitmap);
    DeleteDC(FDc);
}

void TCanvas::Clear(std::uint32_t colour) {
    std::fill_n(FPixels, std::size_t(FWidth) * FHeight, colour);
}

void TCanvas::Fade(unsigned keep) {
    std::uint32_t* p = FPixels;
    std::uint32_t* end = p + std::size_t(FWidth) * FHeight;
    for (; p != end; ++p) {
        const std::uint32_t c = *p;
        // Red and blue scaled together in one multiply, green in another.
        *p = (((c & 0xFF00FF) * keep >> 8) & 0xFF00FF) | (((c & 0x00FF00) * keep >> 8) & 0x00FF00);
    }
}

namespace {
// Adds `colour` scaled by `weight`/256 to one pixel, each channel clipped at 255.
inline std::uint32_t AddScaled(std::uint32_t pixel, std::uint32_t colour, unsigned weight) {
    const unsigned r =
        std::min(255u, ((pixel >> 16) & 0xFF) + (((colour >> 16) & 0xFF) * weight >> 8));
    const unsigned g =
        std::min(255u, ((pixel >> 8) & 0xFF) + (((colour >> 8) & 0xFF) * weight >> 8));
    const unsigned b = std::min(255u, (pixel & 0xFF) + ((colour & 0xFF) * weight >> 8));
    return r << 16 | g << 8 | b;
}
} // namespace

void TCanvas::AddLight(int x, int y, std::uint32_t colour, unsigned weight) {
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight)
        return;
    std::uint32_t& p = FPixels[std::size_t(y) * FWidth + x];
    p = AddScaled(p, colour, weight);
}

void TCanvas::Present(HDC target) const {
    GdiFlush();
    BitBlt(target, 0, 0, FWidth, FHeight, FDc, 0, 0, SRCCOPY);
}

TGlowBrush::TGlowBrush(float radius)
    : FReach(static_cast<int>(std::ceil(radius))), FSize(FReach * 2 + 2),
      FKernels(std::size_t(16) * FSize * FSize) {
    for (int offset = 0; offset < 16; ++offset) {
        const float fx = (offset % 4) / 4.0f, fy = (offset / 4) / 4.0f;
        std::uint16_t* kernel = &FKernels[std::size_t(offset) * FSize * FSize];
        for (int ky = 0; ky < FSize; ++ky)
            for (int kx = 0; kx < FSize; ++kx) {
                const float dx = kx - FReach - fx, dy = ky - FReach - fy;
                const float t = 1 - (dx * dx + dy * dy) / (radius * radius);
                kernel[ky * FSize + kx] =
                    t > 0 ? static_cast<std::uint16_t>(256 * t * t + 0.5f) : std::uint16_t(0);
            }
    }
}

void TGlowBrush::Stamp(TCanvas& canvas, float x, float y, std::uint32_t colour) const {
    const float fx = std::floor(x), fy = std::floor(y);
    const int offset = static_cast<int>((y - fy) * 4) * 4 + static_cast<int>((x - fx) * 4);
    const std::uint16_t* kernel = &FKernels[std::size_t(offset) * FSize * FSize];
    const int left = static_cast<int>(fx) - FReach, top = static_cast<int>(fy) - FReach;
    // Clip the kernel to the canvas once, so the inner loop needs no checks.
    const int kx0 = std::max(0, -left), kx1 = std::min(FSize, canvas.Width() - left);
    const int ky0 = std::max(0, -top), ky1 = std::min(FSize, canvas.Height() - top);
    for (int ky = ky0; ky < ky1; ++ky) {
        std::uint32_t* row = canvas.Row(top + ky) + left;
        const std::uint16_t* weights = kernel + ky * FSize;
        for (int kx = kx0; kx < kx1; ++kx)
            if (weights[kx] != 0)
                row[kx] = AddScaled(row[kx], colour, weights[kx]);
    }
}
