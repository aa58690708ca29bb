#include "window/uebungsfenster.h"

#include "assets/eingebettet.h"
#include "bedienung/wiedergabeschritt.h"
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
#include "uebung/startwert.h"
#include "uebung/uebungssitzung.h"
#include "uebung/woerter.h"
#include "widgets/alphabetfeld.h"
#include "widgets/alphabetfeldzugang.h"
#include "widgets/telegraf.h"
#include "window/aufbau.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>

namespace {

using Zustand = Uebungssitzung::Zustand;

// The numbers of questions a round can have, as the "Fragen" box lists them.
const QList<int> anzahlen{10, 20, 36};

} // namespace

const QSize Uebungsfenster::groesse{szeneBreite + 320, szeneHoehe};

Uebungsfenster::Uebungsfenster(const Signalcode& code, const QString& ordner, QWidget* parent)
    : QWidget(parent, festesFenster), ablage_(std::make_unique<Fortschrittsdatei>(ordner)),
      sitzung_(new Uebungssitzung(
          code, *ablage_, woerterAus(eingebetteteDatei(QStringLiteral("woerter.txt"))).woerter,
          this))
{
    announceWindowsAsFrames();
    erkenneGehalteneTasten();
    installiereAlphabetfeldZugang();
    setWindowTitle(QStringLiteral("Signale üben – Vellard-Telegraf"));
    setFont(verdana(12));
    const int seitenBreite = groesse.width() - szeneBreite;
    QWidget* inhalt = panel(this, "inhalt", QRect(QPoint(0, 0), groesse), Qt::white);
    new FixedWindowSize(this, inhalt);

    links_ = benannt(new QStackedWidget(inhalt), "links", QRect(0, 0, szeneBreite, szeneHoehe));
    telegraf_ = new Telegraf;
    telegraf_->setObjectName(QStringLiteral("telegraf"));
    telegraf_->setHinweis(
        QStringLiteral("Beim Stellen wählen 1, 2 und 3 den Balken, die Pfeiltasten "
                       "drehen ihn, die Eingabetaste prüft."));
    ergebnis_ = new QTableWidget(0, 4);
    ergebnis_->setObjectName(QStringLiteral("ergebnis"));
    ergebnis_->setAccessibleName(QStringLiteral("Ergebnis der Runde"));
    ergebnis_->setHorizontalHeaderLabels({QStringLiteral("Gefragt"), QStringLiteral("Geantwortet"),
                                          QStringLiteral("Wertung"), QStringLiteral("Zeit")});
    ergebnis_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    ergebnis_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    links_->addWidget(telegraf_);
    links_->addWidget(ergebnis_);

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

void Uebungsfenster::verbinde()
{
    Uebungssitzung* s = sitzung_;
    connect(uebung_, &QComboBox::currentIndexChanged, s,
            [s](int i) { s->setArt(static_cast<Uebungsart>(i)); });
    connect(satz_, &QComboBox::currentIndexChanged, s,
            [s](int i) { s->setSatz(static_cast<Uebungssatz>(i)); });
    connect(anzahl_, &QComboBox::currentIndexChanged, s,
            [s](int i) { s->setAnzahl(anzahlen.value(i, anzahlen.first())); });
    connect(startwert_, &QLineEdit::textEdited, s,
            [s](const QString& text) { s->setStartwert(startwertAus(text)); });
    connect(abstand_, &SpinBox::valueChanged, s, [s](double sekunden) {
        s->setAbstand(std::chrono::milliseconds(abstandMs(sekunden)));
    });
    connect(alleZeichen_, &QCheckBox::toggled, s, &Uebungssitzung::setAlleZeichen);
    connect(beginnen_, &QPushButton::clicked, s, &Uebungssitzung::beginnen);
    connect(feld_, &Alphabetfeld::gedrueckt, s, &Uebungssitzung::erkannt);
    // Return or Space on the cell where the last answer left it names nothing the learner chose
    // for this question: most likely the key was meant for the question before.
    connect(feld_, &Alphabetfeld::getippt, s, [this](char zeichen, bool selbst) {
        if (selbst || zelleGewaehlt_)
            sitzung_->erkannt(zeichen);
        else
            sitzung_->melde(QStringLiteral("Wähle zuerst ein Zeichen: Tippe es, klicke es an "
                                           "oder gehe mit den Pfeiltasten zu ihm."));
    });
    connect(feld_, &Alphabetfeld::zelleGeaendert, this, [this] { zelleGewaehlt_ = true; });
    connect(pruefen_, &QPushButton::clicked, s, [this] { sitzung_->pruefen(gelesen_->text()); });
    connect(weiter_, &QPushButton::clicked, s, &Uebungssitzung::weiter);
    connect(loeschen_, &QPushButton::clicked, this, &Uebungsfenster::loescheFortschritt);
    auto* speichern = new QAction(this);
    speichern->setShortcut(QKeySequence::Save);
    addAction(speichern);
    connect(speichern, &QAction::triggered, ergebnisSpeichern_, &QPushButton::click);
    connect(ergebnisSpeichern_, &QPushButton::clicked, this, &Uebungsfenster::speichereErgebnis);

    connect(telegraf_, &Telegraf::gestellt, s, [this](const Stellung& stellung) {
        sitzung_->gestellt(stellung);
        telegraf_->setFocus();
    });
    connect(telegraf_, &Telegraf::steht, s, &Uebungssitzung::telegrafSteht);
    connect(s, &Uebungssitzung::telegrafBewegen, telegraf_, &Telegraf::bewegen);
    connect(s, &Uebungssitzung::telegrafStellen, telegraf_, &Telegraf::stelle);
    connect(s, &Uebungssitzung::telegrafSchreiben, telegraf_, &Telegraf::schreibe);
    connect(s, &Uebungssitzung::telegrafAnhalten, telegraf_, &Telegraf::anhalten);
    connect(s, &Uebungssitzung::geaendert, this, &Uebungsfenster::zeige);
}

void Uebungsfenster::waehle(Uebungsart art, std::optional<std::uint64_t> startwert)
{
    uebung_->setCurrentIndex(static_cast<int>(art));
    startwert_->setText(startwert ? QString::number(*startwert) : QString());
    sitzung_->setStartwert(startwert);
}

// Shows the trainer: its status line, the inputs of its exercise, and where the keyboard goes
// when its state changed.
void Uebungsfenster::zeige()
{
    const Zustand zustand = sitzung_->zustand();
    const Uebungsart art = sitzung_->wahl().art;
    const bool offen = zustand == Zustand::Frage;
    // A new line is spoken, unless the control that takes the focus below carries it.
    const bool getragen = gezeigterZustand_ != static_cast<int>(zustand) &&
                          (zustand == Zustand::Beantwortet || zustand == Zustand::Ende);
    if (status_->text() != sitzung_->status()) {
        status_->setText(sitzung_->status());
        if (!getragen)
            announceNotification(status_);
    }
    if (balkenHilfe_->text() != sitzung_->balkenHilfe()) {
        balkenHilfe_->setText(sitzung_->balkenHilfe());
        announceNotification(balkenHilfe_);
    }
    feld_->setVisible(art == Uebungsart::Erkennen);
    balkenHilfe_->setVisible(art == Uebungsart::Stellen);
    gelesen_->setVisible(art == Uebungsart::Mitlesen);
    pruefen_->setVisible(art != Uebungsart::Erkennen);
    satz_->setEnabled(art != Uebungsart::Mitlesen);
    abstand_->setEnabled(art == Uebungsart::Mitlesen);
    gelesen_->setReadOnly(!offen);
    telegraf_->setStellbar(offen && art == Uebungsart::Stellen);
    links_->setCurrentWidget(zustand == Zustand::Ende ? static_cast<QWidget*>(ergebnis_)
                                                      : telegraf_);
    // The focus goes first, so that it does not fall on another control when "Weiter" is
    // switched off under it.
    if (std::exchange(gezeigterZustand_, static_cast<int>(zustand)) != static_cast<int>(zustand)) {
        if (offen && art == Uebungsart::Erkennen) {
            feld_->setFocus();
            zelleGewaehlt_ = false;
        } else if (offen && art == Uebungsart::Stellen) {
            telegraf_->setFocus();
        } else if (offen) {
            // Focused before it is cleared: a screen reader that hears the field emptied first
            // passes over the focus without naming it.
            gelesen_->setFocus();
            gelesen_->clear();
        } else if (zustand == Zustand::Beantwortet) {
            // A screen reader speaks the control that takes the focus, so it carries the
            // verdict that the status line shows.
            weiter_->setAccessibleDescription(status_->text());
            weiter_->setEnabled(true);
            weiter_->setFocus();
        } else if (zustand == Zustand::Ende) {
            // On the result, not on "Runde beginnen": a Return meant for "Weiter" must not
            // start the next round and take the result away before it could be saved.
            zeigeErgebnis();
            ergebnis_->setAccessibleDescription(status_->text());
            ergebnis_->setCurrentCell(0, 0);
            ergebnis_->setFocus();
        } else if (zustand == Zustand::Bereit &&
                   QList<QWidget*>{feld_, telegraf_, gelesen_, pruefen_, weiter_}.contains(
                       focusWidget())) {
            // A round broken off, also by closing the window, leaves nothing there to answer.
            beginnen_->setFocus();
        }
    }
    pruefen_->setEnabled(offen);
    weiter_->setEnabled(zustand == Zustand::Beantwortet);
    ergebnisSpeichern_->setEnabled(zustand == Zustand::Ende && !sitzung_->antworten().empty());
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
                         sitzung_->wahl().art == Uebungsart::Stellen && !event->isAutoRepeat();
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
    telegraf_->anhalten();
    QWidget::closeEvent(event);
}
