#include "eingebettet.h"

#include <QFile>

namespace {

QByteArray ressource(const QString& name)
{
    QFile datei(QStringLiteral(":/assets/") + name);
    if (!datei.open(QIODevice::ReadOnly))
        return {};
    return datei.readAll();
}

} // namespace

QImage eingebettetesBild(const QString& name)
{
    return QImage::fromData(ressource(name)).convertToFormat(QImage::Format_RGB32);
}

Codezeilen eingebetteterCode()
{
    return codezeilenAus(ressource(QStringLiteral("signalcode.txt")).toStdString());
}

QString eingebetteterText(const QString& name)
{
    return QString::fromUtf8(ressource(name));
}
