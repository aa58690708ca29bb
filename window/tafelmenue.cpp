#include "tafelmenue.h"

#include "tafel.h"
#include "tafeldatei.h"

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

void zeigeTafelmenue(QWidget* eltern, const QPoint& globalePosition, const Codezeilen& code)
{
    QMenu menue(eltern);
    menue.setAccessibleName(QStringLiteral("Signaltafel"));
    const QAction* speichernAktion = menue.addAction(QStringLiteral("Signaltafel speichern …"));
    const QAction* druckenAktion = menue.addAction(QStringLiteral("Signaltafel drucken …"));
    // The dialogs open after the menu has closed, not from inside it.
    const QAction* gewaehlt = menue.exec(globalePosition);
    if (gewaehlt == speichernAktion)
        speichern(eltern, code);
    else if (gewaehlt == druckenAktion)
        drucken(eltern, code);
}
