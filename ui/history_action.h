#pragma once

#include "history_window.h"
#include "on_demand_window.h"

#include <QAction>

class QLineEdit;
class RollHistory;

// "Historique des jets": the command that opens the history window, on Ctrl+H
// from anywhere in the window and at the end of the result box's context
// menu. It passes on what the history window asks of the main window.
class HistoryAction final : public QAction {
    Q_OBJECT

public:
    HistoryAction(QWidget& window, QLineEdit& result_box, RollHistory& history);

signals:
    void roll_again(const QString& formula);
    void show_odds(const QString& formula, std::optional<std::int64_t> total);

private:
    OnDemandWindow<HistoryWindow> history_window;
};
