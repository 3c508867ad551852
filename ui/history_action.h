#pragma once

#include <QAction>

class QLineEdit;

// "Historique des jets": the command that opens the history, on Ctrl+H from
// anywhere in the window and at the end of the result box's context menu.
class HistoryAction final : public QAction {
    Q_OBJECT

public:
    HistoryAction(QWidget& window, QLineEdit& result_box);
};
