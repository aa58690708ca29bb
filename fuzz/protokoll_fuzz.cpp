// Fuzzes the reader of the line's network messages, which takes whatever a stranger on the
// class's network sends. It must never crash; whatever it takes must keep the limits every
// other part relies on, and read the same again once written back; whatever it refuses must say
// why.
// A failure prints the input in hex and traps, so libFuzzer saves it as a crash file.

#include "netz/protokoll.h"

#include <QList>

#include <cstddef>
#include <cstdint>
#include <cstdio>

using namespace netz;

namespace {

[[noreturn]] void fehlschlag(const char* regel, const uint8_t* data, std::size_t size)
{
    std::fprintf(stderr, "protokoll_fuzz: %s\ninput (%zu bytes):", regel, size);
    for (std::size_t i = 0; i < size; ++i)
        std::fprintf(stderr, " %02x", data[i]);
    std::fprintf(stderr, "\n");
    __builtin_trap();
}

// The limits, checked here by hand rather than by the reader's own helpers.
bool winkelPasst(int w)
{
    return w >= -360 && w <= 360 && w % 45 == 0;
}

bool stellungPasst(const Stellung& s)
{
    return winkelPasst(s.regulator) && winkelPasst(s.indikator1) && winkelPasst(s.indikator2);
}

bool textPasst(const QString& text, int hoechstens, bool leerErlaubt)
{
    const QList<uint> zeichen = text.toUcs4();
    if (zeichen.size() > hoechstens || (!leerErlaubt && text.trimmed().isEmpty()))
        return false;
    for (const uint z : zeichen)
        if (z < 0x20 || (z >= 0x7f && z < 0xa0) || z == 0x2028 || z == 0x2029 ||
            (z >= 0x202a && z <= 0x202e) || (z >= 0xd800 && z <= 0xdfff))
            return false;
    return true;
}

bool passt(const Nachricht& n)
{
    if (const auto* b = std::get_if<Beitreten>(&n))
        return b->wort.size() == 4 && textPasst(b->name, 20, false) &&
               (b->token.isEmpty() || b->token.size() == 32);
    if (const auto* g = std::get_if<Gestellt>(&n))
        return stellungPasst(g->stellung);
    if (const auto* w = std::get_if<Willkommen>(&n))
        return w->station >= 1 && w->station <= w->stationen && w->stationen <= 30 &&
               w->stationen >= 2 && w->token.size() == 32 && textPasst(w->vorName, 20, true);
    if (const auto* b = std::get_if<Bewegung>(&n))
        return b->station >= 1 && b->station <= 30 && b->beginn >= 0 && stellungPasst(b->von) &&
               stellungPasst(b->nach);
    if (const auto* d = std::get_if<Darf>(&n))
        return d->warte >= Warte::Nicht && d->warte <= Warte::Fertig;
    if (const auto* a = std::get_if<Abschied>(&n))
        return textPasst(a->grund, 200, true);
    if (const auto* e = std::get_if<Ende>(&n))
        return e->nachricht.size() <= 1000 && e->empfangen.size() <= 1000 &&
               e->zeile.size() <= 1000;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const Gelesen gelesen = lies(text);
    if (!gelesen.nachricht) {
        if (gelesen.grund.isEmpty())
            fehlschlag("refused without a reason", data, size);
        return 0;
    }
    if (size > 4096)
        fehlschlag("took more than 4 KB", data, size);
    if (!passt(*gelesen.nachricht))
        fehlschlag("took a message outside its limits", data, size);
    const QByteArray geschrieben = schreibe(*gelesen.nachricht);
    if (geschrieben.size() > 4096)
        fehlschlag("written back, larger than 4 KB", data, size);
    const Gelesen wieder = lies(geschrieben);
    if (!wieder.nachricht || !(*wieder.nachricht == *gelesen.nachricht))
        fehlschlag("written back and read again, another message", data, size);
    return 0;
}
