#pragma once

#include <QObject>

class QLineEdit;

// Keeps a line edit's undo history within a bound. Qt's line edit records one
// undo step per character inserted or removed and keeps them all while it
// lives: each 32 KiB formula pasted over another added a megabyte that was
// never given back. Once the steps recorded since the history began may pass
// the bound, the history is forgotten, text, caret and selection kept: undo
// then reaches back no further than that edit. Ordinary formulas stay far below it.
// Checked with Qt 6.4; no Qt release retires this yet: the line edit of Qt's
// later 6.x sources still records every step without a limit. To be checked
// again with each newer Qt.
class BoundedUndo final : public QObject {
    Q_OBJECT

public:
    explicit BoundedUndo(QLineEdit* box);

private:
    void count_edit(const QString& text);
    void forget();

    QLineEdit* box;
    qsizetype length;       // of the text before the edit
    qsizetype selected = 0; // characters selected before the edit
    qsizetype recorded = 0; // most steps the history may hold
    bool forget_pending = false;
};
