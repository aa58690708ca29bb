// The line's window as a user drives it: a message sent over four stations arrives, station
// after station; with misreads and a seed, two runs receive the same.
#include "tests/fenster.h"

#include "controls/bildtakt.h"
#include "widgets/station.h"
#include "window/linienfenster.h"

#include <QAbstractItemModel>
#include <QAccessible>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>

namespace {

// Sends `nachricht` over 4 stations with 0.5 s reading time and `prozent` misreads from seed 7,
// by Return in the message line; gives what the last station stood in, one after the other,
// and the text received.
std::pair<QString, QString> sende(const QString& nachricht, int prozent)
{
    Linienfenster w(eingebetteterCode());
    w.setTakt(std::chrono::milliseconds::zero());
    w.setStationen(4);
    w.show();
    teil<SpinBox>(w, "ablesezeit").setValue(0.5);
    teil<QSpinBox>(w, "ablesefehler").setValue(prozent);
    teil<QLineEdit>(w, "startwert").setText(QStringLiteral("7"));
    auto& zeile = teil<QLineEdit>(w, "nachricht");
    zeile.setText(nachricht);
    const Station* letzte = w.findChildren<Station*>().back();
    QString gestanden;
    const auto schaue = [&] {
        if (letzte->zeichen() != ' ' && !gestanden.endsWith(QLatin1Char(letzte->zeichen())))
            gestanden += QLatin1Char(letzte->zeichen());
    };
    QTimer zusehen;
    QObject::connect(&zusehen, &QTimer::timeout, schaue);
    zusehen.start(0);
    QTest::keyClick(&zeile, Qt::Key_Return);
    // The button reads "Abbruch" while the line runs, to a screen reader too.
    QPushButton& senden = teil<QPushButton>(w, "senden");
    while (QAccessible::queryAccessibleInterface(&senden)->text(QAccessible::Name) ==
           QLatin1String("Abbruch"))
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    schaue();
    // A Return still held, repeated by the keyboard, does not send it again.
    QKeyEvent wiederholt(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(&zeile, &wiederholt);
    return {gestanden, teil<QLabel>(w, "empfangen").accessibleName()};
}

// A window of `stationen` stations without the movement's pace, shown, with `nachricht` in the
// message line and the seed `startwert`.
struct Linie {
    Linie(int stationen, const QString& nachricht, const QString& startwert, int prozent = 0)
    {
        w.setTakt(std::chrono::milliseconds::zero());
        w.setStationen(stationen);
        w.show();
        teil<SpinBox>(w, "ablesezeit").setValue(0.5);
        teil<QSpinBox>(w, "ablesefehler").setValue(prozent);
        teil<QLineEdit>(w, "startwert").setText(startwert);
        teil<QLineEdit>(w, "nachricht").setText(nachricht);
    }
    bool laeuft() const { return senden.text() == QLatin1String("Abbruch"); }
    // Waits until the run has ended.
    bool ende()
    {
        QElapsedTimer uhr;
        uhr.start();
        while (laeuft() && uhr.elapsed() < 60000)
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        return !laeuft();
    }
    QString text(const char* name) const { return teil<QLabel>(w, name).text(); }

    Linienfenster w{eingebetteterCode()};
    QPushButton& senden = teil<QPushButton>(w, "senden");
};

} // namespace

class TstLinienfenster : public QObject {
    Q_OBJECT
private slots:
    void sosKommtAn();
    void angekommenEinzeln();
    void lehrersicht();
    void verlaufSpeichern_data();
    void verlaufSpeichern();
    void anhaltenUndWeiter();
    void erwartetGehoertZumNaechstenLauf();
    void returnUndEnter_data();
    void returnUndEnter();
    void nichtsZuSenden_data();
    void nichtsZuSenden();
    void ruheOhneWecken();
    void ablesezeitGrenzen_data();
    void ablesezeitGrenzen();
    void fehlerWiederholbar();
    void ohneStartwertNeueFehler();
    void aenderungStelltZurueck_data();
    void aenderungStelltZurueck();
};

void TstLinienfenster::sosKommtAn()
{
    const auto [gestanden, empfangen] = sende(QStringLiteral("SOS"), 0);
    QCOMPARE(gestanden, QStringLiteral("SOS"));
    QCOMPARE(empfangen, QStringLiteral("Empfangen: SOS"));
}

// While the line runs a screen reader hears each arriving character alone, marked when wrong;
// the whole text once at the end. "SOS" over 3 stations with 30 % misreads from seed 3 arrives
// as "S?S" (the O misread into no character's picture), and the window shows it so.
void TstLinienfenster::angekommenEinzeln()
{
    Linie l(3, QStringLiteral("SOS"), QStringLiteral("3"), 30);
    QStringList gehoert;
    const QLabel& empfangen = teil<QLabel>(l.w, "empfangen");
    const auto hoere = [&] {
        if (!empfangen.accessibleName().isEmpty() && !gehoert.endsWith(empfangen.accessibleName()))
            gehoert << empfangen.accessibleName();
    };
    QTimer zuhoeren;
    QObject::connect(&zuhoeren, &QTimer::timeout, hoere);
    zuhoeren.start(0);
    l.senden.click();
    QVERIFY(l.ende());
    hoere();
    QCOMPARE(gehoert, QStringList({"Angekommen: S", "Angekommen: kein Zeichen, falsch",
                                   "Empfangen: S?S. Falsch angekommen: Zeichen 2"}));
    QCOMPARE(empfangen.text(), QStringLiteral("„S<u style=\"color:#b00000\">?</u>S“"));
}

void TstLinienfenster::fehlerWiederholbar()
{
    const QString text = QStringLiteral("Depesche aus Berlin");
    const auto erster = sende(text, 30);
    QCOMPARE(sende(text, 30), erster);
    QVERIFY(erster.second.startsWith(QStringLiteral("Empfangen: ")) &&
            erster.second.contains(QStringLiteral(". Falsch angekommen: Zeichen ")));
}

// Without a seed, a message sent again after "Abbruch" is misread anew: its expected time changes.
void TstLinienfenster::ohneStartwertNeueFehler()
{
    Linienfenster w(eingebetteterCode());
    w.setStationen(8);
    ::teil<QSpinBox>(w, "ablesefehler").setValue(30);
    ::teil<QLineEdit>(w, "nachricht").setText(QStringLiteral("Depesche aus Berlin"));
    QSet<QString> erwartet;
    for (int mal = 0; mal < 4; ++mal) {
        erwartet << ::teil<QLabel>(w, "erwartet").text();
        ::teil<QPushButton>(w, "senden").click(); // Senden, then Abbruch
        ::teil<QPushButton>(w, "senden").click();
    }
    QVERIFY(erwartet.size() > 1);
}

void TstLinienfenster::aenderungStelltZurueck_data()
{
    QTest::addColumn<QString>("teil");
    QTest::addColumn<int>("taste");
    QTest::newRow("Abbruch") << "senden" << int(Qt::Key_Space);
    QTest::newRow("Escape") << "ablesefehler" << int(Qt::Key_Escape);
    QTest::newRow("Nachricht") << "nachricht" << int(Qt::Key_A);
    QTest::newRow("Ablesezeit") << "ablesezeit" << int(Qt::Key_Up);
    QTest::newRow("Ablesefehler") << "ablesefehler" << int(Qt::Key_Up);
    QTest::newRow("Startwert") << "startwert" << int(Qt::Key_1);
}

// "Abbruch", Escape, or a change of the message or a setting while a message is under way: the line
// stops, every station looks as at rest, without a character, and nothing is received.
void TstLinienfenster::aenderungStelltZurueck()
{
    QFETCH(QString, teil);
    QFETCH(int, taste);
    Linienfenster w(eingebetteterCode());
    w.setTakt(std::chrono::milliseconds::zero());
    w.setStationen(3);
    w.show();
    QTest::keyClick(&::teil<QLineEdit>(w, "nachricht"), Qt::Key_Return);
    const QLabel& empfangen = ::teil<QLabel>(w, "empfangen");
    while (empfangen.accessibleName() != QLatin1String("Angekommen: S"))
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    QCOMPARE(::teil<QLabel>(w, "zeit").accessibleName(), QStringLiteral("läuft …"));
    // Spoken when they change, by their names, not by their form rows' labels.
    for (const char* zeile : {"empfangen", "zeit"}) {
        const QAccessibleInterface* i =
            QAccessible::queryAccessibleInterface(&::teil<QLabel>(w, zeile));
        QCOMPARE(i->role(), QAccessible::Notification);
        QVERIFY(i->relations(QAccessible::Label).isEmpty());
    }
    QTest::keyClick(&::teil<QWidget>(w, qPrintable(teil)), Qt::Key(taste));
    QTest::qWait(20);
    QCOMPARE(::teil<QPushButton>(w, "senden").text(), QStringLiteral("&Senden"));
    QCOMPARE(empfangen.text(), QString());
    const QList<Station*> stationen = w.findChildren<Station*>();
    for (int k = 1; k <= stationen.size(); ++k)
        QCOMPARE(stationen[k - 1]->grab().toImage(), Station(k).grab().toImage());
}

// "TELEGRAFENLINIE" over 6 stations with 20 % misreads: a row per character and a column per
// station, every cell filled once the run has ended, and saving allowed only then.
void TstLinienfenster::lehrersicht()
{
    Linie l(6, QStringLiteral("TELEGRAFENLINIE"), QStringLiteral("11"), 20);
    const QAbstractItemModel* tabelle = teil<QTableView>(l.w, "werlaswas").model();
    QPushButton& speichern = teil<QPushButton>(l.w, "speichern");
    l.senden.click();
    QCOMPARE(tabelle->rowCount(), 15);
    QCOMPARE(tabelle->columnCount(), 6);
    QCOMPARE(tabelle->headerData(5, Qt::Horizontal).toString(), QStringLiteral("Station 6"));
    QVERIFY(!speichern.isEnabled());
    QVERIFY(l.ende());
    QVERIFY(speichern.isEnabled());
    for (int z = 0; z < 15; ++z) {
        for (int s = 0; s < 6; ++s)
            QCOMPARE(tabelle->index(z, s).data().toString().size(), 1);
    }
    QCOMPARE(l.text("laufstart"), QStringLiteral("Startwert dieses Laufs: 11"));
}

void TstLinienfenster::verlaufSpeichern_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("gespeichert");
    QTest::newRow("PNG") << "lauf.png" << true;
    QTest::newRow("PDF") << "lauf.pdf" << true;
    QTest::newRow("Ordner fehlt") << "fehlt/lauf.png" << false;
}

