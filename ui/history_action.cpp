#include "history_action.h"

#include "result_menu.h"

#include <QWidget>

HistoryAction::HistoryAction(QWidget& window, QLineEdit& result_box, RollHistory& history)
    : QAction(QStringLiteral("&Historique des jets"), &window) {
    // Ctrl+H is the usual key for a history. A line edit leaves it alone here:
    // with Qt 6.4 on X11 it erases nothing and does not claim the key, so the
    // window's shortcut gets it. Qt's later sources still bind Ctrl+H to
    // Backspace on the Mac alone; a newer Qt is to be checked for it all the same.
    setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    window.addAction(this);
    add_to_result_menu(result_box, *this);
    connect(this, &QAction::triggered, this, [this, &history] {
        history_window.show([this, &history] {
            auto* made = new HistoryWindow(history);
            connect(made, &HistoryWindow::roll_again, this, &HistoryAction::roll_again);
            connect(made, &HistoryWindow::show_odds, this, &HistoryAction::show_odds);
            return made;
        });
    });
}
