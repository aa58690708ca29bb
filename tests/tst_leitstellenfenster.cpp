// The teacher's window on 127.0.0.1: the word for the board, a pupil's name in the row, a
// message relayed by a scripted pupil arriving in the window and its record, and the record
// saved.
#include "assets/eingebettet.h"
#include "tests/skriptschueler.h"
#include "widgets/station.h"
#include "window/leitstellenfenster.h"
#include "window/linienfenster.h"

#include <QAbstractItemModel>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
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
}

QTEST_MAIN(TstLeitstellenfenster)
#include "tst_leitstellenfenster.moc"
