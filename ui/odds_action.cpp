#include "odds_action.h"

#include "result_menu.h"

OddsAction::OddsAction(QWidget& main_window, QLineEdit& result_box)
    : QAction(QStringLiteral("&Probabilités"), &main_window) {
    // Ctrl+P: a line edit does nothing with it, and it stands for
    // "Probabilités" as Ctrl+H does for the history.
    setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    main_window.addAction(this);
    add_to_result_menu(result_box, *this);
    connect(this, &QAction::triggered, this, [this] {
        if (last_formula) {
            show_window(*last_formula, last_total);
        } else {
            open(QString());
        }
    });
}

void OddsAction::rolled(const QString& formula, std::optional<std::int64_t> total,
                        LuckyLine::Deliver add_line) {
    last_formula = formula;
    last_total = total;
    if (OddsWindow* open = window.get()) {
        open->show_roll(formula, total, lucky.answer_for(formula));
    }
    if (total) {
        lucky.request(formula, *total, std::move(add_line));
    } else {
        lucky.cancel();
    }
}

void OddsAction::show_window(const QString& formula, std::optional<std::int64_t> total) {
    open(formula).show_roll(formula, total, lucky.answer_for(formula));
}

OddsWindow& OddsAction::open(const QString& shown) {
    window.show([this, &shown] {
        auto* made = new OddsWindow;
        lucky.share_with(*made, shown);
        return made;
    });
    return *window.get();
}
