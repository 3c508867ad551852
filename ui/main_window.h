#pragma once

#include "engine/evaluator.h"
#include "help_window.h"
#include "history_window.h"
#include "odds_cache.h"
#include "on_demand_window.h"

#include <QColor>
#include <QTimer>
#include <QWidget>
#include <cstdint>

class CancellablePress;
class QPushButton;
class ResultAnnouncer;
class RollHistory;
class TextBox;

// The main window: the formula box on top; OK, the result box and help below.
// Its background fades from white to near black at start and after each total.
class tirlo final : public QWidget, private ResultSink {
    Q_OBJECT

public:
    explicit tirlo(QWidget* parent = nullptr);

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

    void describe_roll();
    bool escape_closes_help();
    void lay_out();

    TextBox* txt_entree;
    TextBox* txt_result;
    QPushButton* but_ok;
    QPushButton* but_help;
    QTimer* tempo;
    ResultAnnouncer* announcer;
    RollHistory* history;
    CancellablePress* help_press;

    EvaluatorState state;
    DefaultRandomSource random;
    bool first_click = false;
    std::int16_t fade_level = 0;
    QColor face_colour;
    QString rolled;    // the formula of the last roll
    RollDetail detail; // and what it threw
    OddsCache odds;
    OnDemandWindow<form_help> help;
    OnDemandWindow<HistoryWindow> history_window;
};
