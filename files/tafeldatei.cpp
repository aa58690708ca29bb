#include "tafeldatei.h"

#include "tafel.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <cerrno>
#include <csignal>
#include <unistd.h>

namespace {

constexpr int punkteJeZoll = 300;

// The chart as the bytes of a PDF file; empty when the writer failed.
QByteArray pdfDaten(const Codezeilen& code)
{
    QBuffer puffer;
    puffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&puffer);
        pdf.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
        pdf.setResolution(punkteJeZoll);
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
QByteArray pngDaten(const Codezeilen& code)
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

// Writes all of `daten` to the open file `handle` and has the system store it; returns 0 or the
// system's error number. Qt's files take a short write for success and name no reason, so the
// system is asked directly.
int schreibeGanz(int handle, const QByteArray& daten)
{
    qsizetype geschrieben = 0;
    while (geschrieben < daten.size()) {
        const ssize_t n =
            ::write(handle, daten.constData() + geschrieben, daten.size() - geschrieben);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        geschrieben += n;
    }
    // Some file systems report a failed write only here; some cannot sync at all.
    if (::fsync(handle) != 0 && errno != EINVAL)
        return errno;
    return 0;
}

// Above the file size limit (ulimit -f) the system ends the process with SIGXFSZ, before the
// chart's temporary file could be removed; ignored, the write fails with EFBIG instead.
class OhneGroessensignal {
public:
    OhneGroessensignal()
    {
        struct sigaction ignorieren = {};
        ignorieren.sa_handler = SIG_IGN;
        sigemptyset(&ignorieren.sa_mask);
        sigaction(SIGXFSZ, &ignorieren, &vorher);
    }
    ~OhneGroessensignal() { sigaction(SIGXFSZ, &vorher, nullptr); }
    Q_DISABLE_COPY_MOVE(OhneGroessensignal)

private:
    struct sigaction vorher = {};
};

// The system's error numbers in plain German; Qt's texts for them are English.
QString systemGrund(int fehler)
{
    switch (fehler) {
    case ENOSPC:
        return QStringLiteral("Der Datenträger ist voll.");
    case EDQUOT:
        return QStringLiteral("Der zugeteilte Speicherplatz ist aufgebraucht.");
    case EFBIG:
        return QStringLiteral("Die Datei würde die erlaubte Dateigröße überschreiten.");
    case EROFS:
        return QStringLiteral("Der Datenträger ist schreibgeschützt.");
    case ENAMETOOLONG:
        return QStringLiteral("Der Dateiname ist zu lang.");
    case EIO:
        return QStringLiteral("Der Datenträger meldet einen Ein-/Ausgabefehler.");
    case 0:
        return QStringLiteral("Das System nennt keinen Grund.");
    default:
        return QStringLiteral("Das System meldet den Fehler Nr. %1.").arg(fehler);
    }
}

// Why the file could not be created or put in its place: what is plainly wrong there, else
// what the system said (`fehler`, its error number, or 0).
QString ortsGrund(const QString& pfad, int fehler)
{
    const QFileInfo info(pfad);
    const QFileInfo ordner(info.absolutePath());
    if (!ordner.exists())
        return QStringLiteral("Den Ordner „%1“ gibt es nicht.").arg(ordner.filePath());
    if (!ordner.isDir())
        return QStringLiteral("„%1“ ist kein Ordner.").arg(ordner.filePath());
    if (info.isDir())
        return QStringLiteral("Dort liegt ein Ordner.");
    // QSaveFile refuses such a file by itself, without asking the system.
    if (info.exists() && !info.isWritable())
        return QStringLiteral("Die vorhandene Datei ist schreibgeschützt.");
    if (fehler == EACCES || fehler == EPERM)
        return QStringLiteral("Keine Schreibberechtigung im Ordner „%1“.").arg(ordner.filePath());
    return systemGrund(fehler);
}

Tafelausgabe schreibfehler(const QString& pfad, const QString& grund)
{
    return {Tafelausgabe::Ergebnis::Schreibfehler,
            QStringLiteral("Die Signaltafel konnte nicht nach „%1“ geschrieben werden. %2")
                .arg(pfad, grund)};
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

Tafelausgabe schreibeTafel(const QString& pfad, const Codezeilen& code)
{
    const QString endung = QFileInfo(pfad).suffix().toLower();
    if (endung != QLatin1String("pdf") && endung != QLatin1String("png"))
        return {Tafelausgabe::Ergebnis::UnbekanntesFormat,
                QStringLiteral("„%1“: Die Signaltafel kann nur als PDF (.pdf) oder PNG (.png) "
                               "gespeichert werden.")
                    .arg(pfad)};

    // libpng and Qt would add English lines of their own to the German message.
    const QtHinweiseStumm stumm;
    // The whole file is made in memory first: nothing is written unless the chart exists, and
    // a failing encoder is told apart from a failing disk.
    const QByteArray daten = endung == QLatin1String("pdf") ? pdfDaten(code) : pngDaten(code);
    if (daten.isEmpty())
        return schreibfehler(pfad, QStringLiteral("Sie ließ sich nicht erzeugen, vielleicht "
                                                  "fehlt Arbeitsspeicher."));

    // QSaveFile writes beside the target and renames only after everything went well, so a
    // failure leaves neither a half-written file nor a damaged older one.
    QSaveFile datei(pfad);
    // Qt's own reasons are English; the system's error number of the failed call is kept.
    errno = 0;
    if (!datei.open(QIODevice::WriteOnly)) {
        const int fehler = errno;
        return schreibfehler(pfad, ortsGrund(pfad, fehler));
    }
    const OhneGroessensignal ohneSignal;
    if (const int fehler = schreibeGanz(datei.handle(), daten)) {
        datei.cancelWriting();
        return schreibfehler(pfad, systemGrund(fehler));
    }
    errno = 0;
    if (!datei.commit()) {
        const int fehler = errno;
        return schreibfehler(pfad, ortsGrund(pfad, fehler));
    }
    return {};
}
