// Bubbles: soap bubbles with shimmering rims drift up through deep blue water.

#include "DemoSaver.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

namespace {
constexpr float TwoPi = 6.2831853f;

struct TBubble {
    float X, Y, Radius;
    float Rise;            // pixels per frame; bigger bubbles rise faster
    float Sway, SwaySpeed; // side to side as they go
    float Shimmer;         // where the rim's colours stand on the wheel
};

class TBubbles final : public TDemoScene {
public:
    TBubbles(int width, int height)
        : Random(std::random_device{}()), Width(width), Height(height),
          Span(static_cast<float>(std::min(width, height))), Water(std::size_t(width) * height) {
        // Deep water, lighter towards the surface; dithered, since 8 bits per channel would
        // show the slow gradient as bands.
        std::uniform_real_distribution<float> dither(-0.5f, 0.5f);
        for (int y = 0; y < Height; ++y) {
            const TRgb colour = Mix({6, 40, 70}, {2, 6, 22}, std::sqrt(float(y) / Height));
            for (int x = 0; x < Width; ++x) {
                const float noise = dither(Random);
                Water[std::size_t(y) * Width + x] = Pack(colour + TRgb{noise, noise, noise});
            }
        }
        const int count = std::clamp(static_cast<int>(width * height / (Span * Span) * 16), 10, 40);
        for (int i = 0; i < count; ++i) {
            Bubbles.push_back(NewBubble());
            Bubbles.back().Y = Uniform(0, float(Height)); // the first ones already on their way
        }
    }

    unsigned Draw(TCanvas& canvas) override {
        std::memcpy(canvas.Pixels(), Water.data(), Water.size() * sizeof Water[0]);
        ++Frame;
        for (TBubble& bubble : Bubbles) {
            bubble.Y -= bubble.Rise;
            bubble.Shimmer += 0.004f;
            if (bubble.Y < -bubble.Radius * 1.2f)
                bubble = NewBubble();
            DrawBubble(canvas, bubble);
        }
        return 33;
    }

private:
    float Uniform(float low, float high) {
        return std::uniform_real_distribution<float>(low, high)(Random);
    }

    TBubble NewBubble() {
        const float size = Uniform(0, 1);
        const float radius = std::max(3.0f, Span * (0.025f + 0.075f * size * size));
        return {Uniform(0, float(Width)),
                Height + radius * 1.2f,
                radius,
                Span * (0.0012f + 0.0025f * size),
                Uniform(0, TwoPi),
                Uniform(0.01f, 0.03f),
                Uniform(0, 1)};
    }

    void DrawBubble(TCanvas& canvas, const TBubble& bubble) const {
        const float cx =
            bubble.X + bubble.Radius * 0.25f * std::sin(bubble.Sway + Frame * bubble.SwaySpeed);
        const float cy = bubble.Y, r = bubble.Radius;
        const int left = std::max(0, int(cx - r - 1)), right = std::min(Width - 1, int(cx + r + 1));
        const int top = std::max(0, int(cy - r - 1)),
                  bottom = std::min(Height - 1, int(cy + r + 1));
        const float edge = std::max(1.0f, r * 0.09f); // the rim's soft width
        for (int y = top; y <= bottom; ++y) {
            std::uint32_t* row = canvas.Row(y);
            for (int x = left; x <= right; ++x) {
                const float dx = (x + 0.5f - cx) / r, dy = (y + 0.5f - cy) / r;
                const float d = std::sqrt(dx * dx + dy * dy);
                if (d >= 1.0f)
                    continue;
                row[x] = Shade(row[x], bubble, dx, dy, d, edge / r);
            }
        }
    }

    // The light a bubble adds at one point: a thin film's colours strongest at the rim, a faint
    // body, and the window-shaped highlight of a light above and to the left.
    std::uint32_t Shade(std::uint32_t under, const TBubble& bubble, float dx, float dy, float d,
                        float edge) const {
        const float d2 = d * d;
        const float rim = d2 * d2 * d2 * std::min(1.0f, (1 - d) / edge);
        const float hue = bubble.Shimmer + 0.35f * dx - 0.25f * dy + 0.5f * d;
        const TRgb& film = Film[static_cast<unsigned>(hue * 256 + 4096) & 255];
        TRgb light = film * (0.85f * rim + 0.05f);
        const float hx = dx + 0.38f, hy = dy + 0.42f;
        const float spot = std::max(0.0f, 1 - (hx * hx * 1.4f + hy * hy * 3.0f) / 0.06f);
        // A dimmer reflection of the same light on the far side of the film.
        const float gx = dx - 0.45f, gy = dy - 0.5f;
        const float glint = std::max(0.0f, 1 - (gx * gx + gy * gy * 2.5f) / 0.05f);
        light = light + TRgb{255, 255, 255} * (spot * spot * 0.9f + glint * glint * 0.18f);
        const TRgb base{float((under >> 16) & 0xFF), float((under >> 8) & 0xFF),
                        float(under & 0xFF)};
        return Pack(base + light);
    }

    std::mt19937 Random;
    int Width, Height;
    float Span;
    std::vector<std::uint32_t> Water;
    std::array<TRgb, 256> Film{};
    std::vector<TBubble> Bubbles;
    unsigned Frame = 0;
};
} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return RunDemoSaver({"Bubbles", [](int width, int height) -> std::unique_ptr<TDemoScene> {
                             return std::make_unique<TBubbles>(width, height);
                         }});
}