// Ctrl+S asks once where; the chart and the CSV beside it are written, or the window says in
// German why not and leaves nothing behind.
void TstLinienfenster::verlaufSpeichern()
{
    QFETCH(QString, name);
    QFETCH(bool, gespeichert);
    QTemporaryDir ordner;
    Linie l(2, QStringLiteral("SOS"), QStringLiteral("5"));
    l.senden.click();
    QVERIFY(l.ende());
    QTest::keyClick(&l.w, Qt::Key_S, Qt::ControlModifier);
    QFileDialog* dialog = l.w.findChild<QFileDialog*>();
    QVERIFY(dialog);
    const QString pfad = ordner.filePath(name);
    dialog->selectFile(pfad);
    QMetaObject::invokeMethod(dialog, "accept");
    const QString csv = pfad.left(pfad.size() - 3) + QStringLiteral("csv");
    QCOMPARE(QFileInfo::exists(pfad), gespeichert);
    QCOMPARE(QFileInfo::exists(csv), gespeichert);
    QCOMPARE(l.text("meldung").startsWith(QStringLiteral("Gespeichert: ")), gespeichert);
    QCOMPARE(l.text("meldung").startsWith(QStringLiteral("Nicht gespeichert: ")), !gespeichert);
}

// Stopped, no station moves however long; going on, the line plays the same course to the end,
// its time without the pause.
void TstLinienfenster::anhaltenUndWeiter()
{
    Linie l(4, QStringLiteral("SOS"), QStringLiteral("7"), 30);
    const QString erwartet = l.text("erwartet");
    QPushButton& anhalten = teil<QPushButton>(l.w, "anhalten");
    // Stopped after the 300th frame, from the frame clock itself, whatever the machine's load.
    int bilder = 0;
    QObject::connect(l.w.findChild<Bildtakt*>(), &Bildtakt::bild, &anhalten, [&] {
        if (++bilder == 300)
            anhalten.click();
    });
    l.senden.click();
    QVERIFY(QTest::qWaitFor([&] { return bilder >= 300; }));
    QCOMPARE(anhalten.text(), QStringLiteral("Weite&r"));
    QCOMPARE(l.text("zeit"), QStringLiteral("angehalten"));
    // The stations, not the message line, whose cursor blinks.
    QWidget& linie = teil<QWidget>(l.w, "linie");
    const QImage vorher = linie.grab().toImage();
    QTest::qWait(300);
    QCOMPARE(linie.grab().toImage(), vorher);
    QVERIFY(l.laeuft());
    anhalten.click();
    QCOMPARE(anhalten.text(), QStringLiteral("An&halten"));
    QVERIFY(l.ende());
    QCOMPARE(l.text("zeit"), erwartet);
    QVERIFY(!anhalten.isEnabled());
}

