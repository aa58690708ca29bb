#include "lesemarke.h"

#include "farben.h"

#include <QAbstractTextDocumentLayout>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

#include <algorithm>
#include <utility>

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

Lesemarke::Lesemarke(QPlainTextEdit& memo) : QObject(&memo), memo_(memo)
{
    connect(memo.document(), &QTextDocument::contentsChange, this, &Lesemarke::textGeaendert);
}

void Lesemarke::setze(qsizetype anfang, qsizetype ende)
{
    const qsizetype letzte = memo_.document()->characterCount() - 1;
    anfang_ = std::clamp<qsizetype>(anfang, 0, letzte);
    ende_ = std::clamp<qsizetype>(ende, anfang_, letzte);
    gesetzt_ = true;
    zeige();

    QTextCursor anfangDerMarke(memo_.document());
    anfangDerMarke.setPosition(static_cast<int>(anfang_));
    inSicht(memo_, anfangDerMarke);
}

void Lesemarke::entferne()
{
    gesetzt_ = false;
    zeige();
}

// The memo's own cursors would take in text typed at the mark's end, so the mark follows the
// edits itself: an edit before it moves it, one after it leaves it, one that touches its
// characters ends it. The memo is told only after the edit: while the document is being
// changed its layout must not be asked for.
void Lesemarke::textGeaendert(int wo, int entfernt, int eingefuegt)
{
    if (!gesetzt_)
        return;
    if (wo < ende_ && wo + entfernt > anfang_) {
        gesetzt_ = false;
    } else if (wo < ende_) {
        anfang_ += eingefuegt - entfernt;
        ende_ += eingefuegt - entfernt;
    }
    if (!std::exchange(zeigeSpaeter_, true))
        QMetaObject::invokeMethod(this, &Lesemarke::zeige, Qt::QueuedConnection);
}

void Lesemarke::zeige()
{
    zeigeSpaeter_ = false;
    if (!gesetzt_) {
        memo_.setExtraSelections({});
        return;
    }
    QTextEdit::ExtraSelection marke;
    marke.cursor = QTextCursor(memo_.document());
    marke.cursor.setPosition(static_cast<int>(anfang_));
    marke.cursor.setPosition(static_cast<int>(ende_), QTextCursor::KeepAnchor);
    // Marker yellow under black type; the user's selection keeps its own colours.
    marke.format.setBackground(farbe::markergelb);
    memo_.setExtraSelections({marke});
}
