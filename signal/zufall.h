#pragma once

#include <cstdint>

// A seeded source of random numbers for the trainer's examinations and the line's misreads
// (SplitMix64), with our own mapping to a range: the same seed gives the same numbers on every
// machine and with every standard library, which an examination needs and the standard
// distributions do not promise.
class Zufall {
public:
    explicit Zufall(std::uint64_t startwert) : zustand(startwert) {}

    // The next raw 64-bit number.
    std::uint64_t naechste();

    // A number from 0 up to but not including `grenze`, every one equally likely; 0 for a
    // `grenze` of 0.
    std::uint64_t unter(std::uint64_t grenze);

private:
    std::uint64_t zustand;
};
