#include "assets/eingebettet.h"

#include <QFile>

#include <cstdint>
#include <cstring>

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
    // Width and height as two 32-bit numbers, then the rows of 32-bit pixels.
    const QByteArray roh = ressource(name + QStringLiteral(".rgb32"));
    std::int32_t masse[2] = {0, 0};
    if (roh.size() >= qsizetype(sizeof masse))
        std::memcpy(masse, roh.constData(), sizeof masse);
    const qsizetype zeile = qsizetype(masse[0]) * 4;
    if (masse[0] <= 0 || masse[1] <= 0 || roh.size() != qsizetype(sizeof masse) + zeile * masse[1])
        return {};
    QImage bild(masse[0], masse[1], QImage::Format_RGB32);
    for (int y = 0; y < masse[1]; ++y)
        std::memcpy(bild.scanLine(y), roh.constData() + sizeof masse + zeile * y, zeile);
    return bild;
}

const Signalcode& eingebetteterCode()
{
    static const Signalcode code(ressource(QStringLiteral("signalcode.txt")).toStdString());
    return code;
}

QByteArray eingebetteteDatei(const QString& name)
{
    return ressource(name);
}

QString eingebetteterText(const QString& name)
{
    return QString::fromUtf8(ressource(name));
}

QIcon programmsymbol()
{
    QIcon symbol;
    for (const int groesse : {16, 32, 48, 64, 128, 256})
        symbol.addFile(QStringLiteral(":/assets/icons/%1.png").arg(groesse),
                       QSize(groesse, groesse));
    return symbol;
}
