// "Verlauf speichern": the run's chart as PNG or PDF and its table as CSV beside it.
#include "window/linienfenster.h"

#include "controls/accessibility.h"
#include "files/verlaufsdatei.h"
#include "widgets/werlaswas.h"
#include "window/aufbau.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace {

const QString titel = QStringLiteral("Verlauf speichern");
const QString pngFilter = QStringLiteral("PNG-Bild (*.png)");
const QString pdfFilter = QStringLiteral("PDF-Dokument (*.pdf)");

QString zitiert(const QString& pfad)
{
    return QStringLiteral("„%1“").arg(QDir::toNativeSeparators(pfad));
}

} // namespace

// One dialog for both files; the CSV takes the chart's name, so the dialog's own question
// about replacing a file is left to one that names both.
void Linienfenster::verlaufSpeichern()
{
    if (!speichern_->isEnabled())
        return;
    QFileDialog* dialog = speicherdialog(
        this, titel, QStringLiteral("Telegrafenlinie %1.png").arg(laufWahl_.startwert));
    dialog->setNameFilters({pngFilter, pdfFilter});
    dialog->setDefaultSuffix(QStringLiteral("png"));
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    dialog->setLabelText(QFileDialog::Accept, QStringLiteral("Speichern"));
    connect(dialog, &QFileDialog::filterSelected, dialog, [dialog](const QString& f) {
        dialog->setDefaultSuffix(f == pdfFilter ? QStringLiteral("pdf") : QStringLiteral("png"));
    });
    connect(dialog, &QFileDialog::fileSelected, this, &Linienfenster::schreibeVerlaufNach);
    dialog->open();
}

// Asks before replacing, naming every file that would be replaced, then writes both or neither.
void Linienfenster::schreibeVerlaufNach(const QString& pfad)
{
    const QString tabelle = verlaufsTabellenPfad(pfad);
    QStringList vorhanden;
    for (const QString& p : {pfad, tabelle}) {
        if (QFileInfo::exists(p))
            vorhanden << zitiert(p);
    }
    const auto schreiben = [this, pfad, tabelle] {
        const QString grund =
            schreibeVerlauf(pfad, werLasWas_->protokoll(), laufWahl_, QDateTime::currentDateTime());
        melde(grund.isEmpty()
                  ? QStringLiteral("Gespeichert: %1 und %2.").arg(zitiert(pfad), zitiert(tabelle))
                  : QStringLiteral("Nicht gespeichert: %1").arg(grund));
    };
    if (vorhanden.isEmpty()) {
        schreiben();
        return;
    }
    auto* frage = new QMessageBox(
        QMessageBox::Question, titel,
        QStringLiteral("Es gibt schon %1. Ersetzen?").arg(vorhanden.join(QStringLiteral(" und "))),
        QMessageBox::Yes | QMessageBox::No, this);
    frage->setAttribute(Qt::WA_DeleteOnClose);
    frage->setDefaultButton(QMessageBox::No);
    frage->button(QMessageBox::Yes)->setText(QStringLiteral("&Ersetzen"));
    frage->button(QMessageBox::No)->setText(QStringLiteral("&Nicht ersetzen"));
    connect(frage, &QMessageBox::buttonClicked, this, [frage, schreiben](QAbstractButton* knopf) {
        if (knopf == frage->button(QMessageBox::Yes))
            schreiben();
    });
    frage->open();
}

// What became of saving, in the window and for a screen reader.
void Linienfenster::melde(const QString& text)
{
    meldung_->setText(text);
    meldung_->setAccessibleName(text);
    announceNotification(meldung_);
}