// Without a seed: the run says which seed it had, the time shown as expected afterwards is the
// one the next "Senden" takes, and that seed typed in plays the first run again.
void TstLinienfenster::erwartetGehoertZumNaechstenLauf()
{
    Linie l(8, QStringLiteral("Depesche aus Berlin"), QString(), 30);
    l.senden.click();
    QVERIFY(l.ende());
    const QString erster = l.text("zeit");
    const QString startwert = l.text("laufstart").section(QLatin1Char(' '), -1);
    const QString naechster = l.text("erwartet");
    l.senden.click();
    QVERIFY(l.ende());
    QCOMPARE(l.text("zeit"), naechster);
    teil<QLineEdit>(l.w, "startwert").setText(startwert);
    QCOMPARE(l.text("erwartet"), erster);
}

void TstLinienfenster::returnUndEnter_data()
{
    QTest::addColumn<QString>("teil");
    QTest::addColumn<int>("taste");
    QTest::addColumn<bool>("waehrendLauf");
    QTest::addColumn<bool>("laeuft");
    for (const char* t : {"nachricht", "startwert", "stationen", "ablesezeit", "ablesefehler"}) {
        QTest::addRow("Return in %s", t) << t << int(Qt::Key_Return) << false << true;
        QTest::addRow("Enter in %s", t) << t << int(Qt::Key_Enter) << false << true;
        QTest::addRow("Return in %s beim Lauf", t) << t << int(Qt::Key_Return) << true << true;
    }
    QTest::newRow("Return auf Senden") << "senden" << int(Qt::Key_Return) << false << true;
    QTest::newRow("Enter auf Abbruch") << "senden" << int(Qt::Key_Enter) << true << false;
}

