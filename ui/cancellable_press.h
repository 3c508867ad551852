#pragma once

#include <QObject>

class QAbstractButton;

// Escape while a button is held down cancels that press: the button comes up
// and the click that may still come of it is to be ignored. An access key
// holds its button down for a moment before it clicks, and the click comes
// after an Escape all the same.
class CancellablePress final : public QObject {
    Q_OBJECT

public:
    explicit CancellablePress(QAbstractButton& button);

    // Cancels the press under way; false when the button is not down.
    bool cancel();
    // Whether the click just come ends a cancelled press. Asked once a click.
    bool take_cancelled();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAbstractButton& button;
    bool cancelled = false;
};
