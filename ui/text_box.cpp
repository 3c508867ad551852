#include "text_box.h"

#include <QPaintEvent>
#include <QPainter>
#include <QStyleOptionFrame>

QStyleOptionFrame TextBox::panel() const {
    QStyleOptionFrame option;
    initStyleOption(&option);
    return option;
}

QRect TextBox::text_area() const {
    const QStyleOptionFrame option = panel();
    return style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
}

void TextBox::paintEvent(QPaintEvent* event) {
    if (event->region().intersects(text_area())) {
        QLineEdit::paintEvent(event);
        return;
    }
    // The line edit clips its text to the text area, so outside it this is all it draws.
    const QStyleOptionFrame option = panel();
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
}
