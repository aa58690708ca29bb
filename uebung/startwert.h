#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// The seed ("Startwert") that makes a round an examination: one to 18 decimal digits, leading
// zeros allowed, nothing else (no sign, no spaces), so that it fits 64 bits whatever is typed.
// The command line and the trainer's field read it by this one rule.
inline constexpr int startwertStellen = 18;

// The seed written in `text`, or nothing when `text` is not one.
std::optional<std::uint64_t> startwertAus(const QString& text);
