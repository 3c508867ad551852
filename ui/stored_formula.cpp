#include "stored_formula.h"

#include <algorithm>
#include <cstring>

StoredFormula::StoredFormula(const QString& formula)
    : wide(
          std::any_of(formula.begin(), formula.end(), [](QChar c) { return c.unicode() > 0xff; })) {
    if (wide) {
        units = QByteArray(reinterpret_cast<const char*>(formula.constData()),
                           formula.size() * qsizetype(sizeof(QChar)));
    } else {
        units = formula.toLatin1();
    }
}

QString StoredFormula::text() const {
    if (!wide) {
        return QString::fromLatin1(units);
    }
    QString formula(units.size() / qsizetype(sizeof(QChar)), Qt::Uninitialized);
    std::memcpy(formula.data(), units.constData(), std::size_t(units.size()));
    return formula;
}
