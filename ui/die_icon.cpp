#include "die_icon.h"

#include "icons/die.xpm"

#include <QPixmap>

QIcon die_icon() {
    return QIcon(QPixmap(die_xpm));
}
