#pragma once

#include "signal/signalcode.h"
#include "uebung/uebungsart.h"

#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>

class Alphabetfeld;
class Fortschrittsdatei;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTableWidget;
class QVBoxLayout;
class SpinBox;
class Telegraf;
class Uebungssitzung;

// The trainer's window, "Signale üben": the telegraph on the left, and on the right the choice
// of exercise and round, the status line, and what the learner answers with. It shows the
// trainer (`Uebungssitzung`) and passes the learner's input on; at the end of a round it shows the
// result with a table of every question.
class Uebungsfenster : public QWidget {
    Q_OBJECT
public:
    // `ordner` holds the learner's progress; it is read now and written after every answer.
    Uebungsfenster(const Signalcode& code, const QString& ordner, QWidget* parent = nullptr);
    ~Uebungsfenster() override;

    // The window's fixed size: the scene and the side panel.
    static const QSize groesse;

    // Chooses the exercise and the seed ("Startwert") of an examination, as the command line
    // does; without a seed the rounds are practice.
    void waehle(Uebungsart art, std::optional<std::uint64_t> startwert);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void baueLinks(QWidget* inhalt);
    void baueSeitenleiste(QWidget* seite);
    QFormLayout* baueWahl();
    void baueAntworten(QVBoxLayout* spalte);
    void verbinde();
    void verbindeAntworten();
    void zeige();
    void zeigeTexte(bool getragen);
    QWidget* eingabe() const;
    void zeigeEingaben();
    void setzeFokus();
    void zeigeErgebnis();
    void loescheFortschritt();
    void speichereErgebnis();

    std::unique_ptr<Fortschrittsdatei> ablage_;
    Uebungssitzung* sitzung_;
    int gezeigterZustand_ = -1;  // the trainer's state the inputs were last arranged for
    bool zelleGewaehlt_ = false; // whether the learner moved the grid's cell in this question

    QStackedWidget* links_ = nullptr;
    Telegraf* telegraf_ = nullptr;
    QTableWidget* ergebnis_ = nullptr;
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
    QPushButton* ergebnisSpeichern_ = nullptr;
    QPushButton* loeschen_ = nullptr;
};
