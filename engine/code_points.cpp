#include "code_points.h"

#include <algorithm>

namespace {

bool is_ascii(QChar c) {
    return c.unicode() < 0x80;
}

QChar ascii_lower(QChar c) {
    return c >= u'A' && c <= u'Z' ? QChar(c.unicode() + (u'a' - u'A')) : c;
}

} // namespace

void append_lower_case(QString& out, QStringView text) {
    for (qsizetype at = 0; at < text.size();) {
        if (is_ascii(text[at])) {
            // A run of ASCII, the usual case: appended at once, lower-cased in place.
            const auto end = std::find_if_not(text.begin() + at, text.end(), is_ascii);
            const qsizetype start = out.size();
            out.append(QStringView(text.begin() + at, end));
            std::transform(out.begin() + start, out.end(), out.begin() + start, ascii_lower);
            at = end - text.begin();
            continue;
        }
        const qsizetype length = code_point_length(text, at);
        const QStringView point = text.sliced(at, length);
        if (length == 1 && point.front().isSurrogate()) {
            out += point;
        } else {
            // One code point at a time: QString::toLower on a longer text turns
            // every lone surrogate after the first letter it changes into U+FFFD.
            out += point.toString().toLower();
        }
        at += length;
    }
}
