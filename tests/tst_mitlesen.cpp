// Reading along: while the playback runs, the memo marks the character the telegraph is
// sending, without touching the user's cursor, selection or typing.
#include "umix2.h"

#include "paintbox.h"
#include "timer.h"

#include <QAccessible>
#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

namespace {

bool oeffnen(Tpformx11& w, const QString& nachricht)
{
    w.takt = std::chrono::milliseconds::zero();
    w.show();
    if (!QTest::qWaitForWindowExposed(&w))
        return false;
    QApplication::setActiveWindow(&w);
    w.Me8->setPlainText(nachricht);
    w.Timer1->setInterval(3600 * 1000);
    return QTest::qWaitFor([&] { return w.Me8->hasFocus(); });
}

// The marked stretch of the memo as "anfang-ende", or nothing.
QString marke(const Tpformx11& w)
{
    const QList<QTextEdit::ExtraSelection> marken = w.Me8->extraSelections();
    if (marken.isEmpty())
        return {};
    const QTextCursor& c = marken.front().cursor;
    return QStringLiteral("%1-%2").arg(c.selectionStart()).arg(c.selectionEnd());
}

QString gezeigt(const Tpformx11& w)
{
    return QString(QLatin1Char(w.zeichen));
}

} // namespace

class TstMitlesen : public QObject {
    Q_OBJECT
private slots:
    void markeFolgtDerNachricht();
    void anhaltenNimmtDieMarke_data();
    void anhaltenNimmtDieMarke();
    void tippenWaehrendDerWiedergabe();
    void markeBleibtBeiIhremZeichen_data();
    void markeBleibtBeiIhremZeichen();
    void markeRolltInSicht();
};

// "Grüße" is sent as G R U E S S E; Ü stays marked for U and E, ß for both S. The cursor and
// the user's selection stay where they were, and the scene still names the character.
void TstMitlesen::markeFolgtDerNachricht()
{
    Tpformx11 w;
    QVERIFY(oeffnen(w, QStringLiteral("Grüße")));
    QTextCursor auswahl(w.Me8->document());
    auswahl.setPosition(1);
    auswahl.setPosition(3, QTextCursor::KeepAnchor);
    w.Me8->setTextCursor(auswahl);
    w.B13->click();
    QCOMPARE(marke(w), QString());

    const QStringList erwartet{"G 0-1", "R 1-2", "U 2-3", "E 2-3", "S 3-4",
                               "S 3-4", "E 4-5", "G 0-1", "R 1-2"};
    for (const QString& schritt : erwartet) {
        emit w.Timer1->tick();
        QCOMPARE(gezeigt(w) + QLatin1Char(' ') + marke(w), schritt);
        QCOMPARE(w.Me8->textCursor().anchor(), 1);
        QCOMPARE(w.Me8->textCursor().position(), 3);
    }
    const QAccessibleInterface* szene = QAccessible::queryAccessibleInterface(w.PB13);
    QVERIFY(szene->text(QAccessible::Description)
                .startsWith(QStringLiteral("Der Telegraf zeigt das Zeichen R.")));
    // The mark is a background of its own, not a selection's colours.
    QVERIFY(w.Me8->extraSelections().front().format.hasProperty(QTextFormat::BackgroundBrush));
}

void TstMitlesen::anhaltenNimmtDieMarke_data()
{
    QTest::addColumn<QString>("wie");
    QTest::newRow("Knopf") << "knopf";
    QTest::newRow("Escape") << "escape";
    QTest::newRow("Klick ins Alphabet") << "klick";
    QTest::newRow("Taste im Alphabet") << "taste";
    QTest::newRow("neu gestartet") << "neustart";
    QTest::newRow("Nachricht geleert") << "leer";
}

void TstMitlesen::anhaltenNimmtDieMarke()
{
    QFETCH(QString, wie);

    Tpformx11 w;
    QVERIFY(oeffnen(w, QStringLiteral("abc")));
    w.B13->click();
    emit w.Timer1->tick();
    emit w.Timer1->tick();
    QCOMPARE(marke(w), QStringLiteral("1-2"));

    if (wie == QLatin1String("knopf")) {
        w.B13->click();
    } else if (wie == QLatin1String("escape")) {
        QTest::keyClick(w.Me8, Qt::Key_Escape);
    } else if (wie == QLatin1String("klick")) {
        QTest::mouseClick(w.PBz, Qt::LeftButton, {}, QPoint(15, 15));
    } else if (wie == QLatin1String("taste")) {
        w.PBz->setFocus();
        QTest::keyClick(w.PBz, Qt::Key_K);
    } else if (wie == QLatin1String("neustart")) {
        w.B13->click();
        w.B13->click();
    } else {
        w.Me8->clear();
        emit w.Timer1->tick();
    }
    QCOMPARE(marke(w), QString());
    QCOMPARE(w.Timer1->enabled(), wie == QLatin1String("neustart") || wie == QLatin1String("leer"));
}

