#include "widgets/werlaswas.h"

#include "display/farben.h"

#include <QBrush>

void WerLasWasModell::setProtokoll(Linienprotokoll protokoll)
{
    beginResetModel();
    protokoll_ = std::move(protokoll);
    zeit_ = std::chrono::milliseconds(-1);
    endResetModel();
}

void WerLasWasModell::setZeit(std::chrono::milliseconds zeit)
{
    if (zeit <= zeit_)
        return;
    const auto neu = protokoll_.neuBekannt(zeit_, zeit);
    zeit_ = zeit;
    // A cell at a time: only a few stations come to stand at once, and a range spanning them
    // would repaint cells that did not change.
    for (const Linienprotokoll::Zelle z : neu) {
        const QModelIndex i = index(z.zeichen, z.station);
        emit dataChanged(i, i, {Qt::DisplayRole, Qt::BackgroundRole, Qt::AccessibleTextRole});
    }
}

int WerLasWasModell::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : protokoll_.zeichen();
}

int WerLasWasModell::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : protokoll_.stationen();
}

bool WerLasWasModell::zuerstFalsch(int zeichen, int station) const
{
    return protokoll_.ersteFalsche(zeichen) == station;
}

QVariant WerLasWasModell::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !protokoll_.bekannt({index.row(), index.column()}, zeit_))
        return {};
    const char gesetzt = protokoll_.eintrag(index.row(), index.column()).gesetzt;
    const bool falsch = zuerstFalsch(index.row(), index.column());
    switch (role) {
    case Qt::DisplayRole:
        return QString(QLatin1Char(gesetzt));
    case Qt::AccessibleTextRole: {
        // A screen reader would say "question mark"; and the marking is only seen.
        const QString text =
            gesetzt == '?' ? QStringLiteral("kein Zeichen") : QString(QLatin1Char(gesetzt));
        return falsch ? text + QStringLiteral(", falsch") : text;
    }
    case Qt::BackgroundRole:
        return falsch ? QVariant(QBrush(farbe::markergelb)) : QVariant();
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignCenter);
    default:
        return {};
    }
}

QVariant WerLasWasModell::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    if (orientation == Qt::Horizontal)
        return QStringLiteral("Station %1").arg(section + 1);
    if (section < 0 || section >= protokoll_.zeichen())
        return {};
    // The sent character, and its place so that a doubled one can be told apart.
    const QChar zeichen = QLatin1Char(protokoll_.gesendet(section));
    if (role == Qt::AccessibleTextRole)
        return QStringLiteral("Zeichen %1: %2").arg(section + 1).arg(zeichen);
    return QStringLiteral("%1  %2").arg(section + 1).arg(zeichen);
}
