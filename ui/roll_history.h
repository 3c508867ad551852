#pragma once

#include "stored_formula.h"

#include <QAbstractListModel>
#include <QHash>
#include <QTime>
#include <cstdint>
#include <deque>
#include <optional>

// One evaluation as the history lists it.
struct RollRecord {
    QTime time;
    QString formula; // as typed
    QString shown;   // what the result box came to show
    QString detail;  // the French words of its dice and odds, or of its error; may come later
    std::optional<std::int64_t> total = std::nullopt; // the total shown, if any
};

// This session's evaluations, newest first, in memory only. It keeps the last
// `capacity` of them within `most_bytes` of text, each formula once however
// often it was rolled, and counts the ones it let go.
class RollHistory final : public QAbstractListModel {
    Q_OBJECT

public:
    static constexpr int capacity = 1000;
    // Formulas, and the lines that list their rolls. A pasted formula can be 32 KiB long.
    static constexpr qsizetype most_bytes = 8'000'000;
    static constexpr int formula_role = Qt::UserRole;   // the whole formula, to roll again
    static constexpr int total_role = Qt::UserRole + 1; // the total shown, if any, as a qint64

    // Names an entry for as long as the history keeps it.
    using EntryId = std::uint64_t;

    using QAbstractListModel::QAbstractListModel;

    EntryId add(const RollRecord& record);
    // Adds a line to the detail of an entry, if it is still kept; it counts
    // towards the bound in bytes like the rest.
    void add_line(EntryId entry, const QString& line);

    // The formula of a row, shared with every other roll of it.
    const StoredFormula& formula(int row) const;

    // Says how many of the oldest evaluations are no longer listed, and why;
    // empty while none are.
    QString dropped_note() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

signals:
    void dropped_note_changed(const QString& note);

private:
    struct Entry {
        StoredFormula formula;
        QString text;
        std::optional<std::int64_t> total;
    };
    StoredFormula keep(const StoredFormula& formula);
    void keep_within_bounds();
    void drop_oldest();
    static qsizetype bytes_of(const QString& text) {
        return text.size() * qsizetype(sizeof(QChar));
    }

    std::deque<Entry> entries;      // newest first
    QHash<StoredFormula, int> uses; // each formula kept, and the entries that hold it
    qsizetype bytes = 0;            // of the formulas kept and the entries' texts
    EntryId added = 0;              // entries ever added, and so the id of the next one
    std::int64_t dropped = 0;
    bool dropped_for_bytes = false; // the last entry let go made room, not a place
};
