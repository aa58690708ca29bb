#pragma once

#include <QLineEdit>

// A one-line text field that types nothing for a key held with Alt. Qt's line edit on X11 types
// the letter of an Alt key whose control is switched off or has none (Alt+W while "Weiter"
// waits, Alt+S while "Senden" reads "Abbruch"), which changed the answer or the message.
class Eingabezeile : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
