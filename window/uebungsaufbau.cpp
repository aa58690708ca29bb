// The trainer window's parts and how they are connected: the telegraph with the round's result
// in its place at the end; the side panel with the choice of exercise and round, the status
// line, and the inputs of the three exercises, one above the other, of which the window shows
// those of the chosen exercise.
#include "window/uebungsfenster.h"

#include "bedienung/wiedergabeschritt.h"
#include "controls/accessibility.h"
#include "controls/eingabezeile.h"
#include "controls/spinbox.h"
#include "drawing/schrift.h"
#include "uebung/startwert.h"
#include "uebung/uebungssatz.h"
#include "uebung/uebungssitzung.h"
#include "widgets/alphabetfeld.h"
#include "widgets/telegraf.h"
#include "window/aufbau.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStackedWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// The numbers of questions a round can have, as the "Fragen" box lists them.
const QList<int> anzahlen{10, 20, 36};

template <typename Teil> Teil* zugaenglich(Teil* teil, const char* name, const QString& text)
{
    teil->setObjectName(QLatin1String(name));
    teil->setAccessibleName(text);
    return teil;
}

QComboBox* auswahl(const char* name, const QString& text, const QStringList& eintraege)
{
    auto* box = zugaenglich(new QComboBox, name, text);
    box->addItems(eintraege);
    // Qt's combo box offers screen readers no value to read: the description carries it, which
    // they speak with the focus.
    box->setAccessibleDescription(box->currentText());
    QObject::connect(box, &QComboBox::currentTextChanged, box, &QWidget::setAccessibleDescription);
    return box;
}

// A row of `form` whose label stands above its field, both as wide as the form.
void ueberDemFeld(QFormLayout* form, const QString& text, QWidget* feld)
{
    auto* beschriftung = new QLabel(text);
    beschriftung->setBuddy(feld);
    form->addRow(beschriftung);
    form->addRow(feld);
}

QStringList uebungsnamen()
{
    QStringList namen;
    for (const Uebungsname& u : uebungsarten)
        namen << QString::fromLatin1(u.anzeige);
    return namen;
}

} // namespace

void Uebungsfenster::baueLinks(QWidget* inhalt)
{
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
}

void Uebungsfenster::baueSeitenleiste(QWidget* seite)
{
    auto* spalte = new QVBoxLayout(seite);
    spalte->addWidget(ueberschrift(seite, "titel", {}, QStringLiteral("Signale üben")));
    spalte->addLayout(baueWahl());
    alleZeichen_ = zugaenglich(new QCheckBox(QStringLiteral("&Alle Zeichen auf einmal")),
                               "alleZeichen", QStringLiteral("Alle Zeichen auf einmal"));
    spalte->addWidget(alleZeichen_);
    beginnen_ = zugaenglich(new QPushButton(QStringLiteral("Runde &beginnen")), "beginnen",
                            QStringLiteral("Runde beginnen"));
    spalte->addWidget(beginnen_);

    // A notification named by its text, so a screen reader speaks every new line.
    status_ = new QLabel;
    announceAsNotification(status_);
    status_->setObjectName(QStringLiteral("status"));
    status_->setWordWrap(true);
    status_->setMinimumHeight(90);
    status_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    status_->setFont(verdana(14));
    spalte->addWidget(status_);

    baueAntworten(spalte);
    spalte->addStretch();
    ergebnisSpeichern_ = zugaenglich(new QPushButton(QStringLiteral("&Ergebnis speichern …")),
                                     "ergebnisSpeichern", QStringLiteral("Ergebnis speichern"));
    ergebnisSpeichern_->setAccessibleDescription(
        QStringLiteral("Schreibt die Tabelle der Runde als CSV-Datei (Strg+S)."));
    spalte->addWidget(ergebnisSpeichern_);
    loeschen_ = zugaenglich(new QPushButton(QStringLiteral("Fortschritt &löschen …")), "loeschen",
                            QStringLiteral("Fortschritt löschen"));
    spalte->addWidget(loeschen_);
}

