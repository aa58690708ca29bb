#include "window/szenenmenue.h"

#include "display/tafel.h"
#include "files/ganzschreiben.h"
#include "files/tafeldatei.h"
#include "window/aufbau.h"

#include <QAction>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <memory>

namespace {

const QString pdfFilter = QStringLiteral("PDF-Dokument (*.pdf)");
const QString pngFilter = QStringLiteral("PNG-Bild, 300 dpi (*.png)");

// A message about the chart, shown without waiting for it to be read.
void melde(QWidget* eltern, const QString& titel, const QString& text)
{
    auto* meldung = new QMessageBox(QMessageBox::Warning, titel, text, QMessageBox::Ok, eltern);
    meldung->setAttribute(Qt::WA_DeleteOnClose);
    meldung->open();
}

// The dialogs open and return at once; what they are for follows when they are accepted.
void speichern(QWidget* eltern, const Signalcode& code)
{
    QFileDialog* dialog = speicherdialog(eltern, QStringLiteral("Signaltafel speichern"),
                                         QStringLiteral("Signaltafel.pdf"));
    dialog->setNameFilters({pdfFilter, pngFilter});
    dialog->setDefaultSuffix(QStringLiteral("pdf"));
    // A name typed without an extension gets the one of the chosen file type.
    QObject::connect(dialog, &QFileDialog::filterSelected, dialog, [dialog](const QString& f) {
        dialog->setDefaultSuffix(f == pngFilter ? QStringLiteral("png") : QStringLiteral("pdf"));
    });
    QObject::connect(
        dialog, &QFileDialog::fileSelected, eltern, [eltern, code](const QString& pfad) {
            const Tafelausgabe ausgabe = schreibeTafel(pfad, code);
            if (ausgabe.ergebnis != Tafelausgabe::Ergebnis::Geschrieben)
                melde(eltern, QStringLiteral("Signaltafel speichern"), ausgabe.meldung);
        });
    dialog->open();
}

void drucken(QWidget* eltern, const Signalcode& code)
{
    auto drucker = std::make_shared<QPrinter>(QPrinter::HighResolution);
    drucker->setPageSize(QPageSize(QPageSize::A4));
    drucker->setPageOrientation(QPageLayout::Landscape);
    drucker->setDocName(QStringLiteral("Signaltafel"));
    auto* dialog = new QPrintDialog(drucker.get(), eltern);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(QStringLiteral("Signaltafel drucken"));
    // The printer lives as long as the dialog's connection that prints on it.
    QObject::connect(dialog, &QDialog::accepted, eltern, [eltern, code, drucker] {
        const QString titel = QStringLiteral("Signaltafel drucken");
        if (drucker->outputFormat() == QPrinter::PdfFormat) {
            const Tafelausgabe ausgabe = schreibeTafelAlsPdf(
                drucker->outputFileName(), drucker->pageLayout(), drucker->resolution(), code);
            if (ausgabe.ergebnis != Tafelausgabe::Ergebnis::Geschrieben)
                melde(eltern, titel, ausgabe.meldung);
            return;
        }
        // The print system spools through a file too.
        const OhneGroessensignal ohneSignal;
        QPainter painter;
        if (!painter.begin(drucker.get())) {
            melde(eltern, titel, QStringLiteral("Der Drucker nimmt die Signaltafel nicht an."));
            return;
        }
        zeichneTafel(painter, QRectF(0, 0, drucker->width(), drucker->height()), code);
        if (!painter.end())
            melde(eltern, titel, QStringLiteral("Der Drucker nahm die Signaltafel nicht an."));
    });
    dialog->open();
}

} // namespace

Szenenmenue::Szenenmenue(QWidget& fenster, const Signalcode& code)
    : QObject(&fenster), fenster_(fenster), code_(code),
      speichernAktion_(new QAction(QStringLiteral("Signaltafel speichern …"), this)),
      druckenAktion_(new QAction(QStringLiteral("Signaltafel drucken …"), this)),
      uebenAktion_(new QAction(QStringLiteral("Signale üben …"), this)),
      linienAktion_(new QAction(QStringLiteral("Telegrafenlinie …"), this)),
      stationsAktion_(new QAction(QStringLiteral("Station einer Linie …"), this))
{
    speichernAktion_->setShortcut(QKeySequence::Save);
    druckenAktion_->setShortcut(QKeySequence::Print);
    uebenAktion_->setShortcut(Qt::CTRL | Qt::Key_U);
    linienAktion_->setShortcut(Qt::CTRL | Qt::Key_L);
    stationsAktion_->setShortcut(Qt::CTRL | Qt::Key_T);
    for (QAction* aktion :
         {speichernAktion_, druckenAktion_, uebenAktion_, linienAktion_, stationsAktion_}) {
        aktion->setShortcutContext(Qt::WindowShortcut);
        aktion->setShortcutVisibleInContextMenu(true);
        fenster.addAction(aktion);
    }
    // Queued, so that a dialog opens after the menu has closed, not from inside it.
    const std::pair<QAction*, Befehl> befehle[] = {{speichernAktion_, Befehl::Speichern},
                                                   {druckenAktion_, Befehl::Drucken},
                                                   {uebenAktion_, Befehl::Ueben},
                                                   {linienAktion_, Befehl::Linie},
                                                   {stationsAktion_, Befehl::Station}};
    for (const auto& [aktion, befehl] : befehle)
        connect(
            aktion, &QAction::triggered, this, [this, befehl] { emit angefragt(befehl); },
            Qt::QueuedConnection);
}

void Szenenmenue::zeige(const QPoint& globalePosition)
{
    auto* menue = new QMenu(&fenster_);
    menue->setAttribute(Qt::WA_DeleteOnClose);
    menue->setAccessibleName(QStringLiteral("Telegraf"));
    menue->addActions({speichernAktion_, druckenAktion_});
    menue->addSeparator();
    menue->addActions({uebenAktion_, linienAktion_, stationsAktion_});
    menue->popup(globalePosition);
}

void Szenenmenue::fuehreAus(Befehl befehl)
{
    if (befehl == Befehl::Speichern)
        speichern(&fenster_, code_);
    else if (befehl == Befehl::Drucken)
        drucken(&fenster_, code_);
}
