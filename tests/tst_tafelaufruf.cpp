// pvellard --tafel FILE as a user runs it: without any display, the PDF one A4 landscape page
// of shapes and text; mistakes end with a German message and no file. Qt's own options reach
// Qt.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <sys/resource.h>

namespace {

struct Lauf {
    int status = -1;
    QString ausgabe;
    QString fehler;
};

// Runs the program with no display of any kind in its environment; `imKind` runs in the child
// before the program starts. A window the program opens closes after its first frame.
Lauf starte(const QString& programm, const QStringList& argumente, const QString& ordner,
            const std::function<void()>& imKind = {})
{
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        umgebung.remove(QString::fromLatin1(name));
    umgebung.insert(QStringLiteral("VELLARD_STARTZEIT"), QStringLiteral("1"));
    QProcess prozess;
    prozess.setProcessEnvironment(umgebung);
    prozess.setChildProcessModifier(imKind);
    prozess.setWorkingDirectory(ordner);
    prozess.start(programm, argumente);
    if (!prozess.waitForFinished(60000))
        return {};
    return {prozess.exitStatus() == QProcess::NormalExit ? prozess.exitCode() : -1,
            QString::fromUtf8(prozess.readAllStandardOutput()),
            QString::fromUtf8(prozess.readAllStandardError())};
}

QStringList inhalt(const QString& ordner)
{
    return QDir(ordner).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

} // namespace

class TestTafelaufruf : public QObject {
    Q_OBJECT
private slots:
    void pdfIstEineA4SeiteQuer();
    void fehlerOhneDatei_data();
    void fehlerOhneDatei();
    void ueberDerGroessengrenze_data();
    void ueberDerGroessengrenze();
    void qtOptionenGehenAnQt_data();
    void qtOptionenGehenAnQt();
    void unbekannterStil_data();
    void unbekannterStil();
    void hilfePasstIns80SpaltenTerminal();

private:
    Lauf lauf(const QStringList& argumente) { return starte(programm, argumente, ordner.path()); }
    Lauf werkzeug(const QString& name, const QStringList& argumente)
    {
        const QString pfad = QStandardPaths::findExecutable(name);
        if (pfad.isEmpty())
            return {-1, {}, name + QStringLiteral(" fehlt (poppler-utils)")};
        return starte(pfad, argumente, ordner.path());
    }

