#include "history_action.h"

#include <QLineEdit>
#include <QMenu>

HistoryAction::HistoryAction(QWidget& window, QLineEdit& result_box)
    : QAction(QStringLiteral("&Historique des jets"), &window) {
    // Ctrl+H is the usual key for a history. A line edit leaves it alone here:
    // with Qt 6.4 on X11 it erases nothing and does not claim the key, so the
    // window's shortcut gets it. Qt's later sources still bind Ctrl+H to
    // Backspace on the Mac alone; a newer Qt is to be checked for it all the same.
    setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    window.addAction(this);

    // The line edit's own menu, with the history at its end.
    result_box.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&result_box, &QWidget::customContextMenuRequested, this,
            [this, &result_box](const QPoint& at) {
                QMenu* menu = result_box.createStandardContextMenu();
                menu->addSeparator();
                menu->addAction(this);
                menu->setAttribute(Qt::WA_DeleteOnClose);
                menu->popup(result_box.mapToGlobal(at));
            });
}
