// Build tool: writes the program's die icon as a PNG for the desktop's icon theme.
#include "ui/icons/die.xpm"

#include <QImage>

int main(int argc, char* argv[]) {
    return argc == 2 && QImage(die_xpm).save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