    const QString programm = QStringLiteral(PVELLARD);
    QTemporaryDir ordner;
};

void TestTafelaufruf::pdfIstEineA4SeiteQuer()
{
    const Lauf l = lauf({QStringLiteral("--tafel"), QStringLiteral("tafel.pdf")});
    QVERIFY2(l.status == 0, qPrintable(l.fehler));

    const Lauf info = werkzeug(QStringLiteral("pdfinfo"), {QStringLiteral("tafel.pdf")});
    QVERIFY2(info.status == 0, qPrintable(info.fehler));
    QVERIFY2(info.ausgabe.contains(QRegularExpression(QStringLiteral("Pages: +1\n"))),
             qPrintable(info.ausgabe));
    // A4 is 595 x 842 points; landscape puts the long side across.
    QVERIFY2(info.ausgabe.contains(QRegularExpression(QStringLiteral("Page size: +842 x 595 pts"))),
             qPrintable(info.ausgabe));

    // Vector drawing: not a single picture in it, and the words are text.
    const Lauf bilder = werkzeug(QStringLiteral("pdfimages"), {"-list", "tafel.pdf"});
    QCOMPARE(bilder.status, 0);
    QCOMPARE(bilder.ausgabe.trimmed().split(QLatin1Char('\n')).size(), 2); // the heading only
    const Lauf text = werkzeug(QStringLiteral("pdftotext"), {"tafel.pdf", "-"});
    QCOMPARE(text.status, 0);
    for (const char* wort : {"Signaltafel", "Vellard-Telegraf", "Ruhestellung", "&", "Z"})
        QVERIFY2(text.ausgabe.contains(QString::fromUtf8(wort)), wort);
}

void TestTafelaufruf::fehlerOhneDatei_data()
{
    QTest::addColumn<QStringList>("argumente");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("meldung"); // how the message line begins

    QTest::newRow("unbekannte Option")
        << QStringList{"--farbe", "rot"} << 2 << "pvellard: Unbekannte Option „--farbe“.";
    QTest::newRow("unbekannte kurze Option")
        << QStringList{"-x"} << 2 << "pvellard: Unbekannte Option „-x“.";
    QTest::newRow("ein Strich") << QStringList{"-tafel", "x.pdf", "-farbe=rot"} << 2
                                << "pvellard: Unbekannte Option „-farbe“.";
    QTest::newRow("Dateiname fehlt")
        << QStringList{"--tafel"} << 2 << "pvellard: Nach --tafel fehlt der Dateiname.";
    QTest::newRow("überzähliges Argument")
        << QStringList{"tafel.pdf"} << 2 << "pvellard: Unerwartetes Argument „tafel.pdf“.";
    QTest::newRow("unbekannte Endung")
        << QStringList{"--tafel", "tafel.svg"} << 2
        << "pvellard: „tafel.svg“: Die Signaltafel kann nur als PDF (.pdf) oder PNG (.png) "
           "gespeichert werden.";
    QTest::newRow("kein UTF-8") << QStringList{"--tafel", "\\0344.pdf"} << 2
                                << "pvellard: „\uFFFD.pdf“ ist kein gültiger UTF-8-Text.";
    QTest::newRow("Ordner fehlt")
        << QStringList{"--tafel", "fehlt/tafel.pdf"} << 1
        << "pvellard: Die Signaltafel konnte nicht nach „fehlt/tafel.pdf“ geschrieben werden. "
           "Den Ordner „";
    QTest::newRow("Ordner ohne Dateien")
        << QStringList{"--tafel", "/proc/tafel.pdf"} << 1
        << "pvellard: Die Signaltafel konnte nicht nach „/proc/tafel.pdf“ geschrieben werden. In "
           "diesem Ordner lassen sich keine Dateien anlegen.";
    QTest::newRow("Startwert fehlt") << QStringList{"--ueben", "--startwert"} << 2
                                     << "pvellard: Nach --startwert fehlt der Wert.";
    QTest::newRow("Startwert mit Leerzeichen")
        << QStringList{"--ueben", "--startwert", " 7"} << 2 << "pvellard: Der Startwert „ 7“ ist";
    QTest::newRow("Startwert mit 19 Ziffern")
        << QStringList{"--ueben", "--startwert", "0000000000000000001"} << 2
        << "pvellard: Der Startwert „0000000000000000001“ ist keine Zahl aus 1 bis 18 Ziffern.";
    QTest::newRow("Startwert mit %1") << QStringList{"--ueben", "--startwert", "%1"} << 2
                                      << "pvellard: Der Startwert „%1“ ist keine Zahl aus 1 bis 18";
    QTest::newRow("Wert, wo keiner hingehört")
        << QStringList{"--linie=3"} << 2 << "pvellard: Ungültiger Aufruf: „--linie=3“.";
    QTest::newRow("Übung nach =") << QStringList{"--ueben=fliegen"} << 2
                                  << "pvellard: Unbekannte Übung „fliegen“; es gibt erkennen,";
    QTest::newRow("Übung doppelt") << QStringList{"--ueben", "stellen", "stellen"} << 2
                                   << "pvellard: Unerwartetes Argument „stellen“.";
    QTest::newRow("Linie mit Startwert")
        << QStringList{"--linie", "--startwert", "3"} << 2
        << "pvellard: --linie geht nicht mit --startwert zusammen.";
    QTest::newRow("Stationen keine Zahl") << QStringList{"--linie", "--stationen", "a%1"} << 2
                                          << "pvellard: Für --stationen ist „a%1“ keine Zahl";
    QTest::newRow("Wert einer Qt-Option fehlt")
        << QStringList{"-reverse", "-platform"} << 2 << "pvellard: Nach -platform fehlt der Wert.";
}

void TestTafelaufruf::fehlerOhneDatei()
{
    QFETCH(QStringList, argumente);
    QFETCH(int, status);
    QFETCH(QString, meldung);

    QTemporaryDir leer;
    // Through the shell, whose printf turns an argument such as "\0344" into bytes that are
    // no UTF-8.
    const QString umwandeln(
        R"sh(for a; do set -- "$@" "$(printf %b "$a")"; shift; done; exec "$0" "$@")sh");
    const Lauf l =
        starte(QStringLiteral("/bin/sh"),
               QStringList{QStringLiteral("-c"), umwandeln, programm} + argumente, leer.path());
    QCOMPARE(l.status, status);
    const QStringList zeilen = l.fehler.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY2(!zeilen.isEmpty(), "no message");
    // Qt may warn about the environment before; the program's own lines start with its name.
    const QStringList eigene = zeilen.filter(QRegularExpression(QStringLiteral("^pvellard: ")));
    QCOMPARE(eigene.size(), 1);
    const QString& zeile = eigene.first();
    QVERIFY2(zeile.startsWith(meldung), qPrintable(zeile));
    // Mistakes in the call show how to call; a file that could not be written does not.
    QCOMPARE(zeilen.last().startsWith(QStringLiteral("Aufruf: pvellard")), status == 2);
    QCOMPARE(l.ausgabe, QString());
    QCOMPARE(inhalt(leer.path()), QStringList());
}

void TestTafelaufruf::ueberDerGroessengrenze_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("alteDatei"); // whether an older chart is there to be replaced

    QTest::newRow("PDF") << "tafel.pdf" << false;
    QTest::newRow("PDF ersetzt") << "tafel.pdf" << true;
    QTest::newRow("PNG") << "tafel.png" << false;
    QTest::newRow("PNG ersetzt") << "tafel.png" << true;
}

