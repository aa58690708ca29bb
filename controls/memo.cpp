#include "controls/memo.h"

#include <QMimeData>

void Memo::insertFromMimeData(const QMimeData* quelle)
{
    if (quelle && !quelle->formats().isEmpty())
        QPlainTextEdit::insertFromMimeData(quelle);
}
