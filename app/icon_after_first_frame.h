#pragma once

class QWindow;

// Gives the program its icon once `window` has drawn its first frame. On X11
// the icon travels as every size's pixels, about 90,000 of them, which the
// window manager reads before it maps a window that already has them: given
// with the window, it made the start-up a quarter slower than a bare Qt program.
void set_icon_after_first_frame(QWindow& window);
