#include "help_window.h"

#include "help_text.h"
#include "layout_scale.h"

#include <QKeyEvent>
#include <QPlainTextEdit>

namespace {

constexpr QRect help_client_area(0, 0, 417, 425); // for a 9 pt font

} // namespace

form_help::form_help()
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint), Text1(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("form_help"));
    setWindowTitle(QStringLiteral("help/copyright"));
    // The caption is never drawn; screen readers name the window in French.
    setAccessibleName(QStringLiteral("Aide de Tirlo"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The main window alone decides when the program ends.
    setAttribute(Qt::WA_QuitOnClose, false);

    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    // A caret the arrow keys move, so that the text can be read line by line
    // and lines below the window's edge reached.
    Text1->setTextInteractionFlags(Qt::TextSelectableByKeyboard);
    Text1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text1->setAccessibleName(QStringLiteral("Mode d'emploi"));
    Text1->viewport()->installEventFilter(this);
    setFocusProxy(Text1);
    lay_out();

    Form_Load();
}

void form_help::Form_Load() {
    Text1->setPlainText(help_text());
}

void form_help::Text1_Click() {
    close();
}

void form_help::lay_out() {
    const QRect area = scaled(help_client_area, layout_scale(*this));
    setFixedSize(area.size());
    Text1->setGeometry(area); // the text is the whole window, so every click lands on it
}

void form_help::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        lay_out();
    }
    QWidget::changeEvent(event);
}

bool form_help::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Text1->viewport() && event->type() == QEvent::MouseButtonPress) {
        Text1_Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void form_help::keyPressEvent(QKeyEvent* event) {
    // Without a title bar there is no close box; Escape stands in for it.
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
