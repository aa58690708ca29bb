// The line's window as a user drives it: a message sent over four stations arrives, station
// after station; with misreads and a seed, two runs receive the same.
#include "tests/fenster.h"

#include "widgets/station.h"
#include "window/linienfenster.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

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

} // namespace

class TstLinienfenster : public QObject {
    Q_OBJECT
private slots:
    void sosKommtAn();
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
        erwartet << ::teil<QLabel>(w, "zeit").text();
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
    while (empfangen.accessibleName() != QLatin1String("Empfangen: S"))
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

QTEST_MAIN(TstLinienfenster)
#include "tst_linienfenster.moc"