// Typing goes on as usual while the playback runs; the mark stays on its character as the
// text around it changes, and the next tick marks in the text as it then is.
void TstMitlesen::tippenWaehrendDerWiedergabe()
{
    Tpformx11 w;
    QVERIFY(oeffnen(w, QStringLiteral("abc")));
    w.Me8->moveCursor(QTextCursor::End);
    w.B13->click();
    emit w.Timer1->tick();
    QCOMPARE(marke(w), QStringLiteral("0-1"));

    QTest::keyClicks(w.Me8, QStringLiteral("xy"));
    QCOMPARE(w.Me8->toPlainText(), QStringLiteral("abcxy"));
    QCOMPARE(w.Me8->textCursor().position(), 5);
    QCOMPARE(marke(w), QStringLiteral("0-1"));

    w.Me8->moveCursor(QTextCursor::Start);
    QTest::keyClicks(w.Me8, QStringLiteral("Ä "));
    QCOMPARE(w.Me8->toPlainText(), QStringLiteral("Ä abcxy"));
    QCOMPARE(w.Me8->textCursor().position(), 2);
    QCOMPARE(marke(w), QStringLiteral("2-3"));

    // "Ä abcxy" sends A E A B C X Y; the second is E, from the Ä.
    emit w.Timer1->tick();
    QCOMPARE(gezeigt(w), QStringLiteral("E"));
    QCOMPARE(marke(w), QStringLiteral("0-1"));
    QCOMPARE(w.Me8->textCursor().position(), 2);
    QVERIFY(w.Me8->hasFocus());
}

void TstMitlesen::markeBleibtBeiIhremZeichen_data()
{
    // "abc" with "b" marked; the cursor is put at `wo` and the keys typed there; then the text
    // and the mark. Typing next to the mark never takes the new text in; deleting or typing
    // over its character takes the mark away.
    QTest::addColumn<int>("wo");
    QTest::addColumn<QString>("tasten");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("markiert");

    QTest::newRow("direkt dahinter") << 2 << "xy"
                                     << "abxyc"
                                     << "1-2";
    QTest::newRow("direkt davor") << 1 << "xy"
                                  << "axybc"
                                  << "3-4";
    QTest::newRow("weiter hinten") << 3 << "xy"
                                   << "abcxy"
                                   << "1-2";
    QTest::newRow("davor gelöscht") << 1 << "\b"
                                    << "bc"
                                    << "0-1";
    QTest::newRow("dahinter gelöscht") << 2 << "\x7f"
                                       << "ab"
                                       << "1-2";
    QTest::newRow("Zeichen gelöscht") << 1 << "\x7f"
                                      << "ac"
                                      << "";
    QTest::newRow("Zeichen zurückgelöscht") << 2 << "\b"
                                            << "ac"
                                            << "";
    QTest::newRow("Zeichen überschrieben") << -1 << "z"
                                           << "azc"
                                           << "";
}

void TstMitlesen::markeBleibtBeiIhremZeichen()
{
    QFETCH(int, wo);
    QFETCH(QString, tasten);
    QFETCH(QString, text);
    QFETCH(QString, markiert);

    Tpformx11 w;
    QVERIFY(oeffnen(w, QStringLiteral("abc")));
    w.B13->click();
    emit w.Timer1->tick();
    emit w.Timer1->tick();
    QCOMPARE(marke(w), QStringLiteral("1-2"));

    QTextCursor cursor = w.Me8->textCursor();
    cursor.setPosition(wo < 0 ? 1 : wo);
    if (wo < 0) // the marked character selected
        cursor.setPosition(2, QTextCursor::KeepAnchor);
    w.Me8->setTextCursor(cursor);
    for (const QChar taste : tasten) {
        if (taste == QLatin1Char('\b'))
            QTest::keyClick(w.Me8, Qt::Key_Backspace);
        else if (taste == QChar(0x7f))
            QTest::keyClick(w.Me8, Qt::Key_Delete);
        else
            QTest::keyClick(w.Me8, taste.toLatin1());
    }

    QCOMPARE(w.Me8->toPlainText(), text);
    QCOMPARE(marke(w), markiert);
}

// A marked character out of view is scrolled into it, without moving the cursor.
void TstMitlesen::markeRolltInSicht()
{
    QStringList zeilen;
    for (int i = 1; i <= 100; ++i)
        zeilen << QStringLiteral("Zeile %1").arg(i);
    Tpformx11 w;
    QVERIFY(oeffnen(w, zeilen.join(QLatin1Char('\n'))));
    w.Me8->moveCursor(QTextCursor::Start);
    QScrollBar* rollen = w.Me8->verticalScrollBar();
    QCOMPARE(rollen->value(), 0);

    const auto markeSichtbar = [&] {
        QTextCursor c = w.Me8->extraSelections().front().cursor;
        c.setPosition(c.selectionStart());
        const QRect ort = w.Me8->cursorRect(c);
        return ort.top() >= 0 && ort.bottom() < w.Me8->viewport()->height();
    };

    // "Zeile 1" to "Zeile 9" send six characters each, "Zeile 10" to "Zeile 79" seven.
    w.B13->click();
    w.position = 9 * 6 + 70 * 7;
    emit w.Timer1->tick();
    QCOMPARE(gezeigt(w), QStringLiteral("Z"));
    const int zeile80 = static_cast<int>(w.Me8->toPlainText().indexOf(QStringLiteral("Zeile 80")));
    QCOMPARE(marke(w), QStringLiteral("%1-%2").arg(zeile80).arg(zeile80 + 1));
    QVERIFY(rollen->value() > 0);
    QVERIFY(markeSichtbar());
    QCOMPARE(w.Me8->textCursor().position(), 0);

    // Within view nothing moves; after the last character the mark goes back to the top.
    const int oben = rollen->value();
    emit w.Timer1->tick();
    QCOMPARE(rollen->value(), oben);
    w.position = 700;
    emit w.Timer1->tick();
    QCOMPARE(marke(w), QStringLiteral("0-1"));
    QCOMPARE(rollen->value(), 0);
    QCOMPARE(w.Me8->textCursor().position(), 0);
}

QTEST_MAIN(TstMitlesen)
#include "tst_mitlesen.moc"
