#include "main_window.h"

#include "bounded_undo.h"
#include "edge_contrast_style.h"
#include "formula_recall.h"
#include "help_window.h"
#include "history_window.h"
#include "layout_scale.h"
#include "result_announcer.h"
#include "roll_detail_text.h"
#include "roll_history.h"
#include "text_box.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTime>
#include <QWindow>
#include <limits>
#include <utility>

namespace {

constexpr int fade_interval_ms = 15;
constexpr std::int16_t fade_start = 255;
constexpr std::int16_t fade_step = 10;

// The window's client area and its controls' rectangles, for a 9 pt font.
constexpr QSize client_area(153, 57);
constexpr QRect txt_entree_rect(4, 4, 146, 25);
constexpr QRect but_ok_rect(4, 31, 39, 25);
constexpr QRect txt_result_rect(44, 30, 65, 26);
constexpr QRect but_help_rect(111, 31, 39, 25);

} // namespace

tirlo::tirlo(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      txt_entree(new TextBox(QStringLiteral("entrez votre jet ici..."), this)),
      txt_result(new TextBox(QStringLiteral("résultat"), this)),
      but_ok(new QPushButton(QStringLiteral("&Ok"), this)),
      but_help(new QPushButton(QStringLiteral("&?"), this)), tempo(new QTimer(this)),
      announcer(new ResultAnnouncer(this)), history(new RollHistory(this)),
      history_action(new QAction(QStringLiteral("&Historique des jets"), this)) {
    setObjectName(QStringLiteral("tirlo"));
    setWindowTitle(QStringLiteral("Tirlo"));

    tempo->setObjectName(QStringLiteral("tempo"));
    tempo->setInterval(fade_interval_ms);
    connect(tempo, &QTimer::timeout, this, &tirlo::tempo_Timer);

    but_help->setObjectName(QStringLiteral("but_help"));
    but_help->setAccessibleName(QStringLiteral("Aide"));
    connect(but_help, &QPushButton::clicked, this, &tirlo::but_help_Click);
    connect(but_help, &QPushButton::pressed, this, [this] { help_cancelled = false; });
    but_help->installEventFilter(this);

    but_ok->setObjectName(QStringLiteral("but_ok"));
    // Starts with the visible label, so that a user who says "Ok" reaches it.
    but_ok->setAccessibleName(QStringLiteral("Ok, lancer les dés"));
    // Enter presses the focused button, and OK from anywhere else.
    but_ok->setDefault(true);
    but_ok->setAutoDefault(true);
    but_help->setAutoDefault(true);
    connect(but_ok, &QPushButton::clicked, this, &tirlo::but_ok_Click);

    txt_result->setObjectName(QStringLiteral("txt_result"));
    txt_result->setReadOnly(true);
    txt_result->setAccessibleName(QStringLiteral("Résultat"));
    // The line edit's own menu, with the history at its end.
    txt_result->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(txt_result, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu* menu = txt_result->createStandardContextMenu();
        menu->addSeparator();
        menu->addAction(history_action);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(txt_result->mapToGlobal(at));
    });

    // Ctrl+H, the usual key for a history, from anywhere in the window. A line
    // edit leaves it alone here: with Qt 6.4 on X11 it erases nothing and does
    // not claim the key, so the window's shortcut gets it.
    history_action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    addAction(history_action);
    connect(history_action, &QAction::triggered, this, &tirlo::show_history);

    txt_entree->setObjectName(QStringLiteral("txt_entree"));
    txt_entree->setMaxLength(std::numeric_limits<int>::max());
    txt_entree->setAccessibleName(QStringLiteral("Formule de dés"));
    new BoundedUndo(txt_entree);
    new FormulaRecall(*txt_entree, *history);
    txt_entree->installEventFilter(this);

    setTabOrder(txt_entree, txt_result);
    setTabOrder(txt_result, but_ok);
    setTabOrder(but_ok, but_help);

    auto* edges = new EdgeContrastStyle;
    edges->setParent(this);
    for (QWidget* control : {static_cast<QWidget*>(txt_entree), static_cast<QWidget*>(txt_result),
                             static_cast<QWidget*>(but_ok), static_cast<QWidget*>(but_help)}) {
        control->setStyle(edges);
    }
    lay_out();

    Form_Load();
}

// The help and history windows have no owner, so they would outlive the main
// window; the history window goes first, as it shows the history it owns.
tirlo::~tirlo() {
    delete history_window;
    delete help;
}

void tirlo::Form_Load() {
    state.err_flag = false;
    first_click = true;
    state.total = 0;
    face_colour = palette().color(QPalette::Window);
    start_fade();
    random.seed_from_clock();
}

// Runs whenever the window's own face is drawn anew: shown, uncovered,
// restored, or re-coloured by the fade. A control redrawing itself (a caret
// blink, a typed character) is not such an occasion.
void tirlo::Form_Paint() {
    but_ok->setFocus(Qt::OtherFocusReason);
}

