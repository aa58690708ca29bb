#pragma once

// One position of the telegraph: the regulator angle and the angles of the two indicators,
// in whole degrees. The values are kept exactly as given (225 is not -135): they draw alike
// but a movement turns them differently.
struct Stellung {
    int regulator = 0;
    int indikator1 = 0;
    int indikator2 = 0;

    friend constexpr bool operator==(const Stellung&, const Stellung&) = default;
};

// Regulator horizontal with its first end on the left, both indicators hanging straight down.
inline constexpr Stellung ruhestellung{180, 90, 90};

// A position that is no character's signal: all three beams in one level line, the first
// indicator reaching out to the left and the second folded back along the regulator, so that
// the line stays inside the scene. The telegraph shows it between two equal characters sent one
// after the other, and a question of setting starts there when the rest position already draws
// the asked signal.
inline constexpr Stellung trennstellung{180, 180, 180};
