// Lissajous: three glowing figures of light that slowly turn, leaving fading trails.

#include "DemoSaver.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace {
constexpr float TwoPi = 6.2831853f;

struct TFigure {
    float FrequencyX, FrequencyY; // the figure's shape: small whole numbers
    float Phase, PhaseSpeed;      // turning the phase makes the figure seem to spin in depth
    float Hue, HueSpeed;
    float Size; // fraction of the screen's half extent
};

// A spot of light and how far apart its stamps go along a curve so they merge into a band.
struct TStroke {
    explicit TStroke(float radius) : Brush(radius), Spacing(std::max(1.0f, radius / 2)) {}
    TGlowBrush Brush;
    float Spacing;
};

class TLissajous final : public TDemoScene {
public:
    TLissajous(int width, int height)
        : Random(std::random_device{}()), CentreX(width / 2.0f), CentreY(height / 2.0f),
          Halo(std::max(2.5f, std::min(width, height) * 0.012f)),
          Core(std::max(1.0f, std::min(width, height) * 0.0028f)) {
        std::uniform_real_distribution<float> unit(0, 1);
        for (int i = 0; i < 3; ++i) {
            TFigure figure{};
            Reshape(figure);
            figure.Phase = unit(Random) * TwoPi;
            figure.PhaseSpeed = (0.006f + 0.008f * unit(Random)) * (i % 2 ? -1 : 1);
            figure.Hue = i / 3.0f + 0.1f * unit(Random);
            figure.HueSpeed = 0.0007f + 0.0010f * unit(Random);
            figure.Size = 0.92f - 0.17f * i;
            Figures.push_back(figure);
        }
    }

    unsigned Draw(TCanvas& canvas) override {
        canvas.Fade(196); // a trail lasts about half a second
        for (TFigure& figure : Figures) {
            DrawFigure(canvas, figure);
            figure.Phase += figure.PhaseSpeed;
            figure.Hue += figure.HueSpeed;
        }
        if (++Frames % 600 == 0) // now and then one figure takes a new shape
            Reshape(Figures[(Frames / 600) % Figures.size()]);
        return 33;
    }

private:
    void DrawFigure(TCanvas& canvas, const TFigure& figure) const {
        const float rx = CentreX * figure.Size, ry = CentreY * figure.Size;
        const TRgb colour = RainbowColour(figure.Hue);
        const std::uint32_t halo = Pack(colour * 0.13f);
        const std::uint32_t core = Pack(Mix(colour, {255, 255, 255}, 0.55f) * 0.5f);
        float sinceHalo = Halo.Spacing, sinceCore = Core.Spacing;
        // Walk the curve a pixel at a time: the step in t follows the curve's speed.
        for (float t = 0; t < TwoPi;) {
            const float ax = figure.FrequencyX * t + figure.Phase, ay = figure.FrequencyY * t;
            const float x = CentreX + rx * std::sin(ax), y = CentreY + ry * std::sin(ay);
            if (sinceHalo >= Halo.Spacing) {
                Halo.Brush.Stamp(canvas, x, y, halo);
                sinceHalo = 0;
            }
            if (sinceCore >= Core.Spacing) {
                Core.Brush.Stamp(canvas, x, y, core);
                sinceCore = 0;
            }
            const float speed = std::hypot(rx * figure.FrequencyX * std::cos(ax),
                                           ry * figure.FrequencyY * std::cos(ay));
            const float step = std::min(0.02f, 1.0f / std::max(speed, 1.0f));
            t += step;
            sinceHalo += speed * step;
            sinceCore += speed * step;
        }
    }

    void Reshape(TFigure& figure) {
        static const float shapes[][2] = {{3, 2}, {5, 4}, {2, 3}, {4, 3},
                                          {5, 6}, {3, 4}, {1, 2}, {4, 5}};
        std::uniform_int_distribution<int> pick(0, static_cast<int>(std::size(shapes)) - 1);
        const auto& shape = shapes[pick(Random)];
        figure.FrequencyX = shape[0];
        figure.FrequencyY = shape[1];
    }

    std::mt19937 Random;
    float CentreX, CentreY;
    TStroke Halo;
    TStroke Core;
    std::vector<TFigure> Figures;
    unsigned Frames = 0;
};
} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return RunDemoSaver({"Lissajous", [](int width, int height) -> std::unique_ptr<TDemoScene> {
                             return std::make_unique<TLissajous>(width, height);
                         }});
}
