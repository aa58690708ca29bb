#pragma once

#include "lernstand.h"
#include "signalcode.h"
#include "uebungsrunde.h"

#include <QElapsedTimer>
#include <QWidget>

#include <memory>
#include <optional>

class Alphabetfeld;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTableWidget;
class QTimer;
class SpinBox;
class Telegraf;
class Timer;

// The trainer's window, "Signale üben": the telegraph on the left, and on the right the choice
// of exercise and round, the status line, and what the learner answers with. It asks one
// question after the other, tells right from wrong, keeps the learner's progress after every
// answer, and at the end of a round shows the result with a table of every question.
class Uebungsfenster : public QWidget {
    Q_OBJECT
public:
    // `ordner` holds the learner's progress; it is read now and written after every answer.
    Uebungsfenster(const Codezeilen& code, const QString& ordner, QWidget* parent = nullptr);
    ~Uebungsfenster() override;

    // Chooses the exercise and the seed ("Startwert") of an examination, as the command line
    // does; an empty seed makes the rounds practice.
    void waehle(Uebungsart art, std::optional<std::uint64_t> startwert);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    enum class Zustand { Bereit, Frage, Beantwortet, Ende };

    void baueSeitenleiste(QWidget* seite);
    void beginnen();
    void stelleFrage();
    void beantworte(const QString& geantwortet, int richtig, int von, const QString& text);
    void erkannt(char zeichen);
    void pruefeStellung();
    void pruefeGelesenes();
    void weiter();
    void beenden();
    void sendeNaechstes();
    void bewege(const Stellung& ziel, char zeichen);
    void zeigeStatus(const QString& text);
    void zeigeEingabe();
    void waehleBalken(int balken);
    void loescheFortschritt();
    void alleZeichenGeaendert(bool alle);

    const Codezeilen code_;
    const QString ordner_;
    Lernstand stand_;
    std::unique_ptr<Uebungsrunde> runde_;
    Zustand zustand_ = Zustand::Bereit;
    QElapsedTimer uhr_;
    int balken_ = 0;      // the beam the keys turn: regulator, first or second indicator
    QString gesendet_;    // a reading question's characters as the telegraph sends them
    int gesendetBis_ = 0; // how many of them were sent
    bool wartenderTick_ = false;
    bool weiterWartet_ = false;
    bool geschlossen_ = false;

    QStackedWidget* links_;
    Telegraf* telegraf_;
    QTableWidget* ergebnis_;
    QComboBox* uebung_ = nullptr;
    QComboBox* satz_ = nullptr;
    QComboBox* anzahl_ = nullptr;
    QLineEdit* startwert_ = nullptr;
    QCheckBox* alleZeichen_ = nullptr;
    SpinBox* abstand_ = nullptr;
    QPushButton* beginnen_ = nullptr;
    QLabel* status_ = nullptr;
    Alphabetfeld* feld_ = nullptr;
    QLabel* balkenHilfe_ = nullptr;
    QLineEdit* gelesen_ = nullptr;
    QPushButton* pruefen_ = nullptr;
    QPushButton* weiter_ = nullptr;
    Timer* senden_ = nullptr;
    QTimer* pause_ = nullptr;
};
