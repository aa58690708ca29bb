// The window on a screen scaled by two: twice as many device pixels, the scene and the grid the
// unscaled ones enlarged pixel for pixel, and presses still counted in unscaled pixels. CTest
// runs it with QT_SCALE_FACTOR=2; the unscaled pictures come from this program started again
// without it. And the program itself follows a desktop's scale rounded to a whole number.
#include "tests/fenster.h"

#include <QMouseEvent>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

const QString unskaliert = QStringLiteral("--unskaliert");

// The telegraph showing "4" (every beam turned, a character beside the mast) and the grid with
// its focus frame on "4", as the window shows them.
void zeige4(Fenster& f)
{
    f.klicke('4');
    f.feld.setFocus();
}

QImage bild(QWidget& teil)
{
    return teil.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The first pixel where `gross` is not `klein` with every pixel a 2 x 2 block, or "" if none.
QString ersteAbweichung(const QImage& gross, const QImage& klein)
{
    if (klein.isNull() || gross.size() != klein.size() * 2)
        return QStringLiteral("Größe %1 x %2").arg(gross.width()).arg(gross.height());
    for (int y = 0; y < gross.height(); ++y)
        for (int x = 0; x < gross.width(); ++x)
            if (gross.pixel(x, y) != klein.pixel(x / 2, y / 2))
                return QStringLiteral("Pixel (%1, %2)").arg(x).arg(y);
    return {};
}

// Started with --unskaliert FOLDER: writes the scene and the grid as an unscaled window shows
// them into FOLDER.
int zeichneUnskaliert(int argc, char* argv[])
{
    QApplication anwendung(argc, argv);
    Fenster f;
    if (!f.oeffnen())
        return 1;
    zeige4(f);
    const QString ordner = QString::fromLocal8Bit(argv[2]);
    return bild(f.telegraf).save(ordner + QStringLiteral("/szene.png")) &&
                   bild(f.feld).save(ordner + QStringLiteral("/feld.png"))
               ? 0
               : 1;
}

// Runs `programm` with a clean scaling environment plus `umgebung`; its stderr.
QString lauf(const QString& programm, const QStringList& argumente, const QStringList& umgebung)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_SCALE_FACTOR", "QT_ENABLE_HIGHDPI_SCALING", "QT_QPA_PLATFORM"})
        env.remove(QLatin1String(name));
    for (const QString& paar : umgebung)
        env.insert(paar.section(QLatin1Char('='), 0, 0), paar.section(QLatin1Char('='), 1));
    QProcess prozess;
    prozess.setProcessEnvironment(env);
    prozess.start(programm, argumente);
    prozess.waitForFinished(60000);
    return QString::fromLocal8Bit(prozess.readAllStandardError());
}

} // namespace

class TstSkalierung : public QObject {
    Q_OBJECT
private slots:
    void init();
    void geraetegroesse();
    void szeneUndFeldPixelGenauVergroessert();
    void druckAufGeraetepixel();
    void ganzzahligGerundet_data();
    void ganzzahligGerundet();

private:
    std::unique_ptr<Fenster> f;
};

void TstSkalierung::init()
{
    f = std::make_unique<Fenster>();
    QVERIFY(f->oeffnen());
}

void TstSkalierung::geraetegroesse()
{
    QCOMPARE(f->w.devicePixelRatio(), 2.0);
    QCOMPARE(f->w.size(), QSize(1008, 694));
    QCOMPARE(f->w.grab().size(), QSize(2016, 1388));
}

void TstSkalierung::szeneUndFeldPixelGenauVergroessert()
{
    QTemporaryDir ordner;
    lauf(QCoreApplication::applicationFilePath(), {unskaliert, ordner.path()},
         {QStringLiteral("QT_QPA_PLATFORM=offscreen"),
          QStringLiteral("QT_ENABLE_HIGHDPI_SCALING=0")});
    zeige4(*f);
    QCOMPARE(
        ersteAbweichung(bild(f->telegraf), QImage(ordner.filePath(QStringLiteral("szene.png")))),
        QString());
    QCOMPARE(ersteAbweichung(bild(f->feld), QImage(ordner.filePath(QStringLiteral("feld.png")))),
             QString());
}

// A press on device pixel (151, 31) lies at (75.5, 15.5) in unscaled pixels: inside "C".
// The one to its left, device pixel (59, 59), is the last of "A" before the line of "B".
void TstSkalierung::druckAufGeraetepixel()
{
    const auto druecke = [this](QPointF geraetepixel) {
        const QPointF stelle = geraetepixel / 2.0;
        QMouseEvent druck(QEvent::MouseButtonPress, stelle, f->feld.mapToGlobal(stelle),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&f->feld, &druck);
        f->still();
        return f->telegraf.zeichen();
    };
    QCOMPARE(druecke(QPointF(151, 31)), 'C');
    QCOMPARE(druecke(QPointF(59, 59)), 'A');
    QCOMPARE(druecke(QPointF(60, 59)), 'B');
}

void TstSkalierung::ganzzahligGerundet_data()
{
    // A desktop's resolution (96 pixels per inch at scale 1) and the size of the program's
    // window in the screen's pixels.
    QTest::addColumn<int>("dpi");
    QTest::addColumn<QString>("fenster");
    QTest::newRow("1,25 wird 1") << 120 << "1008 x 694";
    QTest::newRow("1,5 wird 2") << 144 << "2016 x 1388";
    QTest::newRow("2 bleibt 2") << 192 << "2016 x 1388";
}

void TstSkalierung::ganzzahligGerundet()
{
    QFETCH(int, dpi);
    QFETCH(QString, fenster);

    QTemporaryDir ordner;
    QFile bildschirm(ordner.filePath(QStringLiteral("bildschirm.json")));
    QVERIFY(bildschirm.open(QIODevice::WriteOnly));
    bildschirm.write(QStringLiteral("{\"screens\": [{\"name\": \"s\", \"x\": 0, \"y\": 0, "
                                    "\"width\": 2560, \"height\": 1600, \"logicalDpi\": %1, "
                                    "\"logicalBaseDpi\": 96, \"dpr\": 1}]}")
                         .arg(dpi)
                         .toUtf8());
    bildschirm.close();
    const QString fehler =
        lauf(QStringLiteral(PVELLARD), {},
             {QStringLiteral("VELLARD_STARTZEIT=1"),
              QStringLiteral("QT_QPA_PLATFORM=offscreen:configfile=") + bildschirm.fileName()});
    QVERIFY2(fehler.contains(QStringLiteral("Fenster %1 Bildpunkte").arg(fenster)),
             qPrintable(fehler));
}

int main(int argc, char* argv[])
{
    if (argc == 3 && QLatin1String(argv[1]) == unskaliert)
        return zeichneUnskaliert(argc, argv);
    QApplication anwendung(argc, argv);
    TstSkalierung test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_skalierung.moc"
