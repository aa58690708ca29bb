#include "tools/bildgenerator/textures.h"

#include "tools/bildgenerator/texturetools.h"

#include <array>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

double ringProfile(double phase)
{
    // Close to 1 only in a narrow band per ring: thin dark late-wood lines on a light ground.
    const double wave = 0.5 + 0.5 * std::sin(2.0 * std::numbers::pi * phase);
    return std::pow(wave, 3.0);
}

// Wood grain running along x: the rings advance down the picture and are only gently warped
// sideways, so neighbouring pixels in a row differ far less than those in a column.
Field woodGrain()
{
    constexpr int size = 96;
    constexpr int rings = 7; // whole number, so the rings meet themselves across the top edge
    // One lattice cell across means no change along x: this only makes the ring spacing uneven.
    const TilingNoise spacing(1, 5, 1100);
    const TilingNoise warp(2, 3, 1101);
    const TilingNoise wobble(4, 8, 1102);
    const TilingNoise fibres(3, 48, 1103);
    const TilingNoise pores(6, 96, 1104);

    Field field(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double u = static_cast<double>(x) / size;
            const double v = static_cast<double>(y) / size;
            const double phase =
                rings * v + 0.9 * spacing(u, v) + 0.3 * warp(u, v) + 0.08 * wobble(u, v);
            field.at(x, y) = 0.68 * ringProfile(phase) + 0.2 * fibres(u, v) + 0.12 * pores(u, v);
        }
    }
    field.normalise();
    return field;
}

} // namespace

QImage woodPicture()
{
    const std::vector<RampStop> ramp = {
        {0.0, {234, 201, 116}}, // pale yellow early wood
        {0.5, {214, 168, 82}},
        {1.0, {192, 134, 52}}, // orange-brown late wood
    };
    return paletteTexture(woodGrain(), ramp, {{210, 178, 94}, {181, 123, 41}, {239, 206, 140}});
}

namespace {

// Soft blotches of several sizes over a fine fibre grain. All lattice sizes divide the picture
// size, so every layer tiles on its own.
Field parchmentMottle()
{
    constexpr int size = 135;
    struct Layer {
        TilingNoise noise;
        double weight;
    };
    const std::array<Layer, 5> layers = {{
        {TilingNoise(3, 3, 2201), 0.40},
        {TilingNoise(5, 5, 2202), 0.26},
        {TilingNoise(9, 9, 2203), 0.16},
        {TilingNoise(27, 27, 2204), 0.10},
        {TilingNoise(135, 135, 2205), 0.08},
    }};

    Field field(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double u = static_cast<double>(x) / size;
            const double v = static_cast<double>(y) / size;
            double value = 0.0;
            for (const Layer& layer : layers)
                value += layer.weight * layer.noise(u, v);
            field.at(x, y) = value;
        }
    }
    field.normalise();
    // Mostly light paper with the darker stains kept to smaller patches.
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            field.at(x, y) = std::pow(field.at(x, y), 1.5);
    return field;
}

} // namespace

QImage parchmentPicture()
{
    const std::vector<RampStop> ramp = {
        {0.0, {254, 243, 210}}, // clean cream
        {1.0, {241, 216, 176}}, // aged stain
    };
    return paletteTexture(parchmentMottle(), ramp,
                          {{247, 227, 194}, {239, 214, 173}, {255, 247, 214}});
}
