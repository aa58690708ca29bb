#pragma once

#include <QString>
#include <Qt>

#include <optional>

// The 6 x 6 grid of sendable characters: cells at a pitch of 30 pixels, drawn 31 pixels wide
// so that neighbours share their border lines; 181 x 181 pixels in all.
inline constexpr int feldRaster = 30;
inline constexpr int feldSpalten = 6;
inline constexpr int feldZellen = feldSpalten * feldSpalten;
inline constexpr int feldGroesse = feldSpalten * feldRaster + 1;

// The character under a press at (x, y): a shared line belongs to the cell to its right and
// below, and the index is row * 6 + column taken as it comes, so that the closing line right of
// a row gives the next row's first character. A press beyond the last row gives the space,
// which sends no character.
char zeichenAn(int x, int y);

// The index of the cell that holds `zeichen` (row * 6 + column), or -1 if the grid has none.
int zelleVon(char zeichen);

// What a key does to the grid: the cell that is current afterwards, whether its character is
// sent, and whether the key typed that character itself (rather than sending the current cell).
struct Feldtaste {
    int zelle = 0;
    bool senden = false;
    bool selbst = false;
};

// The effect of a key (a Qt key code, its modifiers and the text it types) on the grid while
// `zelle` is current. Arrows move one cell and stop at the edges, Home and End go to the
// first and last cell of the row, Return, Enter and Space send the current cell, and typing a
// character of the grid (small letters too, J as I) goes to its cell and sends it. Any other
// key, and any key held with Ctrl, Alt or Meta, is not the grid's: nothing.
std::optional<Feldtaste> feldtaste(int zelle, int taste, Qt::KeyboardModifiers umschalt,
                                   const QString& text);
