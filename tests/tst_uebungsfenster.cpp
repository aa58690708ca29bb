// The trainer's window as a learner uses it, by keys: naming, setting and reading signals,
// rounds with a seed, and the progress kept in its folder.
#include "tests/abgeschnitten.h"
#include "tests/fenster.h"

#include "window/uebungsfenster.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

Q_DECLARE_METATYPE(Uebungsart)

namespace {

// The character whose signal the telegraph stands in, read off the hand-typed table.
QChar zeichenBei(const Stellung& s)
{
    for (const auto& [z, signal] : signaltafel)
        if (signal == s)
            return QLatin1Char(z);
    return QLatin1Char('?');
}

struct Trainer {
    QTemporaryDir ordner;
    Uebungsfenster w{eingebetteterCode(), ordner.path()};
    Telegraf& telegraf = teil<Telegraf>(w, "telegraf");
    QLabel& status = teil<QLabel>(w, "status");

    // Shows the window and begins a round of `art`, 10 questions, with `startwert`.
    bool beginne(Uebungsart art, std::optional<std::uint64_t> startwert = 7)
    {
        telegraf.setTakt(std::chrono::milliseconds::zero());
        w.show();
        if (!QTest::qWaitForWindowExposed(&w))
            return false;
        QApplication::setActiveWindow(&w);
        w.waehle(art, startwert);
        QTest::keyClick(&teil<QWidget>(w, "beginnen"), Qt::Key_Return);
        return true;
    }
    void taste(Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); }
    bool still() { return ::still(telegraf); }
};

// Names the signal the trainer's telegraph stands in once it stands, by its key, as a learner
// who reads it right would; the trainer's verdict.
QString nenneGezeigtes(QWidget& trainer)
{
    const Telegraf& telegraf = teil<Telegraf>(trainer, "telegraf");
    still(telegraf);
    QTest::keyClick(&teil<QWidget>(trainer, "feld"),
                    zeichenBei(telegraf.altwinkel()).toLower().toLatin1());
    return teil<QLabel>(trainer, "status").text();
}

// The first control of the side panel that is cut off, squeezed below the size it needs, or
// lies on another one; empty when every control shows whole.
QString abgeschnitten(const QWidget& trainer)
{
    const QWidget& seite = teil<QWidget>(trainer, "seite");
    return ::abgeschnitten(seite, gezeigteKinder(seite));
}

} // namespace

class TstUebungsfenster : public QObject {
    Q_OBJECT
private slots:
    void erkennenMitStartwert();
    void stellenMitTasten();
    void mitlesen();
    void fortschrittBleibt();
    void allesBenannt();
    void zweimalGeoeffnet();
    void tasten();
    void neueRundeWaehrendBewegung();
    void startwertVonAssistenz();
    void passtAufBeamer_data();
    void passtAufBeamer();
};

// Naming by keys: right and wrong answers in turn, Return for the next question, and the
// result with its table after ten, which one more Return leaves standing.
void TstUebungsfenster::erkennenMitStartwert()
{
    Trainer t;
    QVERIFY(t.beginne(Uebungsart::Erkennen));
    for (int i = 0; i < 10; ++i) {
        QVERIFY(t.still());
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("feld"));
        const QChar zeichen = zeichenBei(t.telegraf.altwinkel());
        const QChar antwort = i % 2 == 0 ? zeichen : zeichen == QLatin1Char('A') ? 'B' : 'A';
        QTest::keyClick(QApplication::focusWidget(), antwort.toLower().toLatin1());
        QCOMPARE(
            t.status.text(),
            i % 2 == 0
                ? QStringLiteral("Richtig: „%1“.").arg(zeichen)
                : QStringLiteral("Falsch: Das Signal war „%1“, nicht „%2“.").arg(zeichen, antwort));
        QCOMPARE(t.telegraf.zeichen(), zeichen.toLatin1());
        QCOMPARE(QApplication::focusWidget()->accessibleDescription(), t.status.text());
        t.taste(Qt::Key_Return);
    }
    t.taste(Qt::Key_Return);
    QVERIFY2(t.status.text().startsWith(QStringLiteral("Ergebnis: 5 von 10 richtig (50 %).")),
             qPrintable(t.status.text()));
    QCOMPARE(teil<QTableWidget>(t.w, "ergebnis").rowCount(), 10);
    QCOMPARE(abgeschnitten(t.w), QString());
}

