// The learner's progress file: reading, writing, keeping a damaged file, erasing.
#include "files/fortschrittsdatei.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

namespace {

// A progress file as the program writes it, typed by hand.
const QByteArray gueltig = R"({"format": "vellard-telegraf-fortschritt", "version": 1,
 "kaesten": {"A": 3, "&": 5, "0": 1}, "letzteAntworten": [true, false], "alleZeichen": true})";

QByteArray inhalt(const QString& pfad)
{
    QFile datei(pfad);
    return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray("(fehlt)");
}

bool schreibe(const QString& pfad, const QByteArray& inhalt)
{
    QFile datei(pfad);
    return QDir().mkpath(QFileInfo(pfad).path()) && datei.open(QIODevice::WriteOnly) &&
           datei.write(inhalt) == inhalt.size();
}

} // namespace

class TestFortschritt : public QObject {
    Q_OBJECT
    QTemporaryDir tmp;
    const QString daten = tmp.filePath(QStringLiteral("daten"));
    const QString ordner = daten + QStringLiteral("/vellard");
    const QString pfad = fortschrittsDatei(ordner);

private slots:
    void cleanup() { QDir(daten).removeRecursively() || QFile::remove(daten); }

    // Missing: a fresh start, nothing created. Saved, or typed by hand: read back. Erased: a
    // fresh start, also for a trainer beside that still holds what it read before.
    void gelesenWieGeschrieben()
    {
        const Fortschritt frisch = ladeFortschritt(ordner);
        QVERIFY(frisch.lernstand == Lernstand{} && frisch.meldung.isEmpty() &&
                !QDir(daten).exists());
        const Lernstand stand{{{'A', 3}, {'&', 5}, {'0', 1}}, {true, false}, true};
        QCOMPARE(speichereFortschritt(ordner, stand), QString());
        QCOMPARE(ladeFortschritt(ordner).lernstand, stand);
        QVERIFY(schreibe(pfad, gueltig));
        QCOMPARE(ladeFortschritt(ordner).lernstand, stand);
        QCOMPARE(loescheFortschritt(ordner), QString());
        QCOMPARE(ladeFortschritt(ordner).lernstand, Lernstand{});
        aendereFortschritt(ordner, stand, [](Lernstand& l) { l.letzteAntworten = {true}; });
        QCOMPARE(ladeFortschritt(ordner).lernstand, (Lernstand{{}, {true}, false}));
    }

    void unlesbarBeiseiteGelegt_data()
    {
        QTest::addColumn<QString>("aenderung"); // of the valid file: "old → new"
        QTest::newRow("kein JSON") << "\"alleZeichen\": true} → ";
        QTest::newRow("fremdes Format") << "-fortschritt → -notizen";
        QTest::newRow("neuere Version") << "\"version\": 1 → \"version\": 2";
        QTest::newRow("Kasten 6") << "\"A\": 3 → \"A\": 6";
        QTest::newRow("Kasten 2.5") << "\"A\": 3 → \"A\": 2.5";
        QTest::newRow("J") << "\"A\" → \"J\"";
        QTest::newRow("11 Antworten")
            << "false] → " + QStringLiteral("true, ").repeated(9) + "true]";
        QTest::newRow("unbekannter Eintrag") << "\"alleZeichen\" → \"x\": 1, \"alleZeichen\"";
    }

    // The changed file is kept beside under a name not taken yet, and the learner starts afresh.
    void unlesbarBeiseiteGelegt()
    {
        QFETCH(QString, aenderung);
        const QStringList teile = aenderung.split(QStringLiteral(" → "));
        const QByteArray text = QByteArray(gueltig).replace(teile[0].toUtf8(), teile[1].toUtf8());
        QVERIFY(text != gueltig && schreibe(pfad, text) && schreibe(pfad + ".beschaedigt", "alt"));
        const Fortschritt f = ladeFortschritt(ordner);
        QCOMPARE(f.lernstand, Lernstand{});
        QVERIFY(f.meldung.contains(QDir::toNativeSeparators(pfad + ".beschaedigt-2")));
        QCOMPARE(f.meldung.contains(QStringLiteral("neueren Version")), aenderung.endsWith(u'2'));
        QVERIFY(inhalt(pfad + ".beschaedigt-2") == text && !QFileInfo::exists(pfad));
    }

    void speichernLegtUnlesbaresBeiseite()
    {
        QVERIFY(schreibe(pfad, "Schaden"));
        QCOMPARE(speichereFortschritt(ordner, Lernstand{{{'E', 2}}, {}, false}), QString());
        QCOMPARE(inhalt(pfad + ".beschaedigt"), QByteArray("Schaden"));
        QCOMPARE(ladeFortschritt(ordner).lernstand, (Lernstand{{{'E', 2}}, {}, false}));
    }

    void ueberDerGroessengrenze_data()
    {
        QTest::addColumn<int>("grenze"); // bytes
        QTest::addColumn<QString>("meldung");
        const QString grund =
            QStringLiteral("Die Datei würde die erlaubte Dateigröße überschreiten.");
        QTest::newRow("beim Schreiben")
            << 200 << "Der Fortschritt wurde nicht gespeichert. " + grund;
        QTest::newRow("bei der Sperre") << 0
                                        << "Der Fortschritt wurde nicht gespeichert: Im Ordner "
                                           "„ORDNER“ ließ sich keine Sperre anlegen. " +
                                               grund;
    }

    // An answer is saved under a file size limit (ulimit -f) below what it needs: the program
    // goes on, the saved progress stays byte for byte, and the reason is told in German.
    void ueberDerGroessengrenze()
    {
        QFETCH(int, grenze);
        QFETCH(QString, meldung);
        QVERIFY(schreibe(pfad, gueltig));
        rlimit vorher{};
        getrlimit(RLIMIT_FSIZE, &vorher);
        const rlimit begrenzt{std::min<rlim_t>(grenze, vorher.rlim_max), vorher.rlim_max};
        setrlimit(RLIMIT_FSIZE, &begrenzt);
        const QString fehler = aendereFortschritt(ordner, {}, [](Lernstand& l) {
                                   l.letzteAntworten.push_back(true);
                               }).fehler;
        setrlimit(RLIMIT_FSIZE, &vorher);
        QCOMPARE(fehler, meldung.replace(QStringLiteral("ORDNER"), ordner));
        QCOMPARE(inhalt(pfad), gueltig);
    }

    // An empty lock, left by a trainer killed as it made it, does not stop the next answer.
    void leereSperreVerwaist()
    {
        QFile sperre(pfad + ".lock");
        QVERIFY(QDir().mkpath(ordner) && sperre.open(QIODevice::WriteOnly));
        QVERIFY(sperre.setFileTime(QDateTime::currentDateTime().addSecs(-5),
                                   QFileDevice::FileModificationTime));
        QCOMPARE(aendereFortschritt(ordner, {}, [](Lernstand&) {}).fehler, QString());
    }

    // A file stands where the folder would go: saving says so and leaves the file alone.
    void speichernScheitertMitMeldung()
    {
        QVERIFY(schreibe(daten, "eine Datei"));
        QVERIFY(!speichereFortschritt(ordner, Lernstand{}).isEmpty());
        QVERIFY(
            aendereFortschritt(ordner, {}, [](Lernstand&) {}).fehler.contains(u"ließ sich nicht"));
        QCOMPARE(inhalt(daten), QByteArray("eine Datei"));
    }
};

QTEST_GUILESS_MAIN(TestFortschritt)
#include "tst_fortschritt.moc"
