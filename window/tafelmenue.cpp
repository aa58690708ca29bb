#include "tafelmenue.h"

#include "tafel.h"
#include "tafeldatei.h"

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

Tafelmenue::Tafelmenue(QWidget& fenster, const Codezeilen& code)
    : QObject(&fenster), fenster_(fenster), code_(code),
      speichernAktion_(new QAction(QStringLiteral("Signaltafel speichern …"), this)),
      druckenAktion_(new QAction(QStringLiteral("Signaltafel drucken …"), this))
{
    speichernAktion_->setShortcut(QKeySequence::Save);
    druckenAktion_->setShortcut(QKeySequence::Print);
    for (QAction* aktion : {speichernAktion_, druckenAktion_}) {
        aktion->setShortcutContext(Qt::WindowShortcut);
        aktion->setShortcutVisibleInContextMenu(true);
        fenster.addAction(aktion);
    }
    // Queued, so that a dialog opens after the menu has closed, not from inside it.
    connect(
        speichernAktion_, &QAction::triggered, this, [this] { emit angefragt(Befehl::Speichern); },
        Qt::QueuedConnection);
    connect(
        druckenAktion_, &QAction::triggered, this, [this] { emit angefragt(Befehl::Drucken); },
        Qt::QueuedConnection);
}

void Tafelmenue::zeige(const QPoint& globalePosition)
{
    QMenu menue(&fenster_);
    menue.setAccessibleName(QStringLiteral("Signaltafel"));
    menue.addActions({speichernAktion_, druckenAktion_});
    menue.exec(globalePosition);
}

void Tafelmenue::fuehreAus(Befehl befehl)
{
    if (befehl == Befehl::Speichern)
        speichern(&fenster_, code_);
    else
        drucken(&fenster_, code_);
}
