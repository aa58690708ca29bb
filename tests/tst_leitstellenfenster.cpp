// The teacher's window on 127.0.0.1: the word for the board, a pupil's name in the row, a
// message relayed by a scripted pupil arriving in the window and its record, and the record
// saved.
#include "assets/eingebettet.h"
#include "signal/signalcode.h"
#include "tests/abgeschnitten.h"
#include "tests/skriptschueler.h"
#include "widgets/station.h"
#include "window/leitstellenfenster.h"
#include "window/linienfenster.h"

#include <QAbstractItemModel>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>

#include <QTest>

namespace {

constexpr int frist = 30000; // ms: the longest any wait may take

QByteArray lies(const QString& pfad)
{
    QFile datei(pfad);
    return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
}

// Ctrl+S, and the file dialog answered with `pfad`.
void speichereNach(QWidget& fenster, const QString& pfad)
{
    QTest::keyClick(&fenster, Qt::Key_S, Qt::ControlModifier);
    auto* dialog = fenster.findChild<QFileDialog*>();
    QVERIFY(dialog);
    dialog->selectFile(pfad);
    QMetaObject::invokeMethod(dialog, "accept");
}

} // namespace

class TstLeitstellenfenster : public QObject {
    Q_OBJECT
private slots:
    void schuelerImFensterUndSos();
    void verlaufSpeichern();
    void schnelleLinieVerliertNichts();
    void passtAufDenBildschirm_data();
    void passtAufDenBildschirm();
    void verdeckteStationZeigtIhrenStand();
    void portBelegt();
    void ausDerLinieGeoeffnet();
};

void TstLeitstellenfenster::schuelerImFensterUndSos()
{
    Leitstellenfenster fenster(eingebetteterCode());
    QVERIFY(fenster.oeffnen(0));
    fenster.show();
    fenster.leitstelle().setTempo(8);
    auto* wort = fenster.findChild<QLabel*>("wort");
    QCOMPARE(wort->text(), fenster.leitstelle().server().wort());
    QVERIFY(fenster.findChild<QLabel*>("adresse")->text().endsWith(
        QStringLiteral("Port %1").arg(fenster.leitstelle().server().port())));

    Skriptschueler anna;
    anna.verbinden(fenster.leitstelle().server().port(), wort->text(), "<b>Anna</b>");
    const QList<QLabel*> namen = fenster.findChildren<QLabel*>("name");
    QCOMPARE(namen.size(), 5); // the line's usual length
    QTRY_COMPARE_WITH_TIMEOUT(namen[1]->text(), QStringLiteral("<b>Anna</b>"), frist);
    QCOMPARE(namen[1]->textFormat(), Qt::PlainText); // a name never becomes markup

    auto* speichern = fenster.findChild<QPushButton*>("speichern");
    QVERIFY(!speichern->isEnabled());
    QTest::mouseClick(fenster.findChild<QPushButton*>("senden"), Qt::LeftButton);
    QVERIFY(!speichern->isEnabled());
    // The first station's first movement starts with the line and is shown too.
    const QList<Station*> stationen = fenster.findChildren<Station*>();
    bool ersteStandInS = false;
    QVERIFY(QTest::qWaitFor(
        [&] {
            ersteStandInS |= stationen[0]->zeichen() == 'S';
            return stationen[1]->zeichen() == 'O';
        },
        frist));
    QVERIFY(ersteStandInS);
    auto* empfangen = fenster.findChild<QLabel*>("empfangen");
    QTRY_COMPARE_WITH_TIMEOUT(empfangen->accessibleDescription(), QStringLiteral("SOS"), frist);
    const QAbstractItemModel* tabelle = fenster.findChild<QTableView*>("werlaswas")->model();
    QTRY_COMPARE_WITH_TIMEOUT(tabelle->data(tabelle->index(2, 4)).toString(), "S", frist);
    QCOMPARE(tabelle->rowCount(), 3);
    QCOMPARE(tabelle->headerData(1, Qt::Horizontal).toString(), "Station 2 (<b>Anna</b>)");
    QCOMPARE(tabelle->index(1, 1).data(Qt::ToolTipRole).toString(), "<b>Anna</b>");
    QCOMPARE(tabelle->index(1, 2).data(Qt::ToolTipRole).toString(), "simulierter Telegrafist");
    QVERIFY(speichern->isEnabled());
    QCOMPARE(fenster.findChild<QTabWidget*>()->tabText(1), QStringLiteral("Weg-&Zeit-Bild"));
}

