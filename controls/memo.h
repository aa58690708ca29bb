#pragma once

#include <QPlainTextEdit>

// A plain text box that pastes what the clipboard offers and nothing when it offers nothing.
// Qt 6.4 reads the first of the offered formats without asking whether there is one, and an
// empty clipboard on X11 offers none: Ctrl+V then ended the program, and the message with it.
class Memo : public QPlainTextEdit {
    Q_OBJECT
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    void insertFromMimeData(const QMimeData* quelle) override;
};
