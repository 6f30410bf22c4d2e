// Plasma: waves of colour from two wandering sources, under a slowly turning palette.

#include "DemoSaver.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace {
constexpr float TwoPi = 6.2831853f;

class TPlasma final : public TDemoScene {
public:
    TPlasma(int width, int height)
        : Width(width), Height(height), Span(static_cast<float>(std::min(width, height))),
          Columns(width), Rows(height), Distance(std::size_t(width) * 2 * height * 2) {
        std::mt19937 random(std::random_device{}());
        Time = std::uniform_real_distribution<float>(0, 1000)(random);
        for (int i = 0; i < 256; ++i)
            Wave[i] = static_cast<std::uint8_t>(127.5f + 127.5f * std::sin(TwoPi * i / 256));
        // Ring phase by distance from the middle of a table twice the screen's size; each
        // source looks into it at an offset, so moving a source costs nothing per pixel.
        for (int y = 0; y < Height * 2; ++y)
            for (int x = 0; x < Width * 2; ++x) {
                const float d = std::hypot(float(x - Width), float(y - Height)) / Span;
                Distance[std::size_t(y) * Width * 2 + x] =
                    static_cast<std::uint8_t>(static_cast<int>(d * 256 * 3.2f) & 255);
            }
    }

    unsigned Draw(TCanvas& canvas) override {
        Time += 1;
        MakePalette();
        for (int x = 0; x < Width; ++x)
            Columns[x] = Wave[Phase(x / Span * 1.7f + Time * 0.011f)];
        for (int y = 0; y < Height; ++y)
            Rows[y] = Wave[Phase(y / Span * 2.3f - Time * 0.007f)];
        const int ax = SourceOffset(Width, 0.0031f, 0.4f), ay = SourceOffset(Height, 0.0023f, 1.3f);
        const int bx = SourceOffset(Width, 0.0017f, 2.9f), by = SourceOffset(Height, 0.0041f, 0.2f);
        const std::uint8_t ring = Phase(Time * -0.018f);
        for (int y = 0; y < Height; ++y) {
            std::uint32_t* out = canvas.Row(y);
            const std::uint8_t* a = &Distance[std::size_t(y + ay) * Width * 2 + ax];
            const std::uint8_t* b = &Distance[std::size_t(y + by) * Width * 2 + bx];
            const int row = Rows[y];
            for (int x = 0; x < Width; ++x) {
                const int sum = Columns[x] + row + Wave[std::uint8_t(a[x] + ring)] +
                                Wave[std::uint8_t(b[x] - ring)];
                out[x] = Palette[(sum >> 1) & 255];
            }
        }
        return 33;
    }

private:
    static std::uint8_t Phase(float turns) {
        return static_cast<std::uint8_t>(static_cast<int>(std::floor(turns * 256)) & 255);
    }

    // Where a source's window starts in the distance table: the source drifts on a slow wave.
    int SourceOffset(int extent, float speed, float start) const {
        const float centre = extent * (0.5f + 0.42f * std::sin(Time * speed * 2.7f + start));
        return std::clamp(static_cast<int>(extent - centre), 0, extent);
    }

    // A rainbow cosine palette, once round per cycle with soft dark seams between the hues;
    // its phases drift apart and together, so the colours themselves change over minutes.
    void MakePalette() {
        const float drift = Time * 0.0004f;
        const float phase[3] = {drift, 0.33f + 0.08f * std::sin(drift * 5), 0.67f - drift * 0.5f};
        for (int i = 0; i < 256; ++i) {
            const float t = i / 256.0f;
            const float light = 0.78f + 0.22f * std::cos(TwoPi * t * 3);
            TRgb c{};
            float* channel[3] = {&c.R, &c.G, &c.B};
            for (int k = 0; k < 3; ++k)
                *channel[k] = 255 * light * (0.5f + 0.5f * std::cos(TwoPi * (t + phase[k])));
            Palette[i] = Pack(c);
        }
    }

    int Width, Height;
    float Span;
    float Time = 0;
    std::array<std::uint8_t, 256> Wave{};
    std::array<std::uint32_t, 256> Palette{};
    std::vector<int> Columns, Rows;
    std::vector<std::uint8_t> Distance;
};
} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return RunDemoSaver({"Plasma", [](int width, int height) -> std::unique_ptr<TDemoScene> {
                             return std::make_unique<TPlasma>(width, height);
                         }});
}
