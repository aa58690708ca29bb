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

} // namespace

std::string normalisieren(const QString& text)
{
    // Text pasted from some systems spells "ü" as "u" plus a combining mark; composing it
    // first makes both forms the same character.
    const QString zusammengesetzt = text.normalized(QString::NormalizationForm_C);

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
