#pragma once

#include <QWidget>

// Has screen readers speak a result wherever the keyboard focus is. It is an
// empty child of no size with the accessible role of a notification, shown
// anew with each text: screen readers read such a notification as it appears,
// while they stay silent when a box without the focus changes its text.
// Qt 6.8 brings QAccessibleAnnouncementEvent, which has a text said without a
// widget shown anew: with Qt 6.8 or later this hiding and showing gives way to
// it, once Orca is checked to hear it through that Qt's AT-SPI bridge.
class ResultAnnouncer final : public QWidget {
    Q_OBJECT

public:
    explicit ResultAnnouncer(QWidget* parent);

    // Says `text` now; a text held is dropped.
    void announce(const QString& text);
    // Keeps `text` to be said by announce_held(), in place of any held before.
    void hold(const QString& text);
    void announce_held();

private:
    QString held;
};
