#include "aufbau.h"

#include <QLabel>

QWidget* panel(QWidget* eltern, const char* name, const QRect& lage, const QColor& farbe)
{
    auto* p = benannt(new QWidget(eltern), name, lage);
    p->setAutoFillBackground(true);
    QPalette palette = p->palette();
    palette.setColor(QPalette::Window, farbe);
    p->setPalette(palette);
    return p;
}

QLabel* label(QWidget* eltern, const char* name, const QRect& lage, const QString& text)
{
    auto* l = benannt(new QLabel(text, eltern), name, lage);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}
