#include "start_up_failure_text.h"

const char* missing_display_message() {
    return "Tirlo a besoin d'une session graphique (DISPLAY ou WAYLAND_DISPLAY) et n'en a "
           "trouvé aucune.\n"
           "Lancez-le depuis votre bureau, par ssh -X, ou sur un écran virtuel : xvfb-run tirlo\n"
           "Tirlo needs a graphical session (DISPLAY or WAYLAND_DISPLAY) and found none.\n"
           "Start it from your desktop, over ssh -X, or on a virtual screen: xvfb-run tirlo\n";
}

const char* platform_failure_hint() {
    return "Tirlo n'a pas pu ouvrir sa fenêtre sur l'écran trouvé : Qt dit pourquoi ci-dessus "
           "(QT_DEBUG_PLUGINS=1 en dit plus).\n"
           "Tirlo could not open its window on the display it found: Qt says why above "
           "(QT_DEBUG_PLUGINS=1 tells more).\n";
}
