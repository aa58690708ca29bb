#pragma once

// The signal of every sendable character, typed out by hand, so that tests can check the
// embedded code table and what the window shows against something the program did not compute.
#include "signal/stellung.h"

#include <array>
#include <utility>

inline constexpr std::array<std::pair<char, Stellung>, 36> signaltafel{{
    {'A', {180, -90, -90}}, {'B', {135, -45, -45}},  {'C', {90, 0, 0}},
    {'D', {45, 45, 45}},    {'E', {0, 90, 90}},      {'F', {-45, 135, 135}},
    {'G', {-90, 180, 180}}, {'H', {-135, 225, 225}}, {'I', {180, 90, -90}},
    {'K', {135, 135, -45}}, {'L', {90, 180, 0}},     {'M', {45, -135, 45}},
    {'N', {0, 90, -90}},    {'O', {135, -45, 135}},  {'P', {90, 0, 180}},
    {'Q', {45, 45, -135}},  {'R', {180, -90, -180}}, {'S', {135, -45, -135}},
    {'T', {90, 0, -90}},    {'U', {45, 45, -45}},    {'V', {0, 90, 0}},
    {'W', {-45, 135, 45}},  {'X', {-90, 180, 90}},   {'Y', {-135, 225, 135}},
    {'Z', {180, 0, -90}},   {'&', {135, 45, -45}},   {'1', {90, 90, 0}},
    {'2', {45, 135, 45}},   {'3', {0, 180, 90}},     {'4', {-45, -135, 135}},
    {'5', {-90, -90, 180}}, {'6', {-135, -45, 225}}, {'7', {180, 0, -180}},
    {'8', {135, 45, -135}}, {'9', {90, 90, -90}},    {'0', {45, 135, -45}},
}};

// The signal of `zeichen`; anything without a signal (the space, J, ...) leaves the telegraph
// at rest.
constexpr Stellung signalVon(char zeichen)
{
    for (const auto& [z, s] : signaltafel)
        if (z == zeichen)
            return s;
    return ruhestellung;
}
