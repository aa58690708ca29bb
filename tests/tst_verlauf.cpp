// The line's run for the teacher as a time-distance chart and as files: the chart's lines as
// far as the run has come, and "Verlauf speichern" writing chart and table whole or not at all.
#include "assets/eingebettet.h"
#include "display/wegzeitbild.h"
#include "files/verlaufsdatei.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

using namespace std::chrono_literals;

namespace {

const Linienwahl telegrafenlinie{"TELEGRAFENLINIE", 6, 1000ms, 20, 7};
const QDateTime datum(QDate(2024, 3, 5), QTime(9, 30));

Linienprotokoll protokoll(const Linienwahl& wahl)
{
    const Signalcode& code = eingebetteterCode();
    return {wahl.nachricht, wahl.stationen, linienplan(wahl, code), code};
}

QImage bild(const Linienprotokoll& p, std::chrono::milliseconds bis)
{
    QImage bild(wegZeitGroesse(p), QImage::Format_RGB32);
    QPainter painter(&bild);
    zeichneWegZeitBild(painter, p, bis);
    return bild;
}

bool schwarz(QRgb farbe)
{
    return qRed(farbe) < 60 && qGreen(farbe) < 60 && qBlue(farbe) < 60;
}

bool gelb(QRgb farbe)
{
    return qRed(farbe) > 200 && qGreen(farbe) > 180 && qBlue(farbe) < 80;
}

QByteArray lies(const QString& pfad)
{
    QFile datei(pfad);
    return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
}

// A CSV without its first column, the date.
QByteArray ohneDatum(const QByteArray& csv)
{
    QByteArrayList zeilen = csv.split('\n');
    for (QByteArray& z : zeilen)
        z = z.mid(z.indexOf(';'));
    return zeilen.join('\n');
}

} // namespace

class TstVerlauf : public QObject {
    Q_OBJECT
private slots:
    void linien();
    void nurBisZurZeit();
    void speichern_data();
    void speichern();
    void tabelleVonHand();
    void fehlschlag_data();
    void fehlschlag();
};

// Every character's line runs down each station while it moves, on a band in the marking colour
// from the station where it went wrong on, and without one before.
void TstVerlauf::linien()
{
    const Linienprotokoll p = protokoll(telegrafenlinie);
    const QImage b = bild(p, p.dauer());
    for (int z = 0; z < p.zeichen(); ++z) {
        for (int s = 0; s < p.stationen(); ++s) {
            const Linienprotokoll::Eintrag& e = p.eintrag(z, s);
            const int y = static_cast<int>((wegZeitY(p, e.beginn) + wegZeitY(p, e.ende)) / 2);
            const QString wo = QStringLiteral("Zeichen %1, Station %2").arg(z).arg(s);
            QVERIFY2(schwarz(b.pixel(wegZeitX(s) - 1, y)) && schwarz(b.pixel(wegZeitX(s), y)),
                     qPrintable(wo));
            const bool falsch = p.ersteFalsche(z) && s >= *p.ersteFalsche(z);
            QVERIFY2(gelb(b.pixel(wegZeitX(s) + 3, y)) == falsch, qPrintable(wo));
        }
    }
}

// While the line runs, nothing of it is drawn below the time reached.
void TstVerlauf::nurBisZurZeit()
{
    const Linienprotokoll p = protokoll(telegrafenlinie);
    const auto bis = p.dauer() / 2;
    const QImage b = bild(p, bis);
    const int grenze = static_cast<int>(wegZeitY(p, bis)) + 2;
    int vorher = 0;
    for (int y = 0; y < b.height(); ++y)
        for (int x = wegZeitX(0) - 40; x < b.width(); ++x) {
            const QRgb farbe = b.pixel(x, y);
            QVERIFY2(y < grenze || !(schwarz(farbe) || gelb(farbe)),
                     qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
            vorher += y < grenze && gelb(farbe);
        }
    QVERIFY(vorher > 0);
}

void TstVerlauf::speichern_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("anfang");
    QTest::newRow("PNG") << "verlauf.png" << QByteArray("\x89PNG");
    QTest::newRow("PDF") << "Verlauf.PDF" << QByteArray("%PDF");
}

