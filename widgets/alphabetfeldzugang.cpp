#include "widgets/alphabetfeldzugang.h"

#include "bedienung/feldraster.h"
#include "controls/accessibility.h"
#include "signal/alphabet.h"
#include "widgets/alphabetfeld.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QWidget>

#include <array>

namespace {

// The grid's current cell, row * 6 + column.
int aktuelleZelle(const QWidget* feld)
{
    return feld ? feld->property("zelle").toInt() : -1;
}

class Zelle : public QAccessibleInterface,
              public QAccessibleTableCellInterface,
              public QAccessibleActionInterface {
public:
    Zelle(QWidget* feld, int index) : feld_(feld), index_(index) {}

    bool isValid() const override { return !feld_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return feld_ ? feld_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override
    {
        return QAccessible::queryAccessibleInterface(feld_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text art) const override
    {
        return art == QAccessible::Name
                   ? QString(QChar::fromLatin1(alphabet[static_cast<std::size_t>(index_)]))
                   : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override
    {
        if (!feld_)
            return {};
        const QPoint ecke(columnIndex() * feldRaster, rowIndex() * feldRaster);
        return QRect(feld_->mapToGlobal(ecke), QSize(feldRaster + 1, feldRaster + 1));
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override
    {
        QAccessible::State zustand;
        zustand.focusable = true;
        zustand.selectable = true;
        zustand.selected = isSelected();
        zustand.focused = isSelected() && feld_ && feld_->hasFocus();
        return zustand;
    }
    void* interface_cast(QAccessible::InterfaceType art) override
    {
        if (art == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface*>(this);
        if (art == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }

    // A screen reader presses a cell as a click on it does.
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& aktion) override
    {
        if (auto* feld = qobject_cast<Alphabetfeld*>(feld_.data()); feld && aktion == pressAction())
            feld->waehle(index_);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    bool isSelected() const override { return aktuelleZelle(feld_) == index_; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return index_ % feldSpalten; }
    int rowIndex() const override { return index_ / feldSpalten; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    QPointer<QWidget> feld_;
    int index_;
};

class Feld : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit Feld(QWidget* feld) : QAccessibleWidget(feld, QAccessible::Table), feld_(feld) {}
    ~Feld() override
    {
        for (const QAccessible::Id id : zellen_) {
            if (id != 0)
                QAccessible::deleteAccessibleInterface(id);
        }
    }

    int childCount() const override { return feldZellen; }
    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= feldZellen)
            return nullptr;
        QAccessible::Id& id = zellen_[static_cast<std::size_t>(index)];
        if (id == 0)
            id = QAccessible::registerAccessibleInterface(new Zelle(feld_, index));
        return QAccessible::accessibleInterface(id);
    }
    int indexOfChild(const QAccessibleInterface* kind) const override
    {
        for (int index = 0; index < feldZellen; ++index) {
            if (zellen_[static_cast<std::size_t>(index)] != 0 &&
                QAccessible::accessibleInterface(zellen_[static_cast<std::size_t>(index)]) == kind)
                return index;
        }
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        const QPoint wo = feld_->mapFromGlobal(QPoint(x, y));
        return child(zelleVon(zeichenAn(wo.x(), wo.y())));
    }
    QAccessibleInterface* focusChild() const override
    {
        return feld_->hasFocus() ? child(aktuelleZelle(feld_)) : nullptr;
    }
    void* interface_cast(QAccessible::InterfaceType art) override
    {
        if (art == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(art);
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int zeile, int spalte) const override
    {
        if (zeile < 0 || zeile >= feldSpalten || spalte < 0 || spalte >= feldSpalten)
            return nullptr;
        return child(zeile * feldSpalten + spalte);
    }
    int columnCount() const override { return feldSpalten; }
    int rowCount() const override { return feldSpalten; }
    int selectedCellCount() const override { return 1; }
    QList<QAccessibleInterface*> selectedCells() const override
    {
        return {child(aktuelleZelle(feld_))};
    }
    QString columnDescription(int spalte) const override
    {
        return QStringLiteral("Spalte %1").arg(spalte + 1);
    }
    QString rowDescription(int zeile) const override
    {
        return QStringLiteral("Zeile %1").arg(zeile + 1);
    }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    QWidget* feld_;
    mutable std::array<QAccessible::Id, feldZellen> zellen_{};
};

QAccessibleInterface* fabrik(const QString& klasse, QObject* objekt)
{
    if (klasse == QLatin1String("Alphabetfeld") && objekt->isWidgetType())
        return new Feld(static_cast<QWidget*>(objekt));
    return nullptr;
}

} // namespace

void installiereAlphabetfeldZugang()
{
    installAccessibleFactoryOnce(fabrik);
}
