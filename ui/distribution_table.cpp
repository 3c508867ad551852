#include "distribution_table.h"

#include "french_number.h"
#include "odds_text.h"
#include "probability_text.h"

namespace {

enum Column { total_column, equal_column, at_least_column, at_most_column, column_count };

QString heading(int column) {
    static constexpr const char16_t* headings[] = {u"Total", u"P(=)", u"P(≥)", u"P(≤)"};
    return QString::fromUtf16(headings[column]);
}

// Screen readers read "≥" poorly, if at all.
QString spoken_heading(int column) {
    static constexpr const char16_t* headings[] = {u"Total", u"Probabilité de ce total",
                                                   u"Probabilité d'au moins ce total",
                                                   u"Probabilité d'au plus ce total"};
    return QString::fromUtf16(headings[column]);
}

QString cell_text(const TotalOdds& odds, int row, int column) {
    const std::int64_t total = odds.distribution().min + row;
    switch (column) {
    case total_column:
        return french_number(total);
    case equal_column:
        return probability_text(odds.distribution().p[std::size_t(row)]);
    case at_least_column:
        return probability_text(odds.at_least(total));
    case at_most_column:
        return probability_text(odds.at_most(total));
    default:
        return QString();
    }
}

} // namespace

void DistributionTable::show_odds(std::shared_ptr<const TotalOdds> odds) {
    beginResetModel();
    shown = std::move(odds);
    endResetModel();
}

int DistributionTable::row_of(std::int64_t total) const {
    if (!shown) {
        return -1;
    }
    const Distribution& d = shown->distribution();
    return total >= d.min && total <= d.max() ? int(total - d.min) : -1;
}

std::int64_t DistributionTable::total_at(int row) const {
    return shown->distribution().min + row;
}

QString DistributionTable::tab_separated(const TotalOdds* odds, std::stop_token stop) {
    const int rows = odds ? int(odds->distribution().p.size()) : 0;
    QString text;
    for (int row = -1; row < rows && !stop.stop_requested(); ++row) {
        for (int column = 0; column < column_count; ++column) {
            text += row < 0 ? heading(column) : cell_text(*odds, row, column);
            text += column + 1 < column_count ? u'\t' : u'\n';
        }
    }
    return text;
}

int DistributionTable::rowCount(const QModelIndex& parent) const {
    return shown && !parent.isValid() ? int(shown->distribution().p.size()) : 0;
}

int DistributionTable::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : column_count;
}

QVariant DistributionTable::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return QVariant();
    }
    switch (role) {
    case Qt::DisplayRole:
        return cell_text(*shown, index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return QVariant();
    }
}

QVariant DistributionTable::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= column_count) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    switch (role) {
    case Qt::DisplayRole:
        return heading(section);
    case Qt::AccessibleTextRole:
        return spoken_heading(section);
    default:
        return QVariant();
    }
}
