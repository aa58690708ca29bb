#include "window/aufbau.h"

#include "bedienung/wiedergabeschritt.h"
#include "controls/spinbox.h"
#include "display/farben.h"
#include "drawing/schrift.h"

#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QStandardPaths>

#include <algorithm>

QWidget* panel(QWidget* eltern, const char* name, const QRect& lage, const QColor& farbe)
{
    auto* p = benannt(new QWidget(eltern), name, lage);
    p->setAutoFillBackground(true);
    QPalette palette = p->palette();
    palette.setColor(QPalette::Window, farbe);
    p->setPalette(palette);
    return p;
}

QLabel* label(QWidget* eltern, const char* name, const QRect& lage, const QString& text)
{
    auto* l = benannt(new QLabel(text, eltern), name, lage);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

QLabel* ueberschrift(QWidget* eltern, const char* name, const QRect& lage, const QString& text)
{
    QLabel* l = label(eltern, name, lage, text);
    l->setFont(verdana(13, true));
    // The size is Verdana's; a wider stand-in font gets the width it needs, so that the last
    // letter is not cut off.
    l->resize(std::max(lage.width(), l->sizeHint().width()), lage.height());
    QPalette navy = l->palette();
    navy.setColor(QPalette::WindowText, farbe::navy);
    l->setPalette(navy);
    return l;
}

SpinBox* abstandsfeld(QWidget* eltern, const char* name)
{
    auto* feld = new SpinBox(abstand::kleinster, abstand::groesster, abstand::schritt,
                             abstand::anfang, eltern);
    feld->setObjectName(QLatin1String(name));
    feld->setAccessibleName(QStringLiteral("Abstand in Sekunden"));
    feld->setAccessibleDescription(
        QStringLiteral("Zeit zwischen zwei gesendeten Zeichen, von 1,0 bis 4,0 Sekunden."));
    return feld;
}

QFileDialog* speicherdialog(QWidget* eltern, const QString& titel, const QString& name)
{
    QString ordner = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QFileInfo(ordner).isDir())
        ordner = QDir::homePath();
    auto* dialog = new QFileDialog(eltern, titel, QDir(ordner).filePath(name));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    return dialog;
}
