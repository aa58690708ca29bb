// The teacher's window on 127.0.0.1: the word for the board, a pupil's name in the row, and a
// message relayed by a scripted pupil arriving in the window and its record.
#include "assets/eingebettet.h"
#include "tests/skriptschueler.h"
#include "widgets/station.h"
#include "window/leitstellenfenster.h"
#include "window/linienfenster.h"

#include "widgets/station.h"
#include <QAbstractItemModel>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

#include <QTest>

namespace {

constexpr int frist = 30000; // ms: the longest any wait may take

} // namespace

class TstLeitstellenfenster : public QObject {
    Q_OBJECT
private slots:
    void schuelerImFensterUndSos();
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

    QTest::mouseClick(fenster.findChild<QPushButton*>("senden"), Qt::LeftButton);
    auto* empfangen = fenster.findChild<QLabel*>("empfangen");
    QTRY_COMPARE_WITH_TIMEOUT(empfangen->accessibleDescription(), QStringLiteral("SOS"), frist);
    const QAbstractItemModel* tabelle = fenster.findChild<QTableView*>("werlaswas")->model();
    QTRY_COMPARE_WITH_TIMEOUT(tabelle->data(tabelle->index(2, 4)).toString(), "S", frist);
    QCOMPARE(tabelle->rowCount(), 3);
    QCOMPARE(tabelle->headerData(1, Qt::Horizontal).toString(), "Station 2 (<b>Anna</b>)");
    QCOMPARE(tabelle->index(1, 1).data(Qt::ToolTipRole).toString(), "<b>Anna</b>");
    QCOMPARE(tabelle->index(1, 2).data(Qt::ToolTipRole).toString(), "simulierter Telegrafist");
}

void TstLeitstellenfenster::ausDerLinieGeoeffnet()
{
    Linienfenster linie(eingebetteterCode());
    QVERIFY(linie.imNetzOeffnen(0));
    auto* leitstelle = linie.findChild<Leitstellenfenster*>();
    QVERIFY(leitstelle && leitstelle->isVisible());
    QCOMPARE(leitstelle->findChild<QLabel*>("wort")->text().size(), 4);
    // The row is made anew for another number of stations, as often as it changes.
    for (const int stationen : {12, 3, 30}) {
        leitstelle->setStationen(stationen);
        QCOMPARE(leitstelle->findChildren<Station*>().size(), stationen);
    }
}

QTEST_MAIN(TstLeitstellenfenster)
#include "tst_leitstellenfenster.moc"
