// The messages of the line across machines: what the reader takes, what it refuses, and that
// whatever it takes comes back the same after writing and reading again.
#include "netz/protokoll.h"

#include <QTest>

using namespace netz;

// Wrapped, because Qt's meta types take std::variant for comparable by < and fail on it.
struct Erwartet {
    std::optional<Nachricht> nachricht;
};
Q_DECLARE_METATYPE(Erwartet)

namespace {

const QByteArray token = "0123456789abcdef0123456789abcdef";

QByteArray beitritt(const QByteArray& name)
{
    return R"({"v":2,"typ":"beitreten","wort":"KMRT","name":")" + name + R"("})";
}

QByteArray gestellt(const QByteArray& winkel)
{
    return R"({"v":2,"typ":"gestellt","stellung":)" + winkel + "}";
}

QByteArray willkommen(const QByteArray& felder)
{
    return R"({"v":2,"typ":"willkommen","token":")" + token + R"(",)" + felder + "}";
}

// A join padded with spaces after the object to exactly `groesse` bytes.
QByteArray aufgefuellt(qsizetype groesse)
{
    QByteArray text = beitritt("Mia");
    return text + QByteArray(groesse - text.size(), ' ');
}

} // namespace

class TstNetzprotokoll : public QObject {
    Q_OBJECT
private slots:
    void lesen_data();
    void lesen();
    void andereVersion_data();
    void andereVersion();
};

void TstNetzprotokoll::lesen_data()
{
    // Twenty laughing faces: 20 characters, 40 UTF-16 units, 80 bytes.
    const QString lachen20 = QString::fromUcs4(std::u32string(20, U'\U0001F600').c_str(), 20);
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<Erwartet>("zeile");
    const auto ja = [](const char* name, const QByteArray& text, Nachricht n) {
        QTest::newRow(name) << text << Erwartet{std::move(n)};
    };
    const auto nein = [](const char* name, const QByteArray& text) {
        QTest::newRow(name) << text << Erwartet{};
    };
    ja("beitreten", beitritt("Mia"), Beitreten{"KMRT", "Mia", {}});
    ja("beitreten mit Token",
       R"({"v":2,"typ":"beitreten","wort":"ABCD","name":"Jörg K.","token":")" + token + "\"}",
       Beitreten{"ABCD", QStringLiteral("Jörg K."), QString::fromLatin1(token)});
    ja("Name aus 20 Zeichen außerhalb der BMP", beitritt(lachen20.toUtf8()),
       Beitreten{"KMRT", lachen20, {}});
    ja("gestellt an den Grenzen", gestellt("[-360,45,360]"), Gestellt{{-360, 45, 360}});
    ja("Winkel als 90.0", gestellt("[225,-135,90.0]"), Gestellt{{225, -135, 90}});
    ja("puls", R"({"typ":"puls","v":2})", Puls{});
    ja("willkommen", willkommen(R"("station":3,"stationen":12,"vorName":"Mia")"),
       Willkommen{QString::fromLatin1(token), 3, 12, "Mia"});
    ja("willkommen als erste", willkommen(R"("station":1,"stationen":2,"vorName":"")"),
       Willkommen{QString::fromLatin1(token), 1, 2, {}});
    ja("bewegung",
       R"({"v":2,"typ":"bewegung","station":30,"von":[180,90,90],"nach":[135,-45,-135],"beginn":86400000})",
       Bewegung{30, {180, 90, 90}, {135, -45, -135}, 86400000});
    ja("darf", R"({"v":2,"typ":"darf"})", Darf{Warte::Nicht});
    ja("darf nicht", R"({"v":2,"typ":"darf","warte":"nachfolger"})", Darf{Warte::Nachfolger});
    ja("ende", R"({"v":2,"typ":"ende","nachricht":"SOS","empfangen":"S?S","zeile":"SOS"})",
       Ende{"SOS", "S?S", "SOS"});
    ja("abschied", R"({"v":2,"typ":"abschied","grund":"Die Stunde ist vorbei"})",
       Abschied{QStringLiteral("Die Stunde ist vorbei")});
    ja("genau 4 KB", aufgefuellt(4096), Beitreten{"KMRT", "Mia", {}});

    nein("mehr als 4 KB", aufgefuellt(4097));
    nein("kein JSON", "hallo");
    nein("leer", "");
    nein("JSON-Feld statt Objekt", "[1]");
    nein("ohne Version", R"({"typ":"puls"})");
    nein("Version als Text", R"({"v":"1","typ":"puls"})");
    nein("unbekannte Art", R"({"v":2,"typ":"befehl"})");
    nein("ohne Art", R"({"v":2})");
    nein("unbekanntes Feld", R"({"v":2,"typ":"puls","datei":"/etc/passwd"})");
    nein("ungültiges UTF-8", beitritt("M\xc3\x28"));
    nein("überlanges UTF-8", beitritt("M\xc0\xaf"));
    nein("leerer Name", beitritt(""));
    nein("Name nur aus Leerzeichen", beitritt("   "));
    nein("Name aus 21 Zeichen", beitritt(QByteArray(21, 'a')));
    nein("Name mit Zeilenumbruch", beitritt("Mia\\nLeo"));
    nein("Name mit Glocke", beitritt("Mia\\u0007"));
    nein("Name mit Zeilentrenner", beitritt("Mia\\u2028"));
    nein("Name mit Richtungsumkehr", beitritt("\\u202eMia"));
    nein("Name als Zahl", R"({"v":2,"typ":"beitreten","wort":"KMRT","name":7})");
    nein("Wort klein", R"({"v":2,"typ":"beitreten","wort":"kmrt","name":"Mia"})");
    nein("Wort aus drei Buchstaben", R"({"v":2,"typ":"beitreten","wort":"KMR","name":"Mia"})");
    nein("Wort mit Umlaut", R"({"v":2,"typ":"beitreten","wort":"KMRÄ","name":"Mia"})");
    nein("Token zu kurz",
         R"({"v":2,"typ":"beitreten","wort":"KMRT","name":"Mia","token":"0123456789abcdef"})");
    nein("Token groß geschrieben",
         R"({"v":2,"typ":"beitreten","wort":"KMRT","name":"Mia","token":")" + token.toUpper() +
             "\"}");
    nein("30 Grad", gestellt("[180,30,90]"));
    nein("405 Grad", gestellt("[405,90,90]"));
    nein("-405 Grad", gestellt("[180,-405,90]"));
    nein("Bruchteil eines Grades", gestellt("[180,90,90.5]"));
    nein("riesige Zahl", gestellt("[1e300,90,90]"));
    nein("Winkel als Text", gestellt(R"([180,"90",90])"));
    nein("zwei Winkel", gestellt("[180,90]"));
    nein("vier Winkel", gestellt("[180,90,90,90]"));
    nein("Stellung als Objekt", gestellt(R"({"regulator":180})"));
    nein("Station 0", willkommen(R"("station":0,"stationen":12,"vorName":"")"));
    nein("Station 31", willkommen(R"("station":31,"stationen":31,"vorName":"")"));
    nein("Station hinter der letzten", willkommen(R"("station":5,"stationen":4,"vorName":"")"));
    nein("Station 2,5", willkommen(R"("station":2.5,"stationen":4,"vorName":"")"));
    nein("Linie aus einer Station", willkommen(R"("station":1,"stationen":1,"vorName":"")"));
    nein(
        "Beginn vor dem Anfang",
        R"({"v":2,"typ":"bewegung","station":2,"von":[180,90,90],"nach":[180,90,90],"beginn":-1})");
    nein("Warten auf Unbekanntes", R"({"v":2,"typ":"darf","warte":"Nachfolger"})");
    nein("Warten leer", R"({"v":2,"typ":"darf","warte":""})");
    nein("Zeile mit Kleinbuchstaben",
         R"({"v":2,"typ":"ende","nachricht":"SOS","empfangen":"SOS","zeile":"sos"})");
}

