#pragma once

#include "engine/evaluator.h"
#include "help_window.h"
#include "odds_cache.h"
#include "on_demand_window.h"
#include "roll_history.h"

#include <QColor>
#include <QTime>
#include <QTimer>
#include <QWidget>
#include <cstdint>

class AfterRepaint;
class CancellablePress;
class OddsAction;
class QPushButton;
class ResultAnnouncer;
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

private:
    void Form_Load();
    void Form_Paint();
    void txt_entree_Click();

    void set_result_text(const QString& text) override;
    void start_fade() override;

    // A roll as its words need it: they are made once its result is on screen.
    struct Roll {
        std::uint64_t number = 0;
        QTime time;
        QString formula;
        RollDetail detail;
        QString box_text; // what the result box came to show
        std::int64_t total = 0;
    };
    // Where the words of a roll go.
    struct RollPlace {
        std::uint64_t number = 0;
        RollHistory::EntryId entry = 0;
    };
    void describe_roll(Roll& roll);
    void add_words(const RollPlace& roll, const QString& words);

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
    AfterRepaint* after_repaint;
    OddsAction* odds_action;

    EvaluatorState state;
    DefaultRandomSource random;
    bool first_click = false;
    std::int16_t fade_level = 0;
    QColor face_colour;
    std::uint64_t rolls = 0;       // made so far, each numbered from 1
    std::uint64_t roll_in_box = 0; // the roll whose result the box shows; 0 for none
    QString box_words;             // its words so far, the box's tooltip and description
    RollDetail spare_detail;       // reused by the next roll
    OddsCache odds;
    OnDemandWindow<form_help> help;
};
