#include "widgets/lesemarke.h"

#include "display/farben.h"

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
    anfang = std::clamp<qsizetype>(anfang, 0, letzte);
    anfang_ = QTextCursor(memo_.document());
    anfang_.setPosition(static_cast<int>(anfang));
    ende_ = QTextCursor(memo_.document());
    ende_.setPosition(static_cast<int>(std::clamp<qsizetype>(ende, anfang, letzte)));
    ende_.setKeepPositionOnInsert(true);
    zeichen_ = markiert().selectedText();
    gesetzt_ = true;
    zeige();
    inSicht(memo_, anfang_);
}

void Lesemarke::entferne()
{
    gesetzt_ = false;
    zeige();
}

QTextCursor Lesemarke::markiert() const
{
    QTextCursor auswahl = anfang_;
    auswahl.setPosition(ende_.position(), QTextCursor::KeepAnchor);
    return auswahl;
}

// The document moves the mark's ends with every edit, exactly; what it reports of an edit may
// be more than was changed (a paste at the start of the text names the whole paragraph). An
// edit that took or replaced any of the marked characters ends the mark. The memo is told
// only after the edit: while the document is being changed its layout must not be asked for.
void Lesemarke::textGeaendert()
{
    if (!gesetzt_)
        return;
    const bool verdreht = anfang_.position() > ende_.position();
    const QString jetzt = markiert().selectedText();
    // Undoing a deletion just before the mark puts the text back without moving the start,
    // which then stands before it; the end has kept its place.
    if (!verdreht && jetzt != zeichen_ && jetzt.endsWith(zeichen_))
        anfang_.setPosition(ende_.position() - static_cast<int>(zeichen_.size()));
    else if (verdreht || jetzt != zeichen_)
        gesetzt_ = false;
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
    marke.cursor = markiert();
    // Marker yellow under black type; the user's selection keeps its own colours.
    marke.format.setBackground(farbe::markergelb);
    memo_.setExtraSelections({marke});
}
