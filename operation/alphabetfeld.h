#pragma once

class Canvas;

// The 6 x 6 grid of sendable characters: cells at a pitch of 30 pixels, drawn 31 pixels wide
// so that neighbours share their border lines; 181 x 181 pixels in all.
inline constexpr int feldRaster = 30;
inline constexpr int feldSpalten = 6;
inline constexpr int feldGroesse = feldSpalten * feldRaster + 1;
inline constexpr int feldSchriftHoehe = 16;

// The character under a press at (x, y): a shared line belongs to the cell to its right and
// below. A press beyond the last row gives the space, which sends no character.
char zeichenAn(int x, int y);

// Draws the grid into `ziel`, composed off screen and copied in one operation.
void zeichneAlphabetfeld(Canvas& ziel);
