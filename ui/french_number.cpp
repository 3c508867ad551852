#include "french_number.h"

#include <QLocale>

QString french_number(std::int64_t value) {
    static const QLocale french(QLocale::French, QLocale::France);
    return french.toString(qlonglong(value));
}
