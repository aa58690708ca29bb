#include "tafeldatei.h"

#include "tafel.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace {

constexpr int punkteJeZoll = 300;

bool schreibePdf(QSaveFile& datei, const Codezeilen& code)
{
    QPdfWriter pdf(&datei);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
    pdf.setResolution(punkteJeZoll);
    pdf.setTitle(QStringLiteral("Signaltafel"));
    pdf.setCreator(QStringLiteral("Vellard-Telegraf"));
    QPainter painter;
    if (!painter.begin(&pdf))
        return false;
    zeichneTafel(painter, QRectF(0, 0, pdf.width(), pdf.height()), code);
    return painter.end();
}

bool schreibePng(QSaveFile& datei, const Codezeilen& code)
{
    QImage bild(tafelBildBreite, tafelBildHoehe, QImage::Format_RGB32);
    bild.fill(Qt::white);
    const int punkteJeMeter = qRound(punkteJeZoll / 0.0254);
    bild.setDotsPerMeterX(punkteJeMeter);
    bild.setDotsPerMeterY(punkteJeMeter);
    {
        QPainter painter(&bild);
        zeichneTafel(painter, bild.rect(), code);
    }
    return bild.save(&datei, "PNG");
}

// Qt's own reasons are English and often vague ("Unknown error"); the usual causes are
// named here in plain German, the rest falls back to what the system said.
QString grund(const QString& pfad, const QSaveFile& datei)
{
    const QFileInfo info(pfad);
    const QFileInfo ordner(info.absolutePath());
    if (!ordner.exists())
        return QStringLiteral("Den Ordner „%1“ gibt es nicht.").arg(ordner.filePath());
    if (!ordner.isDir())
        return QStringLiteral("„%1“ ist kein Ordner.").arg(ordner.filePath());
    if (info.isDir())
        return QStringLiteral("Dort liegt ein Ordner.");
    if (!ordner.isWritable())
        return QStringLiteral("Keine Schreibberechtigung im Ordner „%1“.").arg(ordner.filePath());
    if (info.exists() && !info.isWritable())
        return QStringLiteral("Die vorhandene Datei ist schreibgeschützt.");
    return QStringLiteral("Schreibfehler, vielleicht ist der Datenträger voll (%1).")
        .arg(datei.errorString());
}

} // namespace

Tafelausgabe schreibeTafel(const QString& pfad, const Codezeilen& code)
{
    const QString endung = QFileInfo(pfad).suffix().toLower();
    if (endung != QLatin1String("pdf") && endung != QLatin1String("png"))
        return {Tafelausgabe::Ergebnis::UnbekanntesFormat,
                QStringLiteral("„%1“: Die Signaltafel kann nur als PDF (.pdf) oder PNG (.png) "
                               "gespeichert werden.")
                    .arg(pfad)};

    // QSaveFile writes beside the target and renames only after everything went well, so a
    // failure leaves neither a half-written file nor a damaged older one.
    QSaveFile datei(pfad);
    const bool geschrieben =
        datei.open(QIODevice::WriteOnly) &&
        (endung == QLatin1String("pdf") ? schreibePdf(datei, code) : schreibePng(datei, code)) &&
        datei.commit();
    if (geschrieben)
        return {};
    const QString warum = grund(pfad, datei);
    datei.cancelWriting();
    return {Tafelausgabe::Ergebnis::Schreibfehler,
            QStringLiteral("Die Signaltafel konnte nicht nach „%1“ geschrieben werden. %2")
                .arg(pfad, warum)};
}
