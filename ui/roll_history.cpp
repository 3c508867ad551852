#include "roll_history.h"

#include <QLocale>

namespace {

// A pasted formula can be 32 KiB long: the list shows its start and its length.
constexpr qsizetype formula_shown_chars = 80;

QString french_number(std::int64_t value) {
    static const QLocale french(QLocale::French, QLocale::France);
    return french.toString(qlonglong(value));
}

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

void RollHistory::add(const RollRecord& record) {
    if (entries.size() == capacity) {
        beginRemoveRows(QModelIndex(), capacity - 1, capacity - 1);
        entries.pop_back();
        endRemoveRows();
        ++dropped;
        emit dropped_note_changed();
    }
    const QString first_line = record.time.toString(QStringLiteral("HH:mm:ss")) +
                               QStringLiteral("  ") + formula_as_listed(record.formula) +
                               QStringLiteral(" → ") + record.shown;
    beginInsertRows(QModelIndex(), 0, 0);
    entries.push_front({record.formula, first_line + u'\n' + record.detail});
    endInsertRows();
}

QString RollHistory::dropped_note() const {
    if (dropped == 0) {
        return QString();
    }
    const QString kept =
        QStringLiteral("l'historique garde les %1 derniers jets.").arg(french_number(capacity));
    return dropped == 1 ? QStringLiteral("Le jet le plus ancien n'est plus listé : ") + kept
                        : QStringLiteral("Les %1 jets les plus anciens ne sont plus listés : ")
                                  .arg(french_number(dropped)) +
                              kept;
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
        return entry.formula;
    default:
        return QVariant();
    }
}