// The run of a line without pupils saved: the chart and the table beside it, each row naming
// who set it; saved again to the same name, the question names both files, and "Nicht
// ersetzen" leaves them as they were.
void TstLeitstellenfenster::verlaufSpeichern()
{
    Leitstellenfenster fenster(eingebetteterCode());
    QVERIFY(fenster.oeffnen(0));
    fenster.setStationen(3);
    fenster.show();
    fenster.leitstelle().setTempo(8);
    QTest::mouseClick(fenster.findChild<QPushButton*>("senden"), Qt::LeftButton);
    auto* speichern = fenster.findChild<QPushButton*>("speichern");
    QTRY_VERIFY_WITH_TIMEOUT(speichern->isEnabled(), frist);

    QTemporaryDir ordner;
    const QString bild = ordner.filePath("lauf.png"), tabelle = ordner.filePath("lauf.csv");
    speichereNach(fenster, bild);
    QVERIFY(fenster.findChild<QLabel*>("meldung")->text().startsWith("Gespeichert: "));
    QVERIFY(lies(bild).startsWith("\x89PNG"));
    const QByteArray csv = lies(tabelle);
    QCOMPARE(csv.count("\r\n"), 1 + 3 * 3);
    QVERIFY(csv.contains("2;O;simuliert;;"));
    QVERIFY(csv.endsWith(";3;2,000;0;0\r\n")); // three simulated stations, none misreading

    speichereNach(fenster, bild);
    auto* frage = fenster.findChild<QMessageBox*>();
    QVERIFY(frage);
    QVERIFY(frage->text().contains(QDir::toNativeSeparators(bild)));
    QVERIFY(frage->text().contains(QDir::toNativeSeparators(tabelle)));
    frage->button(QMessageBox::No)->click();
    QCOMPARE(lies(tabelle), csv);
}

// However far the line's time runs between two frames of the window, every character that
// reaches the last station arrives in "Empfangen", also one whose next movement began within the
// same frame.
void TstLeitstellenfenster::schnelleLinieVerliertNichts()
{
    Leitstellenfenster fenster(eingebetteterCode());
    QVERIFY(fenster.oeffnen(0));
    fenster.setStationen(4);
    fenster.show();
    fenster.leitstelle().setTempo(400); // several seconds of the line in each frame
    fenster.findChild<QLineEdit*>("nachricht")->setText(QStringLiteral("TELEGRAFENLINIE"));
    QTest::mouseClick(fenster.findChild<QPushButton*>("senden"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(fenster.findChild<QPushButton*>("speichern")->isEnabled(), frist);
    QCOMPARE(fenster.findChild<QLabel*>("empfangen")->accessibleDescription(),
             QStringLiteral("TELEGRAFENLINIE"));
}

void TstLeitstellenfenster::passtAufDenBildschirm_data()
{
    QTest::addColumn<QSize>("bildschirm");
    QTest::newRow("1024 x 768") << QSize(1024, 768);
    QTest::newRow("1280 x 800") << QSize(1280, 800);
}

// With a frame of 8 pixels at the sides, a title bar of 26 and a panel of 48, the window fits the
// screen with the longest line and a message that says why nothing was sent, and every control
// shows whole.
void TstLeitstellenfenster::passtAufDenBildschirm()
{
    QFETCH(QSize, bildschirm);
    const QSize platz = bildschirm - QSize(2 * 8, 26 + 48);
    QVERIFY(Leitstellenfenster::groesse.width() <= 1024 - 2 * 8);
    QVERIFY(Leitstellenfenster::groesse.height() <= 768 - 26 - 48);
    Leitstellenfenster fenster(eingebetteterCode());
    QVERIFY(fenster.oeffnen(0));
    fenster.setStationen(30);
    fenster.findChild<QLineEdit*>("nachricht")->clear();
    QTest::mouseClick(fenster.findChild<QPushButton*>("senden"), Qt::LeftButton);
    QVERIFY(!fenster.findChild<QLabel*>("meldung")->text().isEmpty());
    fenster.resize(platz);
    fenster.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fenster));
    QCOMPARE(fenster.size(), platz);
    QCOMPARE(abgeschnitten(fenster, bedienteile(fenster)), QString());
}