// The choice of the next round, as a form.
QFormLayout* Uebungsfenster::baueWahl()
{
    auto* wahl = new QFormLayout;
    uebung_ = auswahl("uebung", QStringLiteral("Übung"), uebungsnamen());
    satz_ = auswahl("satz", QStringLiteral("Zeichen"),
                    {QString::fromLatin1(satzname(Uebungssatz::Buchstaben)),
                     QString::fromLatin1(satzname(Uebungssatz::Ziffern)),
                     QString::fromLatin1(satzname(Uebungssatz::Alle))});
    anzahl_ = auswahl("anzahl", QStringLiteral("Fragen"),
                      {QStringLiteral("10"), QStringLiteral("20"), QStringLiteral("36")});
    startwert_ = zugaenglich(new Eingabezeile, "startwert", QStringLiteral("Startwert"));
    startwert_->setPlaceholderText(QStringLiteral("leer: nach Lernstand"));
    startwert_->setAccessibleDescription(
        QStringLiteral("Eine Zahl macht die Runde zur Prüfung: gleiche Zahl, gleiche Fragen."));
    startwert_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("\\d{0,%1}").arg(startwertStellen)), startwert_));
    // Made without a parent, as the other fields: each comes into the focus chain where the
    // form puts it.
    abstand_ = abstandsfeld(nullptr, "abstand");
    wahl->addRow(QStringLiteral("&Übung"), uebung_);
    wahl->addRow(QStringLiteral("&Zeichen"), satz_);
    wahl->addRow(QStringLiteral("&Fragen"), anzahl_);
    // The seed's hint and the interval's label are too wide to share a line in the narrow side
    // panel: they stand above their fields.
    ueberDemFeld(wahl, QStringLiteral("S&tartwert"), startwert_);
    const QString stehzeit = QStringLiteral(
        "Beim Mitlesen: wie lange jedes Zeichen still steht, bevor das nächste kommt, von 1,0 "
        "bis 4,0 Sekunden.");
    abstand_->setAccessibleDescription(stehzeit);
    abstand_->setToolTip(stehzeit);
    ueberDemFeld(wahl, QStringLiteral("Ab&stand in s"), abstand_);
    return wahl;
}

// What the learner answers with: the grid for naming, the beam help for setting, the line for
// reading, and the buttons to check and go on.
void Uebungsfenster::baueAntworten(QVBoxLayout* spalte)
{
    feld_ = zugaenglich(new Alphabetfeld, "feld", QStringLiteral("Alphabet"));
    spalte->addWidget(feld_, 0, Qt::AlignHCenter);
    // A notification, as the status line: a screen reader hears which beam is chosen.
    balkenHilfe_ = new QLabel;
    announceAsNotification(balkenHilfe_);
    balkenHilfe_->setObjectName(QStringLiteral("balken"));
    balkenHilfe_->setWordWrap(true);
    spalte->addWidget(balkenHilfe_);
    gelesen_ = zugaenglich(new Eingabezeile, "gelesen", QStringLiteral("Gelesen"));
    gelesen_->setPlaceholderText(QStringLiteral("Was hast du gelesen?"));
    spalte->addWidget(gelesen_);
    pruefen_ = zugaenglich(new QPushButton(QStringLiteral("&Prüfen")), "pruefen",
                           QStringLiteral("Prüfen"));
    weiter_ =
        zugaenglich(new QPushButton(QStringLiteral("&Weiter")), "weiter", QStringLiteral("Weiter"));
    spalte->addWidget(pruefen_);
    spalte->addWidget(weiter_);
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
    // Every change of the text, also one made by assistive technology or by `waehle`.
    connect(startwert_, &QLineEdit::textChanged, s,
            [s](const QString& text) { s->setStartwert(startwertAus(text)); });
    connect(abstand_, &SpinBox::valueChanged, s, [s](double sekunden) {
        s->setAbstand(std::chrono::milliseconds(abstandMs(sekunden)));
    });
    connect(alleZeichen_, &QCheckBox::toggled, s, &Uebungssitzung::setAlleZeichen);
    connect(beginnen_, &QPushButton::clicked, s, &Uebungssitzung::beginnen);
    connect(loeschen_, &QPushButton::clicked, this, &Uebungsfenster::loescheFortschritt);
    auto* speichern = new QAction(this);
    speichern->setShortcut(QKeySequence::Save);
    addAction(speichern);
    connect(speichern, &QAction::triggered, ergebnisSpeichern_, &QPushButton::click);
    connect(ergebnisSpeichern_, &QPushButton::clicked, this, &Uebungsfenster::speichereErgebnis);
    connect(s, &Uebungssitzung::geaendert, this, &Uebungsfenster::zeige);
    verbindeAntworten();
}

// What the learner answers with, and the telegraph that tells when it stands.
void Uebungsfenster::verbindeAntworten()
{
    Uebungssitzung* s = sitzung_;
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
    connect(telegraf_, &Telegraf::gestellt, s, [this] {
        sitzung_->gestellt();
        telegraf_->setFocus();
    });
    connect(telegraf_, &Telegraf::steht, s, &Uebungssitzung::telegrafSteht);
}
