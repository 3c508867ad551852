#include "distribution_table.h"

#include "odds_text.h"
#include "probability_text.h"

#include <QStringList>

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

QString DistributionTable::tab_separated() const {
    QStringList lines;
    QStringList cells;
    for (int column = 0; column < column_count; ++column) {
        cells << heading(column);
    }
    lines << cells.join(u'\t');
    for (int row = 0; row < rowCount(); ++row) {
        cells.clear();
        for (int column = 0; column < column_count; ++column) {
            cells << cell_text(row, column);
        }
        lines << cells.join(u'\t');
    }
    return lines.join(u'\n') + u'\n';
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
        return cell_text(index.row(), index.column());
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

QString DistributionTable::cell_text(int row, int column) const {
    const std::int64_t total = total_at(row);
    switch (column) {
    case total_column:
        return total_text(total);
    case equal_column:
        return probability_text(shown->distribution().p[std::size_t(row)]);
    case at_least_column:
        return probability_text(shown->at_least(total));
    case at_most_column:
        return probability_text(shown->at_most(total));
    default:
        return QString();
    }
}
