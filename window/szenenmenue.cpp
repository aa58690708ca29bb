#include "szenenmenue.h"

#include "fortschrittsdatei.h"
#include "tafel.h"
#include "tafeldatei.h"
#include "uebungsfenster.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>

namespace {

const QString pdfFilter = QStringLiteral("PDF-Dokument (*.pdf)");
const QString pngFilter = QStringLiteral("PNG-Bild, 300 dpi (*.png)");

void speichern(QWidget* eltern, const Codezeilen& code)
{
    const QString ordner = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QFileDialog dialog(eltern, QStringLiteral("Signaltafel speichern"),
                       QDir(ordner).filePath(QStringLiteral("Signaltafel.pdf")));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({pdfFilter, pngFilter});
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    // A name typed without an extension gets the one of the chosen file type.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& f) {
        dialog.setDefaultSuffix(f == pngFilter ? QStringLiteral("png") : QStringLiteral("pdf"));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;

    const Tafelausgabe ausgabe = schreibeTafel(dialog.selectedFiles().first(), code);
    if (ausgabe.ergebnis != Tafelausgabe::Ergebnis::Geschrieben)
        QMessageBox::warning(eltern, QStringLiteral("Signaltafel speichern"), ausgabe.meldung);
}

void drucken(QWidget* eltern, const Codezeilen& code)
{
    QPrinter drucker(QPrinter::HighResolution);
    drucker.setPageSize(QPageSize(QPageSize::A4));
    drucker.setPageOrientation(QPageLayout::Landscape);
    drucker.setDocName(QStringLiteral("Signaltafel"));
    QPrintDialog dialog(&drucker, eltern);
    dialog.setWindowTitle(QStringLiteral("Signaltafel drucken"));
    if (dialog.exec() != QDialog::Accepted)
        return;

    QPainter painter;
    if (!painter.begin(&drucker)) {
        QMessageBox::warning(eltern, QStringLiteral("Signaltafel drucken"),
                             QStringLiteral("Der Drucker nimmt die Signaltafel nicht an."));
        return;
    }
    zeichneTafel(painter, QRectF(0, 0, drucker.width(), drucker.height()), code);
}

} // namespace

Szenenmenue::Szenenmenue(QWidget& fenster, const Codezeilen& code)
    : QObject(&fenster), fenster_(fenster), code_(code),
      speichernAktion_(new QAction(QStringLiteral("Signaltafel speichern …"), this)),
      druckenAktion_(new QAction(QStringLiteral("Signaltafel drucken …"), this)),
      uebenAktion_(new QAction(QStringLiteral("Signale üben …"), this))
{
    speichernAktion_->setShortcut(QKeySequence::Save);
    druckenAktion_->setShortcut(QKeySequence::Print);
    uebenAktion_->setShortcut(Qt::CTRL | Qt::Key_U);
    for (QAction* aktion : {speichernAktion_, druckenAktion_, uebenAktion_}) {
        aktion->setShortcutContext(Qt::WindowShortcut);
        aktion->setShortcutVisibleInContextMenu(true);
        fenster.addAction(aktion);
    }
    // Queued, so that a dialog opens after the menu has closed, not from inside it.
    const std::pair<QAction*, Befehl> befehle[] = {{speichernAktion_, Befehl::Speichern},
                                                   {druckenAktion_, Befehl::Drucken},
                                                   {uebenAktion_, Befehl::Ueben}};
    for (const auto& [aktion, befehl] : befehle)
        connect(
            aktion, &QAction::triggered, this, [this, befehl] { emit angefragt(befehl); },
            Qt::QueuedConnection);
}

void Szenenmenue::zeige(const QPoint& globalePosition)
{
    QMenu menue(&fenster_);
    menue.setAccessibleName(QStringLiteral("Telegraf"));
    menue.addActions({speichernAktion_, druckenAktion_});
    menue.addSeparator();
    menue.addAction(uebenAktion_);
    menue.exec(globalePosition);
}

void Szenenmenue::fuehreAus(Befehl befehl)
{
    if (befehl == Befehl::Speichern)
        speichern(&fenster_, code_);
    else if (befehl == Befehl::Drucken)
        drucken(&fenster_, code_);
    else
        uebe();
}

// The trainer is a window of its own beside this one, which waits while it is open.
void Szenenmenue::uebe()
{
    if (!uebung_) {
        uebung_ = new Uebungsfenster(code_, fortschrittsOrdner(), &fenster_);
        uebung_->setWindowModality(Qt::WindowModal);
    }
    uebung_->show();
    uebung_->activateWindow();
}