// Writing stops midway at a file size limit of 8 KiB (ulimit -f); the PDF has about 22 KB.
void TestTafelaufruf::ueberDerGroessengrenze()
{
    QFETCH(QString, name);
    QFETCH(bool, alteDatei);

    QTemporaryDir leer;
    QFile alt(leer.filePath(name));
    const QByteArray alterInhalt = "eine ältere Tafel";
    if (alteDatei)
        QVERIFY(alt.open(QIODevice::WriteOnly) && alt.write(alterInhalt) == alterInhalt.size());
    alt.close();
    const Lauf l = starte(programm, {QStringLiteral("--tafel"), name}, leer.path(), [] {
        const rlimit grenze = {8192, 8192};
        setrlimit(RLIMIT_FSIZE, &grenze);
    });

    QCOMPARE(l.status, 1);
    QCOMPARE(l.fehler, QStringLiteral("pvellard: Die Signaltafel konnte nicht nach „%1“ "
                                      "geschrieben werden. Die Datei würde die erlaubte "
                                      "Dateigröße überschreiten.\n")
                           .arg(name));
    QCOMPARE(inhalt(leer.path()), alteDatei ? QStringList{name} : QStringList());
    if (alteDatei) {
        QVERIFY(alt.open(QIODevice::ReadOnly));
        QCOMPARE(alt.readAll(), alterInhalt);
    }
}

void TestTafelaufruf::qtOptionenGehenAnQt_data()
{
    QTest::addColumn<QStringList>("argumente");
    QTest::addColumn<QString>("ausgabe");

    QTest::newRow("Fenster auf -platform") << QStringList{"-platform", "offscreen"} << "";
    QTest::newRow("zwei Striche, Stil, gespiegelt")
        << QStringList{"--platform", "offscreen", "-style", "Fusion", "--reverse"} << "";
    QTest::newRow("mit Gleichheitszeichen")
        << QStringList{"-platform", "offscreen", "-style=Fusion", "-qwindowtitle", "Probe"} << "";
    QTest::newRow("vor --version") << QStringList{"-reverse", "-qwindowicon", "abc", "--version"}
                                   << "Vellard-Telegraf 1.1.0\n";
}

// With no display in its environment the window opens only on the platform Qt was told of.
void TestTafelaufruf::qtOptionenGehenAnQt()
{
    QFETCH(QStringList, argumente);
    QFETCH(QString, ausgabe);

    const Lauf l = lauf(argumente);
    QVERIFY2(l.status == 0, qPrintable(l.fehler));
    QCOMPARE(l.ausgabe, ausgabe);
}

void TestTafelaufruf::unbekannterStil_data()
{
    QTest::addColumn<QStringList>("argumente");
    QTest::addColumn<QByteArray>("umgebung"); // QT_STYLE_OVERRIDE, where set
    QTest::addColumn<QString>("meldung");     // the program's line, empty for none

    const QStringList offscreen{"-platform", "offscreen"};
    QTest::newRow("-style") << offscreen + QStringList{"-style", "nonexistent"} << QByteArray()
                            << "pvellard: Einen Stil „nonexistent“ gibt es nicht; das Fenster "
                               "zeigt Qts eigenen (es gibt Fusion, Windows).";
    QTest::newRow("--style=") << offscreen + QStringList{"--style=Quatsch"} << QByteArray()
                              << "pvellard: Einen Stil „Quatsch“ gibt es nicht; das Fenster "
                                 "zeigt Qts eigenen (es gibt Fusion, Windows).";
    QTest::newRow("QT_STYLE_OVERRIDE")
        << offscreen << QByteArray("gibtsnicht")
        << "pvellard: Einen Stil „gibtsnicht“ gibt es nicht; das Fenster zeigt Qts eigenen (es "
           "gibt Fusion, Windows).";
    QTest::newRow("bekannter Stil")
        << offscreen + QStringList{"-style", "fusion"} << QByteArray() << QString();
}

// A style Qt does not know: the window opens with Qt's own, and one German line says so
// instead of Qt's English warning.
void TestTafelaufruf::unbekannterStil()
{
    QFETCH(QStringList, argumente);
    QFETCH(QByteArray, umgebung);
    QFETCH(QString, meldung);

    // Through env(1): the child's environment is the one starte() hands over.
    QStringList aufruf = QStringList{programm} + argumente;
    if (!umgebung.isEmpty())
        aufruf.prepend(QStringLiteral("QT_STYLE_OVERRIDE=") + QLatin1String(umgebung));
    const Lauf l = starte(QStringLiteral("/usr/bin/env"), aufruf, ordner.path());
    QVERIFY2(l.status == 0, qPrintable(l.fehler));
    const QStringList eigene = l.fehler.split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                                   .filter(QRegularExpression(QStringLiteral("^pvellard: ")));
    QCOMPARE(eigene, meldung.isEmpty() ? QStringList() : QStringList{meldung});
    QVERIFY2(!l.fehler.contains(QLatin1String("style")), qPrintable(l.fehler));
}

void TestTafelaufruf::hilfePasstIns80SpaltenTerminal()
{
    const Lauf l = lauf({QStringLiteral("--help")});
    QCOMPARE(l.status, 0);
    for (const QString& zeile : l.ausgabe.split(QLatin1Char('\n')))
        QVERIFY2(zeile.size() <= 80, qPrintable(zeile));
}

QTEST_GUILESS_MAIN(TestTafelaufruf)
#include "tst_tafelaufruf.moc"
