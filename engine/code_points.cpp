#include "code_points.h"

#include <algorithm>

namespace {

bool is_ascii(QChar c) {
    return c.unicode() < 0x80;
}

QChar ascii_lower(QChar c) {
    return c >= u'A' && c <= u'Z' ? QChar(c.unicode() + (u'a' - u'A')) : c;
}

// One code point on its own: QString::toLower on a longer text turns every
// lone surrogate after the first letter it changes into U+FFFD.
void append_lower_code_point(QString& out, QStringView point) {
    if (point.size() == 1 && point.front().isSurrogate()) {
        out += point; // a lone surrogate, as it came
    } else {
        out += point.toString().toLower();
    }
}

} // namespace

void append_lower_case(QString& out, QStringView text) {
    for (qsizetype at = 0; at < text.size();) {
        if (is_ascii(text[at])) {
            // A run of ASCII, the usual case, lower-cased as it is copied.
            const qsizetype end =
                std::find_if_not(text.begin() + at, text.end(), is_ascii) - text.begin();
            const qsizetype start = out.size();
            out.resize(start + end - at);
            std::transform(text.begin() + at, text.begin() + end, out.begin() + start, ascii_lower);
            at = end;
        } else {
            const qsizetype length = code_point_length(text, at);
            append_lower_code_point(out, text.sliced(at, length));
            at += length;
        }
    }
}
