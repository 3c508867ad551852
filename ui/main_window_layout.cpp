#include "main_window_layout.h"

#include "layout_scale.h"

#include <QWidget>

namespace {

// The window's client area and its controls' rectangles, for a 9 pt font.
constexpr QSize main_client_area(153, 57);
constexpr QRect txt_entree_rect(4, 4, 146, 25);
constexpr QRect but_ok_rect(4, 31, 39, 25);
constexpr QRect txt_result_rect(44, 30, 65, 26);
constexpr QRect but_help_rect(111, 31, 39, 25);

} // namespace

void lay_out_main_window(QWidget& window, QWidget& txt_entree, QWidget& but_ok, QWidget& txt_result,
                         QWidget& but_help) {
    const double scale = layout_scale(window);
    window.setFixedSize(scaled(QRect(QPoint(), main_client_area), scale).size());
    txt_entree.setGeometry(scaled(txt_entree_rect, scale));
    but_ok.setGeometry(scaled(but_ok_rect, scale));
    txt_result.setGeometry(scaled(txt_result_rect, scale));
    but_help.setGeometry(scaled(but_help_rect, scale));
}
