#pragma once

#include <chrono>
#include <string>

// How long the line takes, as a reader reads it in German: "12,3 s" under a minute,
// "1 min 05 s" under an hour, "1 h 13 min" beyond, each rounded to its last unit.
std::string dauerAlsText(std::chrono::milliseconds dauer);
