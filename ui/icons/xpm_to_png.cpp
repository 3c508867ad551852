// Build tool: writes the die's 32 px picture as a PNG, for the icon theme and
// the window icon. The other sizes are rendered from the vector master.
#include "ui/icons/die.xpm"

#include <QImage>

int main(int argc, char* argv[]) {
    return argc == 2 && QImage(die_xpm).save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
