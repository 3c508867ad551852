#include "formula_scan.h"

QStringView trim_spaces(QStringView text) {
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && text[first] == u' ') {
        ++first;
    }
    while (end > first && text[end - 1] == u' ') {
        --end;
    }
    return text.sliced(first, end - first);
}

// Trimming first spares lower-casing the spaces: no character lower-cases to
// a space, nor a space to anything else.
void normalise(QString& formula, QStringView trimmed) {
    formula.resize(0);
    append_lower_case(formula, trimmed);
    formula += u'+';
}
