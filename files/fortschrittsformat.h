#pragma once

#include "uebung/lernstand.h"

#include <QByteArray>

#include <optional>

// The progress file's contents: a JSON object with the format's name, its version, the box of
// every character met so far, the latest answers and the "alle Zeichen" flag.

QByteArray alsJson(const Lernstand& stand);

// Reads the contents strictly: anything missing, of the wrong type, out of range or unknown
// makes them unreadable, and so does a newer version of the format, which is said apart.
struct GelesenerStand {
    std::optional<Lernstand> lernstand;
    bool neuereVersion = false;
};

GelesenerStand ausJson(const QByteArray& inhalt);
