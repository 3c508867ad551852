#include "chart_accessibility.h"

#include "distribution_chart.h"
#include "probability_text.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QWindow>
#include <unordered_map>

namespace {

// One bar, read live from the chart: the bars change with each distribution
// and each width, and a bar past the last one is no longer valid.
class BarAccessible final : public QAccessibleInterface, public QAccessibleValueInterface {
public:
    BarAccessible(DistributionChart* chart, int index) : chart(chart), index(index) {}

    bool isValid() const override { return chart && index < int(chart->bars().size()); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return chart ? chart->window()->windowHandle() : nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(chart);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text kind) const override {
        if (!isValid()) {
            return QString();
        }
        switch (kind) {
        case QAccessible::Name:
            return chart->bar_text(index, QStringLiteral(", "));
        case QAccessible::Value:
            return probability_text(bar().main);
        default:
            return QString();
        }
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid()) {
            return QRect();
        }
        const QRect area = chart->bar_rect(index);
        return QRect(chart->mapToGlobal(area.topLeft()), area.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        state.focusable = true;
        state.selectable = true;
        state.selected = index == chart->current_bar();
        state.focused = state.selected && chart->hasFocus();
        state.invisible = !chart->isVisible();
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface*>(this)
                                                   : nullptr;
    }

    // The chance of the bar, in percent.
    QVariant currentValue() const override { return isValid() ? 100 * bar().main : 0.0; }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return 100.0; }
    QVariant minimumValue() const override { return 0.0; }
    QVariant minimumStepSize() const override { return 0.0; }

    const QPointer<DistributionChart> chart;
    const int index;

private:
    const DistributionChart::Bar& bar() const { return chart->bars()[std::size_t(index)]; }
};

class ChartAccessible final : public QAccessibleWidget {
public:
    explicit ChartAccessible(DistributionChart* chart)
        : QAccessibleWidget(chart, QAccessible::Chart) {}

    // The bars' interfaces are registered, so that screen readers find the
    // same one again; they go with the chart's.
    ~ChartAccessible() override {
        for (const auto& [index, id] : bar_ids) {
            QAccessible::deleteAccessibleInterface(id);
        }
    }

    int childCount() const override { return int(chart()->bars().size()); }

    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) {
            return nullptr;
        }
        if (const auto known = bar_ids.find(index); known != bar_ids.end()) {
            if (QAccessibleInterface* bar = QAccessible::accessibleInterface(known->second)) {
                return bar;
            }
        }
        auto* bar = new BarAccessible(chart(), index);
        bar_ids[index] = QAccessible::registerAccessibleInterface(bar);
        return bar;
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* bar = dynamic_cast<const BarAccessible*>(child);
        return bar && bar->chart == chart() && bar->isValid() ? bar->index : -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint at = chart()->mapFromGlobal(QPoint(x, y));
        for (int i = 0; i < childCount(); ++i) {
            if (chart()->bar_rect(i).contains(at)) {
                return child(i);
            }
        }
        return nullptr;
    }

    QAccessibleInterface* focusChild() const override {
        return chart()->hasFocus() ? child(chart()->current_bar()) : nullptr;
    }

private:
    DistributionChart* chart() const { return static_cast<DistributionChart*>(widget()); }

    mutable std::unordered_map<int, QAccessible::Id> bar_ids;
};

QAccessibleInterface* chart_interface(const QString&, QObject* object) {
    auto* chart = qobject_cast<DistributionChart*>(object);
    return chart ? new ChartAccessible(chart) : nullptr;
}

} // namespace

void make_charts_accessible() {
    static const bool installed = (QAccessible::installFactory(chart_interface), true);
    Q_UNUSED(installed)
}