// Setting by keys from rest: 1, 2, 3 choose a beam, Right turns it 45 degrees clockwise on
// screen (the regulator's angle down, an indicator's up), Return checks.
void TstUebungsfenster::stellenMitTasten()
{
    Trainer t;
    QVERIFY(t.beginne(Uebungsart::Stellen));
    const QString status = t.status.text();
    QVERIFY(status.startsWith(QStringLiteral("Stelle das Signal für „")));
    const QChar zeichen = status.at(status.indexOf(QStringLiteral("„")) + 1);
    const Stellung ziel = signalVon(zeichen.toLatin1());
    const int schritte[] = {(ruhestellung.regulator - ziel.regulator + 720) % 360 / 45,
                            (ziel.indikator1 - ruhestellung.indikator1 + 720) % 360 / 45,
                            (ziel.indikator2 - ruhestellung.indikator2 + 720) % 360 / 45};
    for (int balken = 0; balken < 3; ++balken) {
        t.taste(Qt::Key(Qt::Key_1 + balken));
        for (int i = 0; i < schritte[balken]; ++i)
            t.taste(Qt::Key_Right);
    }
    t.taste(Qt::Key_Return);
    QCOMPARE(t.status.text(), QStringLiteral("Richtig: „%1“.").arg(zeichen));

    // Wrong: the telegraph then turns to the right signal, also when the mouse still holds the
    // regulator by its end and moves meanwhile.
    t.taste(Qt::Key_Return);
    QTest::mousePress(&t.telegraf, Qt::LeftButton, {}, QPoint(339, 251));
    t.taste(Qt::Key_2);
    QCOMPARE(QAccessible::queryAccessibleInterface(&teil<QLabel>(t.w, "balken"))
                 ->text(QAccessible::Name)
                 .section(u' ', -2),
             QStringLiteral("erster Flügel."));
    t.taste(Qt::Key_Left);
    t.taste(Qt::Key_Return);
    QVERIFY2(t.status.text().startsWith(QStringLiteral("Falsch: Das Signal war „")),
             qPrintable(t.status.text()));
    QTest::mouseMove(&t.telegraf, QPoint(400, 400));
    QTest::mouseRelease(&t.telegraf, Qt::LeftButton, {}, QPoint(400, 400));
    QVERIFY(t.still());
    QCOMPARE(zeichenBei(t.telegraf.altwinkel()), t.status.text().at(24));
}

// Reading along: what the telegraph turned to, letter by letter, typed back with one letter
// wrong, and checked with Return before the word has ended.
void TstUebungsfenster::mitlesen()
{
    Trainer t;
    QString gesehen;
    QObject::connect(&t.telegraf, &Telegraf::steht, &t.w,
                     [&] { gesehen += zeichenBei(t.telegraf.altwinkel()); });
    teil<SpinBox>(t.w, "abstand").setValue(1.0);
    QVERIFY(t.beginne(Uebungsart::Mitlesen));
    QTRY_VERIFY_WITH_TIMEOUT(gesehen.size() >= 3, 30000);
    const QString gelesen = gesehen.left(gesehen.size() - 1) + QLatin1Char('&');
    QTest::keyClicks(QApplication::focusWidget(), gelesen);
    // The Alt key of "Weiter", which waits switched off, types nothing.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_W, Qt::AltModifier);
    t.taste(Qt::Key_Return);
    QVERIFY2(t.status.text().startsWith(QStringLiteral("Gesendet: „%1").arg(gesehen)),
             qPrintable(t.status.text()));
    QVERIFY(t.status.text().contains(
        QStringLiteral("Gelesen: „%1“. %2 von ").arg(gelesen).arg(gesehen.size() - 1)));
}

