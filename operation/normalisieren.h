#pragma once

#include <QString>

#include <string>

// Turns free text into the characters the telegraph can send: umlauts and ß are spelled out
// (Ä as AE, ß as SS), J becomes I, letters become capitals, and everything else (spaces, line
// breaks, punctuation, other accented letters, anything beyond Latin-1) is dropped. Umlauts
// written as a letter plus a combining diaeresis count as umlauts.
std::string normalisieren(const QString& text);
