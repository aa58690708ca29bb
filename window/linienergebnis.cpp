// What the line window tells of a message: the course it would take, its time, and what has
// arrived, for the eye and for a screen reader.
#include "window/linienfenster.h"

#include "controls/accessibility.h"
#include "linie/linienzeit.h"

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QStringList>

namespace {

// How the line's time reads: the seconds, and the characters a minute it comes to.
QString zeitUndTempo(std::chrono::milliseconds zeit, std::size_t zeichen)
{
    const double proMinute = zeit.count() > 0 ? 60000.0 * static_cast<double>(zeichen) /
                                                    static_cast<double>(zeit.count())
                                              : 0.0;
    return QStringLiteral("%1, %2 Zeichen je Minute")
        .arg(QString::fromStdString(dauerAlsText(zeit)),
             QLocale(QLocale::German).toString(proMinute, 'f', 1));
}

} // namespace

// The line as "Senden" would play it now: its course, the message as sent and the time it would
// take; "Senden" is off, with the reason beside it, while there is nothing to send.
void Linienfenster::zeigeErwartet()
{
    Linienwahl w = wahl();
    kurs_ = linienplan(w, code_);
    gesendeterText_ = std::move(w.nachricht);
    gesendet_->setText(QStringLiteral("„%1“").arg(QString::fromStdString(gesendeterText_)));
    erwartet_->setText(zeitUndTempo(kurs_.dauer, gesendeterText_.size()));
    const bool leer = gesendeterText_.empty();
    senden_->setEnabled(!leer || ablauf_);
    hinweis_->setVisible(leer && !ablauf_);
    hinweis_->setText(nachricht_->text().trimmed().isEmpty()
                          ? QStringLiteral("Nichts zu senden: die Nachricht ist leer.")
                          : QStringLiteral("Nichts zu senden: kein Zeichen der Nachricht hat ein "
                                           "Signal (nur Buchstaben, Ziffern, & und Leerzeichen)."));
}

// The time line, for a screen reader as on the screen.
void Linienfenster::zeigeZeit(const QString& zeit)
{
    zeit_->setText(zeit);
    zeit_->setAccessibleName(zeit);
}

void Linienfenster::zeigeGebrauchteZeit()
{
    zeigeZeit(zeitUndTempo(ablauf_->dauer(), gesendeterText_.size()));
}

// What the last station has shown so far, each character that is not what was sent marked.
void Linienfenster::zeigeEmpfangen()
{
    const std::string_view empfangen = ablauf_->empfangen();
    QString text;
    QStringList falscheStellen;
    for (std::size_t i = 0; i < empfangen.size(); ++i) {
        const QString zeichen(QLatin1Char(empfangen[i]));
        const bool falsch = i >= gesendeterText_.size() || empfangen[i] != gesendeterText_[i];
        text +=
            falsch
                ? QStringLiteral("<u style=\"color:#b00000\">%1</u>").arg(zeichen.toHtmlEscaped())
                : zeichen.toHtmlEscaped();
        if (falsch)
            falscheStellen << QString::number(i + 1);
    }
    empfangen_->setText(QStringLiteral("„%1“").arg(text));
    // The whole text, and which characters came wrong, which the screen shows underlined in red:
    // a screen reader hears it once, when the run has ended.
    if (!ablauf_->fertig())
        return;
    QString name =
        QStringLiteral("Empfangen: %1")
            .arg(QLatin1String(empfangen.data(), static_cast<qsizetype>(empfangen.size())));
    if (!falscheStellen.isEmpty())
        name += QStringLiteral(". Falsch angekommen: Zeichen %1").arg(falscheStellen.join(u", "));
    empfangen_->setAccessibleName(name);
}

// While the line runs, a screen reader hears only the character that has just arrived.
void Linienfenster::meldeAngekommen()
{
    const std::string_view empfangen = ablauf_->empfangen();
    const std::size_t i = empfangen.size() - 1;
    const bool falsch = i >= gesendeterText_.size() || empfangen[i] != gesendeterText_[i];
    const QString zeichen =
        empfangen[i] == '?' ? QStringLiteral("kein Zeichen") : QString(QLatin1Char(empfangen[i]));
    empfangen_->setAccessibleName(falsch ? QStringLiteral("Angekommen: %1, falsch").arg(zeichen)
                                         : QStringLiteral("Angekommen: %1").arg(zeichen));
    announceNotification(empfangen_);
}
