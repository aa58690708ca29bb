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

// The beams, their joints, the pivot and the character, over the still part.
void zeichneBewegliches(Canvas& c, const Szenenmasse& m, const Szenenbilder& bilder,
                        const Stellung& winkel, char zeichen)
{
    const Fluegelbild bild = fluegel(winkel, m.drehpunkt);
    c.setBrush(Brush::pattern(bilder.holz));
    for (const Balkenpolygon& balken : bild.balken) {
        const std::array<QPoint, 4> ecken{
            QPoint(balken[0].x, balken[0].y), QPoint(balken[1].x, balken[1].y),
            QPoint(balken[2].x, balken[2].y), QPoint(balken[3].x, balken[3].y)};
        c.polygon(ecken);
    }
    c.setBrush(Brush::solid(maroon));
    for (const Kasten& gelenk : bild.gelenke)
        ellipse(c, gelenk);
    ellipse(c, m.zapfen);

    c.setFont(schrift, zeichenSchriftHoehe);
    c.setBrush(Brush::none());
    c.textOut(m.zeichenZelle.x, m.zeichenZelle.y, alsText(zeichen));
}

// Every pixel the character may touch; none for a character that writes nothing.
QRect zeichenBereich(const Szenenmasse& m, char zeichen)
{
    return textBounds(schrift, zeichenSchriftHoehe, alsText(zeichen))
        .translated(m.zeichenZelle.x, m.zeichenZelle.y);
}

} // namespace

void zeichneSzene(Canvas& ziel, int breite, int hoehe, const Szenenbilder& bilder,
                  const Stellung& winkel, char zeichen)
{
    const Szenenmasse m = szenenmasse(breite, hoehe, bilder.stich.width(), bilder.stich.height());
    OffscreenPicture bild(breite, hoehe);
    zeichneRuhendes(bild.canvas(), m, bilder);
    zeichneBewegliches(bild.canvas(), m, bilder, winkel, zeichen);
    ziel.draw(0, 0, bild);
}

Szene::Szene(Szenenbilder bilder) : bilder_(std::move(bilder)) {}

Szene::~Szene() = default;

QRegion Szene::aenderung(int breite, int hoehe, const Stellung& winkel, char zeichen) const
{
    const QRect ganz(0, 0, breite, hoehe);
    if (!bild_ || bild_->size() != ganz.size())
        return ganz;

    QRegion bereich;
    const Drehpunkt& d = masse_.drehpunkt;
    for (const Kasten& teil : bewegteTeile(fluegel(bildWinkel_, d), fluegel(winkel, d)))
        bereich += alsRechteck(teil);
    if (zeichen != bildZeichen_)
        bereich += QRegion(zeichenBereich(masse_, bildZeichen_)) + zeichenBereich(masse_, zeichen);
    return bereich & ganz;
}

void Szene::zeichne(Canvas& ziel, const QRegion& bereich, int breite, int hoehe,
                    const Stellung& winkel, char zeichen)
{
    const QRect ganz(0, 0, breite, hoehe);
    if (!ruhend_ || ruhend_->size() != ganz.size()) {
        masse_ = szenenmasse(breite, hoehe, bilder_.stich.width(), bilder_.stich.height());
        ruhend_ = std::make_unique<OffscreenPicture>(breite, hoehe);
        zeichneRuhendes(ruhend_->canvas(), masse_, bilder_);
        bild_.reset();
    }

    const bool allesNeu = !bild_ || (QRegion(ganz) - bereich).isEmpty();
    const QRegion neu = allesNeu ? QRegion(ganz) : aenderung(breite, hoehe, winkel, zeichen);
    if (!bild_)
        bild_ = std::make_unique<OffscreenPicture>(breite, hoehe);
    if (!neu.isEmpty()) {
        Canvas& c = bild_->canvas();
        c.copy(ruhend_->image(), neu);
        if (!allesNeu)
            c.setClip(neu);
        zeichneBewegliches(c, masse_, bilder_, winkel, zeichen);
        c.resetClip();
    }
    bildWinkel_ = winkel;
    bildZeichen_ = zeichen;

    ziel.copy(bild_->image(), bereich & ganz);
}
