#include "odds_window.h"

#include "distribution_chart.h"
#include "distribution_table.h"
#include "french_number.h"
#include "layout_scale.h"
#include "odds_text.h"
#include "result_announcer.h"

#include <QAction>
#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>
#include <limits>

namespace {

constexpr QRect odds_client_area(0, 0, 580, 600); // for a 9 pt font
constexpr int row_padding = 4;                    // pixels at 9 pt, above and below a row's text
constexpr int progress_steps = 1000;
constexpr qsizetype longest_formula_shown = 40;

using Outcome = FormulaDistribution::Outcome;

// A formula as a label shows it: a long one cut short.
QString shown_formula(const QString& formula) {
    return formula.size() > longest_formula_shown ? formula.left(longest_formula_shown) + u'…'
                                                  : formula;
}

int spin_value(std::int64_t total) {
    return int(std::clamp<std::int64_t>(total, std::numeric_limits<int>::min(),
                                        std::numeric_limits<int>::max()));
}

QLabel* readable_label(QWidget* parent, const QString& name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    // Selectable from the keyboard, so that Tab stops on it and a screen reader reads it.
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    return label;
}

const QString& working_text() {
    static const QString text = QStringLiteral("Calcul en cours…");
    return text;
}

} // namespace

OddsWindow::OddsWindow()
    : QWidget(nullptr, Qt::Window), main_job(new DistributionJob(this)),
      compared_job(new DistributionJob(this)),
      formula_label(readable_label(this, QStringLiteral("odds_formula"))),
      summary(readable_label(this, QStringLiteral("odds_summary"))),
      chart(new DistributionChart(this)), progress(new QProgressBar(this)),
      cancel(new QPushButton(QStringLiteral("&Annuler"), this)), at_least(new QSpinBox(this)),
      at_least_answer(readable_label(this, QStringLiteral("at_least_answer"))),
      compared_formula(new QLineEdit(this)),
      comparison(readable_label(this, QStringLiteral("comparison"))),
      table(new DistributionTable(this)), table_view(new QTableView(this)),
      announcer(new ResultAnnouncer(this)) {
    setObjectName(QStringLiteral("odds"));
    setWindowTitle(QStringLiteral("Probabilités"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The main window alone decides when the program ends.
    setAttribute(Qt::WA_QuitOnClose, false);

    formula_label->setText(QStringLiteral("Aucun jet pour l'instant."));
    chart->setObjectName(QStringLiteral("odds_chart"));
    chart->setAccessibleName(QStringLiteral("Graphique des probabilités"));
    connect(chart, &DistributionChart::current_changed, this, &OddsWindow::follow_chart);

    progress->setObjectName(QStringLiteral("odds_progress"));
    progress->setRange(0, progress_steps);
    progress->setFormat(QStringLiteral("%p\u202f%")); // as French writes a percentage
    progress->setAccessibleName(QStringLiteral("Calcul des probabilités"));
    progress->hide();
    cancel->setObjectName(QStringLiteral("odds_cancel"));
    cancel->setAccessibleName(QStringLiteral("Annuler le calcul"));
    cancel->hide();
    connect(cancel, &QPushButton::clicked, this, &OddsWindow::cancel_work);

    at_least->setObjectName(QStringLiteral("at_least"));
    at_least->setAccessibleName(QStringLiteral("Au moins"));
    at_least->setEnabled(false);
    connect(at_least, &QSpinBox::valueChanged, this, [this] {
        show_at_least();
        if (at_least->hasFocus()) {
            announcer->announce(at_least_answer->text());
        }
    });
    auto* at_least_label = new QLabel(QStringLiteral("Au &moins :"), this);
    at_least_label->setBuddy(at_least);

    compared_formula->setObjectName(QStringLiteral("compared_formula"));
    compared_formula->setAccessibleName(QStringLiteral("Comparer avec"));
    compared_formula->setPlaceholderText(QStringLiteral("B, par exemple 2d8+1"));
    connect(compared_formula, &QLineEdit::textChanged, this, &OddsWindow::compare_with);
    auto* compared_label = new QLabel(QStringLiteral("Com&parer avec :"), this);
    compared_label->setBuddy(compared_formula);
    comparison->hide();

    table_view->setObjectName(QStringLiteral("odds_table"));
    table_view->setAccessibleName(QStringLiteral("Tableau des probabilités"));
    table_view->setModel(table);
    table_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_view->setTabKeyNavigation(false);
    table_view->setWordWrap(false);
    table_view->setAlternatingRowColors(true);
    table_view->verticalHeader()->hide();
    // Every row the same height, so that a million of them cost nothing to lay out.
    table_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_view->verticalHeader()->setMinimumSectionSize(1);
    table_view->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    connect(table_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &OddsWindow::follow_table);
    table_view->installEventFilter(this);

    auto* copy_table_action = new QAction(QStringLiteral("Copier le &tableau"), this);
    copy_table_action->setShortcut(QKeySequence::Copy);
    connect(copy_table_action, &QAction::triggered, this, &OddsWindow::copy_table);
    addAction(copy_table_action); // Ctrl+C from anywhere but a text field, which copies its own
    auto* copy_chart_action = new QAction(QStringLiteral("Copier le &graphique"), this);
    connect(copy_chart_action, &QAction::triggered, this, &OddsWindow::copy_chart);
    for (QWidget* view : {static_cast<QWidget*>(chart), static_cast<QWidget*>(table_view)}) {
        view->addActions({copy_table_action, copy_chart_action});
        view->setContextMenuPolicy(Qt::ActionsContextMenu);
    }
    auto* copy_table_button = new QPushButton(copy_table_action->text(), this);
    copy_table_button->setObjectName(QStringLiteral("copy_table"));
    connect(copy_table_button, &QPushButton::clicked, copy_table_action, &QAction::trigger);
    auto* copy_chart_button = new QPushButton(copy_chart_action->text(), this);
    copy_chart_button->setObjectName(QStringLiteral("copy_chart"));
    connect(copy_chart_button, &QPushButton::clicked, copy_chart_action, &QAction::trigger);

    connect(main_job, &DistributionJob::finished, this, &OddsWindow::main_finished);
    connect(compared_job, &DistributionJob::finished, this,
            [this](const QString&, const DistributionJob::Result& result) {
                compared_finished(result);
            });
    connect(main_job, &DistributionJob::progressed, this, &OddsWindow::show_progress);
    connect(compared_job, &DistributionJob::progressed, this, &OddsWindow::show_progress);

    auto* working = new QHBoxLayout;
    working->addWidget(progress, 1);
    working->addWidget(cancel);
    auto* fields = new QGridLayout;
    fields->addWidget(at_least_label, 0, 0);
    fields->addWidget(at_least, 0, 1);
    fields->addWidget(at_least_answer, 0, 2);
    fields->addWidget(compared_label, 1, 0);
    fields->addWidget(compared_formula, 1, 1, 1, 2);
    fields->setColumnStretch(2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(copy_table_button);
    buttons->addWidget(copy_chart_button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(formula_label);
    layout->addWidget(summary);
    layout->addWidget(chart, 3);
    layout->addLayout(working);
    layout->addLayout(fields);
    layout->addWidget(comparison);
    layout->addWidget(table_view, 2);
    layout->addLayout(buttons);

    setTabOrder(formula_label, summary);
    setTabOrder(summary, chart);
    setTabOrder(chart, cancel);
    setTabOrder(cancel, at_least);
    setTabOrder(at_least, compared_formula);
    setTabOrder(compared_formula, comparison);
    setTabOrder(comparison, table_view);
    chart->setFocus();
    show_main();
    lay_out();
}

void OddsWindow::lay_out() {
    const double scale = layout_scale(*this);
    table_view->verticalHeader()->setDefaultSectionSize(
        fontMetrics().height() + scaled(QRect(0, 0, 0, 2 * row_padding), scale).height());
    resize(scaled(odds_client_area, scale).size());
}

void OddsWindow::show_roll(const QString& formula, std::optional<std::int64_t> total,
                           const DistributionJob::Result& known) {
    last_total = total;
    const bool shown =
        formula == main_formula &&
        (main_job->busy() || (main_result && main_result->outcome != Outcome::cancelled));
    if (!shown) {
        main_formula = formula;
        // A busy job would still deliver its answer: it is replaced instead.
        if (known && !main_job->busy()) {
            main_finished(formula, known);
        } else {
            main_job->request(formula);
        }
    }
    formula_label->setText(total ? QStringLiteral("A : %1, dernier jet %2")
                                       .arg(shown_formula(formula), french_number(*total))
                                 : QStringLiteral("A : %1").arg(shown_formula(formula)));
    chart->set_last_total(total);
}

void OddsWindow::main_finished(const QString& formula, const DistributionJob::Result& result) {
    // The target follows the rolls of a new formula, and stays for the same one.
    const bool new_formula = std::exchange(answered_formula, formula) != formula;
    main_result = result;
    show_main();
    if (result->odds && new_formula) {
        at_least->setValue(spin_value(last_total.value_or(result->odds->distribution().median())));
    }
    end_progress(result->odds ? QStringLiteral("Calcul terminé. ") + summary->text()
                              : spoken_no_distribution(*result));
    emit answered(formula, result);
}

void OddsWindow::compared_finished(const DistributionJob::Result& result) {
    compared_result = result;
    draw_chart();
    show_comparison();
    show_at_least();
    end_progress(result->odds ? QStringLiteral("Calcul terminé. ") + comparison->accessibleName()
                              : spoken_no_distribution(*result));
}

void OddsWindow::compare_with(const QString& formula) {
    compared_result.reset();
    if (formula.trimmed().isEmpty()) {
        compared_job->cancel();
    } else {
        compared_job->request(formula);
    }
    draw_chart();
    show_comparison();
    show_at_least();
}

// Only work that lasts gets here: the first report comes a tenth of a second in.
void OddsWindow::show_progress(double fraction) {
    progress->setValue(int(fraction * progress_steps));
    if (progress->isVisible()) {
        return;
    }
    progress->show();
    cancel->show();
    if (main_job->busy()) {
        // What is drawn is no longer the formula rolled.
        main_result.reset();
        show_main();
    }
    progress_told = true;
    announcer->announce(QStringLiteral("Calcul des probabilités en cours."));
}

void OddsWindow::end_progress(const QString& spoken) {
    if (main_job->busy() || compared_job->busy()) {
        return;
    }
    if (cancel->hasFocus()) {
        chart->setFocus();
    }
    progress->hide();
    cancel->hide();
    if (std::exchange(progress_told, false)) {
        announcer->announce(spoken);
    }
}

void OddsWindow::cancel_work() {
    main_job->cancel();
    compared_job->cancel();
}

void OddsWindow::show_main() {
    const auto odds = main_odds();
    QString words;
    if (odds) {
        words = summary_text(*odds);
    } else if (main_job->busy()) {
        words = working_text();
    } else if (main_result) {
        words = spoken_no_distribution(*main_result);
    }
    summary->setText(words);
    summary->setVisible(!words.isEmpty());
    chart->setAccessibleDescription(words);
    table_view->setAccessibleDescription(words);
    table->show_odds(odds);
    table_view->doItemsLayout(); // its new length, so that the chart's bar can be scrolled to
    if (odds) {
        const Distribution& d = odds->distribution();
        at_least->setRange(spin_value(d.min), spin_value(d.max()));
    }
    at_least->setEnabled(bool(odds));
    draw_chart();
    show_comparison();
    show_at_least();
}

void OddsWindow::show_comparison() {
    const auto a = main_odds();
    if (!a || compared_formula->text().trimmed().isEmpty()) {
        comparison->hide();
        return;
    }
    QString text;
    QString spoken;
    if (const auto b = compared_odds()) {
        const Comparison odds = compare(a->distribution(), b->distribution());
        text = comparison_text(odds);
        spoken = spoken_comparison(odds);
    } else if (compared_result) {
        text = QStringLiteral("B : ") + no_distribution_text(*compared_result);
        spoken = QStringLiteral("B : ") + spoken_no_distribution(*compared_result);
    } else {
        text = spoken = working_text();
    }
    comparison->setText(text);
    comparison->setAccessibleName(spoken);
    comparison->show();
}

void OddsWindow::draw_chart() {
    if (const auto a = main_odds()) {
        chart->show_odds(a, shown_formula(main_formula), compared_odds(),
                         shown_formula(compared_formula->text()));
    } else if (main_result) {
        chart->show_message(no_distribution_text(*main_result));
    } else {
        chart->show_message(main_job->busy() ? working_text() : QString());
    }
}

void OddsWindow::show_at_least() {
    const auto a = main_odds();
    at_least_answer->setText(a ? at_least_text(at_least->value(), *a, compared_odds().get())
                               : QString());
}

void OddsWindow::follow_chart(std::int64_t first, std::int64_t last) {
    const auto a = main_odds();
    if (following || !a) {
        return;
    }
    following = true;
    const Distribution& d = a->distribution();
    QItemSelectionModel* selection = table_view->selectionModel();
    const int top = table->row_of(std::max(first, d.min));
    const int bottom = table->row_of(std::min(last, d.max()));
    if (top >= 0 && bottom >= top) {
        // The rows are selected, not made current: the table would tell screen
        // readers that its cell has the focus, over the bar that has it.
        const QModelIndex start = table->index(top, 0);
        selection->select(QItemSelection(start, table->index(bottom, table->columnCount() - 1)),
                          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        table_view->scrollTo(start, QAbstractItemView::PositionAtCenter);
    } else {
        selection->clearSelection();
    }
    following = false;
}

void OddsWindow::follow_table(const QModelIndex& current) {
    if (following || !current.isValid()) {
        return;
    }
    following = true;
    chart->set_current_total(table->total_at(current.row()));
    following = false;
}

// On a thread of its own: a million rows take seconds. A new copy, or the
// window going, stops the one before.
void OddsWindow::copy_table() {
    copying = std::jthread([this, odds = main_odds()](std::stop_token stop) {
        const QString text = DistributionTable::tab_separated(odds.get(), stop);
        if (!stop.stop_requested()) {
            QMetaObject::invokeMethod(
                this, [text] { QGuiApplication::clipboard()->setText(text); },
                Qt::QueuedConnection);
        }
    });
}

void OddsWindow::copy_chart() {
    QGuiApplication::clipboard()->setImage(chart->picture());
}

std::shared_ptr<const TotalOdds> OddsWindow::main_odds() const {
    return main_result ? main_result->odds : nullptr;
}

// The compared formula's odds, while its field still holds it.
std::shared_ptr<const TotalOdds> OddsWindow::compared_odds() const {
    return compared_result && !compared_formula->text().trimmed().isEmpty() ? compared_result->odds
                                                                            : nullptr;
}

// Reached by the keyboard, the table goes on from the rows the chart selected.
bool OddsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_view && event->type() == QEvent::FocusIn) {
        const QModelIndexList rows = table_view->selectionModel()->selectedRows();
        if (!rows.isEmpty() && !rows.contains(table_view->currentIndex().siblingAtColumn(0))) {
            following = true;
            table_view->selectionModel()->setCurrentIndex(
                *std::min_element(rows.begin(), rows.end()), QItemSelectionModel::NoUpdate);
            following = false;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void OddsWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        lay_out();
    }
    QWidget::changeEvent(event);
}

void OddsWindow::closeEvent(QCloseEvent* event) {
    cancel_work();
    QWidget::closeEvent(event);
}

void OddsWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
