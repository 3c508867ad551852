#include "layout_scale.h"

#include <QWidget>
#include <algorithm>
#include <cmath>

namespace {

constexpr double drawn_for_pixels = 9.0 * 96.0 / 72.0; // 9 pt at 96 dpi: 12 px

int scaled(int coordinate, double scale) {
    return static_cast<int>(std::lround(coordinate * scale));
}

} // namespace

double layout_scale(const QWidget& widget) {
    const QFont& font = widget.font();
    const double pixels = font.pointSizeF() > 0 ? font.pointSizeF() * widget.logicalDpiY() / 72.0
                                                : static_cast<double>(font.pixelSize());
    return std::max(1.0, pixels / drawn_for_pixels);
}

QRect scaled(const QRect& rect, double scale) {
    const QPoint top_left(scaled(rect.left(), scale), scaled(rect.top(), scale));
    const QPoint end(scaled(rect.left() + rect.width(), scale),
                     scaled(rect.top() + rect.height(), scale));
    return {top_left, QSize(end.x() - top_left.x(), end.y() - top_left.y())};
}
