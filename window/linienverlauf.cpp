// "Verlauf speichern": the run's chart as PNG or PDF and its table as CSV beside it.
#include "window/linienfenster.h"

#include "controls/accessibility.h"
#include "widgets/werlaswas.h"
#include "window/verlaufspeichern.h"

#include <QLabel>
#include <QPushButton>

void Linienfenster::verlaufSpeichern()
{
    if (!speichern_->isEnabled())
        return;
    ::verlaufSpeichern(this, QStringLiteral("Telegrafenlinie %1.png").arg(laufWahl_.startwert),
                       werLasWas_->protokoll(), laufangaben(laufWahl_),
                       [this](const QString& text) { melde(text); });
}

// What became of saving, in the window and for a screen reader.
void Linienfenster::melde(const QString& text)
{
    meldung_->setText(text);
    meldung_->setAccessibleName(text);
    announceNotification(meldung_);
}
