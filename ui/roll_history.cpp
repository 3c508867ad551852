#include "roll_history.h"

#include "french_number.h"

namespace {

// A pasted formula can be 32 KiB long: the list shows its start and its length.
constexpr qsizetype formula_shown_chars = 80;

QString formula_as_listed(const QString& formula) {
    if (formula.size() <= formula_shown_chars) {
        return formula;
    }
    qsizetype cut = formula_shown_chars;
    if (formula.at(cut - 1).isHighSurrogate()) {
        --cut;
    }
    return formula.left(cut) +
           QStringLiteral("… (%1 caractères)").arg(french_number(formula.size()));
}

} // namespace

RollHistory::EntryId RollHistory::add(const RollRecord& record) {
    QString text = record.time.toString(QStringLiteral("HH:mm:ss")) + QStringLiteral("  ") +
                   formula_as_listed(record.formula) + QStringLiteral(" → ") + record.shown;
    if (!record.detail.isEmpty()) {
        text += u'\n' + record.detail;
    }
    beginInsertRows(QModelIndex(), 0, 0);
    entries.push_front({keep(StoredFormula(record.formula)), text, record.total});
    bytes += bytes_of(text);
    endInsertRows();
    keep_within_bounds();
    return added++;
}

void RollHistory::add_line(EntryId entry, const QString& line) {
    const EntryId row = added - 1 - entry;
    if (entry >= added || row >= entries.size()) {
        return;
    }
    const QString more = u'\n' + line;
    entries[row].text += more;
    bytes += bytes_of(more);
    const QModelIndex changed = index(int(row));
    emit dataChanged(changed, changed, {Qt::DisplayRole});
    keep_within_bounds();
}

// The newest entry stays whatever its size.
void RollHistory::keep_within_bounds() {
    const std::int64_t dropped_before = dropped;
    while (entries.size() > 1 && (entries.size() > capacity || bytes > most_bytes)) {
        dropped_for_bytes = entries.size() <= capacity;
        drop_oldest();
    }
    if (dropped != dropped_before) {
        emit dropped_note_changed(dropped_note());
    }
}

StoredFormula RollHistory::keep(const StoredFormula& formula) {
    auto kept = uses.find(formula);
    if (kept == uses.end()) {
        kept = uses.insert(formula, 0);
        bytes += formula.bytes();
    }
    ++*kept;
    return kept.key();
}

void RollHistory::drop_oldest() {
    const int last = int(entries.size()) - 1;
    beginRemoveRows(QModelIndex(), last, last);
    const Entry& oldest = entries.back();
    bytes -= bytes_of(oldest.text);
    const auto kept = uses.find(oldest.formula);
    if (--*kept == 0) {
        bytes -= oldest.formula.bytes();
        uses.erase(kept);
    }
    entries.pop_back();
    endRemoveRows();
    ++dropped;
}

const StoredFormula& RollHistory::formula(int row) const {
    return entries[std::size_t(row)].formula;
}

QString RollHistory::dropped_note() const {
    if (dropped == 0) {
        return QString();
    }
    const QString why = dropped_for_bytes
                            ? QStringLiteral("l'historique garde au plus %1 Mo.")
                                  .arg(french_number(most_bytes / 1'000'000))
                            : QStringLiteral("l'historique garde les %1 derniers jets.")
                                  .arg(french_number(capacity));
    return dropped == 1 ? QStringLiteral("Le jet le plus ancien n'est plus listé : ") + why
                        : QStringLiteral("Les %1 jets les plus anciens ne sont plus listés : ")
                                  .arg(french_number(dropped)) +
                              why;
}

int RollHistory::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(entries.size());
}

QVariant RollHistory::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return QVariant();
    }
    const Entry& entry = entries[std::size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return entry.text;
    case formula_role:
        return entry.formula.text();
    case total_role:
        return entry.total ? QVariant(qint64(*entry.total)) : QVariant();
    default:
        return QVariant();
    }
}
