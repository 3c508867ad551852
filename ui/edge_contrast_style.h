#pragma once

#include <QProxyStyle>

// The main window's controls sit on a background that fades from white to
// near black. In a dark colour scheme their own frames are dark and vanish
// into the dark greys, so there each box and button is edged in two tones,
// black outside and light grey inside: against any grey one of the two stands
// out by more than 3:1. A light scheme is drawn exactly as the style draws it.
class EdgeContrastStyle final : public QProxyStyle {
    Q_OBJECT

public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};
