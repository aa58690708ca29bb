#include "files/ganzschreiben.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Writes all of `daten` to the open file `handle` and has the system store it; returns 0 or the
// system's error number. Qt's files take a short write for success and name no reason, so the
// system is asked directly.
int schreibeAlles(int handle, const QByteArray& daten)
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

// The rename is stored in the folder; until the folder is synced, a crash may lose it.
void synchronisiereOrdner(const QString& pfad)
{
    const int ordner = ::open(QFile::encodeName(QFileInfo(pfad).absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (ordner < 0)
        return;
    ::fsync(ordner);
    ::close(ordner);
}

int geschachtelt = 0;
struct sigaction vorher = {};

} // namespace

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
    case ENOENT: // the folder exists, but its file system creates no files, as in /proc
        return QStringLiteral("In diesem Ordner lassen sich keine Dateien anlegen.");
    case 0:
        return QStringLiteral("Das System nennt keinen Grund.");
    default:
        return QStringLiteral("Das System meldet den Fehler Nr. %1.").arg(fehler);
    }
}

QString ortsGrund(const QString& pfad, int fehler)
{
    // A link is written through, so the place it leads to is the one that counts.
    const QFileInfo verweis(pfad);
    const QFileInfo info(verweis.isSymLink() ? verweis.symLinkTarget() : pfad);
    const QFileInfo ordner(info.absolutePath());
    if (!ordner.exists())
        return QStringLiteral("Den Ordner „%1“ gibt es nicht.")
            .arg(QDir::toNativeSeparators(ordner.filePath()));
    if (!ordner.isDir())
        return QStringLiteral("„%1“ ist kein Ordner.")
            .arg(QDir::toNativeSeparators(ordner.filePath()));
    if (info.isDir())
        return QStringLiteral("Dort liegt ein Ordner.");
    // QSaveFile refuses such a file by itself, without asking the system.
    if (info.exists() && !info.isWritable())
        return QStringLiteral("Die vorhandene Datei ist schreibgeschützt.");
    if (fehler == EACCES || fehler == EPERM)
        return QStringLiteral("Keine Schreibberechtigung im Ordner „%1“.")
            .arg(QDir::toNativeSeparators(ordner.filePath()));
    return systemGrund(fehler);
}

OhneGroessensignal::OhneGroessensignal()
{
    if (geschachtelt++ > 0)
        return;
    struct sigaction ignorieren = {};
    ignorieren.sa_handler = SIG_IGN;
    sigemptyset(&ignorieren.sa_mask);
    sigaction(SIGXFSZ, &ignorieren, &vorher);
}

OhneGroessensignal::~OhneGroessensignal()
{
    if (--geschachtelt == 0)
        sigaction(SIGXFSZ, &vorher, nullptr);
}

QString schreibeGanz(const QString& pfad, const QByteArray& daten)
{
    // QSaveFile writes beside the target and renames only after everything went well, so a
    // failure leaves neither a half-written file nor a damaged older one. Qt's own reasons are
    // English; the system's error number of the failed call is kept.
    // It would also put a plain file in the place of a device or a pipe, or of one a link leads
    // to; such a target is left alone.
    if (const QFileInfo ziel(pfad); ziel.exists() && !ziel.isFile() && !ziel.isDir())
        return QStringLiteral("Dort liegt keine gewöhnliche Datei, sondern ein Gerät oder eine "
                              "Pipe.");
    QSaveFile datei(pfad);
    errno = 0;
    if (!datei.open(QIODevice::WriteOnly))
        return ortsGrund(pfad, errno);
    const OhneGroessensignal ohneSignal;
    if (const int fehler = schreibeAlles(datei.handle(), daten)) {
        datei.cancelWriting();
        return systemGrund(fehler);
    }
    errno = 0;
    if (!datei.commit())
        return ortsGrund(pfad, errno);
    // Written through a link, the new name is in the folder the link leads to.
    synchronisiereOrdner(QFileInfo(pfad).canonicalFilePath());
    return {};
}
