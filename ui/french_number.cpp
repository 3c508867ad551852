#include "french_number.h"

const QLocale& french_locale() {
    static const QLocale french(QLocale::French, QLocale::France);
    return french;
}

QString french_number(std::int64_t value) {
    return french_locale().toString(qlonglong(value));
}

QString french_mean(double mean) {
    return french_locale().toString(mean, 'f', 2);
}