// Return and Enter press the focused button; in a field they send while the line stands, and
// leave a run alone.
void TstLinienfenster::returnUndEnter()
{
    QFETCH(QString, teil);
    QFETCH(int, taste);
    QFETCH(bool, waehrendLauf);
    QFETCH(bool, laeuft);
    Linie l(2, QStringLiteral("SOS SOS SOS"), QStringLiteral("1"));
    l.w.setTakt(std::chrono::milliseconds(4));
    if (waehrendLauf)
        l.senden.click();
    QWidget& ziel = ::teil<QWidget>(l.w, qPrintable(teil));
    ziel.setFocus();
    QTest::keyClick(&ziel, Qt::Key(taste));
    QTest::qWait(50);
    QCOMPARE(l.laeuft(), laeuft);
}

void TstLinienfenster::nichtsZuSenden_data()
{
    QTest::addColumn<QString>("nachricht");
    QTest::addColumn<QString>("hinweis");
    QTest::newRow("leer") << ""
                          << "Nichts zu senden: die Nachricht ist leer.";
    QTest::newRow("!!!") << "!!!"
                         << "Nichts zu senden: kein Zeichen der Nachricht hat ein Signal (nur "
                            "Buchstaben, Ziffern, & und Leerzeichen).";
    QTest::newRow("SOS") << "SOS"
                         << "";
}

