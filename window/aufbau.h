#pragma once

#include <QRect>
#include <QString>

class QColor;
class QLabel;
class QWidget;

// The building blocks of a window's fixed layout: parts at given places, named as the layout
// names them, by which they are found.

QWidget* panel(QWidget* eltern, const char* name, const QRect& lage, const QColor& farbe);
QLabel* label(QWidget* eltern, const char* name, const QRect& lage, const QString& text);

template <typename Teil> Teil* benannt(Teil* teil, const char* name, const QRect& lage)
{
    teil->setObjectName(QLatin1String(name));
    teil->setGeometry(lage);
    return teil;
}
