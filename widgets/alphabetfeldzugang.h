#pragma once

// What a screen reader sees of the alphabet grid: a table of 6 x 6 cells, each named by its
// character, with the grid's current cell (its property "zelle") focused and selected.
// Installed once, before the first grid is asked for; a grid then tells of a new current cell
// as a focus event on that cell.
void installiereAlphabetfeldZugang();