void TstLinienfenster::nichtsZuSenden()
{
    QFETCH(QString, nachricht);
    QFETCH(QString, hinweis);
    Linie l(2, nachricht, QString());
    QCOMPARE(l.senden.isEnabled(), hinweis.isEmpty());
    QCOMPARE(teil<QLabel>(l.w, "hinweis").isVisible(), !hinweis.isEmpty());
    if (!hinweis.isEmpty())
        QCOMPARE(l.text("hinweis"), hinweis);
    QTest::keyClick(&teil<QLineEdit>(l.w, "nachricht"), Qt::Key_Return);
    QCOMPARE(l.laeuft(), hinweis.isEmpty());
}

// While every station stands and an operator reads, the frame clock sleeps: ten seconds of
// reading cost at most ten frames more than half a second does.
void TstLinienfenster::ruheOhneWecken()
{
    const auto bilder = [](double ablesezeit) {
        Linie l(2, QStringLiteral("E"), QStringLiteral("1"));
        teil<SpinBox>(l.w, "ablesezeit").setValue(ablesezeit);
        int anzahl = 0;
        QObject::connect(l.w.findChild<Bildtakt*>(), &Bildtakt::bild, [&] { ++anzahl; });
        l.senden.click();
        return l.ende() ? anzahl : -1;
    };
    const int kurz = bilder(0.5), lang = bilder(10.0);
    QVERIFY(kurz > 0);
    QVERIFY2(lang - kurz <= 10, qPrintable(QStringLiteral("%1 / %2").arg(kurz).arg(lang)));
}

void TstLinienfenster::ablesezeitGrenzen_data()
{
    QTest::addColumn<int>("taste");
    QTest::addColumn<int>("mal");
    QTest::addColumn<double>("grenze");
    // From 2.0 s: 80 steps of 0.1 s reach 10.0, 15 reach 0.5; a few more press past each bound.
    QTest::newRow("Pfeil hoch") << int(Qt::Key_Up) << 85 << 10.0;
    QTest::newRow("Pfeil runter") << int(Qt::Key_Down) << 20 << 0.5;
}

// The reading time reaches its bounds, 0.5 and 10.0 s, by the arrow keys (the page keys do not
// step it), and goes no further.
void TstLinienfenster::ablesezeitGrenzen()
{
    QFETCH(int, taste);
    QFETCH(int, mal);
    QFETCH(double, grenze);
    Linienfenster w(eingebetteterCode());
    SpinBox& feld = teil<SpinBox>(w, "ablesezeit");
    for (int i = 0; i < mal; ++i)
        QTest::keyClick(&feld, Qt::Key(taste));
    QCOMPARE(feld.value(), grenze);
}

QTEST_MAIN(TstLinienfenster)
#include "tst_linienfenster.moc"
