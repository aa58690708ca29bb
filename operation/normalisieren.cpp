#include "normalisieren.h"

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

// The text in composed form (NFC), so that "u" followed by a combining diaeresis, as some
// systems paste it, becomes "ü". Qt's composition slows down with the square of a text's
// length once it has anything to compose, so it is applied to short pieces cut where nothing
// composes across. A letter keeps at most 30 combining marks, the limit of Unicode's
// stream-safe text format; marks beyond it are cut off and have nothing to compose with.
QString zusammengesetzt(const QString& text)
{
    constexpr qsizetype stueckLaenge = 256;
    constexpr int hoechstensZeichen = 30;

    QString ergebnis;
    ergebnis.reserve(text.size());
    qsizetype anfang = 0;
    const auto stueckFertig = [&](qsizetype ende) {
        ergebnis += text.mid(anfang, ende - anfang).normalized(QString::NormalizationForm_C);
        anfang = ende;
    };

    int zeichenNachBasis = 0;
    for (qsizetype i = 0; i < text.size();) {
        char32_t c = text.at(i).unicode();
        qsizetype breite = 1;
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            breite = 2;
        }
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

} // namespace

std::string normalisieren(const QString& text)
{
    const QString zusammengesetzt = ::zusammengesetzt(text);

    std::string ergebnis;
    ergebnis.reserve(static_cast<std::size_t>(zusammengesetzt.size()));
    for (const QChar zeichen : zusammengesetzt) {
        const char16_t c = zeichen.unicode();
        if (const std::string_view langform = ersatz(c); !langform.empty())
            ergebnis += langform;
        else if (const char einzeln = sendbar(c); einzeln != '\0')
            ergebnis += einzeln;
    }
    return ergebnis;
}
