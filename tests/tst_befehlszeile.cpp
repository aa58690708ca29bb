// The command line's bounds, read without starting the program: what is taken and what is
// refused at each edge.
#include "app/befehlszeile.h"

#include <QTest>

#include <vector>

class TstBefehlszeile : public QObject {
    Q_OBJECT
private slots:
    void grenzen_data();
    void grenzen();
};

void TstBefehlszeile::grenzen_data()
{
    QTest::addColumn<QStringList>("argumente");
    QTest::addColumn<int>("stationen"); // -1 for none
    QTest::addColumn<int>("port");      // 0 for none
    QTest::addColumn<bool>("abgelehnt");
    const auto zeile = [](const char* name, QStringList a, int s, int p, bool nein) {
        QTest::newRow(name) << a << s << p << nein;
    };
    zeile("8 Stationen", {"--linie", "--stationen", "8"}, 8, 0, false);
    zeile("9 Stationen", {"--linie", "--stationen", "9"}, -1, 0, true);
    zeile("2 Stationen", {"--linie", "--stationen", "2"}, 2, 0, false);
    zeile("1 Station", {"--linie", "--stationen", "1"}, -1, 0, true);
    zeile("ohne Angabe", {"--linie"}, 5, 0, false);
    zeile("Vorzeichen", {"--linie", "--stationen", "+8"}, -1, 0, true);
    zeile("30 im Netz", {"--linie", "--netz", "--stationen", "30"}, 30, 0, false);
    zeile("31 im Netz", {"--linie", "--netz", "--stationen", "31"}, -1, 0, true);
    zeile("Port 65535", {"--linie", "--netz", "--port", "65535"}, 5, 65535, false);
    zeile("Port 65536", {"--linie", "--netz", "--port", "65536"}, -1, 0, true);
    zeile("Port 0", {"--linie", "--netz", "--port", "0"}, -1, 0, true);
    zeile("Port ohne Netz", {"--linie", "--port", "4000"}, -1, 0, true);
    zeile("Station", {"--station", "127.0.0.1:4000", "--name", "Mia"}, -1, 0, false);
    zeile("Name mit 20", {"--station", "localhost", "--name", "Maximilian-Alexander"}, -1, 0,
          false);
    zeile("Name mit 21", {"--station", "localhost", "--name", "Maximilian-Alexander!"}, -1, 0,
          true);
    zeile("Station ohne Name", {"--station", "localhost"}, -1, 0, true);
    zeile("Station mit Linie", {"--station", "localhost", "--name", "Mia", "--linie"}, -1, 0, true);
}

void TstBefehlszeile::grenzen()
{
    QFETCH(QStringList, argumente);
    QFETCH(int, stationen);
    QFETCH(int, port);
    QFETCH(bool, abgelehnt);
    std::vector<QByteArray> texte{"pvellard"};
    for (const QString& a : argumente)
        texte.push_back(a.toUtf8());
    std::vector<char*> argv;
    for (QByteArray& t : texte)
        argv.push_back(t.data());
    argv.push_back(nullptr);
    const Aufruf aufruf = befehlszeileLesen(static_cast<int>(texte.size()), argv.data());
    QCOMPARE(aufruf.ende.has_value(), abgelehnt);
    if (abgelehnt)
        QCOMPARE(*aufruf.ende, 2);
    QCOMPARE(aufruf.linie.value_or(-1), stationen);
    QCOMPARE(int(aufruf.port.value_or(0)), port);
}

QTEST_GUILESS_MAIN(TstBefehlszeile)
#include "tst_befehlszeile.moc"
