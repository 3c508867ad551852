#include "die_icon.h"

#include <QDirIterator>

QIcon die_icon() {
    // Every size the build made, so that a large or dense screen gets a sharp picture.
    QIcon icon;
    QDirIterator sizes(QStringLiteral(":/icons"), {QStringLiteral("*.png")}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (sizes.hasNext()) {
        icon.addFile(sizes.next());
    }
    return icon;
}
