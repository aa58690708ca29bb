#include "alphabetfeld.h"

#include "alphabet.h"
#include "canvas.h"
#include "offscreenpicture.h"

#include <QColor>
#include <QString>

char zeichenAn(int x, int y)
{
    if (x < 0 || y < 0)
        return ' ';
    const int index = (y / feldRaster) * feldSpalten + x / feldRaster;
    return index < static_cast<int>(alphabet.size()) ? alphabet[index] : ' ';
}

void zeichneAlphabetfeld(Canvas& ziel)
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
    ziel.draw(0, 0, bild);
}
