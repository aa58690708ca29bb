#include "spinbox.h"

SpinBox::SpinBox(QWidget* parent) : QDoubleSpinBox(parent) {}