// The chart and the table beside it; the same seed gives the same picture and the same table,
// but for the date.
void TstVerlauf::speichern()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, anfang);
    QTemporaryDir eins, zwei;
    const Linienprotokoll p = protokoll(telegrafenlinie);
    QCOMPARE(schreibeVerlauf(eins.filePath(name), p, laufangaben(telegrafenlinie), datum),
             QString());
    QCOMPARE(schreibeVerlauf(zwei.filePath(name), protokoll(telegrafenlinie),
                             laufangaben(telegrafenlinie), datum.addDays(1)),
             QString());
    const QString tabelle = QFileInfo(name).completeBaseName() + QStringLiteral(".csv");
    QStringList geschrieben = QDir(eins.path()).entryList(QDir::Files), erwartet{name, tabelle};
    geschrieben.sort();
    erwartet.sort();
    QCOMPARE(geschrieben, erwartet);
    QVERIFY(lies(eins.filePath(name)).startsWith(anfang));
    const QByteArray csv = lies(eins.filePath(tabelle));
    QVERIFY(csv.startsWith(
        "\xEF\xBB\xBF"
        "Datum;Zeichen;Gesendet;Station;Gesetzt;Gesetzt von;Zuerst falsch;Beginn in s;"));
    QCOMPARE(csv.count("\r\n"), 1 + 15 * 6);
    QCOMPARE(csv.count(";ja;"), 11); // the wrong characters, as the record's test counts them
    QVERIFY(csv != lies(zwei.filePath(tabelle)));
    QCOMPARE(ohneDatum(csv), ohneDatum(lies(zwei.filePath(tabelle))));
    if (anfang == "\x89PNG") {
        const QImage a(eins.filePath(name)), b(zwei.filePath(name));
        QCOMPARE(a.size(), wegZeitGroesse(p));
        QCOMPARE(a, b);
    }
}

// Rows typed by hand; a field that begins like a formula stays text, a pupil's name too. A run
// with people names who set each cell and has no seed.
void TstVerlauf::tabelleVonHand()
{
    const Signalcode& code = eingebetteterCode();
    const Stellung S{135, -45, -135}, B{135, -45, -45};
    Linienplan plan;
    plan.bewegungen = {{0, 0, ruhestellung, S, 0ms, 1250ms},
                       {1, 0, ruhestellung, B, 2500ms, 3000ms}};
    const Linienprotokoll p("S=", 2, plan, code);
    const QByteArray csv = verlaufAlsCsv(p, laufangaben({"S=", 2, 1500ms, 30, 42}), datum);
    const QByteArrayList zeilen = csv.mid(3).split('\n');
    QCOMPARE(zeilen.size(), 6);
    QCOMPARE(zeilen[1],
             QByteArray("2024-03-05 09:30;1;S;1;S;simuliert;;0,000;1,250;2;1,500;30;42\r"));
    QCOMPARE(zeilen[2],
             QByteArray("2024-03-05 09:30;1;S;2;B;simuliert;ja;2,500;3,000;2;1,500;30;42\r"));
    QCOMPARE(zeilen[3].left(25), QByteArray("2024-03-05 09:30;2;\"'=\";1"));

    const Laufangaben mitLeuten{2000ms, 0, std::nullopt, {{}, "=Mia;1", {}, "Leo"}};
    const QByteArrayList netz = verlaufAlsCsv(p, mitLeuten, datum).mid(3).split('\n');
    QCOMPARE(netz[2],
             QByteArray("2024-03-05 09:30;1;S;2;B;\"'=Mia;1\";ja;2,500;3,000;2;2,000;0;\r"));
    QCOMPARE(netz[4], QByteArray("2024-03-05 09:30;2;\"'=\";2;E;Leo;;0,000;0,000;2;2,000;0;\r"));
}

void TstVerlauf::fehlschlag_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("vorher"); // files already there; a name ending in / a folder
    QTest::newRow("kein Ordner") << "fehlt/verlauf.png" << QStringList();
    QTest::newRow("falsche Endung") << "verlauf.jpg" << QStringList();
    QTest::newRow("Tabelle geht nicht") << "verlauf.png" << QStringList{"verlauf.csv/"};
    QTest::newRow("altes Bild bleibt")
        << "verlauf.pdf" << QStringList{"verlauf.pdf", "verlauf.csv/"};
}

// A failure is told in German, and what was there before is all that is there after.
void TstVerlauf::fehlschlag()
{
    QFETCH(QString, name);
    QFETCH(QStringList, vorher);
    QTemporaryDir ordner;
    for (const QString& v : vorher) {
        if (v.endsWith(QLatin1Char('/'))) {
            QVERIFY(QDir(ordner.path()).mkdir(v));
            continue;
        }
        QFile datei(ordner.filePath(v));
        QVERIFY(datei.open(QIODevice::WriteOnly));
        datei.write("alt");
    }
    const QStringList inhalt =
        QDir(ordner.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    const QString meldung = schreibeVerlauf(ordner.filePath(name), protokoll(telegrafenlinie),
                                            laufangaben(telegrafenlinie), datum);
    QVERIFY(meldung.startsWith(QStringLiteral("Der Verlauf konnte nicht")) ||
            meldung.contains(QStringLiteral("nur als PDF")));
    QCOMPARE(QDir(ordner.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), inhalt);
    for (const QString& v : vorher)
        if (!v.endsWith(QLatin1Char('/')))
            QCOMPARE(lies(ordner.filePath(v)), QByteArray("alt"));
}

QTEST_MAIN(TstVerlauf)
#include "tst_verlauf.moc"
