// The line window's layout: the row of stations; beneath it, the message with its buttons, the
// line's settings and what the line shows in one form, and beside it the teacher's view.
#include "window/linienfenster.h"

#include "controls/accessibility.h"
#include "controls/eingabezeile.h"
#include "controls/spinbox.h"
#include "uebung/startwert.h"
#include "widgets/station.h"
#include "widgets/wegzeitansicht.h"
#include "widgets/werlaswas.h"
#include "window/leitstellenfenster.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShortcut>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>

namespace {

// A part named as the tests and a screen reader find it.
void benenne(QWidget* teil, const char* name, const QString& text)
{
    teil->setObjectName(QLatin1String(name));
    teil->setAccessibleName(text);
}

} // namespace

void Linienfenster::baueEinstellungen(QWidget* unten)
{
    auto* zeile = new QHBoxLayout(unten);
    zeile->setContentsMargins(abstandZumRand, abstandZumRand, abstandZumRand, abstandZumRand);
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    auto* beschriftung = new QLabel(QStringLiteral("&Nachricht"));
    form->addRow(beschriftung, baueNachricht());
    beschriftung->setBuddy(nachricht_);
    baueFelder(form);
    baueAnzeigen(form);
    zeile->addLayout(form, 9);
    zeile->addSpacing(abstandZumRand);
    zeile->addWidget(baueLehrersicht(), 11);
    verbinde();
    baueNetz(form);
}

// The message line and beside it the button that sends it.
QHBoxLayout* Linienfenster::baueNachricht()
{
    nachricht_ = new Eingabezeile(QStringLiteral("SOS"));
    benenne(nachricht_, "nachricht", QStringLiteral("Nachricht"));
    // Its text is its name for a screen reader, "Senden" or "Abbruch" as it reads.
    senden_ = new QPushButton(textSenden);
    senden_->setObjectName(QStringLiteral("senden"));
    anhalten_ = new QPushButton(textAnhalten);
    anhalten_->setObjectName(QStringLiteral("anhalten"));
    anhalten_->setEnabled(false);
    auto* zeile = new QHBoxLayout;
    zeile->addWidget(nachricht_, 1);
    zeile->addWidget(senden_);
    zeile->addWidget(anhalten_);
    return zeile;
}

// The line's settings: stations, reading time, misreads and their seed.
void Linienfenster::baueFelder(QFormLayout* form)
{
    anzahl_ = new QSpinBox;
    anzahl_->setRange(wenigsteStationen, meisteStationen);
    benenne(anzahl_, "stationen", QStringLiteral("Stationen"));
    ablesezeit_ = new SpinBox(0.5, 10.0, 0.1, 2.0);
    benenne(ablesezeit_, "ablesezeit", QStringLiteral("Ablesezeit in Sekunden"));
    fehler_ = new QSpinBox;
    fehler_->setRange(0, meisteFehlerProzent);
    benenne(fehler_, "ablesefehler", QStringLiteral("Ablesefehler in Prozent"));
    startwert_ = new Eingabezeile;
    benenne(startwert_, "startwert", QStringLiteral("Startwert"));
    startwert_->setPlaceholderText(QStringLiteral("leer: jedes Mal andere Fehler"));
    startwert_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("\\d{0,%1}").arg(startwertStellen)), startwert_));
    for (QWidget* feld : std::initializer_list<QWidget*>{anzahl_, ablesezeit_, fehler_, startwert_})
        feld->setMaximumWidth(180);
    form->addRow(QStringLiteral("S&tationen"), anzahl_);
    form->addRow(QStringLiteral("&Ablesezeit in s"), ablesezeit_);
    form->addRow(QStringLiteral("Ablese&fehler in %"), fehler_);
    form->addRow(QStringLiteral("Start&wert"), startwert_);
    // Why "Senden" is off, where it is.
    hinweis_ = new QLabel;
    hinweis_->setWordWrap(true);
    hinweis_->setObjectName(QStringLiteral("hinweis"));
    form->insertRow(1, QString(), hinweis_);
}

// What the line shows: the message as sent, what arrived and the time.
void Linienfenster::baueAnzeigen(QFormLayout* form)
{
    gesendet_ = new QLabel;
    empfangen_ = new QLabel;
    zeit_ = new QLabel;
    erwartet_ = new QLabel;
    laufStart_ = new QLabel;
    // Notifications, which a screen reader speaks when told: each character as it arrives, the
    // whole text and the time when the message has arrived.
    announceAsNotification(empfangen_);
    announceAsNotification(zeit_);
    // What arrived marks its wrong characters; the others are plain text, which is laid out in a
    // fraction of the time a message of thousands of characters takes as rich text.
    empfangen_->setTextFormat(Qt::RichText);
    for (QLabel* l : {gesendet_, zeit_, erwartet_, laufStart_})
        l->setTextFormat(Qt::PlainText);
    benenne(gesendet_, "gesendet", {});
    benenne(empfangen_, "empfangen", {});
    benenne(zeit_, "zeit", {});
    erwartet_->setObjectName(QStringLiteral("erwartet"));
    laufStart_->setObjectName(QStringLiteral("laufstart"));
    laufStart_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(QStringLiteral("Gesendet"), gesendet_);
    form->addRow(QStringLiteral("Empfangen"), empfangen_);
    form->addRow(QStringLiteral("Erwartet"), erwartet_);
    form->addRow(QStringLiteral("Zeit"), zeit_);
    form->addRow(QString(), laufStart_);
}

