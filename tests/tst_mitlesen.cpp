// Reading along: while the playback runs, the memo marks the character the telegraph is
// sending, without touching the user's cursor, selection or typing.
#include "tests/fenster.h"

#include <QAccessible>
#include <QClipboard>
#include <QMimeData>
#include <QScrollBar>

namespace {

// The marked stretch of the memo as "anfang-ende", or nothing.
QString marke(const QPlainTextEdit& memo)
{
    const QList<QTextEdit::ExtraSelection> marken = memo.extraSelections();
    if (marken.isEmpty())
        return {};
    const QTextCursor& c = marken.front().cursor;
    return QStringLiteral("%1-%2").arg(c.selectionStart()).arg(c.selectionEnd());
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
    Fenster f;
    QVERIFY(f.oeffnen(QStringLiteral("Grüße")));
    QTextCursor auswahl(f.memo.document());
    auswahl.setPosition(1);
    auswahl.setPosition(3, QTextCursor::KeepAnchor);
    f.memo.setTextCursor(auswahl);
    f.knopf.click();
    QCOMPARE(marke(f.memo), QString());

    const QStringList erwartet{"G 0-1", "R 1-2", "U 2-3", "E 2-3", "S 3-4",
                               "S 3-4", "E 4-5", "G 0-1", "R 1-2"};
    for (const QString& schritt : erwartet) {
        f.tick();
        QCOMPARE(f.gezeigt() + QLatin1Char(' ') + marke(f.memo), schritt);
        QCOMPARE(f.memo.textCursor().anchor(), 1);
        QCOMPARE(f.memo.textCursor().position(), 3);
    }
    const QAccessibleInterface* szene = QAccessible::queryAccessibleInterface(&f.telegraf);
    QVERIFY(szene->text(QAccessible::Description)
                .startsWith(QStringLiteral("Der Telegraf zeigt das Zeichen R.")));
    // The mark is a background of its own, not a selection's colours.
    QVERIFY(f.memo.extraSelections().front().format.hasProperty(QTextFormat::BackgroundBrush));
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

    Fenster f;
    QVERIFY(f.oeffnen(QStringLiteral("abc")));
    f.knopf.click();
    f.tick();
    f.tick();
    QCOMPARE(marke(f.memo), QStringLiteral("1-2"));

    if (wie == QLatin1String("knopf")) {
        f.knopf.click();
    } else if (wie == QLatin1String("escape")) {
        QTest::keyClick(&f.memo, Qt::Key_Escape);
    } else if (wie == QLatin1String("klick")) {
        f.klicke('A');
    } else if (wie == QLatin1String("taste")) {
        f.feld.setFocus();
        QTest::keyClick(&f.feld, Qt::Key_K);
    } else if (wie == QLatin1String("neustart")) {
        f.knopf.click();
        f.knopf.click();
    } else {
        f.memo.clear();
        f.tick();
    }
    QCOMPARE(marke(f.memo), QString());
    QCOMPARE(f.timer.enabled(), wie == QLatin1String("neustart") || wie == QLatin1String("leer"));
}

// Typing goes on as usual while the playback runs; the mark stays on its character as the
// text around it changes, and the next tick marks in the text as it then is.
void TstMitlesen::tippenWaehrendDerWiedergabe()
{
    Fenster f;
    QVERIFY(f.oeffnen(QStringLiteral("abc")));
    f.memo.moveCursor(QTextCursor::End);
    f.knopf.click();
    f.tick();
    QCOMPARE(marke(f.memo), QStringLiteral("0-1"));

    QTest::keyClicks(&f.memo, QStringLiteral("xy"));
    QCOMPARE(f.memo.toPlainText(), QStringLiteral("abcxy"));
    QCOMPARE(f.memo.textCursor().position(), 5);
    QTRY_COMPARE(marke(f.memo), QStringLiteral("0-1"));

    f.memo.moveCursor(QTextCursor::Start);
    QTest::keyClicks(&f.memo, QStringLiteral("Ä "));
    QCOMPARE(f.memo.toPlainText(), QStringLiteral("Ä abcxy"));
    QCOMPARE(f.memo.textCursor().position(), 2);
    QTRY_COMPARE(marke(f.memo), QStringLiteral("2-3"));

    // "Ä abcxy" sends A E A B C X Y; the second is E, from the Ä.
    f.tick();
    QCOMPARE(f.gezeigt(), QStringLiteral("E"));
    QCOMPARE(marke(f.memo), QStringLiteral("0-1"));
    QCOMPARE(f.memo.textCursor().position(), 2);
    QVERIFY(f.memo.hasFocus());

    // Ctrl+V with nothing on the clipboard pastes nothing.
    QGuiApplication::clipboard()->setMimeData(new QMimeData);
    QTest::keyClick(&f.memo, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.memo.toPlainText(), QStringLiteral("Ä abcxy"));
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
    QTest::newRow("davor gelöscht, rückgängig") << 1 << "\x17\x1a" // Ctrl+Backspace, Ctrl+Z
                                                << "abc"
                                                << "1-2";
    QTest::newRow("am Anfang eingefügt") << 0 << "\x16" // Ctrl+V, "xy" on the clipboard
                                         << "xyabc"
                                         << "3-4";
}

void TstMitlesen::markeBleibtBeiIhremZeichen()
{
    QFETCH(int, wo);
    QFETCH(QString, tasten);
    QFETCH(QString, text);
    QFETCH(QString, markiert);

    Fenster f;
    QVERIFY(f.oeffnen(QStringLiteral("abc")));
    f.knopf.click();
    f.tick();
    f.tick();
    QCOMPARE(marke(f.memo), QStringLiteral("1-2"));

    QTextCursor cursor = f.memo.textCursor();
    cursor.setPosition(wo < 0 ? 1 : wo);
    if (wo < 0) // the marked character selected
        cursor.setPosition(2, QTextCursor::KeepAnchor);
    f.memo.setTextCursor(cursor);
    QGuiApplication::clipboard()->setText(QStringLiteral("xy"));
    for (const QChar taste : tasten) {
        if (taste == QLatin1Char('\b'))
            QTest::keyClick(&f.memo, Qt::Key_Backspace);
        else if (taste == QChar(0x7f))
            QTest::keyClick(&f.memo, Qt::Key_Delete);
        else if (taste == QChar(0x16))
            QTest::keyClick(&f.memo, Qt::Key_V, Qt::ControlModifier);
        else if (taste == QChar(0x17))
            QTest::keyClick(&f.memo, Qt::Key_Backspace, Qt::ControlModifier);
        else if (taste == QChar(0x1a))
            QTest::keyClick(&f.memo, Qt::Key_Z, Qt::ControlModifier);
        else
            QTest::keyClick(&f.memo, taste.toLatin1());
    }

    QCOMPARE(f.memo.toPlainText(), text);
    QCoreApplication::processEvents(); // the memo is told of the mark after the edit
    QCOMPARE(marke(f.memo), markiert);
}

// A marked character out of view is scrolled into it, without moving the cursor. The memo
// sends "a" from its first line and "yz" from its 80th; the lines between send nothing.
void TstMitlesen::markeRolltInSicht()
{
    QStringList zeilen{QStringLiteral("a")};
    for (int i = 2; i <= 100; ++i)
        zeilen << (i == 80 ? QStringLiteral("yz") : QStringLiteral("..."));
    Fenster f;
    QVERIFY(f.oeffnen(zeilen.join(QLatin1Char('\n'))));
    f.memo.moveCursor(QTextCursor::Start);
    QScrollBar* rollen = f.memo.verticalScrollBar();
    const auto markeSichtbar = [&] {
        QTextCursor c = f.memo.extraSelections().front().cursor;
        c.setPosition(c.selectionStart());
        const QRect ort = f.memo.cursorRect(c);
        return ort.top() >= 0 && ort.bottom() < f.memo.viewport()->height();
    };

    f.knopf.click();
    f.tick();
    QCOMPARE(rollen->value(), 0);
    f.tick();
    QCOMPARE(f.gezeigt(), QStringLiteral("Y"));
    const int zeile80 = 2 + 78 * 4;
    QCOMPARE(marke(f.memo), QStringLiteral("%1-%2").arg(zeile80).arg(zeile80 + 1));
    QVERIFY(rollen->value() > 0);
    QVERIFY(markeSichtbar());
    QCOMPARE(f.memo.textCursor().position(), 0);

    // Within view nothing moves; after the last character the mark goes back to the top.
    const int oben = rollen->value();
    f.tick();
    QCOMPARE(rollen->value(), oben);
    f.tick();
    QCOMPARE(marke(f.memo), QStringLiteral("0-1"));
    QCOMPARE(rollen->value(), 0);
    QCOMPARE(f.memo.textCursor().position(), 0);
}

QTEST_MAIN(TstMitlesen)
#include "tst_mitlesen.moc"
