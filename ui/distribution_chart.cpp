#include "distribution_chart.h"

#include "chart_accessibility.h"
#include "french_number.h"
#include "layout_scale.h"
#include "odds_text.h"
#include "probability_text.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QToolTip>
#include <algorithm>
#include <cmath>

namespace {

constexpr QSize drawn_size(480, 200); // for a 9 pt font
constexpr QSize smallest_size(240, 120);
constexpr int narrowest_bar = 4; // pixels at 9 pt, gap included
// Tails with less than this chance in all, too low to show as a pixel, are
// left out of the drawing when the bars are grouped, so that the bars hold
// what can be seen; the table still lists every total.
constexpr double unseen_tail = 1e-6;

// The smallest of 1, 2, 5, 10, 20, 50... that is at least `value`.
double round_number_above(double value) {
    const double power = std::pow(10.0, std::floor(std::log10(value)));
    for (const double step : {1.0, 2.0, 5.0, 10.0}) {
        if (step * power >= value * (1 - 1e-12)) {
            return step * power;
        }
    }
    return 10 * power;
}

std::int64_t floor_div(std::int64_t a, std::int64_t b) {
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

// The totals that keep all but `tail` of the chance on each side.
std::pair<std::int64_t, std::int64_t> likely_totals(const Distribution& d, double tail) {
    std::size_t low = 0;
    for (double below = d.p[0]; below < tail && low + 1 < d.p.size(); below += d.p[++low]) {
    }
    std::size_t high = d.p.size() - 1;
    for (double above = d.p[high]; above < tail && high > low; above += d.p[--high]) {
    }
    return {d.min + std::int64_t(low), d.min + std::int64_t(high)};
}

QColor mix(const QColor& a, const QColor& b, double share_of_b) {
    const auto channel = [share_of_b](double x, double y) { return x + (y - x) * share_of_b; };
    return QColor::fromRgbF(float(channel(a.redF(), b.redF())),
                            float(channel(a.greenF(), b.greenF())),
                            float(channel(a.blueF(), b.blueF())));
}

int scaled(double pixels, double scale) {
    return static_cast<int>(std::lround(pixels * scale));
}

enum class Sample { main_bar, compared_line, mean_line, last_mark, none };

struct LegendItem {
    Sample sample;
    QString text;
};

} // namespace

DistributionChart::DistributionChart(QWidget* parent) : QWidget(parent) {
    make_charts_accessible();
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void DistributionChart::show_odds(std::shared_ptr<const TotalOdds> main, const QString& main_text,
                                  std::shared_ptr<const TotalOdds> compared,
                                  const QString& compared_text) {
    const std::optional<std::int64_t> kept =
        current >= 0 ? std::optional(bars_[std::size_t(current)].first) : std::nullopt;
    current = -1;
    main_ = std::move(main);
    compared_ = std::move(compared);
    main_label = main_text;
    compared_label = compared_text;
    message.clear();
    if (main_) {
        const Distribution& a = main_->distribution();
        const auto [low, high] = likely_totals(a, unseen_tail);
        whole = {a.min, a.max()};
        likely = {low, high};
        if (compared_) {
            const Distribution& b = compared_->distribution();
            const auto [c_low, c_high] = likely_totals(b, unseen_tail);
            whole = {std::min(whole.first, b.min), std::max(whole.last, b.max())};
            likely = {std::min(likely.first, c_low), std::max(likely.last, c_high)};
        }
    }
    regroup(true);
    if (!bars_.empty()) {
        set_current_total(kept.value_or(last_total.value_or(main_->distribution().most_likely())));
    }
    update();
}

void DistributionChart::show_message(const QString& text) {
    main_.reset();
    compared_.reset();
    message = text;
    regroup(true);
    update();
}

void DistributionChart::set_last_total(std::optional<std::int64_t> total) {
    last_total = total;
    regroup(false);
    update();
}

void DistributionChart::set_current_total(std::int64_t total) {
    if (bars_.empty()) {
        return;
    }
    const auto after =
        std::lower_bound(bars_.begin(), bars_.end(), total,
                         [](const Bar& bar, std::int64_t t) { return bar.last < t; });
    move_to(after == bars_.end() ? int(bars_.size()) - 1 : int(after - bars_.begin()));
}

QString DistributionChart::bar_text(int index, const QString& link) const {
    const Bar& bar = bars_[std::size_t(index)];
    return ::bar_text(bar.first, bar.last, *main_, compared_.get(), link);
}

QRect DistributionChart::bar_rect(int index) const {
    return column(index, lay_out());
}

// Edges rounded, not widths, so that neighbouring bars meet without a seam.
QRect DistributionChart::column(int index, const Layout& layout) const {
    const int left = layout.plot.left() + int(std::lround(index * layout.bar_width));
    const int right = layout.plot.left() + int(std::lround((index + 1) * layout.bar_width));
    return QRect(QPoint(left, layout.plot.top()), QPoint(right - 1, layout.plot.bottom()));
}

QImage DistributionChart::picture() const {
    QImage image(size() * devicePixelRatio(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio());
    QPainter painter(&image);
    paint(painter, false);
    return image;
}

QSize DistributionChart::sizeHint() const {
    const double scale = layout_scale(*this);
    return {scaled(drawn_size.width(), scale), scaled(drawn_size.height(), scale)};
}

QSize DistributionChart::minimumSizeHint() const {
    const double scale = layout_scale(*this);
    return {scaled(smallest_size.width(), scale), scaled(smallest_size.height(), scale)};
}

// Groups the totals into as many bars as the width can draw, by a round
// number of totals each (1, 2, 5, 10...), aligned on its multiples. A width
// that draws the same bars changes nothing, and screen readers hear nothing.
void DistributionChart::regroup(bool new_odds) {
    if (!main_) {
        bars_.clear();
        per_bar = 1;
        current = -1;
        return;
    }
    const std::int64_t most = std::max<std::int64_t>(
        1, lay_out().plot.width() / std::max(1, scaled(narrowest_bar, layout_scale(*this))));
    Range range = whole.last - whole.first + 1 <= most ? whole : likely;
    if (last_total && *last_total >= whole.first && *last_total <= whole.last) {
        // A roll that was a long shot is drawn all the same.
        range = {std::min(range.first, *last_total), std::max(range.last, *last_total)};
    }
    const auto grouping = std::int64_t(
        round_number_above(std::max(1.0, double(range.last - range.first + 1) / double(most))));
    const bool same_bars = !new_odds && grouping == per_bar && !bars_.empty() &&
                           bars_.front().first == range.first && bars_.back().last == range.last;
    if (same_bars) {
        return;
    }
    const std::optional<std::int64_t> kept =
        current >= 0 ? std::optional(bars_[std::size_t(current)].first) : std::nullopt;
    bars_.clear();
    per_bar = grouping;
    double highest = 0;
    for (std::int64_t group = floor_div(range.first, per_bar);
         group <= floor_div(range.last, per_bar); ++group) {
        const std::int64_t first = std::max(group * per_bar, range.first);
        const std::int64_t last = std::min(group * per_bar + per_bar - 1, range.last);
        bars_.push_back({first, last, main_->chance(first, last),
                         compared_ ? compared_->chance(first, last) : 0});
        highest = std::max({highest, bars_.back().main, bars_.back().compared});
    }
    // Four or five round steps up the side, the highest bar within the last.
    percent_step = round_number_above(highest * 100 / 4);
    top_chance = std::ceil(highest * 100 / percent_step * (1 - 1e-12)) * percent_step / 100;
    current = -1;
    if (kept) {
        set_current_total(*kept);
    }
    QAccessibleEvent reorder(this, QAccessible::ObjectReorder);
    QAccessible::updateAccessibility(&reorder);
}

void DistributionChart::move_to(int bar) {
    if (bars_.empty()) {
        return;
    }
    bar = std::clamp(bar, 0, int(bars_.size()) - 1);
    if (bar == current) {
        return;
    }
    current = bar;
    update();
    emit current_changed(bars_[std::size_t(bar)].first, bars_[std::size_t(bar)].last);
    tell_screen_readers_current();
}

void DistributionChart::tell_screen_readers_current() {
    if (current < 0) {
        return;
    }
    if (hasFocus()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(current);
        QAccessible::updateAccessibility(&focus);
    }
    QAccessibleEvent selection(this, QAccessible::Selection);
    selection.setChild(current);
    QAccessible::updateAccessibility(&selection);
}

DistributionChart::Layout DistributionChart::lay_out() const {
    const double scale = layout_scale(*this);
    const QFontMetrics metrics = fontMetrics();
    const int pad = scaled(6, scale);
    const int left = metrics.horizontalAdvance(percent_text(88.88, 2)) + 2 * pad;
    const int top = legend_height(width() - 2 * pad) + pad + metrics.height() / 2 + pad;
    const int bottom = metrics.height() + 2 * pad;
    const int right = metrics.horizontalAdvance(french_number(whole.last)) / 2 + pad;
    Layout layout;
    layout.plot =
        QRect(left, top, std::max(1, width() - left - right), std::max(1, height() - top - bottom));
    layout.bar_width = bars_.empty() ? 0 : double(layout.plot.width()) / double(bars_.size());
    return layout;
}

double DistributionChart::x_of(double total, const Layout& layout) const {
    const double origin = double(floor_div(bars_.front().first, per_bar) * per_bar);
    return layout.plot.left() + (total + 0.5 - origin) / double(per_bar) * layout.bar_width;
}

void DistributionChart::paint(QPainter& painter, bool with_focus) const {
    painter.setFont(font());
    painter.fillRect(rect(), palette().color(QPalette::Base));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    const double scale = layout_scale(*this);
    const int pad = scaled(6, scale);
    paint_legend(painter, QRect(pad, pad, width() - 2 * pad, legend_height(width() - 2 * pad)));
    const Layout layout = lay_out();
    if (bars_.empty()) {
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(layout.plot, Qt::AlignCenter | Qt::TextWordWrap, message);
        return;
    }
    paint_axes(painter, layout);
    paint_bars(painter, layout, with_focus);
    paint_marks(painter, layout);
}

void DistributionChart::paint_bars(QPainter& painter, const Layout& layout, bool with_focus) const {
    const QColor text = palette().color(QPalette::Text);
    const QColor fill = palette().color(QPalette::Highlight);
    const QColor current_fill = mix(fill, text, 0.45);
    const int gap = layout.bar_width >= 6 * layout_scale(*this) ? 1 : 0;
    const auto y_of = [&](double chance) {
        return layout.plot.bottom() + 1 - chance / top_chance * layout.plot.height();
    };
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (std::size_t i = 0; i < bars_.size(); ++i) {
        const QRect column = this->column(int(i), layout).adjusted(gap, 0, -gap, 0);
        const int top = int(std::lround(y_of(bars_[i].main)));
        painter.fillRect(QRect(QPoint(column.left(), top), column.bottomRight()),
                         int(i) == current ? current_fill : fill);
    }
    if (compared_) {
        // An outline over the bars: told apart by its shape, not only its colour.
        QPainterPath outline(QPointF(layout.plot.left(), layout.plot.bottom() + 1));
        for (std::size_t i = 0; i < bars_.size(); ++i) {
            const double y = y_of(bars_[i].compared);
            outline.lineTo(layout.plot.left() + double(i) * layout.bar_width, y);
            outline.lineTo(layout.plot.left() + double(i + 1) * layout.bar_width, y);
        }
        outline.lineTo(layout.plot.right() + 1, layout.plot.bottom() + 1);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.strokePath(outline, QPen(text, std::max(2.0, 2 * layout_scale(*this)),
                                         Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    }
    if (with_focus && hasFocus() && current >= 0) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = bar_rect(current).adjusted(-1, -1, 1, 1);
        option.backgroundColor = palette().color(QPalette::Base);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void DistributionChart::paint_axes(QPainter& painter, const Layout& layout) const {
    const QColor text = palette().color(QPalette::Text);
    const QFontMetrics metrics = fontMetrics();
    const int pad = scaled(6, layout_scale(*this));
    painter.setRenderHint(QPainter::Antialiasing, false);

    // Percentages up the side, with a faint line across at each.
    const int decimals = std::max(0, -int(std::floor(std::log10(percent_step) + 1e-9)));
    for (int i = 0; i * percent_step <= top_chance * 100 * (1 + 1e-9); ++i) {
        const double percent = i * percent_step;
        const int y = layout.plot.bottom() -
                      int(std::lround(percent / (top_chance * 100) * layout.plot.height()));
        painter.setPen(i == 0 ? text : mix(palette().color(QPalette::Base), text, 0.2));
        painter.drawLine(layout.plot.left(), y, layout.plot.right(), y);
        painter.setPen(text);
        const QRect label(0, y - metrics.height() / 2, layout.plot.left() - pad, metrics.height());
        painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter, percent_text(percent, decimals));
    }

    // Totals along the bottom, at round numbers spaced wide enough for their labels.
    const std::int64_t first = bars_.front().first;
    const std::int64_t last = bars_.back().last;
    const int label_width = metrics.horizontalAdvance(french_number(last)) + 3 * pad;
    const double labels = std::max(1.0, double(layout.plot.width()) / label_width);
    const auto every =
        std::int64_t(round_number_above(std::max(1.0, double(last - first + 1) / labels)));
    for (std::int64_t total = floor_div(first + every - 1, every) * every; total <= last;
         total += every) {
        const int x = int(std::lround(x_of(double(total), layout)));
        painter.drawLine(x, layout.plot.bottom() + 1, x, layout.plot.bottom() + pad / 2);
        const QString label = french_number(total);
        const int w = metrics.horizontalAdvance(label);
        const int left = std::clamp(x - w / 2, 0, width() - w);
        painter.drawText(QRect(left, layout.plot.bottom() + pad, w, metrics.height()),
                         Qt::AlignCenter, label);
    }
}

void DistributionChart::paint_marks(QPainter& painter, const Layout& layout) const {
    const QColor text = palette().color(QPalette::Text);
    const double scale = layout_scale(*this);
    painter.setRenderHint(QPainter::Antialiasing, true);

    const double mean_x = x_of(main_->distribution().mean(), layout);
    if (mean_x >= layout.plot.left() && mean_x <= layout.plot.right() + 1) {
        painter.setPen(QPen(text, std::max(1.0, scale), Qt::DashLine));
        painter.drawLine(QPointF(mean_x, layout.plot.top() - scaled(3, scale)),
                         QPointF(mean_x, layout.plot.bottom()));
    }

    if (last_total && *last_total >= bars_.front().first && *last_total <= bars_.back().last) {
        // A triangle pointing down at the bar that holds the last total.
        const auto holder =
            std::lower_bound(bars_.begin(), bars_.end(), *last_total,
                             [](const Bar& bar, std::int64_t t) { return bar.last < t; });
        const double x = x_of(double(*last_total), layout);
        const double tip = layout.plot.bottom() + 1 -
                           holder->main / top_chance * layout.plot.height() - scaled(2, scale);
        const double half = std::max(3.0, 5 * scale);
        QPainterPath triangle(QPointF(x, tip));
        triangle.lineTo(x - half, tip - 1.6 * half);
        triangle.lineTo(x + half, tip - 1.6 * half);
        triangle.closeSubpath();
        painter.fillPath(triangle, text);
        painter.strokePath(triangle, QPen(palette().color(QPalette::Base), 1));
    }
}

namespace {

std::vector<LegendItem> legend_items(const QString& main_label, const QString& compared_label,
                                     bool compared, std::optional<double> mean,
                                     std::optional<std::int64_t> last_total, std::int64_t per_bar) {
    std::vector<LegendItem> items;
    if (compared) {
        items.push_back({Sample::main_bar, QStringLiteral("A : ") + main_label});
        items.push_back({Sample::compared_line, QStringLiteral("B : ") + compared_label});
    }
    if (mean) {
        items.push_back({Sample::mean_line, QStringLiteral("moyenne ") + french_mean(*mean)});
    }
    if (last_total) {
        items.push_back(
            {Sample::last_mark, QStringLiteral("dernier jet ") + french_number(*last_total)});
    }
    if (per_bar > 1) {
        items.push_back({Sample::none, QStringLiteral("une barre pour %1 totaux").arg(per_bar)});
    }
    return items;
}

// Where each legend item goes: left to right, on as many lines as it takes.
std::vector<QRect> flow(const std::vector<LegendItem>& items, const QFontMetrics& metrics,
                        int width, int gap) {
    std::vector<QRect> places;
    QPoint at(0, 0);
    for (const LegendItem& item : items) {
        const int sample = item.sample == Sample::none ? 0 : metrics.height() + gap / 2;
        // A pixel over the advance, which eliding counts to the last fraction.
        const int w = std::min(width, sample + metrics.horizontalAdvance(item.text) + 1);
        if (at.x() > 0 && at.x() + w > width) {
            at = QPoint(0, at.y() + metrics.height());
        }
        places.emplace_back(at, QSize(w, metrics.height()));
        at.rx() += w + 2 * gap;
    }
    return places;
}

} // namespace

int DistributionChart::legend_height(int width) const {
    const auto items =
        legend_items(main_label, compared_label, bool(compared_),
                     main_ ? std::optional(main_->distribution().mean()) : std::nullopt,
                     main_ ? last_total : std::nullopt, per_bar);
    const int gap = scaled(6, layout_scale(*this));
    const auto places = flow(items, fontMetrics(), width, gap);
    return places.empty() ? fontMetrics().height() : places.back().bottom() + 1;
}

void DistributionChart::paint_legend(QPainter& painter, const QRect& area) const {
    const auto items =
        legend_items(main_label, compared_label, bool(compared_),
                     main_ ? std::optional(main_->distribution().mean()) : std::nullopt,
                     main_ ? last_total : std::nullopt, per_bar);
    const double scale = layout_scale(*this);
    const int gap = scaled(6, scale);
    const QFontMetrics metrics = fontMetrics();
    const auto places = flow(items, metrics, area.width(), gap);
    const QColor text = palette().color(QPalette::Text);
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const QRect place = places[i].translated(area.topLeft());
        const QRectF sample = QRectF(place.left(), place.top(), metrics.height(), metrics.height())
                                  .adjusted(2, 3, -2, -3);
        switch (items[i].sample) {
        case Sample::main_bar:
            painter.fillRect(sample, palette().color(QPalette::Highlight));
            break;
        case Sample::compared_line:
            painter.setPen(QPen(text, std::max(2.0, 2 * scale)));
            painter.drawLine(QPointF(sample.left(), sample.center().y()),
                             QPointF(sample.right(), sample.center().y()));
            break;
        case Sample::mean_line:
            painter.setPen(QPen(text, std::max(1.0, scale), Qt::DashLine));
            painter.drawLine(QPointF(sample.center().x(), sample.top()),
                             QPointF(sample.center().x(), sample.bottom()));
            break;
        case Sample::last_mark: {
            QPainterPath triangle(QPointF(sample.center().x(), sample.bottom()));
            triangle.lineTo(sample.left(), sample.top());
            triangle.lineTo(sample.right(), sample.top());
            triangle.closeSubpath();
            painter.fillPath(triangle, text);
            break;
        }
        case Sample::none:
            break;
        }
        painter.setPen(text);
        const int sample_width = items[i].sample == Sample::none ? 0 : metrics.height() + gap / 2;
        const QRect words = place.adjusted(sample_width, 0, 0, 0);
        painter.drawText(words, Qt::AlignLeft | Qt::AlignVCenter,
                         metrics.elidedText(items[i].text, Qt::ElideRight, words.width()));
    }
}

int DistributionChart::bar_at(const QPoint& point) const {
    const Layout layout = lay_out();
    if (bars_.empty() || point.x() < layout.plot.left() || point.x() > layout.plot.right() ||
        point.y() < layout.plot.top() || point.y() > layout.plot.bottom()) {
        return -1;
    }
    return std::min(int(bars_.size()) - 1,
                    int((point.x() - layout.plot.left()) / layout.bar_width));
}

bool DistributionChart::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const int bar = bar_at(help->pos());
        if (bar >= 0) {
            QToolTip::showText(help->globalPos(), bar_text(bar, QStringLiteral(" · ")), this,
                               bar_rect(bar));
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QWidget::event(event);
}

void DistributionChart::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        updateGeometry();
        regroup(false);
    }
    QWidget::changeEvent(event);
}

// The chart's own focus event reaches screen readers after this: the bar's
// is queued so that it comes last and is the one they speak.
void DistributionChart::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    QMetaObject::invokeMethod(this, &DistributionChart::tell_screen_readers_current,
                              Qt::QueuedConnection);
}

void DistributionChart::keyPressEvent(QKeyEvent* event) {
    const int last = int(bars_.size()) - 1;
    switch (event->key()) {
    case Qt::Key_Left:
        move_to(current - 1);
        break;
    case Qt::Key_Right:
        move_to(current + 1);
        break;
    case Qt::Key_Home:
        move_to(0);
        break;
    case Qt::Key_End:
        move_to(last);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
}

void DistributionChart::mousePressEvent(QMouseEvent* event) {
    const int bar = bar_at(event->position().toPoint());
    if (bar >= 0) {
        move_to(bar);
    }
    QWidget::mousePressEvent(event);
}

void DistributionChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paint(painter, true);
}

void DistributionChart::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    regroup(false);
}
