#include "accessibility.h"

#include <QAccessibleWidget>
#include <QWidget>

#include <set>

namespace {

QAccessibleInterface* windowFactory(const QString& className, QObject* object)
{
    // Asked last for QWidget itself, after every more specific class of the object.
    if (className != QLatin1String("QWidget") || !object || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    return widget->isWindow() ? new QAccessibleWidget(widget, QAccessible::Window) : nullptr;
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
