#include "tools/bildgenerator/texturetools.h"

#include <algorithm>
#include <cmath>
#include <random>

void Field::normalise()
{
    const auto [low, high] = std::minmax_element(values_.begin(), values_.end());
    const double lowest = *low;
    const double span = std::max(*high - lowest, 1e-9);
    for (double& value : values_)
        value = (value - lowest) / span;
}

TilingNoise::TilingNoise(int cellsX, int cellsY, std::uint32_t seed)
    : cellsX_(cellsX), cellsY_(cellsY), lattice_(static_cast<std::size_t>(cellsX * cellsY))
{
    // The raw engine output is fixed by the C++ standard; the library's distributions are
    // not, so they would make the pictures differ between compilers.
    std::mt19937 engine(seed);
    for (double& node : lattice_)
        node = static_cast<double>(engine()) / static_cast<double>(std::mt19937::max());
}

double TilingNoise::operator()(double u, double v) const
{
    const double x = u * cellsX_;
    const double y = v * cellsY_;
    const int i = static_cast<int>(std::floor(x));
    const int j = static_cast<int>(std::floor(y));
    const double fx = smooth(x - i);
    const double fy = smooth(y - j);
    const double top = std::lerp(node(i, j), node(i + 1, j), fx);
    const double bottom = std::lerp(node(i, j + 1), node(i + 1, j + 1), fx);
    return std::lerp(top, bottom, fy);
}

double TilingNoise::node(int i, int j) const
{
    return lattice_[static_cast<std::size_t>(wrap(j, cellsY_) * cellsX_ + wrap(i, cellsX_))];
}

namespace {

Rgb rampColour(const std::vector<RampStop>& ramp, double t)
{
    if (t <= ramp.front().position)
        return ramp.front().colour;
    for (std::size_t i = 1; i < ramp.size(); ++i) {
        const RampStop& a = ramp[i - 1];
        const RampStop& b = ramp[i];
        if (t <= b.position) {
            const double f = (t - a.position) / (b.position - a.position);
            return {std::lerp(a.colour[0], b.colour[0], f), std::lerp(a.colour[1], b.colour[1], f),
                    std::lerp(a.colour[2], b.colour[2], f)};
        }
    }
    return ramp.back().colour;
}

std::vector<int> paletteIndices(const Field& field)
{
    std::vector<int> indices;
    indices.reserve(static_cast<std::size_t>(field.width() * field.height()));
    for (int y = 0; y < field.height(); ++y)
        for (int x = 0; x < field.width(); ++x)
            indices.push_back(
                static_cast<int>(std::lround(std::clamp(field.at(x, y), 0.0, 1.0) * 255.0)));
    return indices;
}

std::array<Rgb, paletteSize> shiftedPalette(const std::vector<RampStop>& ramp, const Rgb& shift,
                                            const ColourTarget& target)
{
    std::array<Rgb, paletteSize> palette{};
    for (int i = 0; i < paletteSize; ++i) {
        const Rgb colour = rampColour(ramp, i / 255.0);
        for (int c = 0; c < 3; ++c)
            palette[i][c] = std::round(
                std::clamp(colour[c] + shift[c], target.lowest[c] + 2.0, target.highest[c] - 2.0));
    }
    return palette;
}

Rgb meanColour(const std::array<Rgb, paletteSize>& palette, const std::vector<int>& indices)
{
    Rgb sum{};
    for (const int index : indices)
        for (int c = 0; c < 3; ++c)
            sum[c] += palette[static_cast<std::size_t>(index)][c];
    for (double& channel : sum)
        channel /= static_cast<double>(indices.size());
    return sum;
}

} // namespace

QImage paletteTexture(const Field& field, const std::vector<RampStop>& ramp,
                      const ColourTarget& target)
{
    const std::vector<int> indices = paletteIndices(field);
    Rgb shift{};
    std::array<Rgb, paletteSize> palette = shiftedPalette(ramp, shift, target);
    for (int round = 0; round < 30; ++round) {
        const Rgb mean = meanColour(palette, indices);
        for (int c = 0; c < 3; ++c)
            shift[c] += target.mean[c] - mean[c];
        palette = shiftedPalette(ramp, shift, target);
    }

    QImage image(field.width(), field.height(), QImage::Format_Indexed8);
    QList<QRgb> colours;
    for (const Rgb& colour : palette)
        colours.append(qRgb(static_cast<int>(colour[0]), static_cast<int>(colour[1]),
                            static_cast<int>(colour[2])));
    image.setColorTable(colours);
    for (int y = 0; y < field.height(); ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < field.width(); ++x)
            line[x] = static_cast<uchar>(indices[static_cast<std::size_t>(y * field.width() + x)]);
    }
    return image;
}
