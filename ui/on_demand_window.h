#pragma once

#include <QPointer>

// A window of its own, without an owner, made when first shown and made anew
// after it closed, for it deletes itself on closing; it closes when its holder
// goes. It must keep no reference to anything else of the holder's: then no
// order in which they go can leave it one that dangles.
template <typename Window> class OnDemandWindow {
public:
    OnDemandWindow() = default;
    OnDemandWindow(const OnDemandWindow&) = delete;
    OnDemandWindow& operator=(const OnDemandWindow&) = delete;
    ~OnDemandWindow() { delete window; }

    // Makes the window by `make` unless it is open, then brings it to the front.
    template <typename Make> void show(Make make) {
        if (!window) {
            window = make();
        }
        window->show();
        window->raise();
        window->activateWindow();
    }

    // The open window, or none.
    Window* get() const { return window; }

private:
    QPointer<Window> window;
};
