#include "szene.h"

#include "canvas.h"
#include "offscreenpicture.h"

#include <QColor>
#include <QPoint>

namespace {

const QColor maroon(128, 0, 0);
const QString schrift = QStringLiteral("Verdana");

void rechteck(Canvas& c, const Kasten& k)
{
    c.rectangle(k.x1, k.y1, k.x2, k.y2);
}

void ellipse(Canvas& c, const Kasten& k)
{
    c.ellipse(k.x1, k.y1, k.x2, k.y2);
}

QRect alsRechteck(const Kasten& k)
{
    return QRect(QPoint(k.x1, k.y1), QPoint(k.x2 - 1, k.y2 - 1));
}

QString alsText(char zeichen)
{
    return zeichen == '\0' ? QString() : QString(QChar::fromLatin1(zeichen));
}

// Everything that does not depend on the beams or the character.
void zeichneRuhendes(Canvas& c, const Szenenmasse& m, const Szenenbilder& bilder)
{
    c.draw(m.stich.x, m.stich.y, bilder.stich);
    c.setBrush(Brush::pattern(bilder.pergament));
    rechteck(c, m.sockel);
    rechteck(c, m.mast);
}

// Every pixel the character may touch; none for a character that writes nothing.
QRect zeichenBereich(const Szenenmasse& m, char zeichen)
{
    return textBounds(schrift, zeichenSchriftHoehe, alsText(zeichen))
        .translated(m.zeichenZelle.x, m.zeichenZelle.y);
}

// Where the beams, joints, pivot and the character's box `zeichenKasten` lie: outside it the
// scene is its still part.
QRegion belegt(const Szenenmasse& m, const Stellung& winkel, const QRect& zeichenKasten)
{
    QRegion bereich = QRegion(alsRechteck(m.zapfen)) + zeichenKasten;
    for (const Kasten& teil : umrisse(fluegel(winkel, m.drehpunkt)))
        bereich += alsRechteck(teil);
    return bereich;
}

// The beams, their joints, the pivot and the character, over the still part. Whatever lies
// wholly outside `bereich` is left out, as it would not change a pixel there; the character
// lies in `zeichenKasten`.
void zeichneBewegliches(Canvas& c, const Szenenmasse& m, const Szenenbilder& bilder,
                        const Stellung& winkel, char zeichen, const QRegion& bereich,
                        const QRect& zeichenKasten)
{
    const Fluegelbild bild = fluegel(winkel, m.drehpunkt);
    const std::array<Kasten, 5> umriss = umrisse(bild);
    const auto betroffen = [&](const Kasten& k) { return bereich.intersects(alsRechteck(k)); };

    c.setBrush(Brush::pattern(bilder.holz));
    for (std::size_t i = 0; i < bild.balken.size(); ++i) {
        if (!betroffen(umriss[i]))
            continue;
        const Balkenpolygon& balken = bild.balken[i];
        const std::array<QPoint, 4> ecken{
            QPoint(balken[0].x, balken[0].y), QPoint(balken[1].x, balken[1].y),
            QPoint(balken[2].x, balken[2].y), QPoint(balken[3].x, balken[3].y)};
        c.polygon(ecken);
    }
    c.setBrush(Brush::solid(maroon));
    for (std::size_t i = 0; i < bild.gelenke.size(); ++i) {
        if (betroffen(umriss[bild.balken.size() + i]))
            ellipse(c, bild.gelenke[i]);
    }
    if (betroffen(m.zapfen))
        ellipse(c, m.zapfen);

    if (bereich.intersects(zeichenKasten)) {
        c.setFont(schrift, zeichenSchriftHoehe);
        c.setBrush(Brush::none());
        c.textOut(m.zeichenZelle.x, m.zeichenZelle.y, alsText(zeichen));
    }
}

} // namespace

void zeichneSzene(Canvas& ziel, int breite, int hoehe, const Szenenbilder& bilder,
                  const Stellung& winkel, char zeichen)
{
    const Szenenmasse m = szenenmasse(breite, hoehe, bilder.stich.width(), bilder.stich.height());
    OffscreenPicture bild(breite, hoehe);
    zeichneRuhendes(bild.canvas(), m, bilder);
    const QRect ganz(0, 0, breite, hoehe);
    zeichneBewegliches(bild.canvas(), m, bilder, winkel, zeichen, ganz, ganz);
    ziel.draw(0, 0, bild);
}

Szene::Szene(Szenenbilder bilder) : bilder_(std::move(bilder)) {}

Szene::~Szene() = default;

QRegion Szene::aenderung(int breite, int hoehe, const Stellung& winkel, char zeichen) const
{
    const QRect ganz(0, 0, breite, hoehe);
    if (!bild_ || bild_->size() != ganz.size())
        return ganz;
    if (!bildWinkel_)
        return belegt(masse_, winkel, zeichenKasten(zeichen)) & ganz;

    QRegion bereich;
    const Drehpunkt& d = masse_.drehpunkt;
    for (const Kasten& teil : bewegteTeile(fluegel(*bildWinkel_, d), fluegel(winkel, d)))
        bereich += alsRechteck(teil);
    if (zeichen != bildZeichen_)
        bereich += QRegion(zeichenKasten(bildZeichen_)) + zeichenKasten(zeichen);
    return bereich & ganz;
}

void Szene::zeichne(Canvas& ziel, const QRegion& bereich, int breite, int hoehe,
                    const Stellung& winkel, char zeichen)
{
    const QRect ganz(0, 0, breite, hoehe);
    if (!bild_ || bild_->size() != ganz.size()) {
        masse_ = szenenmasse(breite, hoehe, bilder_.stich.width(), bilder_.stich.height());
        ruhend_ = std::make_unique<OffscreenPicture>(breite, hoehe);
        zeichneRuhendes(ruhend_->canvas(), masse_, bilder_);
        bild_ = std::make_unique<OffscreenPicture>(breite, hoehe);
        bild_->canvas().copy(ruhend_->image(), ganz);
        bildWinkel_.reset();
        zeichenKaesten_.clear();
    }

    // The kept frame is its still part wherever no moving part lies, so even a whole scene
    // needs composing only where the moving parts were and are.
    QRegion neu = aenderung(breite, hoehe, winkel, zeichen);
    if (bildWinkel_ && (QRegion(ganz) - bereich).isEmpty())
        neu = (belegt(masse_, *bildWinkel_, zeichenKasten(bildZeichen_)) +
               belegt(masse_, winkel, zeichenKasten(zeichen))) &
              ganz;
    if (!neu.isEmpty()) {
        Canvas& c = bild_->canvas();
        c.copy(ruhend_->image(), neu);
        c.setClip(neu);
        zeichneBewegliches(c, masse_, bilder_, winkel, zeichen, neu, zeichenKasten(zeichen));
        c.resetClip();
    }
    bildWinkel_ = winkel;
    bildZeichen_ = zeichen;

    ziel.copy(bild_->image(), bereich & ganz);
}

QRect Szene::zeichenKasten(char zeichen) const
{
    // Measuring a glyph's ink costs more than a whole frame's other work, so it is done once.
    const auto [wo, neu] = zeichenKaesten_.try_emplace(zeichen);
    if (neu)
        wo->second = zeichenBereich(masse_, zeichen);
    return wo->second;
}
