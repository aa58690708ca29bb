#include "window/leitstellenfenster.h"

#include "bedienung/bewegung.h"
#include "bedienung/normalisieren.h"
#include "controls/accessibility.h"
#include "drawing/schrift.h"
#include "linie/linienprotokoll.h"
#include "widgets/station.h"
#include "widgets/wegzeitansicht.h"
#include "widgets/werlaswas.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// "Wer las was" with the pupils' names: each column's header names who stands at the place,
// and each cell tells who set it.
class NamentlicheTabelle : public WerLasWasModell {
public:
    NamentlicheTabelle(const Leitstelle& leitstelle, QObject* parent)
        : WerLasWasModell(parent), leitstelle_(leitstelle)
    {}
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        const QVariant text = WerLasWasModell::headerData(section, orientation, role);
        const QString name = leitstelle_.server().name(section + 1);
        if (orientation != Qt::Horizontal || name.isEmpty() || !text.isValid())
            return text;
        return QStringLiteral("%1 (%2)").arg(text.toString(), name);
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::ToolTipRole || !WerLasWasModell::data(index, Qt::DisplayRole).isValid())
            return WerLasWasModell::data(index, role);
        const QString wer = leitstelle_.wer(index.row(), index.column());
        return wer.isEmpty() ? QStringLiteral("simulierter Telegrafist") : wer;
    }

private:
    const Leitstelle& leitstelle_;
};

} // namespace

Leitstellenfenster::Leitstellenfenster(const Signalcode& code, QWidget* parent)
    : QWidget(parent, Qt::Window), code_(code), leitstelle_(new Leitstelle(code, this))
{
    setWindowTitle(QStringLiteral("Leitstelle – Vellard-Telegraf"));
    setFont(verdana(12));
    tabelle_ = new NamentlicheTabelle(*leitstelle_, this);
    bildtakt_.setInterval(20);
    bildtakt_.setTimerType(Qt::PreciseTimer);
    // The row on top; beneath it the teacher's controls on the left and the record on the right.
    auto* spalte = new QVBoxLayout(this);
    baueKopf(spalte);
    baueReihe(spalte);
    auto* unten = new QHBoxLayout;
    auto* links = new QVBoxLayout;
    baueBedienung(links);
    baueErgebnis(links);
    unten->addLayout(links, 2);
    unten->addWidget(baueLehrersicht(), 3);
    spalte->addLayout(unten, 1);
    verbinde();
    baueStationen();
    resize(groesse);
}

Leitstellenfenster::~Leitstellenfenster() = default;

bool Leitstellenfenster::oeffnen(quint16 port)
{
    if (!leitstelle_->oeffnen(port)) {
        adresse_->setText(QStringLiteral("– (die Leitstelle ist nicht geöffnet)"));
        meldung_->setText(QStringLiteral("Die Leitstelle kann nicht auf Port %1 hören. %2")
                              .arg(port)
                              .arg(leitstelle_->server().fehler()));
        return false;
    }
    zeigePlaetze();
    QStringList adressen;
    for (const QHostAddress& a : Leitstellenserver::adressen())
        adressen.append(a.toString());
    if (adressen.isEmpty())
        adressen.append(QStringLiteral("(keine Netzwerkadresse)"));
    adresse_->setText(QStringLiteral("%1 · Port %2")
                          .arg(adressen.join(QStringLiteral(", ")))
                          .arg(leitstelle_->server().port()));
    wort_->setText(leitstelle_->server().wort());
    return true;
}

void Leitstellenfenster::setStationen(int stationen)
{
    anzahl_->setValue(stationen);
}

void Leitstellenfenster::closeEvent(QCloseEvent* event)
{
    bildtakt_.stop();
    leitstelle_->schliessen();
    QWidget::closeEvent(event);
}

// Who stands at each place, as plain text; the controls that change places only before sending.
void Leitstellenfenster::zeigePlaetze()
{
    for (std::size_t i = 0; i < namen_.size(); ++i) {
        const int platz = static_cast<int>(i) + 1;
        const QString name = leitstelle_->server().name(platz);
        const QString wer = platz == 1       ? QStringLiteral("Leitstelle")
                            : name.isEmpty() ? QStringLiteral("simuliert")
                            : leitstelle_->server().verbunden(platz)
                                ? name
                                : QStringLiteral("%1 (weg)").arg(name);
        namen_[i]->setText(wer);
        namen_[i]->setAccessibleName(QStringLiteral("Station %1: %2").arg(platz).arg(wer));
    }
    // Nothing to send, nobody to move, until the Leitstelle listens.
    const bool frei = leitstelle_->server().offen() && !leitstelle_->laeuft();
    for (QWidget* w : std::initializer_list<QWidget*>{anzahl_, von_, nach_, verschieben_,
                                                      entfernen_, nachricht_, senden_})
        w->setEnabled(frei);
    tabelle_->headerDataChanged(Qt::Horizontal, 0, leitstelle_->stationen() - 1);
}

