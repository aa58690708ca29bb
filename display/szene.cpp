#include "display/szene.h"

#include "display/farben.h"
#include "drawing/canvas.h"
#include "drawing/offscreenpicture.h"
#include "drawing/schrift.h"

#include <QPoint>

#include <algorithm>

namespace {

QFont schrift()
{
    return verdana(zeichenSchriftHoehe);
}

QRect alsRechteck(const Kasten& k)
{
    return boxBetween(k.x1, k.y1, k.x2, k.y2);
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
    c.rectangle(m.sockel.x1, m.sockel.y1, m.sockel.x2, m.sockel.y2);
    c.rectangle(m.mast.x1, m.mast.y1, m.mast.x2, m.mast.y2);
}

// Every pixel the character may touch; none for a character that writes nothing.
QRect zeichenBereich(const Szenenmasse& m, char zeichen)
{
    return textBounds(schrift(), alsText(zeichen)).translated(m.zeichenZelle.x, m.zeichenZelle.y);
}

// Where the beams and joints of `bild`, the pivot and the character's box `zeichenKasten` lie:
// outside it the scene is its still part.
QRegion belegt(const Szenenmasse& m, const Fluegelbild& bild, const QRect& zeichenKasten)
{
    QRegion bereich = QRegion(alsRechteck(m.zapfen)) + zeichenKasten;
    for (const Kasten& teil : umrisse(bild))
        bereich += alsRechteck(teil);
    return bereich;
}

// The telegraph with its arms as `arme` shows them and the character, over the still part, as
// far as they reach into `bereich`; the character lies in `zeichenKasten`.
void zeichneBewegliches(Canvas& c, const Szenenmasse& m, const Szenenbilder& bilder,
                        const Fluegelbild& arme, char zeichen, const QRegion& bereich,
                        const QRect& zeichenKasten)
{
    zeichneTelegraf(c, m, arme, Brush::pattern(bilder.holz), bereich);
    if (bereich.intersects(zeichenKasten)) {
        c.setFont(schrift());
        c.setBrush(Brush::none());
        c.textOut(m.zeichenZelle.x, m.zeichenZelle.y, alsText(zeichen));
    }
}

} // namespace

void zeichneTelegraf(Canvas& c, const Szenenmasse& m, const Fluegelbild& bild, const Brush& holz,
                     const QRegion& bereich)
{
    const std::array<Kasten, 5> umriss = umrisse(bild);
    const auto betroffen = [&](const Kasten& k) { return bereich.intersects(alsRechteck(k)); };

    c.setBrush(holz);
    for (std::size_t i = 0; i < bild.balken.size(); ++i) {
        if (!betroffen(umriss[i]))
            continue;
        std::array<QPoint, 4> ecken;
        std::transform(bild.balken[i].begin(), bild.balken[i].end(), ecken.begin(),
                       [](const Punkt& p) { return QPoint(p.x, p.y); });
        c.polygon(ecken);
    }
    c.setBrush(Brush::solid(farbe::maroon));
    for (std::size_t i = 0; i < bild.gelenke.size(); ++i) {
        const Kasten& g = bild.gelenke[i];
        if (betroffen(umriss[bild.balken.size() + i]))
            c.ellipse(g.x1, g.y1, g.x2, g.y2);
    }
    if (betroffen(m.zapfen))
        c.ellipse(m.zapfen.x1, m.zapfen.y1, m.zapfen.x2, m.zapfen.y2);
}

void zeichneSzene(Canvas& ziel, int breite, int hoehe, const Szenenbilder& bilder,
                  const Stellung& winkel, char zeichen)
{
    const Szenenmasse m = szenenmasse(breite, hoehe, bilder.stich.width(), bilder.stich.height());
    OffscreenPicture bild(breite, hoehe);
    zeichneRuhendes(bild.canvas(), m, bilder);
    const QRect ganz(0, 0, breite, hoehe);
    zeichneBewegliches(bild.canvas(), m, bilder, fluegel(winkel, m.drehpunkt), zeichen, ganz, ganz);
    ziel.draw(0, 0, bild);
}

Szene::Szene(Szenenbilder bilder) : bilder_(std::move(bilder)) {}

Szene::~Szene() = default;

QRegion Szene::aenderung(int breite, int hoehe, const Stellung& winkel, char zeichen) const
{
    const QRect ganz(0, 0, breite, hoehe);
    if (!bildWinkel_ || groesse_ != ganz.size())
        return ganz;

    QRegion bereich;
    for (const Kasten& teil : bewegteTeile(fluegelBei(*bildWinkel_), fluegelBei(winkel)))
        bereich += alsRechteck(teil);
    if (zeichen != bildZeichen_)
        bereich += QRegion(zeichenKasten(bildZeichen_)) + zeichenKasten(zeichen);
    return bereich & ganz;
}

