#pragma once

#include <QAbstractListModel>
#include <QTime>
#include <cstdint>
#include <deque>

// One evaluation as the history lists it.
struct RollRecord {
    QTime time;
    QString formula; // as typed
    QString shown;   // what the result box came to show
    QString detail;  // the French words of its dice and odds, or of its error
};

// This session's evaluations, newest first, in memory only. It keeps the last
// `capacity` of them and counts the ones it let go.
class RollHistory final : public QAbstractListModel {
    Q_OBJECT

public:
    static constexpr int capacity = 1000;
    static constexpr int formula_role = Qt::UserRole; // the whole formula, to roll again

    using QAbstractListModel::QAbstractListModel;

    void add(const RollRecord& record);

    // Says how many of the oldest evaluations are no longer listed; empty while none are.
    QString dropped_note() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

signals:
    void dropped_note_changed();

private:
    struct Entry {
        QString formula;
        QString text;
    };
    std::deque<Entry> entries; // newest first
    std::int64_t dropped = 0;
};
