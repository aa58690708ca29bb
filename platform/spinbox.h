#pragma once

#include <QDoubleSpinBox>

// A spin box for a decimal value that only its spin buttons and the Up and Down keys change:
// one step at a time, held within its range, shown with a fixed number of decimals in the
// user's locale. Its text cannot be typed into, pasted into, cut or deleted.
class SpinBox : public QDoubleSpinBox {
    Q_OBJECT
public:
    explicit SpinBox(QWidget* parent = nullptr);
};
