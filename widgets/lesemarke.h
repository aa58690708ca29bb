#pragma once

#include <QObject>

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
    void textGeaendert(int wo, int entfernt, int eingefuegt);
    void zeige();

    QPlainTextEdit& memo_;
    qsizetype anfang_ = 0;
    qsizetype ende_ = 0;
    bool gesetzt_ = false;
    bool zeigeSpaeter_ = false;
};
