// Fuzzes normalisieren, which turns whatever the user types or pastes into the characters the
// telegraph can send. Every input is read three ways:
//  - as Latin-1, where the result must match the character table written out below;
//  - as UTF-16 code units (lone surrogates included) and as UTF-8, where the result must
//    consist of sendable characters only, stay within two characters per input unit, and
//    match the same table applied to the composed (NFC) text, as long as no letter carries
//    more than 30 combining marks (beyond that normalisieren cuts the marks off on purpose).
// For all three, normalising the result again must leave it unchanged, and the sources kept
// for the sent characters must fit: the same characters, each from a stretch of the input that
// follows the one before and sends exactly its own characters when normalised alone, and the
// same sources, moved, when the input comes after a long line and only its first and last
// sent characters are asked for.
// A failure prints the input in hex and traps, so libFuzzer saves it as a crash file.

#include "bedienung/normalisieren.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view sendbareZeichen = "ABCDEFGHIKLMNOPQRSTUVWXYZ&1234567890";

[[noreturn]] void fehlschlag(const char* regel, const char* lesart, const uint8_t* data,
                             std::size_t size, const std::string& ergebnis)
{
    std::fprintf(stderr, "normalisieren_fuzz: %s (input read as %s)\ninput (%zu bytes):", regel,
                 lesart, size);
    for (std::size_t i = 0; i < size; ++i)
        std::fprintf(stderr, " %02x", data[i]);
    std::fprintf(stderr, "\nresult (%zu chars): \"%s\"\n", ergebnis.size(), ergebnis.c_str());
    __builtin_trap();
}

// The table, by code point rather than by character literal so that it does not depend on how
// either source file was encoded. Code points above 0xFF are never sendable, but the capital
// sharp s is spelled out as ß is.
void erwartetAnhaengen(std::string& ziel, unsigned zeichen)
{
    if (zeichen >= 'a' && zeichen <= 'z')
        zeichen = zeichen - 'a' + 'A';
    switch (zeichen) {
    case 0xC4: // Ä
    case 0xE4: // ä
        ziel += "AE";
        return;
    case 0xD6: // Ö
    case 0xF6: // ö
        ziel += "OE";
        return;
    case 0xDC: // Ü
    case 0xFC: // ü
        ziel += "UE";
        return;
    case 0xDF:   // ß
    case 0x1E9E: // ẞ
        ziel += "SS";
        return;
    case 'J':
        ziel += 'I';
        return;
    default:
        break;
    }
    if (zeichen == '&' || (zeichen >= '0' && zeichen <= '9') || (zeichen >= 'A' && zeichen <= 'Z'))
        ziel += static_cast<char>(zeichen);
}

std::string erwartetAusLatin1(const uint8_t* data, std::size_t size)
{
    std::string erwartet;
    for (std::size_t i = 0; i < size; ++i)
        erwartetAnhaengen(erwartet, data[i]);
    return erwartet;
}

// Latin-1 has no combining marks and no character that composition changes, so the composed
// form of Latin-1 text is the text itself; for anything else the table is applied to the
// composed UTF-16 units.
std::string erwartetAusText(const QString& text)
{
    const QString zusammengesetzt = text.normalized(QString::NormalizationForm_C);
    std::string erwartet;
    for (const QChar zeichen : zusammengesetzt)
        erwartetAnhaengen(erwartet, zeichen.unicode());
    return erwartet;
}

// Unicode's stream-safe text format: fully decomposed (NFKD), the text never holds more than 30
// non-starters, code points of a combining class other than 0, in a row.
bool streamSicher(const QString& text)
{
    const QString zerlegt = text.normalized(QString::NormalizationForm_KD);
    int folge = 0;
    for (qsizetype i = 0; i < zerlegt.size(); ++i) {
        char32_t c = zerlegt.at(i).unicode();
        if (zerlegt.at(i).isHighSurrogate() && i + 1 < zerlegt.size() &&
            zerlegt.at(i + 1).isLowSurrogate()) {
            c = QChar::surrogateToUcs4(zerlegt.at(i), zerlegt.at(i + 1));
            ++i;
        }
        folge = QChar::combiningClass(c) != 0 ? folge + 1 : 0;
        if (folge > 30)
            return false;
    }
    return true;
}

void nochmalsUnveraendert(const std::string& ergebnis, const char* lesart, const uint8_t* data,
                          std::size_t size)
{
    const QString wieder =
        QString::fromLatin1(ergebnis.data(), static_cast<qsizetype>(ergebnis.size()));
    if (normalisieren(wieder) != ergebnis)
        fehlschlag("normalising the result again changed it", lesart, data, size, ergebnis);
}