void Leitstellenfenster::verschieben()
{
    if (!leitstelle_->verschieben(von_->value(), nach_->value()))
        meldung_->setText(QStringLiteral("Auf Platz %1 steht niemand, oder Platz %2 ist besetzt.")
                              .arg(von_->value())
                              .arg(nach_->value()));
}

void Leitstellenfenster::entfernen()
{
    leitstelle_->entfernen(von_->value());
}

void Leitstellenfenster::senden()
{
    Linienwahl wahl;
    wahl.nachricht = normalisieren(nachricht_->text());
    // Cleared first: the line's first movements are decided, and reach this window, while it
    // starts.
    meldung_->clear();
    empfangen_.clear();
    empfangenText_->clear();
    for (Station* s : stationen_)
        s->steht(ruhestellung, ' ');
    laufend_.assign(stationen_.size(), std::nullopt);
    if (!leitstelle_->senden(wahl)) {
        meldung_->setText(
            QStringLiteral("Die Nachricht braucht 1 bis %1 Zeichen.").arg(netz::laengsteZeile));
        return;
    }
    laufWahl_ = wahl;
    speichern_->setEnabled(false);
    tabelle_->setProtokoll(Linienprotokoll());
    wegZeit_->setProtokoll(bisherigesProtokoll());
    zeigeProtokoll();
    zeigePlaetze();
    bildtakt_.start();
}

// A station's movement before this one has ended, even when no frame showed it ending: what it
// set still counts, and on the last station arrives.
void Leitstellenfenster::bewegt(const Linienbewegung& bewegung)
{
    const auto k = static_cast<std::size_t>(bewegung.station);
    if (laufend_[k])
        steht(k);
    laufend_[k] = Laufend{bewegung, bewegungsplan(bewegung.von, bewegung.nach)};
    protokollVeraltet_ = true;
}

// Station k stands at the end of its movement.
void Leitstellenfenster::steht(std::size_t k)
{
    const Linienbewegung& b = laufend_[k]->bewegung;
    stationen_[k]->steht(b.nach, b.steht == '\0' ? ' ' : b.steht);
    if (k + 1 == laufend_.size() && b.steht != '\0')
        angekommen(b.steht);
    laufend_[k].reset();
}

void Leitstellenfenster::naechstesBild()
{
    zeigeBild(leitstelle_->jetzt());
}

// Each station shows the frame its movement has come to on the Leitstelle's clock; the chart
// follows when a station comes to stand.
void Leitstellenfenster::zeigeBild(std::chrono::milliseconds jetzt)
{
    bool gestanden = false;
    for (std::size_t k = 0; k < laufend_.size(); ++k) {
        if (!laufend_[k])
            continue;
        const Laufend& l = *laufend_[k];
        if (jetzt >= l.bewegung.ende) {
            steht(k);
            gestanden = true;
        } else if (!l.frames.empty()) {
            const auto frame =
                static_cast<std::size_t>((jetzt - l.bewegung.beginn) / bewegungsTakt);
            stationen_[k]->zeige(l.frames[std::min(frame, l.frames.size() - 1)]);
        }
    }
    // The record is worked out anew a few times a second, not for every movement: a long
    // message over thirty stations decides tens of thousands.
    if (protokollVeraltet_ && ++seitProtokoll_ >= 10) {
        zeigeProtokoll();
        protokollVeraltet_ = false;
        seitProtokoll_ = 0;
    }
    tabelle_->setZeit(jetzt);
    if (gestanden)
        wegZeit_->setZeit(jetzt);
}

// What arrived so far; a character other than the one sent is marked.
void Leitstellenfenster::angekommen(char zeichen)
{
    empfangen_ += zeichen;
    QString text;
    const std::string& gesendet = leitstelle_->nachricht();
    for (std::size_t i = 0; i < empfangen_.size(); ++i) {
        const QString z = QString(QLatin1Char(empfangen_[i])).toHtmlEscaped();
        text += i < gesendet.size() && gesendet[i] == empfangen_[i]
                    ? z
                    : QStringLiteral("<span style=\"color:#c00000;text-decoration:underline\">"
                                     "%1</span>")
                          .arg(z);
        text += QChar(0x200B); // a long message breaks anywhere, not only at its spaces
    }
    empfangenText_->setText(text);
    empfangenText_->setAccessibleDescription(QString::fromStdString(empfangen_));
    announceNotification(empfangenText_);
}