void Szene::zeichne(Canvas& ziel, const QRegion& bereich, int breite, int hoehe,
                    const Stellung& winkel, char zeichen)
{
    const QRect ganz(0, 0, breite, hoehe);
    if (groesse_ != ganz.size())
        neueGroesse(ganz.size());
    // The first frame of a size goes straight onto a target that is not enlarged, which shows
    // it sooner; the frames are kept from the next drawing on.
    if (!bildWinkel_ && ziel.atScaleOne()) {
        zeichneDirekt(ziel, bereich & ganz, winkel, zeichen);
    } else {
        setzeZusammen(bereich, winkel, zeichen);
        ziel.copy(bild_->image(), bereich & ganz);
    }
    bildWinkel_ = winkel;
    bildZeichen_ = zeichen;
}

void Szene::neueGroesse(const QSize& groesse)
{
    groesse_ = groesse;
    masse_ = szenenmasse(groesse.width(), groesse.height(), bilder_.stich.width(),
                         bilder_.stich.height());
    bild_.reset();
    ruhend_.reset();
    bildWinkel_.reset();
    zeichenKaesten_.clear();
    fluegelbilder_ = {};
}

void Szene::zeichneDirekt(Canvas& ziel, const QRegion& bereich, const Stellung& winkel,
                          char zeichen)
{
    const QRect ganz(QPoint(0, 0), groesse_);
    ziel.setClip(bereich);
    ziel.setBrush(Brush::solid(Qt::white));
    ziel.fill(0, 0, ganz.width(), ganz.height());
    zeichneRuhendes(ziel, masse_, bilder_);
    zeichneBewegliches(ziel, masse_, bilder_, fluegelBei(winkel), zeichen, ganz,
                       zeichenKasten(zeichen));
    ziel.resetClip();
}

// The kept frame is its still part wherever no moving part lies, so even a whole scene needs
// composing only where the moving parts were and are.
void Szene::setzeZusammen(const QRegion& bereich, const Stellung& winkel, char zeichen)
{
    const QRect ganz(QPoint(0, 0), groesse_);
    QRegion neu;
    const bool nurRuhendes = !bild_;
    if (nurRuhendes) {
        bild_ = std::make_unique<OffscreenPicture>(ganz.width(), ganz.height());
        zeichneRuhendes(bild_->canvas(), masse_, bilder_);
        neu = belegt(masse_, fluegelBei(winkel), zeichenKasten(zeichen)) & ganz;
    } else if ((QRegion(ganz) - bereich).isEmpty()) {
        neu = (belegt(masse_, fluegelBei(*bildWinkel_), zeichenKasten(bildZeichen_)) +
               belegt(masse_, fluegelBei(winkel), zeichenKasten(zeichen))) &
              ganz;
    } else {
        neu = aenderung(ganz.width(), ganz.height(), winkel, zeichen);
    }
    if (neu.isEmpty())
        return;
    Canvas& c = bild_->canvas();
    if (!nurRuhendes)
        c.copy(ruhendes().image(), neu);
    c.setClip(neu);
    zeichneBewegliches(c, masse_, bilder_, fluegelBei(winkel), zeichen, neu,
                       zeichenKasten(zeichen));
    c.resetClip();
}

OffscreenPicture& Szene::ruhendes()
{
    if (!ruhend_) {
        ruhend_ = std::make_unique<OffscreenPicture>(groesse_.width(), groesse_.height());
        zeichneRuhendes(ruhend_->canvas(), masse_, bilder_);
    }
    return *ruhend_;
}

QRect Szene::zeichenKasten(char zeichen) const
{
    // Measuring a glyph's ink costs more than a whole frame's other work, so it is done once.
    const auto [wo, neu] = zeichenKaesten_.try_emplace(zeichen);
    if (neu)
        wo->second = zeichenBereich(masse_, zeichen);
    return wo->second;
}

const Fluegelbild& Szene::fluegelBei(const Stellung& winkel) const
{
    // A frame needs its own arms and those of the frame before, each several times; working
    // them out takes a dozen sines and cosines. The one not asked for last makes room, so the
    // two a frame holds at once stay valid.
    for (std::size_t i = 0; i < fluegelbilder_.size(); ++i) {
        if (fluegelbilder_[i] && fluegelbilder_[i]->first == winkel) {
            zuletztGefragt_ = i;
            return fluegelbilder_[i]->second;
        }
    }
    zuletztGefragt_ = 1 - zuletztGefragt_;
    auto& frei = fluegelbilder_[zuletztGefragt_];
    frei.emplace(winkel, fluegel(winkel, masse_.drehpunkt));
    return frei->second;
}
