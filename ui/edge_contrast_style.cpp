#include "edge_contrast_style.h"

#include <QPainter>
#include <QStyleOption>

namespace {

// Black against light grey is about 13:1, so every grey has at least 3:1
// against one of them: black covers the greys from 89 up, light grey up to 116.
const QColor outer_edge(0, 0, 0);
const QColor inner_edge(208, 208, 208);

bool is_dark(const QPalette& palette) {
    return palette.color(QPalette::Window).lightness() <
           palette.color(QPalette::WindowText).lightness();
}

void ring(QPainter& painter, const QRect& rect, int inset, const QColor& colour) {
    painter.setPen(colour);
    painter.drawRect(rect.adjusted(inset, inset, -inset - 1, -inset - 1));
}

} // namespace

void EdgeContrastStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                      QPainter* painter, const QWidget* widget) const {
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    const bool panel = element == PE_PanelLineEdit || element == PE_PanelButtonCommand;
    if (!panel || !is_dark(option->palette)) {
        return;
    }
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setBrush(Qt::NoBrush);
    ring(*painter, option->rect, 0, outer_edge);
    ring(*painter, option->rect, 1, inner_edge);
    // The two rings cover the style's own focus frame: the focus shows inside them.
    if (option->state & State_HasFocus) {
        ring(*painter, option->rect, 2, option->palette.color(QPalette::Highlight));
    }
    painter->restore();
}
