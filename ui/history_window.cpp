#include "history_window.h"

#include "layout_scale.h"
#include "roll_history.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr QRect history_client_area(0, 0, 420, 320); // for a 9 pt font

} // namespace

HistoryWindow::HistoryWindow(RollHistory& history)
    : QWidget(nullptr, Qt::Window), list(new QListView(this)), dropped_note(new QLabel(this)) {
    setObjectName(QStringLiteral("history"));
    setWindowTitle(QStringLiteral("Historique des jets"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The main window alone decides when the program ends.
    setAttribute(Qt::WA_QuitOnClose, false);

    list->setObjectName(QStringLiteral("history_list"));
    list->setAccessibleName(QStringLiteral("Jets de la session, du plus récent au plus ancien"));
    list->setModel(&history);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setWordWrap(true);
    list->setResizeMode(QListView::Adjust);
    list->setAlternatingRowColors(true);
    connect(list, &QListView::activated, this, &HistoryWindow::roll_entry);

    // The same commands for the mouse, in the list's context menu.
    auto* roll = new QAction(QStringLiteral("&Relancer ce jet"), list);
    connect(roll, &QAction::triggered, this, [this] { roll_entry(list->currentIndex()); });
    auto* copy = new QAction(QStringLiteral("&Copier"), list);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this,
            [this] { QGuiApplication::clipboard()->setText(selected_text()); });
    auto* odds = new QAction(QStringLiteral("&Probabilités"), list);
    odds->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    odds->setShortcutContext(Qt::WidgetShortcut);
    connect(odds, &QAction::triggered, this, [this] {
        const QModelIndex entry = list->currentIndex();
        if (entry.isValid()) {
            const QVariant total = entry.data(RollHistory::total_role);
            emit show_odds(entry.data(RollHistory::formula_role).toString(),
                           total.isValid() ? std::optional(total.toLongLong()) : std::nullopt);
        }
    });
    list->addActions({roll, odds, copy});
    list->setContextMenuPolicy(Qt::ActionsContextMenu);

    dropped_note->setObjectName(QStringLiteral("dropped_note"));
    dropped_note->setWordWrap(true);
    connect(&history, &RollHistory::dropped_note_changed, this, &HistoryWindow::show_dropped_note);
    show_dropped_note(history.dropped_note());

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list);
    layout->addWidget(dropped_note);
    setFocusProxy(list);
    resize(scaled(history_client_area, layout_scale(*this)).size());
}

QString HistoryWindow::selected_text() const {
    QModelIndexList rows = list->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end());
    QStringList texts;
    for (const QModelIndex& row : rows) {
        texts << row.data().toString();
    }
    return texts.join(QStringLiteral("\n\n"));
}

void HistoryWindow::roll_entry(const QModelIndex& index) {
    if (index.isValid()) {
        emit roll_again(index.data(RollHistory::formula_role).toString());
    }
}

// The oldest entries are at the bottom, and so is the note of those let go;
// a screen reader hears it with the list.
void HistoryWindow::show_dropped_note(const QString& note) {
    dropped_note->setText(note);
    dropped_note->setVisible(!note.isEmpty());
    list->setAccessibleDescription(note);
}

void HistoryWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    const QAbstractItemModel* rows = list->model(); // none once the history is gone
    if (!list->currentIndex().isValid() && rows != nullptr && rows->rowCount() > 0) {
        list->setCurrentIndex(rows->index(0, 0));
    }
}

void HistoryWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
