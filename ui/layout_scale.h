#pragma once

#include <QRect>

class QWidget;

// The windows are laid out in pixels for a 9 pt font at 96 dpi, the desktop's
// usual default. With a larger font, every size grows in the same proportion,
// so that text still fits its box; with that font or a smaller one nothing moves.
double layout_scale(const QWidget& widget);

// A rectangle of the original layout at the given scale. Edges are rounded,
// not sizes, so that neighbours stay as close as they were drawn.
QRect scaled(const QRect& rect, double scale);
