// The trainer window's side panel: the choice of exercise and round, the status line, and the
// inputs of the three exercises, one above the other, of which the window shows those of the
// chosen exercise.
#include "window/uebungsfenster.h"

#include "controls/accessibility.h"
#include "controls/eingabezeile.h"
#include "controls/spinbox.h"
#include "drawing/schrift.h"
#include "uebung/startwert.h"
#include "uebung/uebungssatz.h"
#include "widgets/alphabetfeld.h"
#include "window/aufbau.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

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

QStringList uebungsnamen()
{
    QStringList namen;
    for (const Uebungsname& u : uebungsarten)
        namen << QString::fromLatin1(u.anzeige);
    return namen;
}

} // namespace

void Uebungsfenster::baueSeitenleiste(QWidget* seite)
{
    auto* spalte = new QVBoxLayout(seite);
    spalte->addWidget(ueberschrift(seite, "titel", {}, QStringLiteral("Signale üben")));

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
    wahl->addRow(QStringLiteral("S&tartwert"), startwert_);
    wahl->addRow(QStringLiteral("Ab&stand in s"), abstand_);
    spalte->addLayout(wahl);
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
