#pragma once

#include "lucky_line.h"
#include "odds_window.h"
#include "on_demand_window.h"

#include <QAction>
#include <cstdint>
#include <optional>

class QLineEdit;

// "Probabilités": the command that opens the window of that name on the roll
// the result box showed last, on Ctrl+P from anywhere in the main window and
// at the end of the result box's context menu. It keeps the window following
// the rolls, and gives each total its lucky line.
class OddsAction final : public QAction {
    Q_OBJECT

public:
    OddsAction(QWidget& window, QLineEdit& result_box);

    // A roll that changed the result box, once it is on screen: its total, or
    // none for an error. A total's lucky line goes to `add_line`.
    void rolled(const QString& formula, std::optional<std::int64_t> total,
                LuckyLine::Deliver add_line);
    // Opens the window on a formula and the total it gave, if any.
    void show_window(const QString& formula, std::optional<std::int64_t> total);

private:
    // Shows the window, made to show `shown` if it was closed.
    OddsWindow& open(const QString& shown);

    std::optional<QString> last_formula; // none until a roll changed the result box
    std::optional<std::int64_t> last_total;
    OnDemandWindow<OddsWindow> window;
    LuckyLine lucky{this}; // goes first: the window would otherwise tell it of its answers
};
