#pragma once

#include "total_odds.h"

#include <QAbstractTableModel>
#include <cstdint>
#include <memory>
#include <stop_token>

// Every total of a distribution, a row each: the total, the chance of it, of
// at least it and of at most it, in French.
class DistributionTable final : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    // Null empties the table.
    void show_odds(std::shared_ptr<const TotalOdds> odds);

    int row_of(std::int64_t total) const;
    std::int64_t total_at(int row) const;

    // The whole table of `odds` with its header, a line a row, ready to paste
    // into a spreadsheet; a million rows take seconds, so it may run on any
    // thread, and stops early, with what it has, once `stop` is requested.
    static QString tab_separated(const TotalOdds* odds, std::stop_token stop = {});

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::shared_ptr<const TotalOdds> shown;
};
