// The trainer window's layout and its progress: what it is made of and how the parts are
// connected, and the learner's progress read, switched and erased.
#include "uebungsfenster.h"

#include "accessibility.h"
#include "alphabetfeld.h"
#include "alphabetfeldzugang.h"
#include "aufbau.h"
#include "farben.h"
#include "fixedwindowsize.h"
#include "fortschrittsdatei.h"
#include "schrift.h"
#include "spinbox.h"
#include "telegraf.h"
#include "timer.h"
#include "wiedergabeschritt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTimer>
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
    return box;
}

} // namespace

Uebungsfenster::Uebungsfenster(const Codezeilen& code, const QString& ordner, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      code_(code), ordner_(ordner)
{
    announceWindowsAsFrames();
    installiereAlphabetfeldZugang();
    setWindowTitle(QStringLiteral("Signale üben – Vellard-Telegraf"));
    setFont(verdana(12));
    QWidget* inhalt = panel(this, "inhalt", QRect(0, 0, 1120, 694), Qt::white);
    new FixedWindowSize(this, inhalt);

    links_ = benannt(new QStackedWidget(inhalt), "links", QRect(0, 0, 800, 694));
    telegraf_ = zugaenglich(new Telegraf, "telegraf", QStringLiteral("Telegraf"));
    telegraf_->setHinweis(
        QStringLiteral("Beim Stellen wählen 1, 2 und 3 den Balken, die Pfeiltasten "
                       "drehen ihn, die Eingabetaste prüft."));
    connect(telegraf_, &Telegraf::gestellt, this, [this] { telegraf_->setFocus(); });
    ergebnis_ =
        zugaenglich(new QTableWidget(0, 4), "ergebnis", QStringLiteral("Ergebnis der Runde"));
    ergebnis_->setHorizontalHeaderLabels({QStringLiteral("Gefragt"), QStringLiteral("Geantwortet"),
                                          QStringLiteral("Wertung"), QStringLiteral("Zeit")});
    ergebnis_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    ergebnis_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    links_->addWidget(telegraf_);
    links_->addWidget(ergebnis_);

    baueSeitenleiste(panel(inhalt, "seite", QRect(800, 0, 320, 694), farbe::hellgrau));
    senden_ = new Timer(abstandMs(abstand::anfang), this);
    connect(senden_, &Timer::tick, this, &Uebungsfenster::sendeNaechstes);
    pause_ = new QTimer(this);
    pause_->setSingleShot(true);
    connect(pause_, &QTimer::timeout, this, &Uebungsfenster::weiter);

    const Fortschritt fortschritt = ladeFortschritt(ordner_);
    stand_ = fortschritt.lernstand;
    alleZeichen_->setChecked(stand_.alleZeichen);
    waehleBalken(0);
    zeigeEingabe();
    zeigeStatus(fortschritt.meldung.isEmpty()
                    ? QStringLiteral("Wähle eine Übung und beginne eine Runde.")
                    : fortschritt.meldung);
    telegraf_->stelle(ruhestellung, ' ');
    beginnen_->setFocus();
    if (const QScreen* bildschirm = QGuiApplication::primaryScreen())
        move(bildschirm->availableGeometry().center() - rect().center());
}

void Uebungsfenster::baueSeitenleiste(QWidget* seite)
{
    auto* spalte = new QVBoxLayout(seite);
    spalte->addWidget(ueberschrift(seite, "titel", {}, QStringLiteral("Signale üben")));

    auto* wahl = new QFormLayout;
    uebung_ = auswahl(
        "uebung", QStringLiteral("Übung"),
        {QStringLiteral("Erkennen"), QStringLiteral("Stellen"), QStringLiteral("Mitlesen")});
    satz_ = auswahl(
        "satz", QStringLiteral("Zeichen"),
        {QStringLiteral("Buchstaben"), QStringLiteral("Ziffern"), QStringLiteral("Alle 36")});
    anzahl_ = auswahl("anzahl", QStringLiteral("Fragen"),
                      {QStringLiteral("10"), QStringLiteral("20"), QStringLiteral("36")});
    startwert_ = zugaenglich(new QLineEdit, "startwert", QStringLiteral("Startwert"));
    startwert_->setPlaceholderText(QStringLiteral("leer: nach Lernstand"));
    startwert_->setAccessibleDescription(
        QStringLiteral("Eine Zahl macht die Runde zur Prüfung: gleiche Zahl, gleiche Fragen."));
    startwert_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,18}")), this));
    abstand_ = abstandsfeld(seite, "abstand");
    wahl->addRow(QStringLiteral("Ü&bung"), uebung_);
    wahl->addRow(QStringLiteral("&Zeichen"), satz_);
    wahl->addRow(QStringLiteral("&Fragen"), anzahl_);
    wahl->addRow(QStringLiteral("S&tartwert"), startwert_);
    wahl->addRow(QStringLiteral("Abstand in s"), abstand_);
    spalte->addLayout(wahl);
    alleZeichen_ = zugaenglich(new QCheckBox(QStringLiteral("&Alle Zeichen auf einmal")),
                               "alleZeichen", QStringLiteral("Alle Zeichen auf einmal"));
    spalte->addWidget(alleZeichen_);
    beginnen_ = zugaenglich(new QPushButton(QStringLiteral("Runde &beginnen")), "beginnen",
                            QStringLiteral("Runde beginnen"));
    spalte->addWidget(beginnen_);

    // Its name is its text, so a screen reader hears every new line.
    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("status"));
    status_->setAccessibleDescription(QStringLiteral("Status"));
    status_->setWordWrap(true);
    status_->setMinimumHeight(90);
    status_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    status_->setFont(verdana(14));
    spalte->addWidget(status_);

    feld_ = zugaenglich(new Alphabetfeld, "feld", QStringLiteral("Alphabet"));
    spalte->addWidget(feld_, 0, Qt::AlignHCenter);
    balkenHilfe_ = zugaenglich(new QLabel, "balken", QStringLiteral("Balken"));
    balkenHilfe_->setWordWrap(true);
    spalte->addWidget(balkenHilfe_);
    gelesen_ = zugaenglich(new QLineEdit, "gelesen", QStringLiteral("Gelesen"));
    gelesen_->setPlaceholderText(QStringLiteral("Was hast du gelesen?"));
    spalte->addWidget(gelesen_);
    pruefen_ = zugaenglich(new QPushButton(QStringLiteral("&Prüfen")), "pruefen",
                           QStringLiteral("Prüfen"));
    weiter_ =
        zugaenglich(new QPushButton(QStringLiteral("&Weiter")), "weiter", QStringLiteral("Weiter"));
    spalte->addWidget(pruefen_);
    spalte->addWidget(weiter_);
    spalte->addStretch();
    auto* loeschen = zugaenglich(new QPushButton(QStringLiteral("Fortschritt &löschen …")),
                                 "loeschen", QStringLiteral("Fortschritt löschen"));
    spalte->addWidget(loeschen);

    connect(uebung_, &QComboBox::currentIndexChanged, this, &Uebungsfenster::zeigeEingabe);
    connect(beginnen_, &QPushButton::clicked, this, &Uebungsfenster::beginnen);
    connect(feld_, &Alphabetfeld::gedrueckt, this, &Uebungsfenster::erkannt);
    connect(feld_, &Alphabetfeld::getippt, this, &Uebungsfenster::erkannt);
    connect(pruefen_, &QPushButton::clicked, this, [this] {
        if (zustand_ == Zustand::Frage && runde_->wahl().art == Uebungsart::Stellen)
            pruefeStellung();
        else if (zustand_ == Zustand::Frage && runde_->wahl().art == Uebungsart::Mitlesen)
            pruefeGelesenes();
    });
    connect(weiter_, &QPushButton::clicked, this, &Uebungsfenster::weiter);
    connect(loeschen, &QPushButton::clicked, this, &Uebungsfenster::loescheFortschritt);
    connect(alleZeichen_, &QCheckBox::toggled, this, &Uebungsfenster::alleZeichenGeaendert);
}

void Uebungsfenster::alleZeichenGeaendert(bool alle)
{
    if (stand_.alleZeichen == alle)
        return;
    stand_.alleZeichen = alle;
    if (const QString fehler = speichereFortschritt(ordner_, stand_); !fehler.isEmpty())
        zeigeStatus(fehler);
}

void Uebungsfenster::loescheFortschritt()
{
    const auto antwort = QMessageBox::question(
        this, QStringLiteral("Fortschritt löschen"),
        QStringLiteral("Den ganzen Lernstand löschen und von vorn beginnen?"));
    if (antwort != QMessageBox::Yes)
        return;
    if (const QString fehler = ::loescheFortschritt(ordner_); !fehler.isEmpty()) {
        zeigeStatus(fehler);
        return;
    }
    stand_ = {};
    runde_.reset();
    zustand_ = Zustand::Bereit;
    alleZeichen_->setChecked(false);
    zeigeEingabe();
    zeigeStatus(QStringLiteral("Der Lernstand ist gelöscht; das Üben beginnt von vorn."));
}
