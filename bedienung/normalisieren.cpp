#include "bedienung/normalisieren.h"

#include <algorithm>
#include <string_view>

namespace {

std::string_view ersatz(char16_t c)
{
    switch (c) {
    case u'Ä':
    case u'ä':
        return "AE";
    case u'Ö':
    case u'ö':
        return "OE";
    case u'Ü':
    case u'ü':
        return "UE";
    case u'ß':
    case u'\u1E9E': // the capital sharp s, as in "GROẞ"
        return "SS";
    default:
        return {};
    }
}

char sendbar(char16_t c)
{
    if (c >= u'a' && c <= u'z')
        c = static_cast<char16_t>(c - u'a' + u'A');
    if (c == u'J')
        return 'I';
    if ((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'&')
        return static_cast<char>(c);
    return '\0';
}

// Whether the text may be cut before `c` without changing what composition makes of it for
// us: nothing that could end up sendable composes across such a cut. Characters that compose
// onto their predecessor are combining marks, characters that decompose into them, and a few
// vowel signs and jamo that only join letters of their own scripts, none of them sendable.
bool schnittVor(char32_t c)
{
    if (c < 0x300)
        return true;
    if (QChar::combiningClass(c) != 0)
        return false;
    const QString zerlegt = QChar::decomposition(c);
    return zerlegt.isEmpty() || QChar::combiningClass(zerlegt.at(0).unicode()) == 0;
}

// The code point at `i`, and in `breite` how many UTF-16 units it takes; a lone surrogate is
// a code point of its own.
char32_t codepunkt(const QString& text, qsizetype i, qsizetype& breite)
{
    const char16_t c = text.at(i).unicode();
    if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
        breite = 2;
        return QChar::surrogateToUcs4(c, text.at(i + 1).unicode());
    }
    breite = 1;
    return c;
}

// The end of the written character that begins at `i`: the next place, before `ende`, where
// the text may be cut.
qsizetype zeichenEnde(const QString& text, qsizetype i, qsizetype ende)
{
    qsizetype breite = 0;
    codepunkt(text, i, breite);
    for (i += breite; i < ende; i += breite) {
        if (schnittVor(codepunkt(text, i, breite)))
            break;
    }
    return i;
}

Quelle quelle(qsizetype anfang, qsizetype ende)
{
    return {static_cast<int>(anfang), static_cast<int>(ende)};
}

// Appends what `c` sends.
void senden(std::string& zeichen, char16_t c)
{
    if (const std::string_view langform = ersatz(c); !langform.empty())
        zeichen += langform;
    else if (const char einzeln = sendbar(c); einzeln != '\0')
        zeichen += einzeln;
}

// Appends `quelle` once for every character that `c` sends.
void quelleAnhaengen(std::vector<Quelle>& quellen, char16_t c, Quelle quelle)
{
    std::size_t anzahl = ersatz(c).size();
    if (anzahl == 0 && sendbar(c) != '\0')
        anzahl = 1;
    quellen.insert(quellen.end(), anzahl, quelle);
}

// The source of every character that the piece of `text` from `anfang` to `ende` sends, in
// order. Where composition changes the piece, each written character is composed on its own
// (nothing sendable composes across the places where the text may be cut), so that what it
// sends keeps its place in the text.
std::vector<Quelle> stueckQuellen(const QString& text, qsizetype anfang, qsizetype ende,
                                  bool zusammensetzenAendert)
{
    std::vector<Quelle> quellen;
    if (!zusammensetzenAendert) {
        for (qsizetype i = anfang; i < ende; ++i) {
            // A character that sends something owns the marks that follow it, if any.
            const char16_t c = text.at(i).unicode();
            const bool markeFolgt = i + 1 < ende && text.at(i + 1).unicode() >= 0x300;
            quelleAnhaengen(quellen, c, quelle(i, markeFolgt ? zeichenEnde(text, i, ende) : i + 1));
        }
        return quellen;
    }
    for (qsizetype i = anfang; i < ende;) {
        const qsizetype bis = zeichenEnde(text, i, ende);
        const QString einzeln = text.mid(i, bis - i).normalized(QString::NormalizationForm_C);
        for (const QChar c : einzeln)
            quelleAnhaengen(quellen, c.unicode(), quelle(i, bis));
        i = bis;
    }
    return quellen;
}

} // namespace

// Sends the text piece by piece in composed form (NFC), so that "u" followed by a combining
// diaeresis, as some systems paste it, sends as "ü". Qt's composition slows down with the
// square of a text's length once it has anything to compose, so it is applied to short pieces
// cut where nothing composes across. A letter keeps at most 30 combining marks, the limit of
// Unicode's stream-safe text format; marks beyond it are cut off and have nothing to compose
// with. Only a piece that sends a character whose source is asked for is gone through again,
// character by character, for the sources.
Gesendet normalisierenMitQuellen(const QString& text, std::vector<std::size_t> gesucht)
{
    constexpr qsizetype stueckLaenge = 256;
    constexpr int hoechstensZeichen = 30;

    Gesendet ergebnis;
    ergebnis.zeichen.reserve(static_cast<std::size_t>(text.size()));
    std::sort(gesucht.begin(), gesucht.end());
    auto naechstesGesucht = gesucht.cbegin();

    qsizetype anfang = 0;
    const auto stueckFertig = [&](qsizetype ende) {
        const std::size_t vorher = ergebnis.zeichen.size();
        const QString stueck = text.mid(anfang, ende - anfang);
        const QString zusammen = stueck.normalized(QString::NormalizationForm_C);
        for (const QChar c : zusammen)
            senden(ergebnis.zeichen, c.unicode());
        if (naechstesGesucht != gesucht.cend() && *naechstesGesucht < ergebnis.zeichen.size()) {
            const std::vector<Quelle> quellen =
                stueckQuellen(text, anfang, ende, zusammen != stueck);
            for (;
                 naechstesGesucht != gesucht.cend() && *naechstesGesucht < ergebnis.zeichen.size();
                 ++naechstesGesucht) {
                if (const std::size_t k = *naechstesGesucht - vorher; k < quellen.size())
                    ergebnis.quellen.emplace(*naechstesGesucht, quellen[k]);
            }
        }
        anfang = ende;
    };

    int zeichenNachBasis = 0;
    for (qsizetype i = 0; i < text.size();) {
        qsizetype breite = 0;
        const char32_t c = codepunkt(text, i, breite);
        if (schnittVor(c)) {
            zeichenNachBasis = 0;
            if (i - anfang >= stueckLaenge)
                stueckFertig(i);
        } else if (++zeichenNachBasis > hoechstensZeichen) {
            stueckFertig(i);
            zeichenNachBasis = 1;
        }
        i += breite;
    }
    stueckFertig(text.size());
    return ergebnis;
}

std::string normalisieren(const QString& text)
{
    return normalisierenMitQuellen(text, {}).zeichen;
}
