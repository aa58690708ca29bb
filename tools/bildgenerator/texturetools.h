#pragma once

// What the wood and parchment textures are made from: a field of values shaped with tiling
// noise, then coloured along a ramp into an 8-bit palette picture.

#include <QImage>

#include <array>
#include <cstdint>
#include <vector>

using Rgb = std::array<double, 3>;

// One value per pixel; the textures are shaped here before they get their colours.
class Field {
public:
    Field(int width, int height)
        : width_(width), height_(height), values_(static_cast<std::size_t>(width * height))
    {}
    int width() const { return width_; }
    int height() const { return height_; }
    double& at(int x, int y) { return values_[static_cast<std::size_t>(y * width_ + x)]; }
    double at(int x, int y) const { return values_[static_cast<std::size_t>(y * width_ + x)]; }

    // Stretches the values to exactly fill [0, 1], so the colour ramp is used in full.
    void normalise();

private:
    int width_;
    int height_;
    std::vector<double> values_;
};

// Smooth value noise on a lattice that wraps around at the picture's edges. Because the lattice
// repeats exactly once per picture, the texture continues seamlessly when it is tiled.
class TilingNoise {
public:
    TilingNoise(int cellsX, int cellsY, std::uint32_t seed);

    // u and v are positions as fractions of the picture's width and height.
    double operator()(double u, double v) const;

private:
    static double smooth(double t) { return t * t * (3.0 - 2.0 * t); }
    static int wrap(int index, int count) { return ((index % count) + count) % count; }
    double node(int i, int j) const;

    int cellsX_;
    int cellsY_;
    std::vector<double> lattice_;
};

// A piecewise linear colour ramp over [0, 1].
struct RampStop {
    double position;
    Rgb colour;
};

// What a texture must look like on average and which colours it may never leave.
struct ColourTarget {
    Rgb mean;
    Rgb lowest;
    Rgb highest;
};

inline constexpr int paletteSize = 256;

// Colours a field along a ramp. The ramp sets the character of the texture; the palette is then
// nudged until the picture's average colour is the one asked for, because that average is what
// the eye sees when the texture is tiled over a large area.
QImage paletteTexture(const Field& field, const std::vector<RampStop>& ramp,
                      const ColourTarget& target);
