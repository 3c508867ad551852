#pragma once

#include <QLineEdit>

// A single-line text box that can repaint its frame without its text. A line
// edit lays out its whole text at every repaint, which a long pasted formula
// makes slow; when nothing of the text area needs drawing, as at each step of
// the window's fade, the frame alone is drawn, the same as the line edit would.
class TextBox final : public QLineEdit {
    Q_OBJECT

public:
    using QLineEdit::QLineEdit;

    // Where the text is drawn: everything else is the frame.
    QRect text_area() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QStyleOptionFrame panel() const;
};
