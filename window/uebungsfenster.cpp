#include "window/uebungsfenster.h"

#include "assets/eingebettet.h"
#include "controls/accessibility.h"
#include "controls/fixedwindowsize.h"
#include "controls/gehaltenetasten.h"
#include "controls/spinbox.h"
#include "display/farben.h"
#include "drawing/schrift.h"
#include "files/fortschrittsdatei.h"
#include "files/ganzschreiben.h"
#include "geometrie/geometrie.h"
#include "uebung/ergebnistabelle.h"
#include "uebung/uebungssitzung.h"
#include "uebung/woerter.h"
#include "widgets/alphabetfeld.h"
#include "widgets/alphabetfeldzugang.h"
#include "widgets/telegraf.h"
#include "window/aufbau.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>

using Zustand = Uebungssitzung::Zustand;
using Eingabe = Uebungsregel::Eingabe;

const QSize Uebungsfenster::groesse{szeneBreite + 208, szeneHoehe};

Uebungsfenster::Uebungsfenster(const Signalcode& code, const QString& ordner, QWidget* parent)
    : QWidget(parent, festesFenster), ablage_(std::make_unique<Fortschrittsdatei>(ordner))
{
    announceWindowsAsFrames();
    erkenneGehalteneTasten();
    installiereAlphabetfeldZugang();
    setWindowTitle(QStringLiteral("Signale üben – Vellard-Telegraf"));
    setFont(verdana(12));
    const int seitenBreite = groesse.width() - szeneBreite;
    QWidget* inhalt = panel(this, "inhalt", QRect(QPoint(0, 0), groesse), Qt::white);
    new FixedWindowSize(this, inhalt);
    baueLinks(inhalt);
    sitzung_ = new Uebungssitzung(
        code, *ablage_, woerterAus(eingebetteteDatei(QStringLiteral("woerter.txt"))).woerter,
        *telegraf_, this);
    baueSeitenleiste(
        panel(inhalt, "seite", QRect(szeneBreite, 0, seitenBreite, szeneHoehe), farbe::hellgrau));
    verbinde();

    alleZeichen_->setChecked(sitzung_->lernstand().alleZeichen);
    telegraf_->stelle(ruhestellung, ' ');
    zeige();
    beginnen_->setFocus();
    placeInScreenCentre(this);
}

// The trainer keeps a reference to the progress store, a member, which would otherwise go
// before the window's children.
Uebungsfenster::~Uebungsfenster()
{
    delete sitzung_;
}

void Uebungsfenster::waehle(Uebungsart art, std::optional<std::uint64_t> startwert)
{
    uebung_->setCurrentIndex(static_cast<int>(art));
    startwert_->setText(startwert ? QString::number(*startwert) : QString());
}

// Shows the trainer: its status line, the inputs of its exercise, and where the keyboard goes
// when its state changed.
void Uebungsfenster::zeige()
{
    const Zustand zustand = sitzung_->zustand();
    const bool neu =
        std::exchange(gezeigterZustand_, static_cast<int>(zustand)) != static_cast<int>(zustand);
    // A new line is spoken, unless the control that takes the focus below carries it.
    zeigeTexte(neu && (zustand == Zustand::Beantwortet || zustand == Zustand::Ende));
    zeigeEingaben();
    // The focus goes first, so that it does not fall on another control when "Weiter" is
    // switched off under it.
    if (neu)
        setzeFokus();
    pruefen_->setEnabled(zustand == Zustand::Frage);
    weiter_->setEnabled(zustand == Zustand::Beantwortet);
    ergebnisSpeichern_->setEnabled(zustand == Zustand::Ende && !sitzung_->antworten().empty());
}

void Uebungsfenster::zeigeTexte(bool getragen)
{
    if (status_->text() != sitzung_->status()) {
        status_->setText(sitzung_->status());
        if (!getragen)
            announceNotification(status_);
    }
    if (balkenHilfe_->text() != sitzung_->balkenHilfe()) {
        balkenHilfe_->setText(sitzung_->balkenHilfe());
        announceNotification(balkenHilfe_);
    }
}

// The control the chosen exercise takes its answer with.
QWidget* Uebungsfenster::eingabe() const
{
    const Eingabe art = sitzung_->regel().eingabe();
    return art == Eingabe::Zeichenwahl ? static_cast<QWidget*>(feld_)
           : art == Eingabe::Telegraf  ? static_cast<QWidget*>(telegraf_)
                                       : gelesen_;
}

// The inputs of the chosen exercise, open while a question waits.
void Uebungsfenster::zeigeEingaben()
{
    const bool offen = sitzung_->zustand() == Zustand::Frage;
    feld_->setVisible(eingabe() == feld_);
    balkenHilfe_->setVisible(eingabe() == telegraf_);
    gelesen_->setVisible(eingabe() == gelesen_);
    pruefen_->setVisible(eingabe() != feld_);
    satz_->setEnabled(sitzung_->regel().fragtZeichen());
    abstand_->setEnabled(sitzung_->regel().sendetImAbstand());
    gelesen_->setReadOnly(!offen);
    telegraf_->setStellbar(offen && eingabe() == telegraf_);
    links_->setCurrentWidget(sitzung_->zustand() == Zustand::Ende ? static_cast<QWidget*>(ergebnis_)
                                                                  : telegraf_);
}