// Answers are kept at once; a damaged file is kept beside and the trainer starts afresh.
void TstUebungsfenster::fortschrittBleibt()
{
    QTemporaryDir ordner;
    {
        Uebungsfenster w(eingebetteterCode(), ordner.path());
        teil<QCheckBox>(w, "alleZeichen").setChecked(true);
    }
    {
        Uebungsfenster w(eingebetteterCode(), ordner.path());
        QVERIFY(teil<QCheckBox>(w, "alleZeichen").isChecked());
    }
    QFile datei(ordner.filePath(QStringLiteral("fortschritt.json")));
    QVERIFY(datei.open(QIODevice::WriteOnly | QIODevice::Truncate));
    datei.write("{kaputt");
    datei.close();
    Uebungsfenster w(eingebetteterCode(), ordner.path());
    QVERIFY(!teil<QCheckBox>(w, "alleZeichen").isChecked());
    QVERIFY(teil<QLabel>(w, "status").text().contains(QStringLiteral("beschaedigt")));
    QVERIFY(QFile::exists(ordner.filePath(QStringLiteral("fortschritt.json.beschaedigt"))));
    // Damaged again while this trainer is open: set aside at the next change, and told.
    QVERIFY(datei.open(QIODevice::WriteOnly | QIODevice::Truncate) && datei.write("{kaputt") > 0);
    datei.close();
    teil<QCheckBox>(w, "alleZeichen").setChecked(true);
    QVERIFY(teil<QLabel>(w, "status").text().contains(QStringLiteral("beschaedigt-2")));
}

// Every control a learner reaches has a German name for screen readers, and the window is one.
void TstUebungsfenster::allesBenannt()
{
    Trainer t;
    QVERIFY(t.beginne(Uebungsart::Erkennen, std::nullopt));
    QCOMPARE(QAccessible::queryAccessibleInterface(&t.w)->text(QAccessible::Name),
             QStringLiteral("Signale üben – Vellard-Telegraf"));
    // The lines that tell what goes on are notifications, which readers speak when told.
    for (const char* zeile : {"status", "balken"})
        QCOMPARE(QAccessible::queryAccessibleInterface(&teil<QLabel>(t.w, zeile))->role(),
                 QAccessible::Notification);
    // A combo box's value is in its description, which readers speak with the focus.
    t.w.waehle(Uebungsart::Stellen, std::nullopt);
    QCOMPARE(QAccessible::queryAccessibleInterface(&teil<QWidget>(t.w, "uebung"))
                 ->text(QAccessible::Description),
             QStringLiteral("Stellen"));
    for (QWidget* teil : t.w.findChildren<QWidget*>()) {
        if (teil->focusPolicy() != Qt::NoFocus && !teil->focusProxy() && teil->isVisibleTo(&t.w))
            QVERIFY2(
                !QAccessible::queryAccessibleInterface(teil)->text(QAccessible::Name).isEmpty(),
                qPrintable(teil->objectName()));
    }
}

// Opened from the main window, closed and opened again, the trainer shows what it asks.
void TstUebungsfenster::zweimalGeoeffnet()
{
    QStandardPaths::setTestModeEnabled(true);
    Fenster f;
    QVERIFY(f.oeffnen());
    for (int mal = 0; mal < 2; ++mal) {
        QApplication::setActiveWindow(&f.w);
        QTest::keyClick(&f.memo, Qt::Key_U, Qt::ControlModifier);
        Uebungsfenster* trainer = nullptr;
        QTRY_VERIFY((trainer = f.w.findChild<Uebungsfenster*>()) && trainer->isVisible());
        QCOMPARE(trainer->focusWidget()->objectName(), QStringLiteral("beginnen"));
        teil<Telegraf>(*trainer, "telegraf").setTakt(std::chrono::milliseconds::zero());
        trainer->waehle(Uebungsart::Erkennen, 7 + mal);
        teil<QPushButton>(*trainer, "beginnen").click();
        QCOMPARE(nenneGezeigtes(*trainer).left(8), QStringLiteral("Richtig:"));
        trainer->close();
    }
}

