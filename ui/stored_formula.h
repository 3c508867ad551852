#pragma once

#include <QByteArray>
#include <QHashFunctions>
#include <QString>

// A formula as the session keeps it once rolled: one byte a character when
// every character is Latin-1, as formulas are almost always ASCII, and UTF-16
// otherwise, so that any text, a lone surrogate included, comes back as it was.
// Copies share one buffer.
class StoredFormula {
public:
    StoredFormula() = default;
    explicit StoredFormula(const QString& formula);

    QString text() const;
    bool empty() const { return units.isEmpty(); }
    // What its characters take in memory.
    qsizetype bytes() const { return units.size(); }

    friend bool operator==(const StoredFormula&, const StoredFormula&) = default;
    friend size_t qHash(const StoredFormula& formula, size_t seed = 0) {
        return qHashMulti(seed, formula.units, formula.wide);
    }

private:
    QByteArray units; // Latin-1, or UTF-16 in the machine's byte order
    bool wide = false;
};
