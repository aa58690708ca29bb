// Turns one of the bundled PNG pictures into the program's raw form: its width and height as two
// 32-bit numbers, then its pixels in 32 bits (QImage::Format_RGB32), row after row, in this
// machine's byte order. The program embeds this form, so that showing the first frame needs
// no picture decoding.
//   rohbild <picture.png> <picture.rgb32>
#include <QFile>
#include <QImage>

#include <cstdint>
#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "Aufruf: rohbild <bild.png> <bild.rgb32>\n");
        return 2;
    }
    const QImage bild =
        QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_RGB32);
    if (bild.isNull()) {
        std::fprintf(stderr, "rohbild: %s ist kein lesbares Bild.\n", argv[1]);
        return 1;
    }
    QFile ziel(QString::fromLocal8Bit(argv[2]));
    const std::int32_t masse[2] = {bild.width(), bild.height()};
    bool geschrieben =
        ziel.open(QIODevice::WriteOnly) &&
        ziel.write(reinterpret_cast<const char*>(masse), sizeof masse) == sizeof masse;
    for (int y = 0; geschrieben && y < bild.height(); ++y) {
        const qint64 laenge = qint64(bild.width()) * 4;
        geschrieben =
            ziel.write(reinterpret_cast<const char*>(bild.constScanLine(y)), laenge) == laenge;
    }
    if (!geschrieben || !ziel.flush()) {
        std::fprintf(stderr, "rohbild: %s konnte nicht geschrieben werden.\n", argv[2]);
        return 1;
    }
    return 0;
}
