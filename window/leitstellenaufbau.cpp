// The Leitstelle window's layout: where to join and the word, the row of stations, the
// teacher's controls, and what arrived with the record beneath.
#include "window/leitstellenfenster.h"

#include "controls/accessibility.h"
#include "drawing/schrift.h"
#include "widgets/station.h"
#include "widgets/wegzeitansicht.h"
#include "widgets/werlaswas.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// A part named as the tests and a screen reader find it.
void benenne(QWidget* teil, const char* name, const QString& text)
{
    teil->setObjectName(QLatin1String(name));
    teil->setAccessibleName(text);
}

QLabel* textzeile(const char* name, const QString& text)
{
    auto* zeile = new QLabel;
    zeile->setTextFormat(Qt::PlainText); // names come from the network: never rich text
    benenne(zeile, name, text);
    return zeile;
}

} // namespace

// Where pupils join, and beside it the word for the board, large.
void Leitstellenfenster::baueKopf(QVBoxLayout* spalte)
{
    adresse_ = textzeile("adresse", QStringLiteral("Adresse und Port"));
    adresse_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    adresse_->setWordWrap(true);
    wort_ = textzeile("wort", QStringLiteral("Beitrittswort"));
    wort_->setFont(verdana(56));
    auto* kopf = new QHBoxLayout;
    auto* wo = new QFormLayout;
    wo->addRow(QStringLiteral("Stationen treten bei unter"), adresse_);
    kopf->addLayout(wo, 1);
    kopf->addWidget(new QLabel(QStringLiteral("Beitrittswort")), 0, Qt::AlignVCenter);
    kopf->addWidget(wort_);
    spalte->addLayout(kopf);
}

// The row of stations scrolls sideways when it is longer than the window, each drawn crisp
// at its own size.
void Leitstellenfenster::baueReihe(QVBoxLayout* spalte)
{
    auto* innen = new QWidget;
    reihe_ = new QHBoxLayout(innen);
    auto* rolle = new QScrollArea;
    rolle->setWidget(innen);
    rolle->setWidgetResizable(true);
    rolle->setMinimumHeight(Station::groesse.height() + 60);
    benenne(rolle, "reihe", QStringLiteral("Stationen der Linie"));
    spalte->addWidget(rolle);
}

// The line's length, moving and removing a pupil, and the message.
void Leitstellenfenster::baueBedienung(QVBoxLayout* links)
{
    anzahl_ = new QSpinBox;
    anzahl_->setRange(wenigsteStationen, meisteStationenImNetz);
    anzahl_->setValue(leitstelle_->stationen());
    benenne(anzahl_, "stationen", QStringLiteral("Stationen"));
    von_ = new QSpinBox;
    nach_ = new QSpinBox;
    benenne(von_, "von", QStringLiteral("Schüler auf Platz"));
    benenne(nach_, "nach", QStringLiteral("nach Platz"));
    verschieben_ = new QPushButton(QStringLiteral("&Verschieben"));
    entfernen_ = new QPushButton(QStringLiteral("&Entfernen"));
    auto* plaetze = new QHBoxLayout;
    plaetze->addWidget(von_);
    plaetze->addWidget(new QLabel(QStringLiteral("nach")));
    plaetze->addWidget(nach_);
    plaetze->addStretch();
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(verschieben_);
    knoepfe->addWidget(entfernen_);
    knoepfe->addStretch();
    nachricht_ = new QLineEdit(QStringLiteral("SOS"));
    nachricht_->setMaxLength(netz::laengsteZeile);
    benenne(nachricht_, "nachricht", QStringLiteral("Nachricht"));
    senden_ = new QPushButton(QStringLiteral("&Senden"));
    senden_->setObjectName(QStringLiteral("senden"));
    auto* zeile = new QHBoxLayout;
    zeile->addWidget(nachricht_, 1);
    zeile->addWidget(senden_);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("S&tationen"), anzahl_);
    // A row of several fields takes its label's Alt key to its first field.
    auto* platz = new QLabel(QStringLiteral("Schüler auf &Platz"));
    platz->setBuddy(von_);
    form->addRow(platz, plaetze);
    form->addRow(QString(), knoepfe);
    auto* nachricht = new QLabel(QStringLiteral("&Nachricht"));
    nachricht->setBuddy(nachricht_);
    form->addRow(nachricht, zeile);
    links->addLayout(form);
}