void quellenPassen(const QString& text, const std::string& ergebnis, const char* lesart,
                   const uint8_t* data, std::size_t size)
{
    // Asked for in reverse order, and for one beyond the end, which gets no source.
    std::vector<std::size_t> alle(ergebnis.size() + 1);
    for (std::size_t i = 0; i < alle.size(); ++i)
        alle[i] = alle.size() - 1 - i;
    const Gesendet gesendet = normalisierenMitQuellen(text, alle);
    if (gesendet.zeichen != ergebnis)
        fehlschlag("with sources, other characters are sent", lesart, data, size, ergebnis);
    std::vector<Quelle> quellen;
    for (const auto& [index, q] : gesendet.quellen) {
        if (index != quellen.size())
            break;
        quellen.push_back(q);
    }
    if (quellen.size() != ergebnis.size() || gesendet.quellen.size() != ergebnis.size())
        fehlschlag("not exactly one source per sent character", lesart, data, size, ergebnis);
    // What the playback asks for, the last character and the first, with the input behind a
    // line of 300 characters, so that it lies in a later piece than the first: the sources
    // are those above, moved by the line.
    if (!ergebnis.empty()) {
        const QString zeile = QString(299, QLatin1Char('a')) + QLatin1Char('\n');
        const std::size_t letztes = 299 + ergebnis.size() - 1;
        const Gesendet zwei = normalisierenMitQuellen(zeile + text, {letztes, 299});
        const auto verschoben = [](Quelle q) { return Quelle{q.anfang + 300, q.ende + 300}; };
        if (zwei.zeichen != std::string(299, 'A') + ergebnis || !zwei.quellen.contains(299) ||
            !zwei.quellen.contains(letztes) ||
            zwei.quellen.at(299) != verschoben(quellen.front()) ||
            zwei.quellen.at(letztes) != verschoben(quellen.back()))
            fehlschlag("behind a line, the first and last sources differ", lesart, data, size,
                       ergebnis);
    }
    qsizetype bisher = 0;
    for (std::size_t i = 0; i < quellen.size();) {
        const Quelle q = quellen[i];
        std::size_t j = i;
        while (j < quellen.size() && quellen[j] == q)
            ++j;
        if (q.anfang < bisher || q.ende <= q.anfang || q.ende > text.size())
            fehlschlag("a source out of order or outside the text", lesart, data, size, ergebnis);
        if (normalisieren(text.mid(q.anfang, q.ende - q.anfang)) != ergebnis.substr(i, j - i))
            fehlschlag("a source does not send its own characters", lesart, data, size, ergebnis);
        bisher = q.ende;
        i = j;
    }
}

void pruefeLatin1(const uint8_t* data, std::size_t size)
{
    const QString text =
        QString::fromLatin1(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::string ergebnis = normalisieren(text);
    if (ergebnis != erwartetAusLatin1(data, size))
        fehlschlag("result differs from the character table", "Latin-1", data, size, ergebnis);
    nochmalsUnveraendert(ergebnis, "Latin-1", data, size);
    quellenPassen(text, ergebnis, "Latin-1", data, size);
}

void pruefeText(const QString& text, const char* lesart, const uint8_t* data, std::size_t size)
{
    const std::string ergebnis = normalisieren(text);
    if (ergebnis.find_first_not_of(sendbareZeichen) != std::string::npos)
        fehlschlag("result holds a character that cannot be sent", lesart, data, size, ergebnis);
    if (ergebnis.size() > 2 * static_cast<std::size_t>(text.size()))
        fehlschlag("result longer than two characters per input unit", lesart, data, size,
                   ergebnis);
    if (streamSicher(text) && ergebnis != erwartetAusText(text))
        fehlschlag("result differs from the character table applied to the composed text", lesart,
                   data, size, ergebnis);
    nochmalsUnveraendert(ergebnis, lesart, data, size);
    quellenPassen(text, ergebnis, lesart, data, size);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    pruefeLatin1(data, size);

    // Copied rather than cast, since the bytes need not be aligned for char16_t; an odd last
    // byte is left out.
    std::vector<char16_t> einheiten(size / 2);
    if (!einheiten.empty())
        std::memcpy(einheiten.data(), data, einheiten.size() * sizeof(char16_t));
    pruefeText(QString(reinterpret_cast<const QChar*>(einheiten.data()),
                       static_cast<qsizetype>(einheiten.size())),
               "UTF-16", data, size);

    pruefeText(QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)),
               "UTF-8", data, size);
    return 0;
}
