#pragma once

#include <QRect>
#include <QString>

class QColor;
class QFileDialog;
class QLabel;
class QWidget;
class SpinBox;

// A window of fixed size: a title bar with its menu, minimise and close, and nothing to maximise.
inline constexpr Qt::WindowFlags festesFenster =
    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
    Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;

// The building blocks of a window's fixed layout: parts at given places, named as the layout
// names them, by which they are found.

QWidget* panel(QWidget* eltern, const char* name, const QRect& lage, const QColor& farbe);
QLabel* label(QWidget* eltern, const char* name, const QRect& lage, const QString& text);

// A heading over a group of controls: bold, navy, 13 pixels high.
QLabel* ueberschrift(QWidget* eltern, const char* name, const QRect& lage, const QString& text);

// The spin box for the time between two sent characters: 1.0 to 4.0 seconds in tenths.
SpinBox* abstandsfeld(QWidget* eltern, const char* name);

// A dialog that asks where to save `name`, beginning in the user's documents, or in the home
// folder where there are none: Qt would begin in whatever folder the program was started from.
// It deletes itself when closed.
QFileDialog* speicherdialog(QWidget* eltern, const QString& titel, const QString& name);

template <typename Teil> Teil* benannt(Teil* teil, const char* name, const QRect& lage)
{
    teil->setObjectName(QLatin1String(name));
    teil->setGeometry(lage);
    return teil;
}
