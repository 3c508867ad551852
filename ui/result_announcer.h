#pragma once

#include <QWidget>

// Has screen readers speak a result wherever the keyboard focus is. It is an
// empty child of no size with the accessible role of a notification, shown
// anew with each text: screen readers read such a notification as it appears,
// while they stay silent when a box without the focus changes its text.
class ResultAnnouncer final : public QWidget {
    Q_OBJECT

public:
    explicit ResultAnnouncer(QWidget* parent);

    void announce(const QString& text);
};
