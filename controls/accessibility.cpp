#include "controls/accessibility.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QWidget>

#include <set>

namespace {

// A plain widget that is a window at the time a screen reader asks; one that is made before it
// is placed in a window is a window only until then.
class PlainWidget : public QAccessibleWidget {
public:
    using QAccessibleWidget::QAccessibleWidget;
    QAccessible::Role role() const override
    {
        return widget()->isWindow() ? QAccessible::Window : QAccessibleWidget::role();
    }
};

QAccessibleInterface* windowFactory(const QString& className, QObject* object)
{
    // Asked last for QWidget itself, after every more specific class of the object.
    if (className != QLatin1String("QWidget") || !object || !object->isWidgetType())
        return nullptr;
    return new PlainWidget(static_cast<QWidget*>(object));
}

const char* const pictureProperty = "announcedAsPicture";

QAccessibleInterface* pictureFactory(const QString&, QObject* object)
{
    if (!object || !object->isWidgetType() || !object->property(pictureProperty).toBool())
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
}

const char* const notificationProperty = "announcedAsNotification";

// Named by its text, as Qt names a label; a notification, because readers speak one when it
// shows and pass over the new name of a label.
class Notification : public QAccessibleWidget {
public:
    explicit Notification(QLabel* zeile) : QAccessibleWidget(zeile, QAccessible::Notification) {}
    QString text(QAccessible::Text art) const override
    {
        if (art == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<const QLabel*>(widget())->text();
        return QAccessibleWidget::text(art);
    }
    // Without the label of its form row: a reader speaks a notification's label in place of its
    // name, "Empfangen" for "Empfangen: SOS".
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation art) const override
    {
        return QAccessibleWidget::relations(art & ~QAccessible::Label);
    }
};

QAccessibleInterface* notificationFactory(const QString&, QObject* object)
{
    auto* zeile = qobject_cast<QLabel*>(object);
    if (!zeile || !zeile->property(notificationProperty).toBool())
        return nullptr;
    return new Notification(zeile);
}

} // namespace

void installAccessibleFactoryOnce(QAccessible::InterfaceFactory factory)
{
    static std::set<QAccessible::InterfaceFactory> installed;
    if (installed.insert(factory).second)
        QAccessible::installFactory(factory);
}

void announceWindowsAsFrames()
{
    installAccessibleFactoryOnce(windowFactory);
}

void announceAsPicture(QWidget* bild)
{
    bild->setProperty(pictureProperty, true);
    installAccessibleFactoryOnce(pictureFactory);
}

void announceAsNotification(QLabel* zeile)
{
    zeile->setProperty(notificationProperty, true);
    installAccessibleFactoryOnce(notificationFactory);
}

void announceNotification(QLabel* zeile)
{
    if (!zeile->isVisible())
        return;
    QAccessibleEvent gezeigt(zeile, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&gezeigt);
}
