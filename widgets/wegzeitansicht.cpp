#include "widgets/wegzeitansicht.h"

#include "display/wegzeitbild.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

// The chart at its own size, painting the part asked for.
class WegZeitFlaeche : public QWidget {
public:
    using QWidget::QWidget;

    Linienprotokoll protokoll;
    std::chrono::milliseconds zeit{0};

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter p(this);
        p.setClipRect(event->rect());
        zeichneWegZeitBild(p, protokoll, zeit);
    }
};

WegZeitAnsicht::WegZeitAnsicht(QWidget* parent) : QScrollArea(parent), flaeche_(new WegZeitFlaeche)
{
    flaeche_->setAttribute(Qt::WA_OpaquePaintEvent);
    setWidget(flaeche_);
    setBackgroundRole(QPalette::Base);
    setAccessibleName(QStringLiteral("Weg-Zeit-Bild"));
    setAccessibleDescription(QStringLiteral("Stationen nebeneinander, die Zeit nach unten; die "
                                            "Tabelle „Wer las was“ nennt dasselbe als Text."));
    setProtokoll({});
}

void WegZeitAnsicht::setProtokoll(Linienprotokoll protokoll)
{
    flaeche_->protokoll = std::move(protokoll);
    flaeche_->zeit = std::chrono::milliseconds(-1);
    flaeche_->setFixedSize(wegZeitGroesse(flaeche_->protokoll));
    verticalScrollBar()->setValue(0);
    flaeche_->update();
}

void WegZeitAnsicht::ergaenze(Linienprotokoll protokoll)
{
    flaeche_->protokoll = std::move(protokoll);
    flaeche_->setFixedSize(wegZeitGroesse(flaeche_->protokoll));
    flaeche_->update();
}

void WegZeitAnsicht::setZeit(std::chrono::milliseconds zeit)
{
    const std::chrono::milliseconds vorher = flaeche_->zeit;
    if (zeit <= vorher)
        return;
    flaeche_->zeit = zeit;
    const Linienprotokoll& p = flaeche_->protokoll;
    // The stretch since the last time, with room for the labels that came with it.
    const int von = static_cast<int>(wegZeitY(p, std::max(vorher, {}))) - 12;
    const int bis = static_cast<int>(wegZeitY(p, std::min(zeit, p.dauer()))) + 12;
    flaeche_->update(0, von, flaeche_->width(), bis - von);
    ensureVisible(0, bis, 0, viewport()->height() / 4);
}
