// Draws the three bitmap pictures the program ships with: the wood grain used to fill the
// telegraph beams, the parchment behind the message sheets, and the engraving of a telegraph
// station. Run by hand as `bildgenerator <output directory>`; every run writes the same bytes,
// because all randomness comes from fixed seeds.
//
// All three are saved as 8-bit palette PNGs: the textures are built from a single value per pixel
// that indexes a colour ramp, and the engraving is ink on white, so 256 colours lose nothing.
//
// The program's icon goes into the subfolder icons/, one 32-bit PNG per size the desktop asks
// for. Each size is drawn on its own, with its lines snapped to whole pixels, so that even the
// 16-pixel icon shows a sharp telegraph rather than a blurred copy of the large one.

#include "tools/bildgenerator/engraving.h"
#include "tools/bildgenerator/icon.h"
#include "tools/bildgenerator/textures.h"

#include <QDir>
#include <QImage>
#include <QString>

#include <cstdio>

namespace {

bool savePicture(const QDir& directory, const QString& name, const QImage& image)
{
    const QString path = directory.filePath(name);
    if (image.save(path, "PNG"))
        return true;
    std::fprintf(stderr, "bildgenerator: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: bildgenerator <output directory>\n");
        return 2;
    }
    const QDir directory(QString::fromLocal8Bit(argv[1]));
    if (!directory.exists() && !QDir().mkpath(directory.path())) {
        std::fprintf(stderr, "bildgenerator: cannot create %s\n", argv[1]);
        return 1;
    }
    const bool written =
        savePicture(directory, QStringLiteral("wood.png"), woodPicture()) &&
        savePicture(directory, QStringLiteral("parchment.png"), parchmentPicture()) &&
        savePicture(directory, QStringLiteral("engraving.png"), engravingPicture());
    if (!written)
        return 1;

    const QDir icons(directory.filePath(QStringLiteral("icons")));
    if (!icons.exists() && !QDir().mkpath(icons.path())) {
        std::fprintf(stderr, "bildgenerator: cannot create %s\n", qPrintable(icons.path()));
        return 1;
    }
    for (const int size : iconSizes)
        if (!savePicture(icons, QStringLiteral("%1.png").arg(size), iconPicture(size)))
            return 1;
    return 0;
}