// "Runde beginnen" while the telegraph turns: what it then shows is the new round's question.
void TstUebungsfenster::neueRundeWaehrendBewegung()
{
    Trainer t;
    Aufnahme aufnahme(t.telegraf);
    aufnahme.beiBild = [&](qsizetype bild) {
        if (bild == 10) {
            t.w.waehle(Uebungsart::Erkennen, 8);
            teil<QPushButton>(t.w, "beginnen").click();
        }
    };
    QVERIFY(t.beginne(Uebungsart::Erkennen, 7));
    QCOMPARE(nenneGezeigtes(t.w).left(8), QStringLiteral("Richtig:"));
}

// A seed put into the field by assistive technology, as voice input does, makes the round: 42
// asks V first (the examination's figures in tst_uebung).
void TstUebungsfenster::startwertVonAssistenz()
{
    Trainer t;
    QVERIFY(t.beginne(Uebungsart::Erkennen, 7));
    QAccessibleInterface* feld =
        QAccessible::queryAccessibleInterface(&teil<QLineEdit>(t.w, "startwert"));
    feld->editableTextInterface()->replaceText(0, feld->textInterface()->characterCount(), "42");
    teil<QPushButton>(t.w, "beginnen").click();
    QVERIFY(t.still());
    QCOMPARE(zeichenBei(t.telegraf.altwinkel()), QLatin1Char('V'));
}

// Every Alt key reaches one control, and Tab goes down the form; Return presses the focused
// button; on the grid, Return names a character only once the learner moved to one.
void TstUebungsfenster::tasten()
{
    Trainer t;
    QStringList kuerzel;
    for (const QWidget* element : t.w.findChildren<QWidget*>())
        kuerzel << QKeySequence::mnemonic(element->property("text").toString()).toString();
    kuerzel.removeAll(QString());
    QCOMPARE(QSet<QString>(kuerzel.begin(), kuerzel.end()).size(), kuerzel.size());
    // Tab follows the form, from the seed to the interval below it.
    QWidget* naechstes = teil<QWidget>(t.w, "startwert").nextInFocusChain();
    while (naechstes->focusPolicy() == Qt::NoFocus)
        naechstes = naechstes->nextInFocusChain();
    QCOMPARE(naechstes->objectName(), QStringLiteral("abstand"));

    QVERIFY(t.beginne(Uebungsart::Stellen));
    teil<QWidget>(t.w, "beginnen").setFocus();
    t.taste(Qt::Key_Return);
    QVERIFY2(t.status.text().startsWith(QStringLiteral("Stelle das Signal für")),
             qPrintable(t.status.text()));

    t.w.waehle(Uebungsart::Erkennen, 7);
    teil<QPushButton>(t.w, "beginnen").click();
    t.taste(Qt::Key_Right);
    t.taste(Qt::Key_Return);
    QVERIFY(t.status.text().contains(QStringLiteral("„"))); // a verdict
    t.taste(Qt::Key_Return);                                // "Weiter"
    QVERIFY(t.still());
    t.taste(Qt::Key_Return);
    QVERIFY(t.status.text().startsWith(QStringLiteral("Wähle zuerst ein Zeichen")));
}

void TstUebungsfenster::passtAufBeamer_data()
{
    QTest::addColumn<Uebungsart>("art");
    QTest::newRow("Erkennen") << Uebungsart::Erkennen;
    QTest::newRow("Stellen") << Uebungsart::Stellen;
    QTest::newRow("Mitlesen") << Uebungsart::Mitlesen;
}

// On a 1024 x 768 projector, with a frame of 8 pixels at the sides and a title bar of 26 over
// it, the window fits above a panel of 48 pixels; every control of each exercise shows whole.
// The end of a round is looked at after naming.
void TstUebungsfenster::passtAufBeamer()
{
    QFETCH(Uebungsart, art);
    QVERIFY(Uebungsfenster::groesse.width() + 2 * 8 <= 1024);
    QVERIFY(Uebungsfenster::groesse.height() + 26 <= 768 - 48);
    Trainer t;
    QVERIFY(t.beginne(art));
    QCOMPARE(abgeschnitten(t.w), QString());
}

QTEST_MAIN(TstUebungsfenster)
#include "tst_uebungsfenster.moc"
