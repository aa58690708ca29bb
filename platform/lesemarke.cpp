#include "lesemarke.h"

#include <QAbstractTextDocumentLayout>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

#include <algorithm>

namespace {

// The memo's scroll bar counts lines of its layout: showing a line at the top is setting the
// scroll bar to that line's number. Only the lines of the mark's own block need laying out.
void inSicht(QPlainTextEdit& memo, const QTextCursor& marke)
{
    const QRect ort = memo.cursorRect(marke);
    if (ort.top() >= 0 && ort.bottom() < memo.viewport()->height())
        return;
    const QTextBlock block = marke.block();
    memo.document()->documentLayout()->blockBoundingRect(block);
    const QTextLine zeile = block.layout()->lineForTextPosition(marke.positionInBlock());
    memo.verticalScrollBar()->setValue(block.firstLineNumber() +
                                       (zeile.isValid() ? zeile.lineNumber() : 0));
}

} // namespace

void setzeLesemarke(QPlainTextEdit& memo, qsizetype anfang, qsizetype ende)
{
    const qsizetype letzte = memo.document()->characterCount() - 1;
    anfang = std::clamp<qsizetype>(anfang, 0, letzte);
    ende = std::clamp<qsizetype>(ende, anfang, letzte);

    QTextEdit::ExtraSelection marke;
    marke.cursor = QTextCursor(memo.document());
    marke.cursor.setPosition(static_cast<int>(anfang));
    marke.cursor.setPosition(static_cast<int>(ende), QTextCursor::KeepAnchor);
    // Marker yellow under black type; the user's selection keeps its own colours.
    marke.format.setBackground(QColor(255, 221, 0));
    memo.setExtraSelections({marke});

    QTextCursor anfangDerMarke(memo.document());
    anfangDerMarke.setPosition(static_cast<int>(anfang));
    inSicht(memo, anfangDerMarke);
}

void entferneLesemarke(QPlainTextEdit& memo)
{
    memo.setExtraSelections({});
}
