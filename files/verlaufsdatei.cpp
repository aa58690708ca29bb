#include "files/verlaufsdatei.h"

#include "display/wegzeitbild.h"
#include "files/ganzschreiben.h"
#include "files/tafeldatei.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QStringList>

#include <optional>

namespace {

constexpr int punkteJeZoll = 96; // the chart's pixels, as on screen

// With a decimal comma and without a thousands point, which a spreadsheet could take for a
// decimal one.
QString sekunden(std::chrono::milliseconds zeit)
{
    QLocale deutsch(QLocale::German);
    deutsch.setNumberOptions(QLocale::OmitGroupSeparator);
    return deutsch.toString(static_cast<double>(zeit.count()) / 1000.0, 'f', 3);
}

// A field as a spreadsheet takes it: quoted where it holds a separator, a quotation mark or a
// line break, and one that begins like a formula made plain text by a leading apostrophe, so
// that opening the file never runs anything.
QString feld(QString text)
{
    static const QString formelAnfang = QStringLiteral("=+-@\t\r");
    const bool formel = !text.isEmpty() && formelAnfang.contains(text.front());
    if (formel)
        text.prepend(QLatin1Char('\''));
    if (!formel && !text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    return QLatin1Char('"') + text.replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

QByteArray pngDaten(const Linienprotokoll& protokoll)
{
    QImage bild(wegZeitGroesse(protokoll), QImage::Format_RGB32);
    if (bild.isNull())
        return {};
    const int punkteJeMeter = qRound(punkteJeZoll / 0.0254);
    bild.setDotsPerMeterX(punkteJeMeter);
    bild.setDotsPerMeterY(punkteJeMeter);
    {
        QPainter painter(&bild);
        zeichneWegZeitBild(painter, protokoll, protokoll.dauer());
    }
    QBuffer puffer;
    puffer.open(QIODevice::WriteOnly);
    return bild.save(&puffer, "PNG") ? puffer.data() : QByteArray();
}

// One page the chart's size, in vector shapes and real text.
QByteArray pdfDaten(const Linienprotokoll& protokoll)
{
    const QSizeF groesse = wegZeitGroesse(protokoll);
    QBuffer puffer;
    puffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&puffer);
        pdf.setPageLayout(QPageLayout(QPageSize(groesse * 72.0 / punkteJeZoll, QPageSize::Point),
                                      QPageLayout::Portrait, QMarginsF()));
        pdf.setResolution(punkteJeZoll);
        pdf.setTitle(QStringLiteral("Weg-Zeit-Bild"));
        pdf.setCreator(QStringLiteral("Vellard-Telegraf"));
        QPainter painter;
        if (!painter.begin(&pdf))
            return {};
        const double faktor = pdf.width() / groesse.width();
        painter.scale(faktor, faktor);
        zeichneWegZeitBild(painter, protokoll, protokoll.dauer());
        if (!painter.end())
            return {};
    }
    return puffer.data();
}

QString fehler(const QString& pfad, const QString& grund)
{
    return QStringLiteral("Der Verlauf konnte nicht nach „%1“ geschrieben werden. %2")
        .arg(pfad, grund);
}

// What lies at `pfad` now, to be put back; nothing where there is no file.
std::optional<QByteArray> bisher(const QString& pfad)
{
    QFile datei(pfad);
    if (!datei.exists() || !datei.open(QIODevice::ReadOnly))
        return std::nullopt;
    return datei.readAll();
}

} // namespace

QString verlaufsTabellenPfad(const QString& pfad)
{
    const QFileInfo info(pfad);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".csv"));
}

Laufangaben laufangaben(const Linienwahl& wahl)
{
    return {wahl.ablesezeit, wahl.fehlerProzent, wahl.startwert, {}};
}

QByteArray verlaufAlsCsv(const Linienprotokoll& p, const Laufangaben& angaben,
                         const QDateTime& datum)
{
    QStringList zeilen{QStringLiteral("Datum;Zeichen;Gesendet;Station;Gesetzt;Gesetzt von;"
                                      "Zuerst falsch;Beginn in s;Ende in s;Stationen;"
                                      "Ablesezeit in s;Fehler in %;Startwert")};
    const QString startwert = angaben.startwert ? QString::number(*angaben.startwert) : QString();
    const QString lauf = QStringList{QString::number(p.stationen()), sekunden(angaben.ablesezeit),
                                     QString::number(angaben.fehlerProzent), startwert}
                             .join(QLatin1Char(';'));
    const QString wann = datum.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    for (int z = 0; z < p.zeichen(); ++z) {
        for (int s = 0; s < p.stationen(); ++s) {
            const Linienprotokoll::Eintrag& e = p.eintrag(z, s);
            const auto i = static_cast<std::size_t>(z * p.stationen() + s);
            const QString wer = i < angaben.wer.size() ? angaben.wer[i] : QString();
            zeilen << QStringList{wann,
                                  QString::number(z + 1),
                                  feld(QString(QLatin1Char(p.gesendet(z)))),
                                  QString::number(s + 1),
                                  feld(QString(QLatin1Char(e.gesetzt))),
                                  wer.isEmpty() ? QStringLiteral("simuliert") : feld(wer),
                                  p.ersteFalsche(z) == s ? QStringLiteral("ja") : QString(),
                                  sekunden(e.beginn),
                                  sekunden(e.ende),
                                  lauf}
                          .join(QLatin1Char(';'));
        }
    }
    return "\xEF\xBB\xBF" + zeilen.join(QStringLiteral("\r\n")).toUtf8() + "\r\n";
}

QString schreibeVerlauf(const QString& pfad, const Linienprotokoll& protokoll,
                        const Laufangaben& angaben, const QDateTime& datum)
{
    const QString endung = QFileInfo(pfad).suffix().toLower();
    if (endung != QLatin1String("pdf") && endung != QLatin1String("png"))
        return QStringLiteral("„%1“: Der Verlauf kann nur als PDF (.pdf) oder PNG (.png) "
                              "gespeichert werden.")
            .arg(pfad);
    // libpng and Qt would add English lines of their own to the German message.
    const QtHinweiseStumm stumm;
    const QByteArray bild =
        endung == QLatin1String("pdf") ? pdfDaten(protokoll) : pngDaten(protokoll);
    if (bild.isEmpty())
        return fehler(pfad, QStringLiteral("Das Bild ließ sich nicht erzeugen, vielleicht "
                                           "fehlt Arbeitsspeicher."));
    const QString tabelle = verlaufsTabellenPfad(pfad);
    const std::optional<QByteArray> altesBild = bisher(pfad);
    if (const QString grund = schreibeGanz(pfad, bild); !grund.isEmpty())
        return fehler(pfad, grund);
    if (const QString grund = schreibeGanz(tabelle, verlaufAlsCsv(protokoll, angaben, datum));
        !grund.isEmpty()) {
        // A chart without its table is taken back, and an older one put in its place again.
        if (!altesBild || !schreibeGanz(pfad, *altesBild).isEmpty())
            QFile::remove(pfad);
        return fehler(tabelle, grund);
    }
    return {};
}
