#pragma once

#include <QObject>
#include <QTextCursor>

class QPlainTextEdit;

// A background mark on a stretch of a memo's text, for following along as the text is read
// out. It is neither the text cursor nor a selection: the cursor, the user's selection and
// typing stay as they are. The mark keeps to its own characters while the text around it is
// edited: text typed next to it stays outside, and when any of its characters is deleted or
// typed over, the mark goes. A mark out of view is scrolled into it, its line at the top,
// without moving the cursor.
class Lesemarke : public QObject {
public:
    explicit Lesemarke(QPlainTextEdit& memo);

    // Marks the text from `anfang` up to but not including `ende`.
    void setze(qsizetype anfang, qsizetype ende);
    void entferne();

private:
    QTextCursor markiert() const;
    void textGeaendert();
    void zeige();

    QPlainTextEdit& memo_;
    // The mark's ends, which the document moves as it is edited; text typed at the end stays
    // outside the mark.
    QTextCursor anfang_;
    QTextCursor ende_;
    QString zeichen_; // the marked characters, to tell whether an edit took any of them
    bool gesetzt_ = false;
    bool zeigeSpaeter_ = false;
};
