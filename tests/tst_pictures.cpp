// Checks the bundled pictures: the PNG files' sizes, that they stay small palette images, their
// colours, that the textures tile without seams, and that the program's embedded form of them
// gives the same pixels.
#include "assets/eingebettet.h"

#include <QImage>
#include <QSize>
#include <QTest>

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

using Rgb = std::array<int, 3>;

QImage loadPicture(const QString& name)
{
    return QImage(QStringLiteral(TELEGRAF_ASSETS "/") + name);
}

Rgb channels(QRgb pixel)
{
    return {qRed(pixel), qGreen(pixel), qBlue(pixel)};
}

double distance(QRgb a, QRgb b)
{
    return (std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
            std::abs(qBlue(a) - qBlue(b))) /
           3.0;
}

struct ColourStats {
    std::array<double, 3> mean{};
    Rgb lowest{255, 255, 255};
    Rgb highest{0, 0, 0};
};

ColourStats colourStats(const QImage& image)
{
    ColourStats stats;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const Rgb rgb = channels(image.pixel(x, y));
            for (int c = 0; c < 3; ++c) {
                stats.mean[c] += rgb[c];
                stats.lowest[c] = std::min(stats.lowest[c], rgb[c]);
                stats.highest[c] = std::max(stats.highest[c], rgb[c]);
            }
        }
    }
    for (double& channel : stats.mean)
        channel /= static_cast<double>(image.width()) * image.height();
    return stats;
}

// A picture read position by position along one direction, wrapping around at the edge the way
// a tiled copy continues.
class WrappedLines {
public:
    WrappedLines(const QImage& image, Qt::Orientation direction)
        : image_(image), alongX_(direction == Qt::Horizontal)
    {}
    int length() const { return alongX_ ? image_.width() : image_.height(); }
    int lines() const { return alongX_ ? image_.height() : image_.width(); }
    QRgb at(int position, int line) const
    {
        const int wrapped = (position % length() + length()) % length();
        return alongX_ ? image_.pixel(wrapped, line) : image_.pixel(line, wrapped);
    }

    // Mean colour change from each pixel to the next one, inside the picture.
    double meanStep() const
    {
        double sum = 0.0;
        for (int line = 0; line < lines(); ++line)
            for (int i = 0; i + 1 < length(); ++i)
                sum += distance(at(i, line), at(i + 1, line));
        return sum / (static_cast<double>(lines()) * (length() - 1));
    }

    // Mean second difference at one position: how abruptly the colour change itself changes.
    // A texture that flows on is small here; where the picture jumps, it is large.
    double bend(int position) const
    {
        double sum = 0.0;
        for (int line = 0; line < lines(); ++line) {
            const Rgb before = channels(at(position - 1, line));
            const Rgb here = channels(at(position, line));
            const Rgb after = channels(at(position + 1, line));
            for (int c = 0; c < 3; ++c)
                sum += std::abs(before[c] - 2 * here[c] + after[c]);
        }
        return sum / (3.0 * lines());
    }

private:
    QImage image_; // implicitly shared, so a copy costs nothing
    bool alongX_;
};

const QRgb paperWhite = qRgb(255, 255, 255);
const Rgb engravingInk{49, 57, 57};

} // namespace

class PicturesTest : public QObject {
    Q_OBJECT

private slots:
    void palettePictures_data();
    void palettePictures();
    void eingebettetWieDieDatei();
    void textureColours_data();
    void textureColours();
    void texturesTile_data();
    void texturesTile();
    void woodGrainRunsAlongX();
    void engravingIsInkOnWhite();
    void engravingFillsFromTheGroundUp();
};

void PicturesTest::palettePictures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::newRow("wood") << QStringLiteral("wood.png") << QSize(96, 96);
    QTest::newRow("parchment") << QStringLiteral("parchment.png") << QSize(135, 135);
    QTest::newRow("engraving") << QStringLiteral("engraving.png") << QSize(225, 316);
}

void PicturesTest::palettePictures()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    const QImage image = loadPicture(name);
    QVERIFY2(!image.isNull(), qPrintable(name));
    QCOMPARE(image.size(), size);
    QCOMPARE(image.format(), QImage::Format_Indexed8);
    QVERIFY(image.colorCount() > 1);
    QVERIFY(image.colorCount() <= 256);
}

// The program carries the pictures in raw form, made from the PNG files when it is built.
void PicturesTest::eingebettetWieDieDatei()
{
    for (const QString& name :
         {QStringLiteral("wood"), QStringLiteral("parchment"), QStringLiteral("engraving")})
        QCOMPARE(eingebettetesBild(name),
                 loadPicture(name + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32));
    QVERIFY(eingebettetesBild(QStringLiteral("fehlt")).isNull());
}

