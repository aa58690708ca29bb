#include "alphabetfeld.h"

#include "alphabet.h"
#include "canvas.h"
#include "offscreenpicture.h"

#include <QColor>
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

void zeichneAlphabetfeld(Canvas& ziel, std::optional<int> fokuszelle)
{
    const QColor hellgrau(240, 240, 240);

    OffscreenPicture bild(feldGroesse, feldGroesse);
    Canvas& c = bild.canvas();
    c.setFont(QStringLiteral("Verdana"), feldSchriftHoehe);
    c.setBrush(Brush::solid(hellgrau));
    for (int index = 0; index < static_cast<int>(alphabet.size()); ++index) {
        const int x = (index % feldSpalten) * feldRaster;
        const int y = (index / feldSpalten) * feldRaster;
        c.rectangle(x, y, x + feldRaster + 1, y + feldRaster + 1);

        const QString text(QChar::fromLatin1(alphabet[index]));
        c.textOut(x + 15 - c.textWidth(text) / 2, y + 15 - c.textHeight(text) / 2, text);
    }

    if (fokuszelle && *fokuszelle >= 0 && *fokuszelle < feldZellen) {
        // Two pixels of blue, one grey pixel inside the cell's black border, clear of the
        // character: it stands out from the grey, the black lines and the black type alike.
        const int x = (*fokuszelle % feldSpalten) * feldRaster + 2;
        const int y = (*fokuszelle / feldSpalten) * feldRaster + 2;
        const int innen = feldRaster - 3;
        c.setBrush(Brush::solid(QColor(0, 102, 204)));
        c.fill(x, y, x + innen, y + 2);
        c.fill(x, y + innen - 2, x + innen, y + innen);
        c.fill(x, y, x + 2, y + innen);
        c.fill(x + innen - 2, y, x + innen, y + innen);
    }
    ziel.draw(0, 0, bild);
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
    return Feldtaste{ziel, true};
}
