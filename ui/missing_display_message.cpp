#include "missing_display_message.h"

const char* missing_display_message() {
    return "Tirlo a besoin d'une session graphique (DISPLAY ou WAYLAND_DISPLAY) et n'en a "
           "trouvé aucune.\n"
           "Lancez-le depuis votre bureau, par ssh -X, ou sur un écran virtuel : xvfb-run tirlo\n"
           "Tirlo needs a graphical session (DISPLAY or WAYLAND_DISPLAY) and found none.\n"
           "Start it from your desktop, over ssh -X, or on a virtual screen: xvfb-run tirlo\n";
}
