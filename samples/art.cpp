#include "samples/art.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <string_view>

namespace orb::samples {
namespace {

constexpr double kPi = 3.14159265358979323846;

Point Turn(Point p, Point centre, double degrees) {
    const double a = degrees * kPi / 180, c = std::cos(a), s = std::sin(a);
    const double dx = p.x - centre.x, dy = p.y - centre.y;
    return {centre.x + dx * c - dy * s, centre.y + dx * s + dy * c};
}

// A shaded ball: concentric discs from dark rim to bright core, offset towards the light.
void ShadedBall(Picture& pic, Point centre, double r, Colour rim, Colour core) {
    constexpr int kSteps = 10;
    for (int i = 0; i < kSteps; ++i) {
        const double t = static_cast<double>(i) / kSteps;
        const Point c{centre.x - r * 0.35 * t, centre.y - r * 0.35 * t};
        pic.FillCircle(c, r * (1 - 0.8 * t), Mix(rim, core, t));
    }
}

// A glowing orb with a band of lights that runs round it.
DemoActor Orbling() {
    DemoActor actor{"demo\\orbling.act", {}};
    constexpr int kFrames = 8;
    for (int f = 0; f < kFrames; ++f) {
        Picture pic(64, 64, kActorKey);
        ShadedBall(pic, {32, 32}, 28, {20, 40, 120}, {150, 220, 255});
        for (int k = 0; k < 6; ++k) {
            const double a = (k + f / static_cast<double>(kFrames)) * 2 * kPi / 6;
            const double x = 32 + 24 * std::cos(a);
            if (std::sin(a) < 0) continue;  // behind the orb
            pic.FillCircle({x, 34 + 6 * std::sin(a) - 4}, 3.5, {255, 210, 60});
        }
        actor.frames.push_back(std::move(pic));
    }
    return actor;
}

// A five-pointed star turning through one point's worth of angle, so the loop is seamless.
DemoActor Star() {
    DemoActor actor{"demo\\star.act", {}};
    constexpr int kFrames = 8;
    for (int f = 0; f < kFrames; ++f) {
        Picture pic(56, 56, kActorKey);
        const Point centre{28, 28};
        std::array<Point, 10> outer, inner;
        for (int i = 0; i < 10; ++i) {
            const double r = (i % 2 == 0) ? 26 : 11;
            const double a = -90 + 36 * i + 72.0 * f / kFrames;
            outer[i] = Turn({centre.x + r, centre.y}, centre, a);
            inner[i] = Turn({centre.x + r * 0.6, centre.y}, centre, a);
        }
        pic.FillPolygon(outer, {230, 140, 20});
        pic.FillPolygon(inner, {255, 230, 80});
        pic.FillCircle(centre, 4, {255, 250, 200});
        actor.frames.push_back(std::move(pic));
    }
    return actor;
}

// A fish whose tail wags from side to side.
DemoActor Fish() {
    DemoActor actor{"demo\\fish.act", {}};
    constexpr int kFrames = 6;
    for (int f = 0; f < kFrames; ++f) {
        Picture pic(80, 48, kActorKey);
        const double wag = 9 * std::sin(2 * kPi * f / kFrames);
        const std::array<Point, 3> tail{{{22, 24}, {4, 10 + wag}, {4, 38 + wag}}};
        pic.FillPolygon(tail, {200, 70, 30});
        pic.FillEllipse({44, 24}, 28, 15, {240, 120, 40});
        pic.FillEllipse({46, 30}, 20, 7, {250, 190, 110});
        const std::array<Point, 3> fin{{{40, 10}, {52, 2}, {56, 12}}};
        pic.FillPolygon(fin, {200, 70, 30});
        pic.FillCircle({62, 20}, 4, {250, 250, 240});
        pic.FillCircle({63, 20}, 2, {10, 10, 30});
        actor.frames.push_back(std::move(pic));
    }
    return actor;
}

// A butterfly beating its wings: the wings' span follows a cosine.
DemoActor Butterfly() {
    DemoActor actor{"demo\\butterfly.act", {}};
    constexpr int kFrames = 6;
    for (int f = 0; f < kFrames; ++f) {
        Picture pic(64, 56, kActorKey);
        const double span = 0.25 + 0.75 * std::fabs(std::cos(kPi * f / kFrames));
        for (int side : {-1, 1}) {
            const double s = side * span;
            pic.FillEllipse({32 + 14 * s, 20}, 14 * span + 1, 14, {120, 40, 200});
            pic.FillEllipse({32 + 11 * s, 38}, 10 * span + 1, 10, {60, 160, 220});
            pic.FillCircle({32 + 15 * s, 18}, 4 * span + 0.5, {250, 220, 70});
        }
        pic.FillEllipse({32, 29}, 3, 18, {40, 30, 20});
        pic.FillCircle({32, 10}, 4, {40, 30, 20});
        actor.frames.push_back(std::move(pic));
    }
    return actor;
}

// A flying saucer with a ring of lights that chase round its rim.
DemoActor Saucer() {
    DemoActor actor{"demo\\saucer.act", {}};
    constexpr int kFrames = 4;
    for (int f = 0; f < kFrames; ++f) {
        Picture pic(72, 40, kActorKey);
        pic.FillEllipse({36, 16}, 14, 12, {120, 220, 200});
        pic.FillEllipse({33, 12}, 5, 4, {210, 250, 240});
        pic.FillEllipse({36, 24}, 34, 9, {150, 150, 170});
        pic.FillEllipse({36, 27}, 30, 5, {90, 90, 110});
        for (int k = 0; k < 8; ++k) {
            const bool lit = (k % kFrames) == f;
            pic.FillCircle({8.0 + 8 * k, 25}, 2.5, lit ? Colour{255, 240, 80} : Colour{120, 60, 20});
        }
        actor.frames.push_back(std::move(pic));
    }
    return actor;
}

// The demo's own small generator for scattered details, so the art is the same every build.
class Scatter {
public:
    int Next(int n) {
        state_ = state_ * 1103515245u + 12345u;
        return static_cast<int>((state_ >> 16) % static_cast<std::uint32_t>(n));
    }

private:
    std::uint32_t state_ = 7;
};

// 5 x 7 capitals, one row per byte (bit 4 is the left column), for the banner's title.
struct Glyph {
    char letter;
    std::array<std::uint8_t, 7> rows;
};
constexpr std::array<Glyph, 9> kGlyphs{{
    {'A', {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
    {'B', {0x1E, 0x11, 0x11, 0x1E, 0x11, 0x11, 0x1E}},
    {'D', {0x1E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x1E}},
    {'E', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}},
    {'L', {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F}},
    {'M', {0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11}},
    {'N', {0x11, 0x19, 0x15, 0x13, 0x11, 0x11, 0x11}},
    {'O', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
    {'R', {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11}},
}};

void DrawText(Picture& pic, int x, int y, int scale, std::string_view text, Colour c) {
    for (char letter : text) {
        for (const Glyph& g : kGlyphs) {
            if (g.letter != letter) continue;
            for (int row = 0; row < 7; ++row)
                for (int col = 0; col < 5; ++col)
                    if (g.rows[row] & (0x10 >> col))
                        pic.FillRect(x + col * scale, y + row * scale, x + (col + 1) * scale,
                                     y + (row + 1) * scale, c);
        }
        x += 6 * scale;
    }
}

}  // namespace

std::vector<DemoActor> DrawDemoActors() {
    std::vector<DemoActor> actors;
    actors.push_back(Orbling());
    actors.push_back(Star());
    actors.push_back(Fish());
    actors.push_back(Butterfly());
    actors.push_back(Saucer());
    return actors;
}

namespace {

Colour SkyAt(int y, int height) {
    const double t = static_cast<double>(y) / height;
    return t < 0.6 ? Mix({12, 16, 60}, {120, 60, 140}, t / 0.6)
                   : Mix({120, 60, 140}, {250, 150, 80}, (t - 0.6) / 0.4);
}

}  // namespace

Picture DrawBackdrop() {
    constexpr int kW = 640, kH = 480;
    Picture pic(kW, kH, {0, 0, 0});
    for (int y = 0; y < kH; ++y) pic.FillRect(0, y, kW, y + 1, SkyAt(y, kH));
    Scatter scatter;
    for (int i = 0; i < 120; ++i) {
        const int x = scatter.Next(kW), y = scatter.Next(kH / 2);
        pic.Set(x, y, {230, 230, 210});
    }
    pic.FillCircle({500, 90}, 34, {245, 240, 200});
    // The crescent: the sky shows again where the moon's shadow lies.
    for (int y = 50; y < 111; ++y)
        for (int x = 484; x < 545; ++x)
            if ((x - 514) * (x - 514) + (y - 80) * (y - 80) <= 30 * 30) pic.Set(x, y, SkyAt(y, kH));
    // Two ranges of hills, the nearer one darker.
    const std::array<Colour, 2> hills{{{60, 40, 90}, {24, 30, 40}}};
    for (int layer = 0; layer < 2; ++layer) {
        for (int x = 0; x < kW; ++x) {
            const double h = 330 + layer * 60 + 30 * std::sin(x * (0.011 + layer * 0.007) + layer) +
                             14 * std::sin(x * 0.037 + 2 * layer);
            pic.FillRect(x, static_cast<int>(h), x + 1, kH, hills[layer]);
        }
    }
    return pic;
}

Picture DrawBanner() {
    Picture pic(152, 112, {0, 0, 0});
    for (int y = 0; y < 112; ++y) pic.FillRect(0, y, 152, y + 1, Mix({20, 20, 80}, {90, 30, 110}, y / 112.0));
    ShadedBall(pic, {76, 40}, 26, {20, 40, 120}, {150, 220, 255});
    DrawText(pic, 4, 78, 3, "ORBELLAN", {255, 220, 90});
    DrawText(pic, 64, 102, 1, "DEMO", {220, 220, 240});
    return pic;
}

}  // namespace orb::samples