// A station that came to stand while scrolled out of sight, where the window spares working out
// its beams, shows on the screen where it stands once it is scrolled in.
void TstLeitstellenfenster::verdeckteStationZeigtIhrenStand()
{
    using namespace std::chrono_literals;
    Leitstellenfenster fenster(eingebetteterCode());
    fenster.setStationen(30);
    fenster.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fenster));
    const Stellung a = winkelholen(eingebetteterCode(), 'A');
    emit fenster.leitstelle().bewegt({29, 0, ruhestellung, a, 0ms, 500ms, 'A'});
    fenster.zeigeBild(250ms);
    fenster.zeigeBild(500ms);
    QScrollBar* leiste = fenster.findChild<QScrollArea*>("reihe")->horizontalScrollBar();
    leiste->setValue(leiste->maximum());
    QTest::qWait(50);
    const Station* letzte = fenster.findChildren<Station*>().last();
    const QImage schirm = fenster.screen()->grabWindow(fenster.winId()).toImage();
    Station erwartet(30); // in sight, so that it works out its beams at once
    erwartet.show();
    QVERIFY(QTest::qWaitForWindowExposed(&erwartet));
    erwartet.steht(a, 'A');
    QCOMPARE(schirm.copy(QRect(letzte->mapTo(&fenster, QPoint(0, 0)), Station::groesse))
                 .convertToFormat(QImage::Format_RGB32),
             erwartet.grab().toImage().convertToFormat(QImage::Format_RGB32));
}

// A second Leitstelle on a port already taken says why in German and offers nothing to send.
void TstLeitstellenfenster::portBelegt()
{
    Leitstellenfenster erste(eingebetteterCode());
    QVERIFY(erste.oeffnen(0));
    Leitstellenfenster zweite(eingebetteterCode());
    QVERIFY(!zweite.oeffnen(erste.leitstelle().server().port()));
    const QString meldung = zweite.findChild<QLabel*>("meldung")->text();
    QVERIFY2(meldung.contains(QStringLiteral("schon belegt")), qPrintable(meldung));
    QVERIFY(!zweite.findChild<QPushButton*>("senden")->isEnabled());
    QVERIFY(erste.findChild<QPushButton*>("senden")->isEnabled());
}

void TstLeitstellenfenster::ausDerLinieGeoeffnet()
{
    Linienfenster linie(eingebetteterCode());
    QVERIFY(linie.imNetzOeffnen(0));
    auto* leitstelle = linie.findChild<Leitstellenfenster*>();
    QVERIFY(leitstelle && leitstelle->isVisible());
    QCOMPARE(leitstelle->findChild<QLabel*>("wort")->text().size(), 4);
    // Every Alt key reaches one control.
    QStringList kuerzel;
    for (const QWidget* teil : leitstelle->findChildren<QWidget*>())
        kuerzel << QKeySequence::mnemonic(teil->property("text").toString()).toString();
    const auto* tabs = leitstelle->findChild<QTabWidget*>();
    for (int i = 0; i < tabs->count(); ++i)
        kuerzel << QKeySequence::mnemonic(tabs->tabText(i)).toString();
    kuerzel.removeAll(QString());
    QCOMPARE(QSet<QString>(kuerzel.begin(), kuerzel.end()).size(), kuerzel.size());
    // The row is made anew for another number of stations, as often as it changes.
    for (const int stationen : {12, 3, 30}) {
        leitstelle->setStationen(stationen);
        QCOMPARE(leitstelle->findChildren<Station*>().size(), stationen);
    }
    // Closed and opened again, it listens again and can send.
    leitstelle->close();
    QVERIFY(!leitstelle->leitstelle().server().offen());
    QVERIFY(linie.imNetzOeffnen(0));
    QVERIFY(leitstelle->isVisible() && leitstelle->leitstelle().server().offen());
    QVERIFY(leitstelle->findChild<QPushButton*>("senden")->isEnabled());
}

QTEST_MAIN(TstLeitstellenfenster)
#include "tst_leitstellenfenster.moc"
