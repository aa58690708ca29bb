#pragma once

class Alphabetfeld;

// What a screen reader sees of the alphabet grid: a table of 6 x 6 cells, each named by its
// character, with the current cell focused and selected. Installed once, before the first grid
// is asked for.
void installiereAlphabetfeldZugang();

// Tells a screen reader that the grid's current cell has the focus now.
void meldeFokus(Alphabetfeld& feld);
