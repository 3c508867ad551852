#pragma once

#include <QString>
#include <QStringView>

// Reading text one code point at a time, where a surrogate pair is one code
// point and a lone surrogate is one of its own.

// 2 where a surrogate pair starts at `at`, otherwise 1.
inline qsizetype code_point_length(QStringView text, qsizetype at) {
    return text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate() ? 2
                                                                                               : 1;
}

// Appends `text` lower-cased as QString::toLower does, a letter whose lower
// case is longer included, except that a lone surrogate stays as it came.
void append_lower_case(QString& out, QStringView text);
