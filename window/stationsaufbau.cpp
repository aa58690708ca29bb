// The station window's parts and how they are connected: the pupil's telegraph on the left; on
// the right the form to join, the line's heading, the telescope on the station before, whether
// passing on is allowed, "Weitergeben" and what arrived at the end.
#include "window/stationsfenster.h"

#include "controls/accessibility.h"
#include "controls/eingabezeile.h"
#include "display/farben.h"
#include "drawing/schrift.h"
#include "netz/stationsverbindung.h"
#include "widgets/fernrohr.h"
#include "widgets/telegraf.h"
#include "window/aufbau.h"

#include <QFormLayout>
#include <QHostAddress>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QUrl>
#include <QVBoxLayout>

namespace {

template <typename Teil> Teil* zugaenglich(Teil* teil, const char* name, const QString& text)
{
    teil->setObjectName(QLatin1String(name));
    teil->setAccessibleName(text);
    return teil;
}

// A line that tells what is going on: plain text whatever it holds (names and reasons come from
// the network), and a notification that a screen reader speaks.
QLabel* zeile(const char* name)
{
    auto* z = new QLabel;
    z->setObjectName(QLatin1String(name));
    z->setTextFormat(Qt::PlainText);
    z->setWordWrap(true);
    z->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    announceAsNotification(z);
    return z;
}

} // namespace

std::optional<Leitstellenadresse> leseAdresse(const QString& text)
{
    const QString t = text.trimmed();
    // A bare IPv6 address has colons of its own; it is reached at the usual port.
    if (QHostAddress adresse;
        adresse.setAddress(t) && adresse.protocol() == QHostAddress::IPv6Protocol)
        return Leitstellenadresse{t, netz::standardPort};
    const QUrl url(QStringLiteral("ws://") + t, QUrl::StrictMode);
    if (t.isEmpty() || !url.isValid() || url.host().isEmpty() || !url.path().isEmpty() ||
        !url.userInfo().isEmpty() || url.hasQuery() || url.hasFragment())
        return std::nullopt;
    const int port = url.port(netz::standardPort);
    // Port 0 means "any" to a server; there is no Leitstelle to reach there.
    if (port <= 0)
        return std::nullopt;
    return Leitstellenadresse{url.host(), static_cast<quint16>(port)};
}

void Stationsfenster::baueLinks(QWidget* inhalt)
{
    telegraf_ = benannt(new Telegraf(inhalt), "telegraf", QRect(0, 0, szeneBreite, szeneHoehe));
    telegraf_->setAccessibleName(QStringLiteral("Dein Telegraf"));
    telegraf_->setHinweis(QStringLiteral("1, 2 und 3 wählen den Balken, die Pfeiltasten drehen "
                                         "ihn, die Eingabetaste gibt das Signal weiter."));
}

void Stationsfenster::baueSeitenleiste(QWidget* seite)
{
    auto* spalte = new QVBoxLayout(seite);
    spalte->addWidget(ueberschrift(seite, "titel", {}, QStringLiteral("Station einer Linie")));
    baueFormular(spalte);
    meldung_ = zeile("meldung");
    spalte->addWidget(meldung_);
    baueLinie(spalte);
    spalte->addStretch();
}

void Stationsfenster::baueFormular(QVBoxLayout* spalte)
{
    formular_ = new QWidget;
    formular_->setObjectName(QStringLiteral("formular"));
    auto* teile = new QVBoxLayout(formular_);
    teile->setContentsMargins(0, 0, 0, 0);
    auto* form = new QFormLayout;
    adresse_ = zugaenglich(new Eingabezeile, "adresse", QStringLiteral("Adresse der Leitstelle"));
    adresse_->setPlaceholderText(QStringLiteral("z. B. 192.168.1.20:%1").arg(netz::standardPort));
    name_ = zugaenglich(new Eingabezeile, "name", QStringLiteral("Dein Name"));
    name_->setMaxLength(netz::laengsterName);
    wort_ = zugaenglich(new Eingabezeile, "wort", QStringLiteral("Beitrittswort"));
    wort_->setMaxLength(4);
    wort_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[A-Za-z]{0,4}")), wort_));
    wort_->setAccessibleDescription(QStringLiteral("Die vier Buchstaben von der Tafel."));
    form->addRow(QStringLiteral("&Adresse"), adresse_);
    form->addRow(QStringLiteral("&Name"), name_);
    form->addRow(QStringLiteral("&Beitrittswort"), wort_);
    teile->addLayout(form);
    beitreten_ = zugaenglich(new QPushButton(QStringLiteral("Bei&treten")), "beitreten",
                             QStringLiteral("Beitreten"));
    teile->addWidget(beitreten_);
    spalte->addWidget(formular_);
}

void Stationsfenster::verbinde(const QString& host, quint16 port, const QString& name)
{
    const QString rechner =
        host.contains(QLatin1Char(':')) ? QStringLiteral("[%1]").arg(host) : host;
    adresse_->setText(port == netz::standardPort ? rechner
                                                 : QStringLiteral("%1:%2").arg(rechner).arg(port));
    name_->setText(name);
    wort_->setFocus();
    wort_->selectAll();
}

void Stationsfenster::baueLinie(QVBoxLayout* spalte)
{
    linie_ = new QWidget;
    linie_->setObjectName(QStringLiteral("linie"));
    auto* teile = new QVBoxLayout(linie_);
    teile->setContentsMargins(0, 0, 0, 0);
    kopf_ = zeile("kopf");
    kopf_->setFont(verdana(13, true));
    teile->addWidget(kopf_);
    fernrohr_ = new Fernrohr(code_);
    fernrohr_->setAccessibleName(QStringLiteral("Die Station vor dir im Fernrohr"));
    teile->addWidget(fernrohr_, 0, Qt::AlignHCenter);
    darf_ = zeile("darf");
    darf_->setFont(verdana(14));
    teile->addWidget(darf_);
    balkenHilfe_ = zeile("balken");
    teile->addWidget(balkenHilfe_);
    weitergeben_ = zugaenglich(new QPushButton(QStringLiteral("&Weitergeben")), "weitergeben",
                               QStringLiteral("Weitergeben"));
    weitergeben_->setAccessibleDescription(
        QStringLiteral("Gibt das gestellte Signal an die nächste Station weiter (Eingabetaste)."));
    teile->addWidget(weitergeben_);
    ende_ = zeile("ende");
    teile->addWidget(ende_);
    linie_->hide();
    spalte->addWidget(linie_);
}

void Stationsfenster::verbindeNetz()
{
    Stationsverbindung* v = verbindung_;
    connect(v, &Stationsverbindung::willkommen, this, &Stationsfenster::willkommen);
    connect(v, &Stationsverbindung::bewegung, this, &Stationsfenster::bewegung);
    connect(v, &Stationsverbindung::darf, this, &Stationsfenster::darf);
    connect(v, &Stationsverbindung::ende, this, &Stationsfenster::ende);
    connect(v, &Stationsverbindung::beendet, this, &Stationsfenster::beendet);
    connect(beitreten_, &QPushButton::clicked, this, &Stationsfenster::beitreten);
    connect(weitergeben_, &QPushButton::clicked, this, &Stationsfenster::weitergeben);
    connect(telegraf_, &Telegraf::steht, this, &Stationsfenster::spieleEigene);
    // Dragged with the mouse, the telegraph keeps the keyboard for the next beam or Return.
    connect(telegraf_, &Telegraf::gestellt, this, [this] { telegraf_->setFocus(); });
}
