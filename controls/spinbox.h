#pragma once

#include <QDoubleSpinBox>

// A spin box for a decimal value that only its spin buttons and the Up and Down keys change:
// one step at a time, held within its range, shown with as many decimals as its step has, in
// the widget's locale. Its text cannot be typed into, pasted into, cut or deleted; it can still
// be selected and copied. It takes the focus by Tab and click, not by the mouse wheel.
//
// Holding a spin button repeats the step after kRepeatDelayMs, then every kRepeatIntervalMs, in
// any application style. The look follows the application style in use when the spin box is
// created. setReadOnly(true) stops the stepping as usual; the text stays uneditable either way.
class SpinBox : public QDoubleSpinBox {
    Q_OBJECT
public:
    static constexpr int kRepeatDelayMs = 400;
    static constexpr int kRepeatIntervalMs = 100;

    SpinBox(double minimum, double maximum, double step, double value, QWidget* parent = nullptr);

    // Moves the shown value by one single step per call, whatever the size or modifier keys
    // of the request, so that neither Ctrl nor Page keys can make larger jumps.
    void stepBy(int steps) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void installRepeatTiming();
    void lockText();
};
