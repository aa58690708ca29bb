#pragma once

// Whether a window shows every control whole: what the layout tests of several windows share.
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QLabel>
#include <QList>
#include <QWidget>

#include <algorithm>

// The controls of `bereich` as a user sees them: each visible widget with nothing visible inside
// it, and each scrolling area or spin box as a whole (what it shows of its inside is its own
// affair).
inline QList<const QWidget*> bedienteile(const QWidget& bereich)
{
    QList<const QWidget*> teile;
    for (const QWidget* t : bereich.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!t->isVisibleTo(&bereich) || t->isWindow())
            continue;
        const bool ganz =
            qobject_cast<const QAbstractScrollArea*>(t) || qobject_cast<const QAbstractSpinBox*>(t);
        const QList<const QWidget*> innen = ganz ? QList<const QWidget*>() : bedienteile(*t);
        if (innen.isEmpty())
            teile << t;
        else
            teile << innen;
    }
    return teile;
}

// The first of `teile` that is cut off by `bereich`, squeezed below the size it needs, or lies
// on another one; empty when every control shows whole.
inline QString abgeschnitten(const QWidget& bereich, const QList<const QWidget*>& teile)
{
    const auto lage = [&bereich](const QWidget* t) {
        return QRect(t->mapTo(&bereich, QPoint(0, 0)), t->size());
    };
    const auto name = [](const QWidget* t) {
        return t->objectName().isEmpty() ? QString::fromLatin1(t->metaObject()->className()) +
                                               QLatin1Char(' ') + t->property("text").toString()
                                         : t->objectName();
    };
    for (const QWidget* t : teile) {
        const QRect r = lage(t);
        const QSize noetig = t->minimumSizeHint().expandedTo(t->minimumSize());
        const auto* text = qobject_cast<const QLabel*>(t);
        const int hoehe = text && text->wordWrap() ? text->heightForWidth(r.width()) : 0;
        if (!bereich.rect().contains(r) || r.width() < noetig.width() ||
            r.height() < std::max(noetig.height(), hoehe))
            return name(t) + QStringLiteral(" zu klein");
        for (const QWidget* anderes : teile)
            if (anderes != t && r.intersects(lage(anderes)))
                return name(t) + QStringLiteral(" über ") + name(anderes);
    }
    return {};
}

// The direct children of `seite` that show.
inline QList<const QWidget*> gezeigteKinder(const QWidget& seite)
{
    QList<const QWidget*> gezeigt;
    for (const QWidget* t : seite.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (t->isVisibleTo(&seite))
            gezeigt << t;
    return gezeigt;
}