// Whatever is taken is the message typed in the row, and comes back the same once written.
void TstNetzprotokoll::lesen()
{
    QFETCH(QByteArray, text);
    QFETCH(Erwartet, zeile);
    const std::optional<Nachricht>& erwartet = zeile.nachricht;
    const Gelesen gelesen = lies(text);
    QCOMPARE(gelesen.nachricht.has_value(), erwartet.has_value());
    QCOMPARE(gelesen.grund.isEmpty(), erwartet.has_value());
    QVERIFY(!gelesen.andereVersion);
    if (!erwartet)
        return;
    QVERIFY(*gelesen.nachricht == *erwartet);
    const QByteArray geschrieben = schreibe(*erwartet);
    const Gelesen wieder = lies(geschrieben);
    QVERIFY2(wieder.nachricht && *wieder.nachricht == *erwartet, geschrieben.constData());
}

// Another version is told apart from a broken message, whatever else it holds, so that the
// connection can be closed with a reason that helps.
void TstNetzprotokoll::andereVersion_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("1") << QByteArray(R"({"v":1,"typ":"puls"})");
    QTest::newRow("0 mit unbekannter Art") << QByteArray(R"({"v":0,"typ":"hallo","x":[]})");
    QTest::newRow("1.5") << QByteArray(R"({"typ":"puls","v":2.5})");
}

void TstNetzprotokoll::andereVersion()
{
    QFETCH(QByteArray, text);
    const Gelesen gelesen = lies(text);
    QVERIFY(!gelesen.nachricht);
    QVERIFY(gelesen.andereVersion);
    QVERIFY(gelesen.grund.contains(QStringLiteral("Protokollversion")));
}

QTEST_GUILESS_MAIN(TstNetzprotokoll)
#include "tst_netzprotokoll.moc"
