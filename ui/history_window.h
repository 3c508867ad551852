#pragma once

#include <QWidget>
#include <cstdint>
#include <optional>

class QLabel;
class QListView;
class RollHistory;

// "Historique des jets": the session's evaluations, newest first, one entry a
// line for a screen reader. Enter or a double-click rolls an entry again;
// Ctrl+C copies the selected entries as plain text; Ctrl+P shows the
// probabilities of an entry's formula; Escape closes the window.
class HistoryWindow final : public QWidget {
    Q_OBJECT

public:
    // The window reads the history through its list alone, which lets go of
    // a history deleted before it.
    explicit HistoryWindow(RollHistory& history);

    // The selected entries as they are listed, ready to paste.
    QString selected_text() const;

signals:
    void roll_again(const QString& formula);
    void show_odds(const QString& formula, std::optional<std::int64_t> total);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void roll_entry(const QModelIndex& index);
    void show_dropped_note(const QString& note);

    QListView* list;
    QLabel* dropped_note;
};
