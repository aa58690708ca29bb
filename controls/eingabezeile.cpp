#include "controls/eingabezeile.h"

#include <QKeyEvent>

void Eingabezeile::keyPressEvent(QKeyEvent* event)
{
    // Ctrl+Alt is AltGr on some systems, which types @ and € on German keyboards.
    const Qt::KeyboardModifiers umschalt = event->modifiers();
    const bool nurAlt = (umschalt & Qt::AltModifier) && !(umschalt & Qt::ControlModifier);
    if (nurAlt && !event->text().isEmpty() && event->text().at(0).isPrint()) {
        event->ignore();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
