#pragma once

#include <QString>

#include <chrono>
#include <vector>

// The answers of a round of the trainer and what they come to.

// One question of a round and its answer: what was asked (a character, or the word sent),
// what the learner answered, how many of the characters asked were right, and how long the
// answer took.
struct Antwort {
    QString gefragt;
    QString geantwortet;
    int richtig = 0;
    int von = 1;
    std::chrono::milliseconds zeit{0};
};

struct Rundenergebnis {
    int richtig = 0;
    int von = 0;
    int prozent = 0;                // rounded to whole percent
    std::vector<QString> schwerste; // at most three, the hardest first
};

// Counts the right characters of all answers, and names the hardest questions: those answered
// least well (the smallest share right), then those that took longest on average, each asked
// thing once, none that was always answered right.
Rundenergebnis rundenergebnis(const std::vector<Antwort>& antworten);
