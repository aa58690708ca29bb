// The scene's context menu for the code chart: what it offers, that a right click changes
// nothing else, that during a movement it opens only once the telegraph stands still, and a
// print into a file.
#include "tests/fenster.h"

#include <QAccessible>
#include <QAction>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>

namespace {

// Watches for the menu or a dialog and closes it at once, noting what it offered (each entry
// with its key) or its title, and whether the telegraph was turning at the time.
struct Menuebeobachter {
    explicit Menuebeobachter(const Telegraf& telegraf) : t(telegraf)
    {
        QObject::connect(&uhr, &QTimer::timeout, [this] {
            QWidget* offen = QApplication::activePopupWidget();
            if (!offen)
                offen = QApplication::activeModalWidget();
            if (!offen)
                return;
            if (auto* menue = qobject_cast<QMenu*>(offen)) {
                for (const QAction* aktion : menue->actions())
                    texte << aktion->text() + QLatin1Char('\t') +
                                 aktion->shortcut().toString(QKeySequence::NativeText);
            } else {
                texte << offen->windowTitle();
                if (const auto* dialog = qobject_cast<QFileDialog*>(offen))
                    ordner = dialog->directory().absolutePath();
            }
            waehrendBewegung = t.bewegungLaeuft();
            stellung = t.winkel();
            offen->close();
        });
        uhr.start(5);
    }

    const Telegraf& t;
    QTimer uhr;
    QStringList texte;
    bool waehrendBewegung = false;
    Stellung stellung;
    QString ordner; // where a file dialog began
};

const QStringList menueeintraege{QStringLiteral("Signaltafel speichern …\tCtrl+S"),
                                 QStringLiteral("Signaltafel drucken …\tCtrl+P"),
                                 QStringLiteral("\t"),
                                 QStringLiteral("Signale üben …\tCtrl+U"),
                                 QStringLiteral("Telegrafenlinie …\tCtrl+L"),
                                 QStringLiteral("Station einer Linie …\tCtrl+T")};

void rechtsklick(Telegraf* szene)
{
    const QPoint wo(300, 150);
    QContextMenuEvent anfrage(QContextMenuEvent::Mouse, wo, szene->mapToGlobal(wo));
    QApplication::sendEvent(szene, &anfrage);
}

} // namespace

// Where the telegraph is when the menu is asked for.
constexpr int stehend = 0, bewegung = 1, wiedergabe = 2;

class TestTafelmenue : public QObject {
    Q_OBJECT
private slots:
    void oeffnen_data();
    void oeffnen();
    void druckInDieDatei();
};

void TestTafelmenue::oeffnen_data()
{
    // Where the focus is, the key (none: a right click on the scene), what opens, and whether
    // it is asked for during a movement, also of the playback with its next tick come: then it
    // opens once the telegraph stands still.
    QTest::addColumn<QString>("fokus");
    QTest::addColumn<QKeySequence>("taste");
    QTest::addColumn<QStringList>("geoeffnet");
    QTest::addColumn<int>("lage");

    const QStringList speichern{QStringLiteral("Signaltafel speichern")};
    const QStringList linie{QStringLiteral("Telegrafenlinie – Vellard-Telegraf")};
    QTest::newRow("Rechtsklick") << "Me8" << QKeySequence() << menueeintraege << stehend;
    QTest::newRow("Rechtsklick während der Bewegung")
        << "Me8" << QKeySequence() << menueeintraege << bewegung;
    QTest::newRow("Rechtsklick während der Wiedergabe")
        << "Me8" << QKeySequence() << menueeintraege << wiedergabe;
    QTest::newRow("Strg+S im Memo")
        << "Me8" << QKeySequence(QKeySequence::Save) << speichern << stehend;
    QTest::newRow("Strg+P auf dem Knopf")
        << "B13" << QKeySequence(QKeySequence::Print)
        << QStringList{QStringLiteral("Signaltafel drucken")} << stehend;
    QTest::newRow("Strg+S im Alphabet während der Bewegung")
        << "PBz" << QKeySequence(QKeySequence::Save) << speichern << bewegung;
    QTest::newRow("Strg+L im Alphabet während der Bewegung") // the line, once it stands
        << "PBz" << QKeySequence(Qt::CTRL | Qt::Key_L) << linie << bewegung;
    QTest::newRow("Menütaste auf dem Knopf")
        << "B13" << QKeySequence(Qt::Key_Menu) << menueeintraege << stehend;
    QTest::newRow("Umschalt+F10 im Alphabet")
        << "PBz" << QKeySequence(Qt::SHIFT | Qt::Key_F10) << menueeintraege << stehend;
}

