#include "files/tafeldatei.h"

#include "display/tafel.h"
#include "files/ganzschreiben.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

namespace {

constexpr int punkteJeZoll = 300;

// The chart as the bytes of a PDF file of one page `seite`; empty when the writer failed.
QByteArray pdfDaten(const Signalcode& code, const QPageLayout& seite, int aufloesung)
{
    QBuffer puffer;
    puffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&puffer);
        pdf.setPageLayout(seite);
        pdf.setResolution(aufloesung);
        pdf.setTitle(QStringLiteral("Signaltafel"));
        pdf.setCreator(QStringLiteral("Vellard-Telegraf"));
        QPainter painter;
        if (!painter.begin(&pdf))
            return {};
        zeichneTafel(painter, QRectF(0, 0, pdf.width(), pdf.height()), code);
        if (!painter.end())
            return {};
    }
    return puffer.data();
}

// The chart as the bytes of a PNG file; empty when the picture or its encoding failed.
QByteArray pngDaten(const Signalcode& code)
{
    QImage bild(tafelBildBreite, tafelBildHoehe, QImage::Format_RGB32);
    if (bild.isNull())
        return {};
    bild.fill(Qt::white);
    const int punkteJeMeter = qRound(punkteJeZoll / 0.0254);
    bild.setDotsPerMeterX(punkteJeMeter);
    bild.setDotsPerMeterY(punkteJeMeter);
    {
        QPainter painter(&bild);
        zeichneTafel(painter, bild.rect(), code);
    }
    QBuffer puffer;
    puffer.open(QIODevice::WriteOnly);
    return bild.save(&puffer, "PNG") ? puffer.data() : QByteArray();
}

Tafelausgabe schreibfehler(const QString& pfad, const QString& grund)
{
    return {Tafelausgabe::Ergebnis::Schreibfehler,
            QStringLiteral("Die Signaltafel konnte nicht nach „%1“ geschrieben werden. %2")
                .arg(pfad, grund)};
}

// Writes `daten`, made in memory first: nothing is written unless the chart exists, and a
// failing encoder is told apart from a failing disk.
Tafelausgabe schreibeDaten(const QString& pfad, const QByteArray& daten)
{
    if (daten.isEmpty())
        return schreibfehler(pfad, QStringLiteral("Sie ließ sich nicht erzeugen, vielleicht "
                                                  "fehlt Arbeitsspeicher."));
    if (const QString grund = schreibeGanz(pfad, daten); !grund.isEmpty())
        return schreibfehler(pfad, grund);
    return {};
}

int stummeStufen = 0;
QtMessageHandler lauterHandler = nullptr;

void nurErnsteMeldungen(QtMsgType typ, const QMessageLogContext& kontext, const QString& text)
{
    if (typ == QtCriticalMsg || typ == QtFatalMsg)
        lauterHandler(typ, kontext, text);
}

} // namespace

QtHinweiseStumm::QtHinweiseStumm()
{
    if (stummeStufen++ == 0)
        lauterHandler = qInstallMessageHandler(nurErnsteMeldungen);
}

QtHinweiseStumm::~QtHinweiseStumm()
{
    if (--stummeStufen == 0)
        qInstallMessageHandler(lauterHandler);
}

Tafelausgabe schreibeTafel(const QString& pfad, const Signalcode& code)
{
    const QString endung = QFileInfo(pfad).suffix().toLower();
    if (endung != QLatin1String("pdf") && endung != QLatin1String("png"))
        return {Tafelausgabe::Ergebnis::UnbekanntesFormat,
                QStringLiteral("„%1“: Die Signaltafel kann nur als PDF (.pdf) oder PNG (.png) "
                               "gespeichert werden.")
                    .arg(pfad)};

    // libpng and Qt would add English lines of their own to the German message.
    const QtHinweiseStumm stumm;
    const QPageLayout a4quer(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF());
    return schreibeDaten(pfad, endung == QLatin1String("pdf") ? pdfDaten(code, a4quer, punkteJeZoll)
                                                              : pngDaten(code));
}

Tafelausgabe schreibeTafelAlsPdf(const QString& pfad, const QPageLayout& seite, int aufloesung,
                                 const Signalcode& code)
{
    const QtHinweiseStumm stumm;
    return schreibeDaten(pfad, pdfDaten(code, seite, aufloesung));
}
