#pragma once

#include "total_odds.h"

#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

// The histogram of a formula's totals, drawn with QPainter: one bar a total,
// or a range of totals when there are too many to draw one bar each; the
// mean and the last roll's total marked; a second distribution drawn over
// the first as an outline. Left, Right, Home and End move across the bars,
// which screen readers hear one by one.
class DistributionChart final : public QWidget {
    Q_OBJECT

public:
    struct Bar {
        std::int64_t first;
        std::int64_t last;
        double main;     // the chance of a total in the bar
        double compared; // the same for the compared distribution, 0 without one
    };

    explicit DistributionChart(QWidget* parent = nullptr);

    // `compared` may be null; so may `main`, and then `message` is shown instead.
    void show_odds(std::shared_ptr<const TotalOdds> main, const QString& main_label,
                   std::shared_ptr<const TotalOdds> compared, const QString& compared_label);
    void show_message(const QString& message);
    void set_last_total(std::optional<std::int64_t> total);

    const std::vector<Bar>& bars() const { return bars_; }
    // -1 without bars.
    int current_bar() const { return current; }
    // The bar that holds `total`, or the nearest one.
    void set_current_total(std::int64_t total);
    // What the bar says: to be read (" · ") or heard (", ").
    QString bar_text(int index, const QString& link) const;
    // Where the bar is drawn, in the chart's coordinates.
    QRect bar_rect(int index) const;

    // The chart as the copy puts it on the clipboard: without the focus frame.
    QImage picture() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void current_changed(std::int64_t first, std::int64_t last);

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Range {
        std::int64_t first;
        std::int64_t last;
    };
    struct Layout {
        QRect plot;
        double bar_width = 0;
    };

    void regroup(bool new_odds);
    void move_to(int bar);
    void tell_screen_readers_current();
    Layout lay_out() const;
    QRect column(int index, const Layout& layout) const;
    double x_of(double total, const Layout& layout) const;
    void paint(QPainter& painter, bool with_focus) const;
    void paint_bars(QPainter& painter, const Layout& layout, bool with_focus) const;
    void paint_axes(QPainter& painter, const Layout& layout) const;
    void paint_marks(QPainter& painter, const Layout& layout) const;
    int legend_height(int width) const;
    void paint_legend(QPainter& painter, const QRect& area) const;
    int bar_at(const QPoint& point) const;

    std::shared_ptr<const TotalOdds> main_;
    std::shared_ptr<const TotalOdds> compared_;
    QString main_label, compared_label;
    QString message;
    std::optional<std::int64_t> last_total;
    Range whole{0, 0}, likely{0, 0}; // every total drawn; those with a chance that shows
    std::vector<Bar> bars_;
    std::int64_t per_bar = 1;
    double top_chance = 0;   // the top of the vertical axis
    double percent_step = 1; // between its marks
    int current = -1;
};