void TestTafelmenue::oeffnen()
{
    QFETCH(QString, fokus);
    QFETCH(QKeySequence, taste);
    QFETCH(QStringList, geoeffnet);
    QFETCH(int, lage);

    // A home without a documents folder: saving begins there, not where the program started.
    const QTemporaryDir heim;
    const auto zurueck = qScopeGuard([alt = qgetenv("HOME")] { qputenv("HOME", alt); });
    qputenv("HOME", QFile::encodeName(heim.path()));
    Fenster f;
    QVERIFY(f.oeffnen(QStringLiteral("abc")));
    QWidget& ziel = teil<QWidget>(f.w, qPrintable(fokus));
    ziel.setFocus();
    QTRY_VERIFY(ziel.hasFocus());
    Menuebeobachter beobachter(f.telegraf);
    const auto druecke = [&] {
        if (taste.isEmpty()) {
            rechtsklick(&f.telegraf);
        } else if (taste[0].key() == Qt::Key_Menu) {
            // The window system turns the menu key into a request for the focused control's menu.
            QContextMenuEvent anfrage(QContextMenuEvent::Keyboard, {}, ziel.mapToGlobal(QPoint()));
            QApplication::sendEvent(&ziel, &anfrage);
        } else {
            QTest::keyClick(&ziel, taste[0].key(), taste[0].keyboardModifiers());
        }
        QCoreApplication::processEvents();
    };
    if (lage != stehend) {
        Aufnahme aufnahme(f.telegraf);
        aufnahme.beiBild = [&](qsizetype bild) {
            if (bild != 5)
                return;
            druecke();
            if (lage == wiedergabe)
                emit f.timer.tick();
        };
        if (lage == wiedergabe) {
            f.knopf.click();
            f.tick(); // "A", the memo's first character
        } else {
            f.klicke('C');
        }
        QVERIFY(aufnahme.bilder.size() > 5);
    } else {
        druecke();
    }

    QTRY_COMPARE(beobachter.texte, geoeffnet);
    if (geoeffnet == QStringList{QStringLiteral("Signaltafel speichern")})
        QCOMPARE(beobachter.ordner, heim.path());
    QVERIFY(!beobachter.waehrendBewegung);
    // Nothing else changed: the telegraph stands where it stood.
    const Stellung stand[] = {ruhestellung, signalVon('C'), signalVon('A')};
    QCOMPARE(beobachter.stellung, stand[lage]);
    if (lage == wiedergabe) { // the tick that came before the menu does not count again
        f.tick();
        QCOMPARE(f.gezeigt(), QStringLiteral("B"));
    }
    QVERIFY(QAccessible::queryAccessibleInterface(&f.telegraf)
                ->text(QAccessible::Description)
                .contains(QStringLiteral("Signaltafel")));
}

// Printed into a file at the file size limit (ulimit -f), the chart leaves the older file as
// it was and tells why, and the program lives on.
void TestTafelmenue::druckInDieDatei()
{
    Fenster f;
    QVERIFY(f.oeffnen());
    QTest::keyClick(&f.memo, Qt::Key_P, Qt::ControlModifier);
    QPrintDialog* dialog = nullptr;
    QTRY_VERIFY((dialog = f.w.findChild<QPrintDialog*>()));
    QTemporaryDir ordner;
    QFile datei(ordner.filePath(QStringLiteral("druck")));
    QVERIFY(datei.open(QIODevice::WriteOnly) && datei.write("alt") == 3);
    datei.close();
    dialog->printer()->setOutputFileName(datei.fileName());
    rlimit vorher{};
    getrlimit(RLIMIT_FSIZE, &vorher);
    const rlimit begrenzt{std::min<rlim_t>(4096, vorher.rlim_max), vorher.rlim_max};
    setrlimit(RLIMIT_FSIZE, &begrenzt);
    dialog->done(QDialog::Accepted);
    setrlimit(RLIMIT_FSIZE, &vorher);
    QVERIFY(datei.open(QIODevice::ReadOnly) && datei.readAll() == "alt");
    QVERIFY(f.w.findChild<QMessageBox*>()->text().contains(QStringLiteral("Dateigröße")));
}

QTEST_MAIN(TestTafelmenue)
#include "tst_tafelmenue.moc"