void PicturesTest::textureColours_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<Rgb>("mean");
    QTest::addColumn<Rgb>("lowest");
    QTest::addColumn<Rgb>("highest");
    QTest::newRow("wood") << QStringLiteral("wood.png") << Rgb{210, 178, 94} << Rgb{181, 123, 41}
                          << Rgb{239, 206, 140};
    QTest::newRow("parchment") << QStringLiteral("parchment.png") << Rgb{247, 227, 194}
                               << Rgb{239, 214, 173} << Rgb{255, 247, 214};
}

void PicturesTest::textureColours()
{
    QFETCH(QString, name);
    QFETCH(Rgb, mean);
    QFETCH(Rgb, lowest);
    QFETCH(Rgb, highest);
    const ColourStats stats = colourStats(loadPicture(name));
    for (int c = 0; c < 3; ++c) {
        const QByteArray channel = "channel " + QByteArray::number(c);
        QVERIFY2(std::abs(stats.mean[c] - mean[c]) <= 4.0,
                 channel + " mean " + QByteArray::number(stats.mean[c]));
        QVERIFY2(stats.lowest[c] >= lowest[c],
                 channel + " lowest " + QByteArray::number(stats.lowest[c]));
        QVERIFY2(stats.highest[c] <= highest[c],
                 channel + " highest " + QByteArray::number(stats.highest[c]));
    }
    // A texture, not a flat fill.
    QVERIFY(stats.highest[1] - stats.lowest[1] >= 8);
}

void PicturesTest::texturesTile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<Qt::Orientation>("direction");
    QTest::newRow("wood across left/right") << QStringLiteral("wood.png") << Qt::Horizontal;
    QTest::newRow("wood across top/bottom") << QStringLiteral("wood.png") << Qt::Vertical;
    QTest::newRow("parchment across left/right")
        << QStringLiteral("parchment.png") << Qt::Horizontal;
    QTest::newRow("parchment across top/bottom") << QStringLiteral("parchment.png") << Qt::Vertical;
}

void PicturesTest::texturesTile()
{
    QFETCH(QString, name);
    QFETCH(Qt::Orientation, direction);
    const QImage texture = loadPicture(name);
    const WrappedLines lines(texture, direction);
    // The two positions next to the wrap see pixels from both ends of the picture.
    const double seam = (lines.bend(0) + lines.bend(lines.length() - 1)) / 2.0;
    double inside = 0.0;
    for (int i = 1; i + 1 < lines.length(); ++i)
        inside += lines.bend(i);
    inside /= lines.length() - 2;
    QVERIFY2(seam <= 1.5 * inside + 0.5,
             qPrintable(QStringLiteral("seam %1, inside %2").arg(seam).arg(inside)));
}

void PicturesTest::woodGrainRunsAlongX()
{
    const QImage wood = loadPicture(QStringLiteral("wood.png"));
    const double alongX = WrappedLines(wood, Qt::Horizontal).meanStep();
    const double alongY = WrappedLines(wood, Qt::Vertical).meanStep();
    QVERIFY2(alongX < 0.5 * alongY,
             qPrintable(QStringLiteral("along x %1, along y %2").arg(alongX).arg(alongY)));
}

void PicturesTest::engravingIsInkOnWhite()
{
    const QImage engraving = loadPicture(QStringLiteral("engraving.png"));
    const double pixels = static_cast<double>(engraving.width()) * engraving.height();
    int white = 0;
    int inked = 0;
    QRgb darkest = paperWhite;
    for (int y = 0; y < engraving.height(); ++y) {
        for (int x = 0; x < engraving.width(); ++x) {
            const QRgb pixel = engraving.pixel(x, y);
            white += pixel == paperWhite ? 1 : 0;
            inked += qGray(pixel) < 128 ? 1 : 0;
            if (qGray(pixel) < qGray(darkest))
                darkest = pixel;
        }
    }
    QVERIFY2(white > 0.6 * pixels, qPrintable(QString::number(white / pixels)));
    QVERIFY2(inked > 0.03 * pixels, qPrintable(QString::number(inked / pixels)));
    const Rgb ink = channels(darkest);
    for (int c = 0; c < 3; ++c)
        QVERIFY2(std::abs(ink[c] - engravingInk[c]) <= 6,
                 qPrintable(QStringLiteral("darkest channel %1 is %2").arg(c).arg(ink[c])));
}

void PicturesTest::engravingFillsFromTheGroundUp()
{
    // The picture is placed with its bottom edge on the scene's ground line, so the building
    // must reach that edge, while nothing may be cut off at the top.
    const QImage engraving = loadPicture(QStringLiteral("engraving.png"));
    const auto inkedInRow = [&](int y) {
        int count = 0;
        for (int x = 0; x < engraving.width(); ++x)
            count += engraving.pixel(x, y) != paperWhite ? 1 : 0;
        return count;
    };
    QVERIFY(inkedInRow(engraving.height() - 1) > engraving.width() / 3);
    QCOMPARE(inkedInRow(0), 0);
}

QTEST_GUILESS_MAIN(PicturesTest)
#include "tst_pictures.moc"
