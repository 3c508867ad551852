#include "help_window.h"

#include "help_text.h"

#include <QKeyEvent>
#include <QPlainTextEdit>

form_help::form_help()
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint), Text1(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("form_help"));
    setWindowTitle(QStringLiteral("help/copyright"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The main window alone decides when the program ends.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(417, 425);

    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(rect()); // the text is the whole window, so every click lands on it
    Text1->setReadOnly(true);
    Text1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text1->setAccessibleName(QStringLiteral("Aide de Tirlo"));
    Text1->viewport()->installEventFilter(this);
    setFocusProxy(Text1);

    Form_Load();
}

void form_help::Form_Load() {
    Text1->setPlainText(help_text());
}

void form_help::Text1_Click() {
    close();
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