void tirlo::txt_entree_Click() {
    if (!first_click) {
        return;
    }
    txt_entree->clear();
    QFont bold = txt_result->font();
    bold.setBold(true);
    txt_result->setFont(bold);
    txt_result->clear();
    txt_result->setToolTip(QString());
    txt_result->setAccessibleDescription(QString());
    first_click = false;
}

void tirlo::but_ok_Click() {
    const QString formula = txt_entree->text();
    RollDetail detail;
    evaluate_formula(state, formula, random, *this, detail);
    describe_result(formula, detail);
    // A fade just started moves the focus to OK at its first step, and a
    // screen reader would cut the result short to say so: it waits for that step.
    const bool fade_about_to_start = tempo->isActive() && fade_level == fade_start;
    if (!fade_about_to_start) {
        announce_result();
    }
}

void tirlo::but_help_Click() {
    if (std::exchange(help_cancelled, false)) {
        return;
    }
    if (!help) {
        help = new form_help;
    }
    help->show();
    help->raise();
    help->activateWindow();
}

void tirlo::show_history() {
    if (!history_window) {
        history_window = new HistoryWindow(*history);
        connect(history_window, &HistoryWindow::roll_again, this, [this](const QString& formula) {
            txt_entree->setText(formula);
            but_ok->click();
        });
    }
    history_window->show();
    history_window->raise();
    history_window->activateWindow();
}

// The words of the dice and odds go where the total is read: the result box's
// tooltip and accessible description, and the history. When the box keeps what
// it showed, so do they; the screen reader and the history still hear of it.
void tirlo::describe_result(const QString& formula, const RollDetail& detail) {
    const bool without_error = detail.error == FormulaError::none && !detail.misplaced_slash;
    if (without_error && formula != odds_formula) {
        odds = formula_odds(formula);
        odds_formula = formula;
    }
    const QString words = detail_text(detail, odds);
    const bool box_changed = detail.error != FormulaError::none || !detail.misplaced_slash;
    if (box_changed) {
        txt_result->setToolTip(words);
        txt_result->setAccessibleDescription(words);
    }
    if (!without_error) {
        unannounced_result = spoken_result(detail, txt_result->text());
    }
    history->add({QTime::currentTime(), formula, shown_result(detail, txt_result->text()), words});
}

// Escape closes the help window even when it comes too soon to reach it. Alt+?
// holds "?" down for a moment before the window opens, and "?" would open it
// after an Escape all the same; and once open, the window has the keyboard only
// when the window manager has moved it there. Escape has no other use here.
bool tirlo::escape_closes_help() {
    if (but_help->isDown()) {
        help_cancelled = true;
        but_help->setDown(false);
        return true;
    }
    if (help) {
        help->close();
        return true;
    }
    return false;
}

void tirlo::set_result_text(const QString& text) {
    txt_result->setText(text);
    txt_result->home(false); // a total too wide for the box shows its leading digits
    unannounced_result = text;
}

void tirlo::announce_result() {
    if (!unannounced_result.isNull()) {
        announcer->announce(unannounced_result);
        unannounced_result = QString();
    }
}

void tirlo::start_fade() {
    fade_level = fade_start;
    tempo->start();
}

void tirlo::tempo_Timer() {
    face_colour = QColor(fade_level, fade_level, fade_level);
    // Only the background changes colour, with what of it shows through the
    // controls' frames: the text areas are left alone.
    QRegion changed(rect());
    for (const TextBox* box : {txt_entree, txt_result}) {
        changed -= box->text_area().translated(box->pos());
    }
    update(changed);
    Form_Paint();
    announce_result();
    fade_level -= fade_step;
    if (fade_level < 0) {
        tempo->stop();
    }
}

void tirlo::lay_out() {
    const double scale = layout_scale(*this);
    setFixedSize(scaled(QRect(QPoint(), client_area), scale).size());
    txt_entree->setGeometry(scaled(txt_entree_rect, scale));
    but_ok->setGeometry(scaled(but_ok_rect, scale));
    txt_result->setGeometry(scaled(txt_result_rect, scale));
    but_help->setGeometry(scaled(but_help_rect, scale));
}

void tirlo::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        lay_out();
    }
    QWidget::changeEvent(event);
}

bool tirlo::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txt_entree && event->type() == QEvent::MouseButtonPress) {
        txt_entree_Click();
    } else if (watched == but_help && event->type() == QEvent::KeyPress &&
               static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && but_help->isDown()) {
        return escape_closes_help();
    } else if (watched == windowHandle() && event->type() == QEvent::Expose &&
               windowHandle()->isExposed()) {
        Form_Paint();
    }
    return QWidget::eventFilter(watched, event);
}

void tirlo::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && escape_closes_help()) {
        return;
    }
    // The text boxes pass Enter on to their window, as a dialog's would.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        but_ok->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void tirlo::paintEvent(QPaintEvent* event) {
    // The grey is painted here rather than set in the palette, which the
    // controls would inherit.
    QPainter(this).fillRect(event->rect(), face_colour);
}

void tirlo::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Uncovering reaches the native window as an expose event, not the widget.
    windowHandle()->installEventFilter(this);
    Form_Paint();
}
