#include "bedienung/feldraster.h"

#include "signal/alphabet.h"

#include <QString>

#include <algorithm>

char zeichenAn(int x, int y)
{
    if (x < 0 || y < 0)
        return ' ';
    const int index = (y / feldRaster) * feldSpalten + x / feldRaster;
    return index < static_cast<int>(alphabet.size()) ? alphabet[index] : ' ';
}

int zelleVon(char zeichen)
{
    const auto index = alphabet.find(zeichen);
    return zeichen == '\0' || index == std::string_view::npos ? -1 : static_cast<int>(index);
}

std::optional<Feldtaste> feldtaste(int zelle, int taste, Qt::KeyboardModifiers umschalt,
                                   const QString& text)
{
    if (umschalt & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return std::nullopt;
    zelle = std::clamp(zelle, 0, feldZellen - 1);
    const int zeile = zelle / feldSpalten;
    const int spalte = zelle % feldSpalten;
    const auto gehe = [](int z, int s) {
        return Feldtaste{std::clamp(z, 0, feldSpalten - 1) * feldSpalten +
                             std::clamp(s, 0, feldSpalten - 1),
                         false};
    };

    switch (taste) {
    case Qt::Key_Left:
        return gehe(zeile, spalte - 1);
    case Qt::Key_Right:
        return gehe(zeile, spalte + 1);
    case Qt::Key_Up:
        return gehe(zeile - 1, spalte);
    case Qt::Key_Down:
        return gehe(zeile + 1, spalte);
    case Qt::Key_Home:
        return gehe(zeile, 0);
    case Qt::Key_End:
        return gehe(zeile, feldSpalten - 1);
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        return Feldtaste{zelle, true};
    default:
        break;
    }

    if (text.size() != 1 || text.at(0).unicode() >= 0x80)
        return std::nullopt;
    char zeichen = static_cast<char>(text.at(0).toUpper().unicode());
    if (zeichen == 'J')
        zeichen = 'I';
    const int ziel = zelleVon(zeichen);
    if (ziel < 0)
        return std::nullopt;
    return Feldtaste{ziel, true, true};
}
