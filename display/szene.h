#pragma once

#include "geometrie/geometrie.h"
#include "signal/stellung.h"

#include <QImage>
#include <QRegion>

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <utility>

class Brush;
class Canvas;
class OffscreenPicture;

// The pictures the scene is made of: the background engraving, the parchment that fills the
// mast and the slab, and the wood that fills the beams.
struct Szenenbilder {
    QImage stich;
    QImage pergament;
    QImage holz;
};

// Draws the telegraph itself, its arms as `bild` shows them: the three beams filled with `holz`,
// their joints and the central pivot, in that order. Parts that lie wholly outside `bereich` are
// left out, as they would not change a pixel there. The scene draws it to the pixel; the code chart
// draws it scaled down, in plain colours.
void zeichneTelegraf(Canvas& c, const Szenenmasse& m, const Fluegelbild& bild, const Brush& holz,
                     const QRegion& bereich);

// Draws the whole telegraph scene of the given size onto `ziel`: engraving, slab, mast, the
// beams in `winkel`, the pivot and `zeichen` in large type beside the mast. The scene is
// composed off screen from nothing and copied in one operation.
void zeichneSzene(Canvas& ziel, int breite, int hoehe, const Szenenbilder& bilder,
                  const Stellung& winkel, char zeichen);

// The telegraph scene for a window that shows one frame after the other. The first frame of a
// size goes straight onto the target; from the next one on the last frame is kept, and the
// still part (engraving, slab, mast) once a movement needs it, so that a frame is composed only
// where it differs (a step of a movement turns a single beam) and a whole one only where
// beams, pivot and character lie. Every pixel comes out as zeichneSzene draws it.
class Szene {
public:
    explicit Szene(Szenenbilder bilder);
    ~Szene();

    // Where the scene showing `winkel` and `zeichen` differs from the frame drawn last: the
    // boxes of the beams and joints that moved, before and after, and the character's cell
    // when the character changed. All of it when no frame of this size was drawn yet.
    QRegion aenderung(int breite, int hoehe, const Stellung& winkel, char zeichen) const;

    // Draws the part `bereich` of the scene showing `winkel` and `zeichen` onto `ziel`, leaving
    // the rest of `ziel` alone. A `bereich` that covers the whole scene composes all that is
    // not still afresh, whatever the frames before were.
    void zeichne(Canvas& ziel, const QRegion& bereich, int breite, int hoehe,
                 const Stellung& winkel, char zeichen);

private:
    void neueGroesse(const QSize& groesse);
    void zeichneDirekt(Canvas& ziel, const QRegion& bereich, const Stellung& winkel, char zeichen);
    void setzeZusammen(const QRegion& bereich, const Stellung& winkel, char zeichen);
    QRect zeichenKasten(char zeichen) const;
    OffscreenPicture& ruhendes();
    const Fluegelbild& fluegelBei(const Stellung& winkel) const;

    Szenenbilder bilder_;
    QSize groesse_; // the size the measures and the kept pictures are for
    Szenenmasse masse_;
    std::unique_ptr<OffscreenPicture> ruhend_; // the still part, once a movement needs it
    std::unique_ptr<OffscreenPicture> bild_;   // the frame drawn last, once one is kept
    std::optional<Stellung> bildWinkel_;       // the frame drawn last; none before the first
    char bildZeichen_ = '\0';
    mutable std::map<char, QRect> zeichenKaesten_; // every pixel each character may touch
    // The arms' pictures asked for last, with their angles, for this size.
    mutable std::array<std::optional<std::pair<Stellung, Fluegelbild>>, 2> fluegelbilder_;
    mutable std::size_t zuletztGefragt_ = 0;
};

// The large character's font and pixel height.
inline constexpr int zeichenSchriftHoehe = 85;
