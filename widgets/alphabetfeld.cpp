#include "widgets/alphabetfeld.h"

#include "bedienung/feldraster.h"
#include "display/farben.h"
#include "drawing/canvas.h"
#include "drawing/offscreenpicture.h"
#include "drawing/schrift.h"
#include "signal/alphabet.h"
#include "widgets/alphabetfeldzugang.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace {

constexpr int schriftHoehe = 16;

} // namespace

void zeichneAlphabetfeld(Canvas& ziel, std::optional<int> fokuszelle)
{
    OffscreenPicture bild(feldGroesse, feldGroesse);
    Canvas& c = bild.canvas();
    c.setFont(verdana(schriftHoehe));
    c.setBrush(Brush::solid(farbe::hellgrau));
    for (int index = 0; index < feldZellen; ++index) {
        const int x = (index % feldSpalten) * feldRaster;
        const int y = (index / feldSpalten) * feldRaster;
        c.rectangle(x, y, x + feldRaster + 1, y + feldRaster + 1);

        const QString text(QChar::fromLatin1(alphabet[static_cast<std::size_t>(index)]));
        c.textOut(x + 15 - c.textWidth(text) / 2, y + 15 - c.textHeight(text) / 2, text);
    }

    if (fokuszelle && *fokuszelle >= 0 && *fokuszelle < feldZellen) {
        // Two pixels of blue, one grey pixel inside the cell's black border, clear of the
        // character: it stands out from the grey, the black lines and the black type alike.
        const int x = (*fokuszelle % feldSpalten) * feldRaster + 2;
        const int y = (*fokuszelle / feldSpalten) * feldRaster + 2;
        const int innen = feldRaster - 3;
        c.setBrush(Brush::solid(farbe::fokusblau));
        c.fill(x, y, x + innen, y + 2);
        c.fill(x, y + innen - 2, x + innen, y + innen);
        c.fill(x, y, x + 2, y + innen);
        c.fill(x + innen - 2, y, x + innen, y + innen);
    }
    ziel.draw(0, 0, bild);
}

Alphabetfeld::Alphabetfeld(QWidget* parent) : QWidget(parent)
{
    installiereAlphabetfeldZugang();
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(feldGroesse, feldGroesse);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Alphabet"));
}

void Alphabetfeld::setZelle(int zelle)
{
    if (zelle < 0 || zelle >= feldZellen || zelle == zelle_)
        return;
    zelle_ = zelle;
    update();
    emit zelleGeaendert(zelle_);
    if (hasFocus())
        meldeFokus();
}

// A screen reader hears of the current cell as the focus within the grid.
void Alphabetfeld::meldeFokus()
{
    for (const QAccessible::Event art : {QAccessible::Focus, QAccessible::Selection}) {
        QAccessibleEvent ereignis(this, art);
        ereignis.setChild(zelle_);
        QAccessible::updateAccessibility(&ereignis);
    }
}

void Alphabetfeld::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    Canvas canvas(painter);
    zeichneAlphabetfeld(canvas, hasFocus() ? std::optional(zelle_) : std::nullopt);
}

void Alphabetfeld::mousePressEvent(QMouseEvent* event)
{
    // Any button; the pixel under the pointer, also on a scaled screen.
    const QPointF wo = event->position();
    const char zeichen =
        zeichenAn(static_cast<int>(std::floor(wo.x())), static_cast<int>(std::floor(wo.y())));
    setZelle(zelleVon(zeichen));
    event->accept();
    emit gedrueckt(zeichen);
}

void Alphabetfeld::waehle(int zelle)
{
    if (zelle < 0 || zelle >= feldZellen)
        return;
    setZelle(zelle);
    emit gedrueckt(alphabet[static_cast<std::size_t>(zelle_)]);
}

void Alphabetfeld::keyPressEvent(QKeyEvent* event)
{
    const std::optional<Feldtaste> wirkung =
        feldtaste(zelle_, event->key(), event->modifiers(), event->text());
    if (!wirkung) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    // Arrows repeat while held; a held key that sends sends once.
    if (wirkung->senden && event->isAutoRepeat())
        return;
    setZelle(wirkung->zelle);
    if (wirkung->senden)
        emit getippt(alphabet[static_cast<std::size_t>(zelle_)], wirkung->selbst);
}

void Alphabetfeld::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    // The screen reader hears of the grid, then, once Qt has told of the grid, of its current
    // cell.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (hasFocus())
                meldeFokus();
        },
        Qt::QueuedConnection);
}
