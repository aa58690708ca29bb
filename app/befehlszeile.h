#pragma once

#include "signal/signalcode.h"
#include "uebung/uebungsart.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// What the command line asks for: the window (no options), the trainer, the code chart written
// to a file, or only a text (help, version, an error), which has then been printed already.
struct Aufruf {
    std::optional<QString> tafel = {}; // --tafel FILE
    // --ueben [erkennen|stellen|mitlesen] [--startwert N]: the trainer instead of the window
    std::optional<Uebungsart> uebung = {};
    std::optional<std::uint64_t> startwert = {};
    std::optional<int> linie = {};    // --linie [--stationen N]: the line of N stations
    bool netz = false;                // --linie --netz: the line as a Leitstelle for pupils
    std::optional<quint16> port = {}; // --port N: where the Leitstelle listens
    // --station ADRESSE[:PORT] --name NAME: a pupil's station of a Leitstelle's line
    std::optional<QString> station = {};
    QString name = {};
    std::optional<int> ende = {}; // end at once with this exit status
    // Qt's own options stay in argv for Qt; these two the program heeds before Qt starts.
    QString qtPlattform = {}; // -platform NAME
    QString x11Anzeige = {};  // -display NAME
};

// Reads the arguments (the program's name first). Needs no application object, so that help,
// errors and the chart need no display.
Aufruf befehlszeileLesen(int argc, char* argv[]);

// Writes the chart to `pfad` on Qt's offscreen platform and returns the exit status:
// 0 written, 1 not written, 2 a file type the chart cannot be written as. Qt's options on the
// command line concern the window and are not handed on; the chart is drawn the same without.
int tafelSchreiben(char* programm, const QString& pfad, const Signalcode& code);