// The keyboard goes where the learner acts next.
void Uebungsfenster::setzeFokus()
{
    const Zustand zustand = sitzung_->zustand();
    if (zustand == Zustand::Frage) {
        // Focused before the line is cleared: a screen reader that hears the field emptied
        // first passes over the focus without naming it.
        eingabe()->setFocus();
        gelesen_->clear();
        zelleGewaehlt_ = false;
    } else if (zustand == Zustand::Beantwortet) {
        // A screen reader speaks the control that takes the focus, so it carries the verdict
        // that the status line shows.
        weiter_->setAccessibleDescription(status_->text());
        weiter_->setEnabled(true);
        weiter_->setFocus();
    } else if (zustand == Zustand::Ende) {
        // On the result, not on "Runde beginnen": a Return meant for "Weiter" must not start
        // the next round and take the result away before it could be saved.
        zeigeErgebnis();
        ergebnis_->setAccessibleDescription(status_->text());
        ergebnis_->setCurrentCell(0, 0);
        ergebnis_->setFocus();
    } else if (QList<QWidget*>{feld_, telegraf_, gelesen_, pruefen_, weiter_}.contains(
                   focusWidget())) {
        // A round broken off, also by closing the window, leaves nothing there to answer.
        beginnen_->setFocus();
    }
}

void Uebungsfenster::zeigeErgebnis()
{
    const std::vector<Antwort>& antworten = sitzung_->antworten();
    ergebnis_->setRowCount(static_cast<int>(antworten.size()));
    for (int zeile = 0; zeile < ergebnis_->rowCount(); ++zeile) {
        const Ergebniszeile e = ergebniszeile(antworten[static_cast<std::size_t>(zeile)]);
        const QString spalten[] = {e.gefragt, e.geantwortet, e.wertung, e.zeit};
        for (int spalte = 0; spalte < 4; ++spalte)
            ergebnis_->setItem(zeile, spalte, new QTableWidgetItem(spalten[spalte]));
    }
}

// Asks first, without waiting in a loop of its own: the answer comes as a signal.
void Uebungsfenster::loescheFortschritt()
{
    auto* frage = new QMessageBox(QMessageBox::Question, QStringLiteral("Fortschritt löschen"),
                                  QStringLiteral("Den ganzen Lernstand löschen und von vorn "
                                                 "beginnen?"),
                                  QMessageBox::Yes | QMessageBox::No, this);
    frage->setAttribute(Qt::WA_DeleteOnClose);
    // Return alone must not delete what was learned.
    frage->setDefaultButton(QMessageBox::No);
    connect(frage, &QMessageBox::finished, this, [this](int antwort) {
        if (antwort != QMessageBox::Yes)
            return;
        sitzung_->loescheFortschritt();
        alleZeichen_->setChecked(sitzung_->lernstand().alleZeichen);
    });
    frage->open();
}

// Asks where, without waiting in a loop of its own, and writes the result there whole or not
// at all; the status line tells which.
void Uebungsfenster::speichereErgebnis()
{
    const QString name =
        QStringLiteral("Ergebnis %1.csv")
            .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH-mm")));
    QFileDialog* dialog = speicherdialog(this, QStringLiteral("Ergebnis speichern"), name);
    dialog->setNameFilter(QStringLiteral("CSV-Tabelle (*.csv)"));
    dialog->setDefaultSuffix(QStringLiteral("csv"));
    const QByteArray csv = sitzung_->ergebnisCsv();
    connect(dialog, &QFileDialog::fileSelected, this, [this, csv](const QString& pfad) {
        const QString grund = schreibeGanz(pfad, csv);
        const QString ort = QDir::toNativeSeparators(pfad);
        sitzung_->melde(grund.isEmpty()
                            ? QStringLiteral("Das Ergebnis ist in „%1“ gespeichert.").arg(ort)
                            : QStringLiteral("Das Ergebnis wurde nicht nach „%1“ gespeichert. %2")
                                  .arg(ort, grund));
    });
    dialog->open();
}

void Uebungsfenster::keyPressEvent(QKeyEvent* event)
{
    // Keys no control took: Return presses the focused button, answers a question of setting
    // or reading (the input line passes it on), or goes on after an answer; 1, 2, 3 and the
    // arrows set the beams. A held key acts once.
    const int taste = event->key();
    const bool stellen = sitzung_->zustand() == Zustand::Frage &&
                         sitzung_->regel().eingabe() == Eingabe::Telegraf && !event->isAutoRepeat();
    auto* knopf = qobject_cast<QPushButton*>(focusWidget());
    if ((taste == Qt::Key_Return || taste == Qt::Key_Enter) && !event->isAutoRepeat()) {
        if (knopf)
            knopf->click();
        else if (sitzung_->zustand() == Zustand::Frage)
            sitzung_->pruefen(gelesen_->text());
        else
            sitzung_->weiter();
    } else if (stellen && taste >= Qt::Key_1 && taste <= Qt::Key_3) {
        sitzung_->waehleBalken(taste - Qt::Key_1);
    } else if (stellen && (taste == Qt::Key_Left || taste == Qt::Key_Right)) {
        sitzung_->drehe(taste == Qt::Key_Right ? 1 : -1);
    } else {
        QWidget::keyPressEvent(event);
    }
}

void Uebungsfenster::closeEvent(QCloseEvent* event)
{
    sitzung_->unterbrechen();
    QWidget::closeEvent(event);
}
