#include "window/verlaufspeichern.h"

#include "window/aufbau.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include <memory>

namespace {

const QString titel = QStringLiteral("Verlauf speichern");
const QString pngFilter = QStringLiteral("PNG-Bild (*.png)");
const QString pdfFilter = QStringLiteral("PDF-Dokument (*.pdf)");

QString zitiert(const QString& pfad)
{
    return QStringLiteral("„%1“").arg(QDir::toNativeSeparators(pfad));
}

// What the dialog hands on to the question and the writing.
struct Auftrag {
    Linienprotokoll protokoll;
    Laufangaben angaben;
    std::function<void(const QString&)> melden;
};

void schreiben(const Auftrag& auftrag, const QString& pfad)
{
    const QString grund =
        schreibeVerlauf(pfad, auftrag.protokoll, auftrag.angaben, QDateTime::currentDateTime());
    auftrag.melden(grund.isEmpty() ? QStringLiteral("Gespeichert: %1 und %2.")
                                         .arg(zitiert(pfad), zitiert(verlaufsTabellenPfad(pfad)))
                                   : QStringLiteral("Nicht gespeichert: %1").arg(grund));
}

// Asks before replacing, naming every file that would be replaced, then writes both or neither.
void schreibeNach(QWidget* fenster, std::shared_ptr<const Auftrag> auftrag, const QString& pfad)
{
    QStringList vorhanden;
    for (const QString& p : {pfad, verlaufsTabellenPfad(pfad)}) {
        if (QFileInfo::exists(p))
            vorhanden << zitiert(p);
    }
    if (vorhanden.isEmpty())
        return schreiben(*auftrag, pfad);
    auto* frage = new QMessageBox(
        QMessageBox::Question, titel,
        QStringLiteral("Es gibt schon %1. Ersetzen?").arg(vorhanden.join(QStringLiteral(" und "))),
        QMessageBox::Yes | QMessageBox::No, fenster);
    frage->setAttribute(Qt::WA_DeleteOnClose);
    frage->setDefaultButton(QMessageBox::No);
    frage->button(QMessageBox::Yes)->setText(QStringLiteral("&Ersetzen"));
    frage->button(QMessageBox::No)->setText(QStringLiteral("&Nicht ersetzen"));
    QObject::connect(frage, &QMessageBox::buttonClicked, fenster,
                     [frage, auftrag, pfad](QAbstractButton* knopf) {
                         if (knopf == frage->button(QMessageBox::Yes))
                             schreiben(*auftrag, pfad);
                     });
    frage->open();
}

} // namespace

// One dialog for both files; the CSV takes the chart's name, so the dialog's own question
// about replacing a file is left to one that names both.
void verlaufSpeichern(QWidget* fenster, const QString& vorschlag, Linienprotokoll protokoll,
                      Laufangaben angaben, std::function<void(const QString&)> melden)
{
    auto auftrag = std::make_shared<const Auftrag>(
        Auftrag{std::move(protokoll), std::move(angaben), std::move(melden)});
    QFileDialog* dialog = speicherdialog(fenster, titel, vorschlag);
    dialog->setNameFilters({pngFilter, pdfFilter});
    dialog->setDefaultSuffix(QStringLiteral("png"));
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    dialog->setLabelText(QFileDialog::Accept, QStringLiteral("Speichern"));
    QObject::connect(dialog, &QFileDialog::filterSelected, dialog, [dialog](const QString& f) {
        dialog->setDefaultSuffix(f == pdfFilter ? QStringLiteral("pdf") : QStringLiteral("png"));
    });
    QObject::connect(
        dialog, &QFileDialog::fileSelected, fenster,
        [fenster, auftrag](const QString& pfad) { schreibeNach(fenster, auftrag, pfad); });
    dialog->open();
}
