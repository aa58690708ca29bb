#pragma once

#include <QtGlobal>

class QPlainTextEdit;

// A background mark on a stretch of a memo's text, from `anfang` up to but not including
// `ende`, for following along as the text is read out. It is neither the text cursor nor a
// selection: the cursor, the user's selection and typing stay as they are, and the mark moves
// with the text when the text is edited. A mark out of view is scrolled into it, its line at
// the top, without moving the cursor.
void setzeLesemarke(QPlainTextEdit& memo, qsizetype anfang, qsizetype ende);

// Takes the mark away.
void entferneLesemarke(QPlainTextEdit& memo);
