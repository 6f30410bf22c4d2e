#pragma once
// The back buffer the demo savers draw into: a 32-bit top-down DIB section with direct pixel
// access, shown in one BitBlt so the screen never sees half a frame.

#include <windows.h>

#include <cstdint>
#include <vector>

// A colour with channels from 0 to 255 and beyond: light adds up before it is clipped.
struct TRgb {
    float R = 0, G = 0, B = 0;
};

TRgb operator*(TRgb colour, float factor);
TRgb operator+(TRgb a, TRgb b);
TRgb Mix(TRgb a, TRgb b, float t);
// A fully saturated colour of the colour wheel; `turns` wraps, 0 = red, 1/3 = green.
TRgb RainbowColour(float turns);
// 0x00RRGGBB, each channel clipped to 0..255.
std::uint32_t Pack(TRgb colour);

class TCanvas {
public:
    TCanvas(int width, int height);
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Pixels as 0x00RRGGBB, rows top to bottom with no padding.
    std::uint32_t* Pixels() { return FPixels; }
    std::uint32_t* Row(int y) { return FPixels + std::size_t(y) * FWidth; }

    void Clear(std::uint32_t colour);
    // Keeps `keep`/256 of every pixel's brightness: the fading trails of moving light.
    void Fade(unsigned keep);
    // Adds `colour` scaled by `weight` (0..256) to one pixel, clipping at white.
    void AddLight(int x, int y, std::uint32_t colour, unsigned weight);
    void Present(HDC target) const;

private:
    int FWidth;
    int FHeight;
    HDC FDc = nullptr;
    HBITMAP FBitmap = nullptr;
    HGDIOBJ FOldBitmap = nullptr;
    std::uint32_t* FPixels = nullptr;
};

// A soft round spot of light: weights fall off smoothly to 0 at `radius`. Positions are
// taken to a quarter pixel, so slow movement and thin curves stay smooth.
class TGlowBrush {
public:
    explicit TGlowBrush(float radius);
    void Stamp(TCanvas& canvas, float x, float y, std::uint32_t colour) const;

private:
    int FReach;                          // pixels each side of the centre
    int FSize;                           // FReach * 2 + 2, the kernel's side
    std::vector<std::uint16_t> FKernels; // 16 kernels, one per quarter-pixel offset
};
