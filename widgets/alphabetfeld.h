#pragma once

#include <QWidget>

#include <optional>

class Canvas;

// Draws the grid onto `ziel`, composed off screen and copied in one operation. With a
// `fokuszelle` that cell gets a frame in a colour of its own, to show where keys go; without
// one it is the plain grid.
void zeichneAlphabetfeld(Canvas& ziel, std::optional<int> fokuszelle = std::nullopt);

// The 6 x 6 grid of the sendable characters. A press on a cell, or a key, chooses a character:
// the arrow keys, Home and End move the current cell, Return, Enter and Space send it, and a
// typed character sends that one. The current cell has a frame while the grid has the focus.
// For screen readers the grid is a table of 36 cells, each named by its character, the current
// one focused and selected.
class Alphabetfeld : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int zelle READ zelle WRITE setZelle NOTIFY zelleGeaendert)
public:
    explicit Alphabetfeld(QWidget* parent = nullptr);

    // The current cell, row * 6 + column.
    int zelle() const { return zelle_; }
    // Makes `zelle` the current cell, as a press on it would, without choosing it.
    void setZelle(int zelle);
    // Chooses the character of `zelle`, as a press on it does.
    void waehle(int zelle);

signals:
    // A mouse press: the character under the pointer, the space for the closing lines below
    // the last row.
    void gedrueckt(char zeichen);
    // A key that sends: the character of the current cell, `selbst` when the key typed that
    // character, not when Return, Enter or Space sent the cell. A held key sends once.
    void getippt(char zeichen, bool selbst);
    // The current cell moved.
    void zelleGeaendert(int zelle);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void meldeFokus();

    int zelle_ = 0;
};
