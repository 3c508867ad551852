#pragma once

#include "distribution_job.h"
#include "total_odds.h"

#include <QWidget>
#include <cstdint>
#include <optional>
#include <thread>

class DistributionChart;
class DistributionTable;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableView;
class ResultAnnouncer;

// "Probabilités": the distribution of the formula last rolled, as a chart and
// a table, the chance of at least a target, and the comparison with a second
// formula. The work runs off the GUI thread; a new roll, a new formula to
// compare with, "Annuler" or closing the window cancels it. In memory only.
class OddsWindow final : public QWidget {
    Q_OBJECT

public:
    OddsWindow();

public slots:
    // A roll that changed the result box: its formula, and its total, or none
    // when the box shows an error. The same formula again only moves the mark
    // of the last total. `known` is its answer when it was worked out already.
    void show_roll(const QString& formula, std::optional<std::int64_t> total,
                   const DistributionJob::Result& known = nullptr);

signals:
    // Each answer for the formula rolled, as it is shown.
    void answered(const QString& formula, const DistributionJob::Result& result);

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void lay_out();
    void main_finished(const QString& formula, const DistributionJob::Result& result);
    void compared_finished(const DistributionJob::Result& result);
    void compare_with(const QString& formula);
    void show_progress(double fraction);
    void end_progress(const QString& spoken);
    void cancel_work();
    void show_main();
    void show_comparison();
    void draw_chart();
    void show_at_least();
    void follow_chart(std::int64_t first, std::int64_t last);
    void follow_table(const QModelIndex& current);
    void copy_table();
    void copy_chart();
    std::shared_ptr<const TotalOdds> main_odds() const;
    std::shared_ptr<const TotalOdds> compared_odds() const;

    DistributionJob* main_job;
    DistributionJob* compared_job;
    DistributionJob::Result main_result; // the last answers, exact or not
    DistributionJob::Result compared_result;
    QString main_formula;     // the formula rolled
    QString answered_formula; // the one `main_result` answers

    std::optional<std::int64_t> last_total;

    QLabel* formula_label;
    QLabel* summary;
    DistributionChart* chart;
    QProgressBar* progress;
    QPushButton* cancel;
    QSpinBox* at_least;
    QLabel* at_least_answer;
    QLineEdit* compared_formula;
    QLabel* comparison;
    DistributionTable* table;
    QTableView* table_view;
    ResultAnnouncer* announcer;
    bool progress_told = false; // a screen reader heard that a long work started
    bool following = false;     // the chart and the table are being lined up
    std::jthread copying;       // the table being written out for the clipboard; goes first
};
