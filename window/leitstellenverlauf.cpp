// The Leitstelle's record of a run: who set what with the pupils' names, as a table and as a
// chart while the course is decided, whole at the end, and saving both.
#include "window/leitstellenfenster.h"

#include "controls/accessibility.h"
#include "linie/linienprotokoll.h"
#include "widgets/wegzeitansicht.h"
#include "widgets/werlaswas.h"
#include "window/verlaufspeichern.h"

#include <QLabel>
#include <QPushButton>

namespace {

// The course as far as it is decided, every cell not yet decided put beyond any time, so that
// the table shows only what has been set and the chart ends each character where it stands.
Linienplan bisherigerPlan(const Linienplan& plan, int zeichen, int stationen)
{
    Linienplan bisher = plan;
    std::vector<bool> entschieden(static_cast<std::size_t>(zeichen * stationen), false);
    for (const Linienbewegung& b : plan.bewegungen)
        entschieden[static_cast<std::size_t>(b.zeichen * stationen + b.station)] = true;
    for (int i = 0; i < zeichen * stationen; ++i)
        if (!entschieden[static_cast<std::size_t>(i)])
            bisher.bewegungen.push_back({i % stationen, i / stationen, ruhestellung, ruhestellung,
                                         Linienprotokoll::ms::max(), Linienprotokoll::ms::max()});
    return bisher;
}

} // namespace

Linienprotokoll Leitstellenfenster::bisherigesProtokoll() const
{
    const std::string& nachricht = leitstelle_->nachricht();
    const int stationen = leitstelle_->stationen();
    return Linienprotokoll(
        nachricht, stationen,
        bisherigerPlan(leitstelle_->plan(), static_cast<int>(nachricht.size()), stationen), code_);
}

void Leitstellenfenster::zeigeProtokoll()
{
    const auto zeit = tabelle_->zeit();
    Linienprotokoll protokoll = bisherigesProtokoll();
    tabelle_->setProtokoll(protokoll);
    tabelle_->setZeit(std::max(zeit, leitstelle_->jetzt()));
    wegZeit_->ergaenze(std::move(protokoll));
}

// At the end every station stands, and the whole record is shown and can be saved.
void Leitstellenfenster::fertig()
{
    zeigeBild(leitstelle_->jetzt());
    bildtakt_.stop();
    const Linienprotokoll protokoll(leitstelle_->nachricht(), leitstelle_->stationen(),
                                    leitstelle_->plan(), code_);
    tabelle_->setProtokoll(protokoll);
    tabelle_->setZeit(protokoll.dauer());
    wegZeit_->ergaenze(protokoll);
    wegZeit_->setZeit(protokoll.dauer());
    laufEnde_ = QDateTime::currentDateTime();
    speichern_->setEnabled(true);
    zeigePlaetze();
}

// The run as it ended; with people on the line there is no seed that plays it again.
void Leitstellenfenster::verlaufSpeichern()
{
    if (!speichern_->isEnabled())
        return;
    const Linienprotokoll& protokoll = tabelle_->protokoll();
    Laufangaben angaben = laufangaben(laufWahl_);
    for (int z = 0; z < protokoll.zeichen(); ++z)
        for (int s = 0; s < protokoll.stationen(); ++s)
            angaben.wer.push_back(leitstelle_->wer(z, s));
    if (std::any_of(angaben.wer.begin(), angaben.wer.end(),
                    [](const QString& name) { return !name.isEmpty(); }))
        angaben.startwert.reset();
    const QString name = QStringLiteral("Leitstelle %1.png")
                             .arg(laufEnde_.toString(QStringLiteral("yyyy-MM-dd HH-mm")));
    ::verlaufSpeichern(this, name, protokoll, std::move(angaben),
                       [this](const QString& text) { melde(text); });
}

// What became of saving, in the window and for a screen reader.
void Leitstellenfenster::melde(const QString& text)
{
    meldung_->setText(text);
    announceNotification(meldung_);
}
