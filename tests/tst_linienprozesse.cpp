// A Leitstelle and three scripted pupils, each in a process of its own on 127.0.0.1, send
// "SOS" through a line of four; once more with one pupil killed in the middle of the message.
#include <QProcess>
#include <QTest>

#include <memory>
#include <vector>

namespace {

constexpr int frist = 60000; // ms: the longest any wait may take

// A process whose standard output is read line by line as it comes.
struct Prozess {
    Prozess(const QString& programm, const QStringList& argumente)
    {
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QObject::connect(&p, &QProcess::readyReadStandardOutput, [this] {
            while (p.canReadLine())
                zeilen.append(QString::fromUtf8(p.readLine()).trimmed());
        });
        p.start(programm, argumente);
    }
    ~Prozess()
    {
        if (p.state() != QProcess::NotRunning) {
            p.kill();
            p.waitForFinished(5000);
        }
    }
    // The rest of the first line that begins with `anfang`, once it came.
    QString warteAuf(const QString& anfang)
    {
        QString gefunden;
        (void)QTest::qWaitFor(
            [&] {
                for (const QString& z : zeilen)
                    if (z.startsWith(anfang))
                        gefunden = z.mid(anfang.size());
                return !gefunden.isNull();
            },
            frist);
        return gefunden;
    }
    bool hat(const QString& zeile)
    {
        return QTest::qWaitFor([&] { return zeilen.contains(zeile); }, frist);
    }
    bool endetMit(int status)
    {
        return QTest::qWaitFor([this] { return p.state() == QProcess::NotRunning; }, frist) &&
               p.exitStatus() == QProcess::NormalExit && p.exitCode() == status;
    }

    QProcess p;
    QStringList zeilen;
};

} // namespace

class TstLinienprozesse : public QObject {
    Q_OBJECT
private slots:
    void sos_data();
    void sos();
};

void TstLinienprozesse::sos_data()
{
    QTest::addColumn<bool>("toeten");
    QTest::addColumn<QStringList>("wer");
    // The record: one line per character, who set it at each station ("-": simulated).
    QTest::newRow("alle bleiben") << false
                                  << QStringList{"0 - Anna Ben Cem", "1 - Anna Ben Cem",
                                                 "2 - Anna Ben Cem"};
    QTest::newRow("Ben getötet") << true
                                 << QStringList{"0 - Anna Ben Cem", "1 - Anna - Cem",
                                                "2 - Anna - Cem"};
}

void TstLinienprozesse::sos()
{
    QFETCH(bool, toeten);
    QFETCH(QStringList, wer);
    Prozess leitstelle(SKRIPTLEITSTELLE, {"4", "3", "SOS", "8"});
    const QString port = leitstelle.warteAuf("port ");
    const QString wort = leitstelle.warteAuf("wort ");
    QVERIFY2(!port.isEmpty() && !wort.isEmpty(), "the Leitstelle did not open");
    std::vector<std::unique_ptr<Prozess>> schueler;
    for (const char* name : {"Anna", "Ben", "Cem"}) {
        schueler.push_back(std::make_unique<Prozess>(SKRIPTSTATION, QStringList{port, wort, name}));
        // One after another, so that each takes the place the test expects: a pupil is told
        // to wait for the message once he has joined.
        QVERIFY(schueler.back()->hat("weitergegeben 0"));
    }
    if (toeten) {
        QVERIFY(schueler[1]->hat("weitergegeben 1"));
        schueler[1]->p.kill(); // SIGKILL: no goodbye, the connection just breaks
    }
    QVERIFY(leitstelle.endetMit(0));
    QCOMPARE(leitstelle.warteAuf("empfangen "), QStringLiteral("SOS"));
    QStringList protokoll;
    for (const QString& z : leitstelle.zeilen)
        if (z.startsWith("wer "))
            protokoll.append(z.mid(4));
    QCOMPARE(protokoll, wer);
    for (const int i : {0, 2}) {
        QVERIFY(schueler[i]->endetMit(0));
        QCOMPARE(schueler[i]->warteAuf("ende "), QStringLiteral("SOS SOS"));
    }
}

QTEST_GUILESS_MAIN(TstLinienprozesse)
#include "tst_linienprozesse.moc"