// What arrived, its wrong characters marked, in a few lines that scroll for a long message, and
// beneath it what the window has to say.
void Leitstellenfenster::baueErgebnis(QVBoxLayout* links)
{
    empfangenText_ = new QLabel;
    empfangenText_->setTextFormat(Qt::RichText); // only characters of the code, escaped
    empfangenText_->setWordWrap(true);
    empfangenText_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    benenne(empfangenText_, "empfangen", QStringLiteral("Empfangen"));
    announceAsNotification(empfangenText_);
    auto* rolle = new QScrollArea;
    rolle->setWidget(empfangenText_);
    rolle->setWidgetResizable(true);
    rolle->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    rolle->setFixedHeight(std::max(4 * fontMetrics().lineSpacing() + 2 * rolle->frameWidth(),
                                   rolle->minimumSizeHint().height()));
    rolle->setObjectName(QStringLiteral("empfangenRolle"));
    // The last line that arrived stays in sight.
    connect(rolle->verticalScrollBar(), &QScrollBar::rangeChanged, rolle,
            [rolle](int, int bis) { rolle->verticalScrollBar()->setValue(bis); });
    meldung_ = textzeile("meldung", QStringLiteral("Meldung"));
    meldung_->setWordWrap(true);
    announceAsNotification(meldung_);
    links->addWidget(new QLabel(QStringLiteral("Empfangen")));
    links->addWidget(rolle);
    links->addWidget(meldung_);
    links->addStretch();
}

// Who read what as a table with the pupils' names, the run as a chart, and saving both.
QWidget* Leitstellenfenster::baueLehrersicht()
{
    auto* sicht = new QWidget;
    auto* spalte = new QVBoxLayout(sicht);
    spalte->setContentsMargins(0, 0, 0, 0);
    auto* tabelle = new QTableView;
    tabelle->setModel(tabelle_);
    tabelle->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tabelle->verticalHeader()->setDefaultSectionSize(22);
    tabelle->setEditTriggers(QAbstractItemView::NoEditTriggers);
    benenne(tabelle, "werlaswas", QStringLiteral("Wer las was"));
    wegZeit_ = new WegZeitAnsicht;
    wegZeit_->setObjectName(QStringLiteral("wegzeit"));
    lehrersicht_ = new QTabWidget;
    lehrersicht_->addTab(tabelle, QStringLiteral("Wer las &was"));
    lehrersicht_->addTab(wegZeit_, QStringLiteral("Weg-&Zeit-Bild"));
    spalte->addWidget(lehrersicht_, 1);
    speichern_ = new QPushButton(QStringLiteral("Ver&lauf speichern …"));
    speichern_->setObjectName(QStringLiteral("speichern"));
    speichern_->setToolTip(QStringLiteral("Weg-Zeit-Bild als PNG oder PDF, dazu „Wer las was“ als "
                                          "CSV-Tabelle gleichen Namens (Strg+S)"));
    speichern_->setEnabled(false);
    spalte->addWidget(speichern_, 0, Qt::AlignRight);
    return sicht;
}

void Leitstellenfenster::verbinde()
{
    connect(anzahl_, &QSpinBox::valueChanged, this, [this](int anzahl) {
        leitstelle_->setStationen(anzahl);
        baueStationen();
    });
    connect(verschieben_, &QPushButton::clicked, this, &Leitstellenfenster::verschieben);
    connect(entfernen_, &QPushButton::clicked, this, &Leitstellenfenster::entfernen);
    connect(senden_, &QPushButton::clicked, this, &Leitstellenfenster::senden);
    connect(nachricht_, &QLineEdit::returnPressed, this, &Leitstellenfenster::senden);
    connect(leitstelle_, &Leitstelle::plaetzeGeaendert, this, &Leitstellenfenster::zeigePlaetze);
    connect(leitstelle_, &Leitstelle::bewegt, this, &Leitstellenfenster::bewegt);
    connect(leitstelle_, &Leitstelle::fertig, this, &Leitstellenfenster::fertig);
    connect(&bildtakt_, &QTimer::timeout, this, &Leitstellenfenster::naechstesBild);
    connect(speichern_, &QPushButton::clicked, this, &Leitstellenfenster::verlaufSpeichern);
    auto* strgS = new QShortcut(QKeySequence::Save, this);
    connect(strgS, &QShortcut::activated, this, &Leitstellenfenster::verlaufSpeichern);
}

// A small telegraph for each place and beneath it who stands there.
void Leitstellenfenster::baueStationen()
{
    // A column is a layout, which is its own item: its widgets go first, then the item once.
    while (QLayoutItem* rest = reihe_->takeAt(0)) {
        if (QLayout* spalte = rest->layout()) {
            while (QLayoutItem* teil = spalte->takeAt(0)) {
                delete teil->widget();
                delete teil;
            }
        }
        delete rest->widget();
        delete rest;
    }
    stationen_.clear();
    namen_.clear();
    laufend_.assign(static_cast<std::size_t>(leitstelle_->stationen()), std::nullopt);
    for (int platz = 1; platz <= leitstelle_->stationen(); ++platz) {
        auto* spalte = new QVBoxLayout;
        stationen_.push_back(new Station(platz));
        namen_.push_back(textzeile("name", QStringLiteral("Station %1").arg(platz)));
        namen_.back()->setAlignment(Qt::AlignHCenter);
        spalte->addWidget(stationen_.back());
        spalte->addWidget(namen_.back());
        reihe_->addLayout(spalte);
    }
    reihe_->addStretch();
    const int plaetze = leitstelle_->stationen();
    von_->setRange(2, plaetze);
    nach_->setRange(2, plaetze);
    zeigePlaetze();
}
