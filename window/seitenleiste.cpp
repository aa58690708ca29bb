// The main window's side panel: the alphabet grid, the message memo with its playback, the
// button and the interval, at the places the window's layout gives them.
#include "window/umix2.h"

#include "assets/eingebettet.h"
#include "controls/memo.h"
#include "controls/spinbox.h"
#include "widgets/alphabetfeld.h"
#include "widgets/wiedergabe.h"
#include "window/aufbau.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

void Tpformx11::baueSeitenleiste(QWidget* P49)
{
    ueberschrift(P49, "L114", QRect(16, 16, 65, 16), QStringLiteral("Alphabet"));

    PBz = benannt(new Alphabetfeld(P49), "PBz", QRect(14, 40, 181, 181));
    connect(PBz, &Alphabetfeld::gedrueckt, this, &Tpformx11::PBzMD);
    connect(PBz, &Alphabetfeld::getippt, this, &Tpformx11::PBzKD);
    label(P49, "L113", QRect(84, 230, 111, 14), QStringLiteral("Zeichen anklicken"));

    Me8 = benannt(new Memo(P49), "Me8", QRect(14, 264, 182, 241));
    Me8->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Me8->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Me8->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Me8->setTabChangesFocus(true);
    Me8->setPlainText(eingebetteterText(QStringLiteral("memo.txt")));
    Me8->setAccessibleName(QStringLiteral("Nachricht"));
    Me8->setAccessibleDescription(
        QStringLiteral("Text, den der Telegraf Zeichen für Zeichen sendet."));
    wiedergabe_ = new Wiedergabe(*Me8);
    connect(wiedergabe_, &Wiedergabe::tick, this, &Tpformx11::T1Timer);

    B13 = benannt(new QPushButton(textStart, P49), "B13", QRect(24, 516, 161, 25));
    B13->setAccessibleDescription(QStringLiteral("Startet oder beendet das Senden der Nachricht."));
    connect(B13, &QPushButton::clicked, this, &Tpformx11::B13C);

    QLabel* L103 = label(P49, "L103", QRect(32, 556, 78, 14), QStringLiteral("Abstand in s"));
    Rx11 = abstandsfeld(P49, "Rx11");
    Rx11->setGeometry(120, 552, 57, 22);
    L103->setBuddy(Rx11);
    connect(Rx11, &SpinBox::valueChanged, this, &Tpformx11::Rx11C);

    setTabOrder(Me8, B13);
    setTabOrder(B13, Rx11);
    setTabOrder(Rx11, PBz);
}
