#pragma once

#include <QObject>
#include <deque>
#include <functional>

// Work that waits until the windows have drawn what changed before it was
// posted, and sent the frame to the display. Each piece runs in turn, in the
// order posted, from an event of its own.
//
// A widget's first change asks for its window's repaint with an event posted
// at low priority, and the repaint sends its frame to the X server before it
// returns. An event posted at the same priority after it is delivered after it.
class AfterRepaint final : public QObject {
public:
    using QObject::QObject;

    void post(std::function<void()> work);
    // Runs at once, in order, all the work still waiting.
    void finish();

protected:
    void customEvent(QEvent* event) override;

private:
    void run_next();

    std::deque<std::function<void()>> waiting;
};
