#pragma once

#include "engine/evaluator.h"

#include <QColor>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <cstdint>

class HistoryWindow;
class QAction;
class QPushButton;
class ResultAnnouncer;
class RollHistory;
class TextBox;
class form_help;

// The main window: the formula box on top; OK, the result box and help below.
// Its background fades from white to near black at start and after each total.
class tirlo final : public QWidget, private ResultSink {
    Q_OBJECT

public:
    explicit tirlo(QWidget* parent = nullptr);
    ~tirlo() override;

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private slots:
    void but_ok_Click();
    void but_help_Click();
    void tempo_Timer();
    void show_history();

private:
    void Form_Load();
    void Form_Paint();
    void txt_entree_Click();

    void set_result_text(const QString& text) override;
    void start_fade() override;

    void lay_out();
    void describe_result(const QString& formula, const RollDetail& detail);
    void announce_result();
    bool escape_closes_help();

    TextBox* txt_entree;
    TextBox* txt_result;
    QPushButton* but_ok;
    QPushButton* but_help;
    QTimer* tempo;
    ResultAnnouncer* announcer;
    RollHistory* history;
    QAction* history_action;

    EvaluatorState state;
    DefaultRandomSource random;
    bool first_click = false;
    std::int16_t fade_level = 0;
    QColor face_colour;
    QString unannounced_result;             // shown, not yet spoken
    QPointer<form_help> help;               // the open help window, if any
    QPointer<HistoryWindow> history_window; // likewise
    QString odds_formula; // the formula `odds` belong to, so that a re-roll reuses them
    FormulaOdds odds;
    bool help_cancelled = false; // Escape came while "?" was being pressed
};
