#include "uebung/uebungsrunde.h"

#include "uebung/pruefung.h"

Uebungsrunde::Uebungsrunde(const Rundenwahl& wahl, const Lernstand& stand,
                           std::vector<QString> woerter, std::uint64_t zufallsstart)
    : wahl_(wahl), stand_(stand), woerter_(std::move(woerter)), zufall_(zufallsstart)
{
    if (!woerter_.empty()) {
        const std::vector<std::size_t> folge =
            wahl_.startwert ? pruefungsWoerter(*wahl_.startwert, woerter_.size(), wahl_.anzahl)
                            : mischfolge(zufall_, woerter_.size(), wahl_.anzahl);
        for (const std::size_t i : folge)
            festeFragen_.push_back(woerter_[i]);
    } else if (wahl_.startwert) {
        for (const char c : pruefungsfolge(*wahl_.startwert, wahl_.satz, wahl_.anzahl))
            festeFragen_.push_back(QString(QChar::fromLatin1(c)));
    }
}

bool Uebungsrunde::fertig() const
{
    return static_cast<int>(antworten_.size()) >= wahl_.anzahl;
}

QString Uebungsrunde::naechsteFrage()
{
    frage_.clear();
    const std::size_t nummer = antworten_.size();
    if (fertig())
        return frage_;
    if (!festeFragen_.empty()) {
        if (nummer < festeFragen_.size())
            frage_ = festeFragen_[nummer];
    } else if (const char c = ::naechsteFrage(stand_, wahl_.satz, verlauf_, zufall_); c != '\0') {
        frage_ = QString(QChar::fromLatin1(c));
    }
    return frage_;
}

void Uebungsrunde::beantworte(const QString& geantwortet, int richtig, int von,
                              std::chrono::milliseconds zeit)
{
    antworten_.push_back({frage_, geantwortet, richtig, von, zeit});
    if (woerter_.empty() && !wahl_.startwert && richtig < von)
        vermerkeFehler(verlauf_, zufall_);
}
