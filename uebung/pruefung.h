#pragma once

#include "uebung/uebungssatz.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class Zufall;

// An examination round: its questions follow from the seed (the "Startwert"), the set and the
// number of questions alone, so everyone given the same seed gets the same round.

// `anzahl` numbers below `n`: all of them in a shuffled order, then shuffled afresh as often as
// needed, so that every number comes once before any comes twice and none twice in a row
// (for n > 1). Practice rounds draw their words with it too, from a generator of their own.
std::vector<std::size_t> mischfolge(Zufall& zufall, std::size_t n, int anzahl);

// The characters an examination of `satz` asks, `anzahl` of them, as a mischfolge of the set.
std::string pruefungsfolge(std::uint64_t startwert, Uebungssatz satz, int anzahl);

// The words of a reading examination: `anzahl` indices into a list of `woerter` words.
std::vector<std::size_t> pruefungsWoerter(std::uint64_t startwert, std::size_t woerter, int anzahl);