// The teacher's view: who read what as a table, the run as a chart, and saving both.
QWidget* Linienfenster::baueLehrersicht()
{
    auto* sicht = new QWidget;
    auto* spalte = new QVBoxLayout(sicht);
    spalte->setContentsMargins(0, 0, 0, 0);
    werLasWas_ = new WerLasWasModell(this);
    auto* tabelle = new QTableView;
    tabelle->setModel(werLasWas_);
    benenne(tabelle, "werlaswas", QStringLiteral("Wer las was"));
    tabelle->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    tabelle->verticalHeader()->setDefaultSectionSize(22);
    tabelle->setEditTriggers(QAbstractItemView::NoEditTriggers);
    wegZeit_ = new WegZeitAnsicht;
    wegZeit_->setObjectName(QStringLiteral("wegzeit"));
    lehrersicht_ = new QTabWidget;
    lehrersicht_->addTab(tabelle, QStringLiteral("W&er las was"));
    lehrersicht_->addTab(wegZeit_, QStringLiteral("Weg-&Zeit-Bild"));
    spalte->addWidget(lehrersicht_, 1);
    speichern_ = new QPushButton(QStringLiteral("&Verlauf speichern …"));
    speichern_->setObjectName(QStringLiteral("speichern"));
    speichern_->setToolTip(QStringLiteral("Weg-Zeit-Bild als PNG oder PDF, dazu „Wer las was“ als "
                                          "CSV-Tabelle gleichen Namens (Strg+S)"));
    speichern_->setEnabled(false);
    meldung_ = new QLabel;
    meldung_->setObjectName(QStringLiteral("meldung"));
    meldung_->setWordWrap(true);
    announceAsNotification(meldung_);
    auto* unten = new QHBoxLayout;
    unten->addWidget(meldung_, 1);
    unten->addWidget(speichern_, 0, Qt::AlignTop);
    spalte->addLayout(unten);
    return sicht;
}

// Any change of the message or a setting stops the line; a new number of stations builds the
// row anew.
void Linienfenster::verbinde()
{
    connect(senden_, &QPushButton::clicked, this, &Linienfenster::sendenOderAbbrechen);
    connect(anhalten_, &QPushButton::clicked, this, &Linienfenster::anhaltenOderWeiter);
    connect(speichern_, &QPushButton::clicked, this, &Linienfenster::verlaufSpeichern);
    auto* strgS = new QShortcut(QKeySequence::Save, this);
    connect(strgS, &QShortcut::activated, this, &Linienfenster::verlaufSpeichern);
    connect(anzahl_, &QSpinBox::valueChanged, this, &Linienfenster::stationenGeaendert);
    connect(nachricht_, &QLineEdit::textChanged, this, &Linienfenster::stelleZurueck);
    connect(ablesezeit_, &SpinBox::valueChanged, this, &Linienfenster::stelleZurueck);
    connect(fehler_, &QSpinBox::valueChanged, this, &Linienfenster::stelleZurueck);
    connect(startwert_, &QLineEdit::textChanged, this, &Linienfenster::stelleZurueck);
}

// The row of stations, centred in the line's width.
void Linienfenster::baueStationen()
{
    for (Station* s : stationen_)
        delete s;
    stationen_.clear();
    while (QLayoutItem* rest = reihe_->takeAt(0))
        delete rest;
    reihe_->addStretch();
    for (int k = 1; k <= anzahl_->value(); ++k) {
        stationen_.push_back(new Station(k));
        reihe_->addWidget(stationen_.back());
    }
    reihe_->addStretch();
}

// The line across machines, in a window of its own.
void Linienfenster::baueNetz(QFormLayout* form)
{
    auto* imNetz = new QPushButton(QStringLiteral("Im Net&z öffnen …"));
    imNetz->setObjectName(QStringLiteral("imNetz"));
    form->addRow(QString(), imNetz);
    connect(imNetz, &QPushButton::clicked, this, [this] { imNetzOeffnen(); });
}

bool Linienfenster::imNetzOeffnen(quint16 port)
{
    if (!leitstelle_)
        leitstelle_ = new Leitstellenfenster(code_, this);
    const bool offen = leitstelle_->leitstelle().server().port() != 0 || leitstelle_->oeffnen(port);
    leitstelle_->show();
    leitstelle_->raise();
    leitstelle_->activateWindow();
    return offen;
}
