#include "main_window.h"

#include "after_repaint.h"
#include "bounded_undo.h"
#include "cancellable_press.h"
#include "edge_contrast_style.h"
#include "formula_recall.h"
#include "history_action.h"
#include "main_window_layout.h"
#include "odds_action.h"
#include "result_announcer.h"
#include "roll_detail_text.h"
#include "text_box.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QWindow>
#include <limits>
#include <utility>

namespace {

constexpr int fade_interval_ms = 15;
constexpr std::int16_t fade_start = 255;
constexpr std::int16_t fade_step = 10;

bool recalls(const QKeyEvent& key) {
    return key.key() == Qt::Key_Up || key.key() == Qt::Key_Down;
}

} // namespace

tirlo::tirlo(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      txt_entree(new TextBox(QStringLiteral("entrez votre jet ici..."), this)),
      txt_result(new TextBox(QStringLiteral("résultat"), this)),
      but_ok(new QPushButton(QStringLiteral("&Ok"), this)),
      but_help(new QPushButton(QStringLiteral("&?"), this)), tempo(new QTimer(this)),
      announcer(new ResultAnnouncer(this)), history(new RollHistory(this)),
      help_press(new CancellablePress(*but_help)), after_repaint(new AfterRepaint(this)) {
    setObjectName(QStringLiteral("tirlo"));
    setWindowTitle(QStringLiteral("Tirlo"));

    tempo->setObjectName(QStringLiteral("tempo"));
    tempo->setInterval(fade_interval_ms);
    connect(tempo, &QTimer::timeout, this, &tirlo::tempo_Timer);

    but_help->setObjectName(QStringLiteral("but_help"));
    but_help->setAccessibleName(QStringLiteral("Aide"));
    connect(but_help, &QPushButton::clicked, this, &tirlo::but_help_Click);

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
    auto* history_action = new HistoryAction(*this, *txt_result, *history);
    connect(history_action, &HistoryAction::roll_again, this, [this](const QString& formula) {
        txt_entree->setText(formula);
        but_ok->click();
    });
    odds_action = new OddsAction(*this, *txt_result);
    connect(history_action, &HistoryAction::show_odds, odds_action, &OddsAction::show_window);

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
    roll_in_box = 0;
    first_click = false;
}

// The total is drawn first; the words of the roll follow once it is on screen.
void tirlo::but_ok_Click() {
    Roll roll{++rolls, QTime::currentTime(), txt_entree->text(), std::exchange(spare_detail, {}),
              QString()};
    evaluate_formula(state, roll.formula, random, *this, roll.detail);
    roll.box_text = txt_result->text();
    roll.total = state.total;
    const QString spoken = spoken_words(roll.detail, roll.box_text);
    // A total's fade moves the focus to OK at its first step, and a screen
    // reader would cut the result short to say so: it is said at that step.
    if (roll.detail.outcome == RollOutcome::total) {
        announcer->hold(spoken);
    } else {
        announcer->announce(spoken);
    }
    if (roll.detail.outcome != RollOutcome::unchanged) {
        roll_in_box = roll.number;
        box_words.clear();
    }
    after_repaint->post([this, roll = std::move(roll)]() mutable { describe_roll(roll); });
}

void tirlo::but_help_Click() {
    if (!help_press->take_cancelled()) {
        help.show([] { return new form_help; });
    }
}

// The words of the dice and odds go where the total is read: the result box's
// tooltip and accessible description, and the history. When the box keeps what
// it showed, so do they; the history still hears of it. How lucky a total was
// follows when worked out.
void tirlo::describe_roll(Roll& roll) {
    const auto total =
        roll.detail.outcome == RollOutcome::total ? std::optional(roll.total) : std::nullopt;
    const RollWords words =
        roll_words(roll.detail, total ? odds.of(roll.formula) : FormulaOdds(), roll.box_text);
    const RollPlace place{roll.number,
                          history->add({roll.time, roll.formula, words.shown, {}, total})};
    add_words(place, words.detail);
    if (roll.detail.outcome != RollOutcome::unchanged) {
        odds_action->rolled(roll.formula, total,
                            [this, place](const QString& line) { add_words(place, line); });
    }
    spare_detail = std::move(roll.detail);
}

// Adds to the words of a roll: to its history entry while the history keeps
// it, and to the box's tooltip and description while the box shows its result.
// Whatever else is worked out for a roll later, from its formula, goes here too.
void tirlo::add_words(const RollPlace& roll, const QString& words) {
    history->add_line(roll.entry, words);
    if (roll.number != roll_in_box) {
        return;
    }
    box_words += (box_words.isEmpty() ? QString() : QStringLiteral("\n")) + words;
    txt_result->setToolTip(box_words);
    txt_result->setAccessibleDescription(box_words);
}

// Escape closes the help window even when it comes too soon to reach it. Alt+?
// holds "?" down for a moment before the window opens; and once open, the
// window has the keyboard only when the window manager has moved it there.
// Escape has no other use here.
bool tirlo::escape_closes_help() {
    if (help_press->cancel()) {
        return true;
    }
    if (form_help* open = help.get()) {
        open->close();
        return true;
    }
    return false;
}

void tirlo::set_result_text(const QString& text) {
    txt_result->setText(text);
    txt_result->home(false); // a total too wide for the box shows its leading digits
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
    announcer->announce_held();
    fade_level -= fade_step;
    if (fade_level < 0) {
        tempo->stop();
    }
}

void tirlo::lay_out() {
    lay_out_main_window(*this, *txt_entree, *but_ok, *txt_result, *but_help);
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
    } else if (watched == txt_entree && event->type() == QEvent::KeyPress &&
               recalls(*static_cast<QKeyEvent*>(event))) {
        // Recall steps through the history: every roll must be in it first.
        after_repaint->finish();
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
