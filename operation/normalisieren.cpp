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

// Collects the sent characters, and their sources when asked for.
class Ausgabe {
public:
    Ausgabe(std::string& zeichen, std::vector<Quelle>* quellen)
        : zeichen_(zeichen), quellen_(quellen)
    {}

    bool mitQuellen() const { return quellen_ != nullptr; }

    // Appends what `c` sends, without a source.
    void senden(char16_t c)
    {
        if (const std::string_view langform = ersatz(c); !langform.empty())
            zeichen_ += langform;
        else if (const char einzeln = sendbar(c); einzeln != '\0')
            zeichen_ += einzeln;
    }

    // Appends what `c` sends, coming from `quelle`; returns how many characters that is.
    std::size_t senden(char16_t c, Quelle quelle)
    {
        std::size_t anzahl = 0;
        if (const std::string_view langform = ersatz(c); !langform.empty()) {
            zeichen_ += langform;
            anzahl = langform.size();
        } else if (const char einzeln = sendbar(c); einzeln != '\0') {
            zeichen_ += einzeln;
            anzahl = 1;
        }
        if (quellen_ && anzahl > 0) {
            quellen_->push_back(quelle);
            if (anzahl == 2)
                quellen_->push_back(quelle);
        }
        return anzahl;
    }

    // Moves the end of the source of the last `anzahl` characters to `ende`.
    void quelleBis(std::size_t anzahl, qsizetype ende)
    {
        const int bis = static_cast<int>(ende);
        for (auto q = quellen_->end() - static_cast<std::ptrdiff_t>(anzahl); q != quellen_->end();
             ++q)
            q->ende = bis;
    }

private:
    std::string& zeichen_;
    std::vector<Quelle>* quellen_;
};

// Sends the piece of `text` from `anfang` to `ende` in composed form (NFC), so that "u"
// followed by a combining diaeresis, as some systems paste it, sends as "ü". Where the sources
// are wanted and composition changes the piece, each written character is composed on its own
// (nothing sendable composes across the places where the text may be cut), so that what it
// sends keeps its place in the text.
void stueckSenden(const QString& text, qsizetype anfang, qsizetype ende, Ausgabe& aus)
{
    const QString stueck = text.mid(anfang, ende - anfang);
    const QString zusammen = stueck.normalized(QString::NormalizationForm_C);
    if (!aus.mitQuellen()) {
        for (const QChar c : zusammen)
            aus.senden(c.unicode());
        return;
    }
    if (zusammen == stueck) {
        for (qsizetype i = anfang; i < ende; ++i) {
            // A character that sends something owns the marks that follow it, if any.
            const std::size_t anzahl = aus.senden(text.at(i).unicode(), quelle(i, i + 1));
            if (anzahl > 0 && i + 1 < ende && text.at(i + 1).unicode() >= 0x300)
                aus.quelleBis(anzahl, zeichenEnde(text, i, ende));
        }
        return;
    }
    for (qsizetype i = anfang; i < ende;) {
        const qsizetype bis = zeichenEnde(text, i, ende);
        // A lone character below the combining marks is its own composed form.
        if (bis == i + 1 && text.at(i).unicode() < 0x300) {
            aus.senden(text.at(i).unicode(), quelle(i, bis));
        } else {
            const QString einzeln = text.mid(i, bis - i).normalized(QString::NormalizationForm_C);
            for (const QChar c : einzeln)
                aus.senden(c.unicode(), quelle(i, bis));
        }
        i = bis;
    }
}

// Sends the whole text piece by piece. Qt's composition slows down with the square of a
// text's length once it has anything to compose, so it is applied to short pieces cut where
// nothing composes across. A letter keeps at most 30 combining marks, the limit of Unicode's
// stream-safe text format; marks beyond it are cut off and have nothing to compose with.
void textSenden(const QString& text, Ausgabe& aus)
{
    constexpr qsizetype stueckLaenge = 256;
    constexpr int hoechstensZeichen = 30;

    qsizetype anfang = 0;
    const auto stueckFertig = [&](qsizetype ende) {
        stueckSenden(text, anfang, ende, aus);
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
}

} // namespace

std::string normalisieren(const QString& text)
{
    std::string ergebnis;
    ergebnis.reserve(static_cast<std::size_t>(text.size()));
    Ausgabe aus(ergebnis, nullptr);
    textSenden(text, aus);
    return ergebnis;
}

Gesendet normalisierenMitQuellen(const QString& text)
{
    Gesendet ergebnis;
    ergebnis.zeichen.reserve(static_cast<std::size_t>(text.size()));
    ergebnis.quellen.reserve(static_cast<std::size_t>(text.size()));
    Ausgabe aus(ergebnis.zeichen, &ergebnis.quellen);
    textSenden(text, aus);
    return ergebnis;
}
